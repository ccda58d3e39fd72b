#include "render/trace/layout.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace ugraph {
namespace {

constexpr std::size_t kRoom = kMaxDrawnNodes + 1;
// Centre to centre, the least between two nodes, and the unit of length a
// link stands for; rows of a tree lie further apart, so that links between
// them slope clear of the nodes beside their ends.
constexpr double kSpacing = 52;
constexpr double kRowGap = 90;
// Between two connected parts.
constexpr double kPartGap = 2 * kSpacing;
// Around the drawing, room for a self-link's loop.
constexpr int32_t kMargin = 64;
constexpr double kLoopReach = 40;
// How near a link's curve may pass a node it does not touch: its disc and
// a margin.
constexpr double kClearance = GraphLayout::kNodeRadius + 8;

// Rounded to the nearest whole unit, halves away from zero; what is no
// number, or past the drawing's reach, is held to it, so that a fault in
// the arithmetic misplaces a node rather than converting out of range.
int32_t toInt(double v) {
  constexpr double kReach = 1e6;
  if (!(v > -kReach)) return static_cast<int32_t>(-kReach);
  if (!(v < kReach)) return static_cast<int32_t>(kReach);
  return static_cast<int32_t>(v < 0 ? v - 0.5 : v + 0.5);
}

double distance(double x, double y) { return std::sqrt(x * x + y * y); }

// A node's, or a part's, index in the arrays.
std::size_t slot(int32_t i) { return static_cast<std::size_t>(i); }

// The sine and cosine of x, by their series after bringing x within
// [-pi, pi], where 12 terms each are good to 1e-10. A drawing needs a
// tenth of a unit; the maths library's own would have every run of the
// program load that library for the sake of this one mode.
struct SinCos {
  double sin = 0;
  double cos = 0;
};
SinCos sinCos(double x) {
  constexpr double kTurn = 2 * std::numbers::pi;
  while (x > std::numbers::pi) x -= kTurn;
  while (x < -std::numbers::pi) x += kTurn;
  SinCos r;
  double odd = x;   // x^k / k!, k odd
  double even = 1;  // x^k / k!, k even
  for (int k = 0; k < 24; k += 2) {
    r.cos += even;
    r.sin += odd;
    even *= -x * x / ((k + 1) * (k + 2));
    odd *= -x * x / ((k + 2) * (k + 3));
  }
  return r;
}

// The positions being computed, in drawing units, before the margins.
struct Places {
  std::array<double, kRoom> x{};
  std::array<double, kRoom> y{};
};

// One connected part: its nodes, the first its smallest, in the order a
// search by levels from it meets them.
struct Part {
  std::array<int32_t, kRoom> nodes{};
  int32_t size = 0;
  int32_t links = 0;  // distinct links between distinct nodes
};

// Finds the part of root, marking its nodes seen.
void findPart(int32_t n, const NodeLinks& links, int32_t root,
              std::array<bool, kRoom>& seen, Part& part) {
  part.links = 0;
  part.nodes[0] = root;
  part.size = 1;
  seen[slot(root)] = true;
  for (int32_t i = 0; i < part.size; ++i) {
    const int32_t a = part.nodes[slot(i)];
    for (int32_t b = 1; b <= n; ++b) {
      if (b == a || !links.linked(a, b)) continue;
      if (b > a) ++part.links;
      if (!seen[slot(b)]) {
        seen[slot(b)] = true;
        part.nodes[slot(part.size++)] = b;
      }
    }
  }
}

// A part without a cycle, in rows by depth from its first node: each
// leaf takes the next column in the order a walk from the root takes the
// children, smallest first, and each other node stands over the middle of
// its children. Subtrees keep to their own columns, so no two nodes of a
// row meet.
class TreeRows {
 public:
  TreeRows(int32_t n, const NodeLinks& links, Places& places)
      : n_(n), links_(links), places_(places) {}
  void place(const Part& part) { placeFrom(part.nodes[0], 0, 0); }

 private:
  double placeFrom(int32_t a, int32_t parent, int32_t depth) {
    places_.y[slot(a)] = depth * kRowGap;
    bool any = false;
    double first = 0;
    double last = 0;
    for (int32_t b = 1; b <= n_; ++b) {
      if (b == a || b == parent || !links_.linked(a, b)) continue;
      last = placeFrom(b, a, depth + 1);
      if (!any) first = last;
      any = true;
    }
    places_.x[slot(a)] = any ? (first + last) / 2 : kSpacing * column_++;
    return places_.x[slot(a)];
  }

