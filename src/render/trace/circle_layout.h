// Where a drawn walk puts its graph: every node on one circle, node 1 at
// the top and the others clockwise in number order, spaced so that no two
// nodes or their labels meet. The positions depend on the node count
// alone, so they stay put through the whole walk, and a link between two
// nodes that are not next to each other bends toward the centre, clear of
// the nodes it passes.
#ifndef UGRAPH_RENDER_TRACE_CIRCLE_LAYOUT_H_
#define UGRAPH_RENDER_TRACE_CIRCLE_LAYOUT_H_

#include <cstdint>

namespace ugraph {

// A point in drawing units (SVG pixels, Graphviz points), y growing
// downward.
struct Point {
  int32_t x = 0;
  int32_t y = 0;
};

// A self-link's loop: from the node's rim out and back, a cubic curve.
struct Loop {
  Point from, control1, control2, to;
};

class CircleLayout {
 public:
  // The radius of a node's disc, which holds a label of up to four digits.
  static constexpr int32_t kNodeRadius = 18;

  // REQUIRES: n >= 0.
  explicit CircleLayout(int32_t n);

  // The side of the square that holds the drawing, margins included.
  int32_t side() const { return side_; }
  // REQUIRES: node in 1..n.
  Point at(int32_t node) const;
  // The control point of the quadratic curve that draws link {a, b}: the
  // middle of the straight line when a and b are next to each other on
  // the circle (or the line passes the centre), else a point toward the
  // centre. REQUIRES: a != b, both in 1..n.
  Point bend(int32_t a, int32_t b) const;
  // The loop of a self-link at node, drawn outward.
  Loop loop(int32_t node) const;

 private:
  int32_t n_;
  int32_t radius_;
  int32_t side_;
};

}  // namespace ugraph

#endif  // UGRAPH_RENDER_TRACE_CIRCLE_LAYOUT_H_
