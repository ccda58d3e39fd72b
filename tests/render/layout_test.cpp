#include "render/trace/layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace ugraph {
namespace {

using Links = std::vector<std::pair<int32_t, int32_t>>;

struct Graph {
  std::string name;
  int32_t n;
  Links links;
};

NodeLinks linksOf(const Graph& g) {
  NodeLinks links;
  for (const auto& [a, b] : g.links) links.link(a, b);
  return links;
}

double apart(Point p, Point q) { return std::hypot(p.x - q.x, p.y - q.y); }

Links path(int32_t from, int32_t to) {
  Links links;
  for (int32_t a = from; a < to; ++a) links.emplace_back(a, a + 1);
  return links;
}

Links cycle(int32_t from, int32_t to) {
  Links links = path(from, to);
  links.emplace_back(from, to);
  return links;
}

// Node 1 the hub, 2..n the rim.
Links wheel(int32_t n) {
  Links links = cycle(2, n);
  for (int32_t b = 2; b <= n; ++b) links.emplace_back(1, b);
  return links;
}

// A tree whose node b > 1 hangs from a node before it.
Links randomTree(int32_t n, std::mt19937& random) {
  Links links;
  for (int32_t b = 2; b <= n; ++b) {
    links.emplace_back(std::uniform_int_distribution<int32_t>(1, b - 1)(random),
                       b);
  }
  return links;
}

// Graphs of every shape a page draws, up to its 100 nodes.
std::vector<Graph> shapes() {
  std::mt19937 random(5);  // NOLINT(cert-msc32-c,cert-msc51-cpp)
  std::vector<Graph> graphs = {
      {"one node", 1, {}},
      {"two apart", 2, {}},
      {"self-link", 3, {{1, 1}, {1, 2}, {2, 3}}},
      {"path 30", 30, path(1, 30)},
      {"star 40", 40, {}},
      {"cycle 12", 12, cycle(1, 12)},
      {"cycle 100", 100, cycle(1, 100)},
      {"wheel 50", 50, wheel(50)},
      {"complete 8", 8, {}},
      {"isolated 60", 60, {}},
      {"two parts", 20, path(1, 8)},
      // Hubs 2..8 are linked to hubs alone; the others hang off node 1.
      {"hubs among hubs", 12, {{1, 9}, {9, 10}, {10, 11}, {11, 12}}},
  };
  for (int32_t a = 1; a <= 8; ++a) {
    for (int32_t b = a + 1; b <= 8; ++b) graphs.back().links.emplace_back(a, b);
  }
  for (int32_t b = 2; b <= 40; ++b) graphs[4].links.emplace_back(1, b);
  for (int32_t a = 1; a <= 8; ++a) {
    for (int32_t b = a + 1; b <= 8; ++b) graphs[8].links.emplace_back(a, b);
  }
  for (const auto& l : cycle(9, 20)) graphs[10].links.push_back(l);
  for (const int32_t n : {10, 50, 100}) {
    graphs.push_back({"tree " + std::to_string(n), n, randomTree(n, random)});
    Links cyclic = randomTree(n, random);
    for (int i = 0; i < n / 10 + 1; ++i) {
      std::uniform_int_distribution<int32_t> node(1, n);
      const int32_t a = node(random);
      const int32_t b = node(random);
      if (a != b) cyclic.emplace_back(a, b);
    }
    graphs.push_back({"cyclic " + std::to_string(n), n, cyclic});
  }
  return graphs;
}

// A node's disc and the room around it for a self-link's loop lie within
// the drawing, and no two discs meet.
TEST(LayoutTest, NodesStayApartAndInside) {
  constexpr int32_t kDisc = GraphLayout::kNodeRadius;
  for (const Graph& g : shapes()) {
    const GraphLayout layout(g.n, linksOf(g));
    for (int32_t a = 1; a <= g.n; ++a) {
      const Point p = layout.at(a);
      ASSERT_GE(std::min(p.x, p.y), kDisc + 40) << g.name << " " << a;
      ASSERT_LE(p.x, layout.width() - kDisc - 40) << g.name << " " << a;
      ASSERT_LE(p.y, layout.height() - kDisc - 40) << g.name << " " << a;
      for (int32_t b = a + 1; b <= g.n; ++b) {
        ASSERT_GE(apart(p, layout.at(b)), 2 * kDisc + 8)
            << g.name << " " << a << " " << b;
      }
    }
  }
}

// The curve of a link passes every node it does not touch no nearer than
// a disc and a margin, sampled along its length; a link with nothing in
// its way is straight.
TEST(LayoutTest, LinksBendClearOfTheNodesTheyPass) {
  int bent = 0;
  for (const Graph& g : shapes()) {
    if (g.name == "complete 8") continue;  // every way is blocked there
    const GraphLayout layout(g.n, linksOf(g));
    for (const auto& [a, b] : g.links) {
      if (a == b) continue;
      const Point p = layout.at(a);
      const Point c = layout.bend(a, b);
      const Point q = layout.at(b);
      bent += std::abs(2 * c.x - p.x - q.x) + std::abs(2 * c.y - p.y - q.y) > 2;
      for (int32_t k = 1; k <= g.n; ++k) {
        if (k == a || k == b) continue;
        const Point node = layout.at(k);
        for (int step = 0; step <= 256; ++step) {
          const double t = step / 256.0;
          const double u = 1 - t;
          const double x = u * u * p.x + 2 * u * t * c.x + t * t * q.x;
          const double y = u * u * p.y + 2 * u * t * c.y + t * t * q.y;
          ASSERT_GE(std::hypot(x - node.x, y - node.y),
                    GraphLayout::kNodeRadius + 2)
              << g.name << ": link " << a << "-" << b << " meets node " << k;
        }
      }
    }
  }
  EXPECT_GT(bent, 0) << "no link had a node in its way";
}

// A tree stands in rows by depth from node 1, each row level and below
// the one before, siblings left to right in number order.
TEST(LayoutTest, TreesStandInRowsByDepth) {
  std::mt19937 random(7);  // NOLINT(cert-msc32-c,cert-msc51-cpp)
  for (const int32_t n : {2, 7, 30, 100}) {
    const Links links = randomTree(n, random);
    const GraphLayout layout(n, linksOf({"", n, links}));
    std::vector<int32_t> parent(static_cast<std::size_t>(n) + 1, 0);
    std::vector<int32_t> depth(static_cast<std::size_t>(n) + 1, 0);
    // randomTree hangs each node from one before it: depth follows.
    for (const auto& [a, b] : links) {
      parent[static_cast<std::size_t>(b)] = a;
      depth[static_cast<std::size_t>(b)] =
          depth[static_cast<std::size_t>(a)] + 1;
    }
    for (int32_t a = 1; a <= n; ++a) {
      for (int32_t b = 1; b <= n; ++b) {
        const auto da = depth[static_cast<std::size_t>(a)];
        const auto db = depth[static_cast<std::size_t>(b)];
        if (da == db) {
          ASSERT_EQ(layout.at(a).y, layout.at(b).y)
              << n << ": " << a << " " << b;
        } else if (da < db) {
          ASSERT_LT(layout.at(a).y, layout.at(b).y)
              << n << ": " << a << " " << b;
        }
        if (a < b && parent[static_cast<std::size_t>(a)] ==
                         parent[static_cast<std::size_t>(b)]) {
          ASSERT_LT(layout.at(a).x, layout.at(b).x)
              << n << ": " << a << " " << b;
        }
      }
    }
  }
}

// A wheel's rim is a ring around its hub: the hub in the middle, every rim
// node about as far from it.
TEST(LayoutTest, AWheelsHubLiesInsideItsRing) {
  for (const int32_t n : {7, 20, 50, 100}) {
    const GraphLayout layout(n, linksOf({"", n, wheel(n)}));
    const Point hub = layout.at(1);
    double nearest = 1e9;
    double farthest = 0;
    for (int32_t a = 2; a <= n; ++a) {
      nearest = std::min(nearest, apart(hub, layout.at(a)));
      farthest = std::max(farthest, apart(hub, layout.at(a)));
    }
    EXPECT_LT(farthest, 1.1 * nearest) << n;
  }
}

// The positions to the unit, as the page and the frames print them, of a
// tree, a graph placed by stress and two parts side by side; and a link
// with nothing in its way is straight, its control point the middle of its
// ends.
TEST(LayoutTest, PlacesTheSampleGraphsWhereTheyWere) {
  const auto places = [](const Graph& g) {
    const GraphLayout layout(g.n, linksOf(g));
    std::string text = std::to_string(layout.width()) + "x" +
                       std::to_string(layout.height()) + ":";
    for (int32_t a = 1; a <= g.n; ++a) {
      text += " " + std::to_string(layout.at(a).x) + "," +
              std::to_string(layout.at(a).y);
    }
    for (const auto& [a, b] : g.links) {
      if (a == b) continue;
      const Point c = layout.bend(a, b);
      const Point p = layout.at(a);
      const Point q = layout.at(b);
      if (2 * c.x - p.x - q.x > 1 || 2 * c.y - p.y - q.y > 1) {
        text += " bent " + std::to_string(a) + "-" + std::to_string(b);
      }
    }
    return text;
  };
  EXPECT_EQ(
      places({"Tree", 7, {{1, 2}, {1, 3}, {2, 4}, {2, 5}, {3, 6}, {3, 7}}}),
      "320x344: 160,82 108,172 212,172 82,262 134,262 186,262 238,262");
  EXPECT_EQ(places({"Cycle", 6, cycle(1, 6)}),
            "278x273: 82,126 102,181 159,191 196,146 176,92 119,82");
  EXPECT_EQ(
      places({"TwoParts", 6, {{1, 2}, {2, 3}, {1, 3}, {4, 5}, {5, 6}, {4, 6}}}),
      "360x216: 128,109 82,134 83,82 278,109 232,134 233,82");
  EXPECT_EQ(places({"Wheel", 7, wheel(7)}),
            "280x265: 140,132 111,82 82,132 111,182 169,183 198,133 169,82");
  EXPECT_EQ(places({"Chord",
                    5,
                    {{1, 2}, {2, 3}, {3, 4}, {4, 5}, {1, 5}, {1, 3}, {2, 5}}}),
            "305x285: 134,143 82,146 153,82 223,140 158,203");
}

}  // namespace
}  // namespace ugraph