  int32_t n_;
  const NodeLinks& links_;
  Places& places_;
  int32_t column_ = 0;
};

using Hops = std::array<std::array<uint8_t, kRoom>, kRoom>;

// The largest eigenvalue of the symmetric m x m matrix b and its unit
// eigenvector v, by power iteration from a fixed start.
double topEigen(const std::array<std::array<double, kRoom>, kRoom>& b,
                std::size_t m, std::array<double, kRoom>& v) {
  for (std::size_t i = 0; i < m; ++i) {
    v[i] = 1 + 0.37 * static_cast<double>(i % 7) -
           0.11 * static_cast<double>(i % 3);
  }
  double value = 0;
  std::array<double, kRoom> next{};
  for (int round = 0; round < 400; ++round) {
    double norm = 0;
    for (std::size_t i = 0; i < m; ++i) {
      double sum = 0;
      for (std::size_t j = 0; j < m; ++j) sum += b[i][j] * v[j];
      next[i] = sum;
      norm += sum * sum;
    }
    norm = std::sqrt(norm);
    if (norm < 1e-12) return 0;
    for (std::size_t i = 0; i < m; ++i) v[i] = next[i] / norm;
    value = norm;
  }
  return value;
}

// Where stress starts from: classical scaling (Torgerson), the positions
// whose distances best match the hops between the nodes taken as
// lengths, from the two largest eigenvectors of the doubly centred
// squared hops. It places a wheel's hub in the middle of its rim and a
// cycle on a circle, where a start on a circle would let stress settle
// in a tangle. Should the hops give no plane, a circle in search order.
void startByDistances(const Hops& hops, std::size_t m,
                      std::array<double, kRoom>& x,
                      std::array<double, kRoom>& y) {
  static std::array<std::array<double, kRoom>, kRoom> b;
  std::array<double, kRoom> rows{};
  double all = 0;
  for (std::size_t i = 0; i < m; ++i) {
    for (std::size_t j = 0; j < m; ++j) {
      const double d = hops[i][j];
      b[i][j] = d * d;
      rows[i] += d * d / static_cast<double>(m);
    }
    all += rows[i] / static_cast<double>(m);
  }
  for (std::size_t i = 0; i < m; ++i) {
    for (std::size_t j = 0; j < m; ++j) {
      b[i][j] = -(b[i][j] - rows[i] - rows[j] + all) / 2;
    }
  }
  std::array<double, kRoom> first{};
  std::array<double, kRoom> second{};
  const double one = topEigen(b, m, first);
  for (std::size_t i = 0; i < m; ++i) {
    for (std::size_t j = 0; j < m; ++j) b[i][j] -= one * first[i] * first[j];
  }
  const double two = topEigen(b, m, second);
  if (one > 1e-9 && two > 1e-9) {
    for (std::size_t i = 0; i < m; ++i) {
      x[i] = first[i] * std::sqrt(one) * kSpacing;
      y[i] = second[i] * std::sqrt(two) * kSpacing;
    }
    return;
  }
  const double radius =
      static_cast<double>(m) * kSpacing / (2 * std::numbers::pi);
  for (std::size_t i = 0; i < m; ++i) {
    const SinCos c = sinCos(2 * std::numbers::pi * static_cast<double>(i) /
                            static_cast<double>(m));
    x[i] = radius * c.cos;
    y[i] = radius * c.sin;
  }
}

// Fills hops with the links between each two of the nodes of `nodes`
// (count of them) by way of those nodes alone; false when some cannot
// reach others so.
bool findHops(const NodeLinks& links, const std::array<int32_t, kRoom>& nodes,
              std::size_t count, Hops& hops) {
  std::array<std::size_t, kRoom> queue{};
  for (std::size_t i = 0; i < count; ++i) {
    std::array<bool, kRoom> seen{};
    seen[i] = true;
    queue[0] = i;
    std::size_t head = 0;
    std::size_t tail = 1;
    hops[i][i] = 0;
    while (head < tail) {
      const std::size_t u = queue[head++];
      for (std::size_t v = 0; v < count; ++v) {
        if (seen[v] || !links.linked(nodes[u], nodes[v])) continue;
        seen[v] = true;
        hops[i][v] = static_cast<uint8_t>(hops[i][u] + 1);
        queue[tail++] = v;
      }
    }
    if (tail != count) return false;
  }
  return true;
}

// Moves each node to where its pairs pull it, round after round, until
// none moves by a hundredth of a unit.
void lowerStress(const Hops& hops, std::size_t m, std::array<double, kRoom>& x,
                 std::array<double, kRoom>& y) {
  static std::array<double, kRoom> nextX;
  static std::array<double, kRoom> nextY;
  for (int round = 0; round < 300; ++round) {
    double moved = 0;
    for (std::size_t i = 0; i < m; ++i) {
      double sx = 0;
      double sy = 0;
      double sw = 0;
      for (std::size_t j = 0; j < m; ++j) {
        if (j == i) continue;
        const double want = hops[i][j] * kSpacing;
        const double w = 1 / (want * want);
        const double dx = x[i] - x[j];
        const double dy = y[i] - y[j];
        const double d = distance(dx, dy);
        const double pull = d > 1e-9 ? want / d : 0;
        sx += w * (x[j] + pull * dx);
        sy += w * (y[j] + pull * dy);
        sw += w;
      }
      nextX[i] = sx / sw;
      nextY[i] = sy / sw;
      moved = std::max(moved, distance(nextX[i] - x[i], nextY[i] - y[i]));
    }
    x = nextX;
    y = nextY;
    if (moved < 0.01) break;
  }
}

// Stretches the m positions until the nearest two stand the spacing
// apart, within reason, and pushes apart, pair by pair, the few still
// nearer.
void spaceOut(std::size_t m, std::array<double, kRoom>& x,
              std::array<double, kRoom>& y) {
  double nearest = 1e18;
  for (std::size_t i = 0; i < m; ++i) {
    for (std::size_t j = i + 1; j < m; ++j) {
      nearest = std::min(nearest, distance(x[j] - x[i], y[j] - y[i]));
    }
  }
  const double stretch = std::clamp(kSpacing / nearest, 1.0, 4.0);
  for (std::size_t i = 0; i < m; ++i) {
    x[i] *= stretch;
    y[i] *= stretch;
  }
  for (int pass = 0; pass < 500; ++pass) {
    bool apart = true;
    for (std::size_t i = 0; i < m; ++i) {
      for (std::size_t j = i + 1; j < m; ++j) {
        const double dx = x[j] - x[i];
        const double dy = y[j] - y[i];
        const double d = distance(dx, dy);
        if (d >= kSpacing) continue;
        apart = false;
        const double ux = d > 1e-9 ? dx / d : 1;
        const double uy = d > 1e-9 ? dy / d : 0;
        const double push = (kSpacing - d) / 2 + 0.01;
        x[i] -= ux * push;
        y[i] -= uy * push;
        x[j] += ux * push;
        y[j] += uy * push;
      }
    }
    if (apart) return;
  }
}

// Any other part by stress majorization (Gansner, Koren and North, 2004):
// nodes k links apart are placed as near k units apart as can be, the
// nearer pairs weighing more (1/k^2), from classical scaling's start, so
// the result depends on the graph alone. A hub, linked to half the part
// or more, would pull every pair of its neighbours to two links apart and
// crowd them into a disc: where the others stay connected without the
// hubs, they are placed by their own links, and each hub in the middle of
// its neighbours, so that a wheel's rim is a ring around its hub.
// REQUIRES: part.size >= 2.
void placeByStress(const NodeLinks& links, const Part& part, Places& places) {
  const auto m = static_cast<std::size_t>(part.size);
  static Hops hops;
  std::array<int32_t, kRoom> core{};
  std::array<bool, kRoom> hub{};
  std::size_t count = 0;
  for (std::size_t i = 0; i < m; ++i) {
    std::size_t degree = 0;
    for (std::size_t j = 0; j < m; ++j) {
      degree += j != i && links.linked(part.nodes[i], part.nodes[j]) ? 1U : 0U;
    }
    hub[i] = degree >= std::max<std::size_t>(6, (m + 1) / 2);
    if (!hub[i]) core[count++] = part.nodes[i];
  }
  if (count < 3 || count == m || !findHops(links, core, count, hops)) {
    count = m;
    core = part.nodes;
    hub.fill(false);
    findHops(links, core, count, hops);
  }
  static std::array<double, kRoom> x;
  static std::array<double, kRoom> y;
  startByDistances(hops, count, x, y);
  // Nodes with the same hops to all others (a link's two ends with the
  // same other neighbours) start at one point, where stress cannot tell
  // which way to part them: each is nudged a little, each its own way.
  for (std::size_t i = 0; i < count; ++i) {
    const SinCos turn = sinCos(2.4 * static_cast<double>(i));
    x[i] += 0.05 * kSpacing * turn.cos;
    y[i] += 0.05 * kSpacing * turn.sin;
  }
  lowerStress(hops, count, x, y);
  // The hubs after the others, each in the middle of its neighbours.
  std::array<int32_t, kRoom> order = core;
  std::size_t placed = count;
  for (std::size_t i = 0; i < m; ++i) {
    if (!hub[i]) continue;
    // A hub linked to other hubs alone stands in the middle of them all.
    double sx = 0;
    double sy = 0;
    double around = 0;
    for (int pass = 0; pass < 2 && around == 0; ++pass) {
      for (std::size_t j = 0; j < count; ++j) {
        if (pass == 0 && !links.linked(part.nodes[i], core[j])) continue;
        sx += x[j];
        sy += y[j];
        ++around;
      }
    }
    x[placed] = sx / around;  // count >= 3: the second pass finds some
    y[placed] = sy / around;
    order[placed++] = part.nodes[i];
  }
  spaceOut(m, x, y);
  for (std::size_t i = 0; i < m; ++i) {
    places.x[slot(order[i])] = x[i];
    places.y[slot(order[i])] = y[i];
  }
}

// Moves a placed part so that its box starts at (0, 0); returns the box's
// width and height.
Point toCorner(const Part& part, Places& places) {
  double minX = places.x[slot(part.nodes[0])];
  double minY = places.y[slot(part.nodes[0])];
  double maxX = minX;
  double maxY = minY;
  for (int32_t i = 0; i < part.size; ++i) {
    const std::size_t a = slot(part.nodes[slot(i)]);
    minX = std::min(minX, places.x[a]);
    minY = std::min(minY, places.y[a]);
    maxX = std::max(maxX, places.x[a]);
    maxY = std::max(maxY, places.y[a]);
  }
  for (int32_t i = 0; i < part.size; ++i) {
    const std::size_t a = slot(part.nodes[slot(i)]);
    places.x[a] -= minX;
    places.y[a] -= minY;
  }
  return {toInt(maxX - minX), toInt(maxY - minY)};
}

}  // namespace

