#include "render/trace/circle_layout.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace ugraph {
namespace {

// Room between two neighbouring nodes' discs, and around the circle for a
// self-link's loop.
constexpr double kGap = 16;
constexpr int32_t kMargin = 64;
constexpr double kLoopReach = 40;

// Rounded to the nearest whole unit, halves away from zero.
int32_t toInt(double v) {
  return static_cast<int32_t>(v < 0 ? v - 0.5 : v + 0.5);
}

double distance(double x, double y) { return std::sqrt(x * x + y * y); }

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

}  // namespace

CircleLayout::CircleLayout(int32_t n) : n_(n) {
  // n nodes a disc and a gap apart fill the circumference.
  const double spacing = 2 * kNodeRadius + kGap;
  const double needed = n * spacing / (2 * std::numbers::pi);
  radius_ = n <= 1 ? 0 : std::max(80, toInt(needed + 0.5));
  side_ = 2 * (radius_ + kNodeRadius + kMargin);
}

Point CircleLayout::at(int32_t node) const {
  const double angle = 2 * std::numbers::pi * (node - 1) / std::max(n_, 1) -
                       std::numbers::pi / 2;
  const double centre = side_ / 2.0;
  const SinCos at = sinCos(angle);
  return {toInt(centre + radius_ * at.cos), toInt(centre + radius_ * at.sin)};
}

Point CircleLayout::bend(int32_t a, int32_t b) const {
  const Point p = at(a);
  const Point q = at(b);
  const double mx = (p.x + q.x) / 2.0;
  const double my = (p.y + q.y) / 2.0;
  const int32_t apart = std::abs(a - b);
  const double centre = side_ / 2.0;
  const double toCentre = distance(centre - mx, centre - my);
  if (apart == 1 || apart == n_ - 1 || toCentre < 1) {
    return {toInt(mx), toInt(my)};
  }
  // Pulled in by a share of the link's length: a node the link passes
  // lies near the straight line, a share t of the way along, and the curve
  // stands 2t(1 - t) of the pull off it there, at least 0.6 of the
  // nodes' spacing for any t at a node.
  const double length = distance(q.x - p.x, q.y - p.y);
  const double share = std::min(1.0, 0.6 * length / toCentre);
  return {toInt(mx + (centre - mx) * share), toInt(my + (centre - my) * share)};
}

Loop CircleLayout::loop(int32_t node) const {
  const Point p = at(node);
  const double centre = side_ / 2.0;
  double ux = p.x - centre;
  double uy = p.y - centre;
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
