#include "render/trace/circle_layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

namespace ugraph {
namespace {

double apart(Point p, Point q) { return std::hypot(p.x - q.x, p.y - q.y); }

// A node's disc and the room around it for a self-link's loop lie within
// the drawing, and no two discs meet, for every graph a page draws.
TEST(CircleLayoutTest, NodesStayApartAndInside) {
  constexpr int32_t kDisc = CircleLayout::kNodeRadius;
  for (int32_t n = 1; n <= 100; ++n) {
    const CircleLayout layout(n);
    for (int32_t a = 1; a <= n; ++a) {
      const Point p = layout.at(a);
      ASSERT_GE(std::min(p.x, p.y), kDisc + 40) << n << " " << a;
      ASSERT_LE(std::max(p.x, p.y), layout.side() - kDisc - 40)
          << n << " " << a;
      for (int32_t b = a + 1; b <= n; ++b) {
        ASSERT_GE(apart(p, layout.at(b)), 2 * kDisc + 8)
            << n << " " << a << " " << b;
      }
    }
  }
  EXPECT_EQ(CircleLayout(12).at(1).x, CircleLayout(12).side() / 2);  // the top
  EXPECT_LT(CircleLayout(12).at(1).y, CircleLayout(12).at(7).y);
}

// The curve of a link passes the nodes between its ends on the circle no
// nearer than a disc and a margin: sampled along its length.
TEST(CircleLayoutTest, LinksBendClearOfTheNodesTheyPass) {
  for (const int32_t n : {5, 12, 30, 50, 100}) {
    const CircleLayout layout(n);
    for (int32_t a = 1; a <= n; ++a) {
      for (int32_t b = a + 1; b <= n; ++b) {
        const Point p = layout.at(a);
        const Point c = layout.bend(a, b);
        const Point q = layout.at(b);
        for (int32_t k = 1; k <= n; ++k) {
          if (k == a || k == b) continue;
          const Point node = layout.at(k);
          for (int step = 0; step <= 64; ++step) {
            const double t = step / 64.0;
            const double u = 1 - t;
            const Point on{static_cast<int32_t>(u * u * p.x + 2 * u * t * c.x +
                                                t * t * q.x),
                           static_cast<int32_t>(u * u * p.y + 2 * u * t * c.y +
                                                t * t * q.y)};
            ASSERT_GE(apart(on, node), CircleLayout::kNodeRadius + 2)
                << n << ": link " << a << "-" << b << " meets node " << k;
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace ugraph