GraphLayout::GraphLayout(int32_t n, const NodeLinks& links)
    : n_(n), links_(links) {
  // The working positions lie in static storage, as the program's other
  // large buffers do: every mode runs on a small stack.
  static Places places;
  static Places corner;  // where each part's box starts, by part
  // Each part is placed, then its box measured; the boxes go side by side
  // in rows no wider than the widest part or a square of their area.
  std::array<bool, kRoom> seen{};
  std::array<Point, kRoom> boxes{};
  std::array<int32_t, kRoom> partOf{};  // each node's part
  int32_t parts = 0;
  double area = 0;
  double widest = 0;
  Part part;
  for (int32_t root = 1; root <= n; ++root) {
    if (seen[slot(root)]) continue;
    findPart(n, links, root, seen, part);
    if (part.links == part.size - 1) {
      TreeRows(n, links, places).place(part);
    } else {
      placeByStress(links, part, places);
    }
    const Point box = toCorner(part, places);
    for (int32_t i = 0; i < part.size; ++i) {
      partOf[slot(part.nodes[slot(i)])] = parts;
    }
    boxes[slot(parts++)] = box;
    area += (box.x + kPartGap) * (box.y + kPartGap);
    widest = std::max(widest, static_cast<double>(box.x));
  }
  const double rowWidth = std::max(widest, 1.2 * std::sqrt(area));
  double left = 0;
  double top = 0;
  double rowHeight = 0;
  double right = 0;
  for (int32_t i = 0; i < parts; ++i) {
    const Point box = boxes[slot(i)];
    if (left > 0 && left + box.x > rowWidth) {
      top += rowHeight + kPartGap;
      left = 0;
      rowHeight = 0;
    }
    corner.x[slot(i)] = left;
    corner.y[slot(i)] = top;
    right = std::max(right, left + box.x);
    rowHeight = std::max(rowHeight, static_cast<double>(box.y));
    left += box.x + kPartGap;
  }
  const int32_t edge = kNodeRadius + kMargin;
  for (int32_t a = 1; a <= n; ++a) {
    const std::size_t its = slot(partOf[slot(a)]);
    at_[slot(a)] = {edge + toInt(places.x[slot(a)] + corner.x[its]),
                    edge + toInt(places.y[slot(a)] + corner.y[its])};
  }
  width_ = 2 * edge + toInt(right);
  height_ = 2 * edge + toInt(top + rowHeight);
}

GraphLayout layoutOf(const JudgedGraph& d) {
  NodeLinks links;
  forEachLinkOf(d, [&](int32_t a, int32_t b) { links.link(a, b); });
  return {d.nodes, links};
}

Point GraphLayout::bend(int32_t a, int32_t b) const {
  const Point p = at(a);
  const Point q = at(b);
  const double vx = q.x - p.x;
  const double vy = q.y - p.y;
  const double length = distance(vx, vy);
  const double mx = (p.x + q.x) / 2.0;
  const double my = (p.y + q.y) / 2.0;
  if (length < 1) return {toInt(mx), toInt(my)};
  // The nodes the curve may come near: those beside the line between its
  // ends, within reach of the farthest bend tried.
  constexpr double kStep = 8;
  constexpr int kSteps = 48;
  const double nx = -vy / length;
  const double ny = vx / length;
  std::array<Point, kRoom> near{};
  std::size_t nearCount = 0;
  for (int32_t c = 1; c <= n_; ++c) {
    if (c == a || c == b) continue;
    const Point o = at(c);
    const double t = ((o.x - p.x) * vx + (o.y - p.y) * vy) / (length * length);
    const double side = (o.x - p.x) * nx + (o.y - p.y) * ny;
    if (t > -0.5 && t < 1.5 && std::abs(side) < kClearance + kSteps * kStep) {
      near[nearCount++] = o;
    }
  }
  // The least distance from the curve bent by h to any of them, sampled
  // along it: the curve lies 2t(1 - t)h off the line at t.
  const int samples = std::clamp(toInt(length / 4), 16, 400);
  const auto clearance = [&](double h) {
    double least = 1e18;
    for (std::size_t i = 0; i < nearCount; ++i) {
      for (int k = 0; k <= samples; ++k) {
        const double t = static_cast<double>(k) / samples;
        const double off = 2 * t * (1 - t) * h;
        const double x = p.x + vx * t + nx * off;
        const double y = p.y + vy * t + ny * off;
        least = std::min(least, distance(x - near[i].x, y - near[i].y));
      }
    }
    return least;
  };
  double best = 0;
  double bestClearance = clearance(0);
  for (int k = 1; k <= kSteps && bestClearance < kClearance; ++k) {
    for (const double h : {k * kStep, -k * kStep}) {
      const double c = clearance(h);
      if (c > bestClearance + 0.5) {
        best = h;
        bestClearance = c;
      }
    }
  }
  return {toInt(mx + nx * best), toInt(my + ny * best)};
}

Loop GraphLayout::loop(int32_t node) const {
  const Point p = at(node);
  // Away from the middle of its neighbours, or up when it has none.
  double ux = 0;
  double uy = 0;
  for (int32_t b = 1; b <= n_; ++b) {
    if (b == node || !links_.linked(node, b)) continue;
    ux += p.x - at(b).x;
    uy += p.y - at(b).y;
  }
  const double length = distance(ux, uy);
  if (length < 1) {
    ux = 0;
    uy = -1;
  } else {
    ux /= length;
    uy /= length;
  }
  // A point at distance r from the node, turned by angle from outward.
  const auto along = [&](double r, double angle) {
    const SinCos turn = sinCos(angle);
    const double c = turn.cos;
    const double s = turn.sin;
    return Point{toInt(p.x + r * (ux * c - uy * s)),
                 toInt(p.y + r * (ux * s + uy * c))};
  };
  const double rim = kNodeRadius;
  return {along(rim, 0.5), along(rim + kLoopReach, 0.7),
          along(rim + kLoopReach, -0.7), along(rim, -0.5)};
}

}  // namespace ugraph
