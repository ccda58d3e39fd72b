// Where a drawn walk puts its graph, by its shape: each connected part on
// its own, a part without a cycle (self-links aside) in rows by depth from
// its smallest node, so that a tree looks like one, any other part by
// stress (its nodes as far apart as the links between them say, as
// Graphviz's neato places them), and the parts side by side in rows. The
// positions are computed once, from the graph alone, so they stay put
// through the whole walk and every frame; no two nodes meet, and a link
// that would pass over a node it does not touch bends around it.
#ifndef UGRAPH_RENDER_TRACE_LAYOUT_H_
#define UGRAPH_RENDER_TRACE_LAYOUT_H_

#include <array>
#include <cstdint>

#include "render/trace/steps.h"

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

// Which pairs of a drawn graph's nodes are linked, self-links included.
class NodeLinks {
 public:
  // REQUIRES: a and b in 1..kMaxDrawnNodes.
  void link(int32_t a, int32_t b) {
    set(a, b);
    set(b, a);
  }
  bool linked(int32_t a, int32_t b) const {
    return (bits_[index(a)][index(b) / 64] >> (index(b) % 64) & 1) != 0;
  }

 private:
  static std::size_t index(int32_t a) { return static_cast<std::size_t>(a); }
  void set(int32_t a, int32_t b) {
    bits_[index(a)][index(b) / 64] |= uint64_t{1} << (index(b) % 64);
  }
  std::array<std::array<uint64_t, (kMaxDrawnNodes + 64) / 64>,
             kMaxDrawnNodes + 1>
      bits_{};
};

class GraphLayout {
 public:
  // The radius of a node's disc, which holds a label of up to four digits.
  static constexpr int32_t kNodeRadius = 18;

  // Places the n nodes of a graph with the given links.
  // REQUIRES: 0 <= n <= kMaxDrawnNodes.
  GraphLayout(int32_t n, const NodeLinks& links);

  // The size of the rectangle that holds the drawing, margins included.
  int32_t width() const { return width_; }
  int32_t height() const { return height_; }
  // REQUIRES: node in 1..n.
  Point at(int32_t node) const { return at_[static_cast<std::size_t>(node)]; }
  // The control point of the quadratic curve that draws link {a, b}: the
  // middle of the straight line when no other node lies in its way, else
  // a point to one side, as near as clears them.
  // REQUIRES: a != b, both in 1..n.
  Point bend(int32_t a, int32_t b) const;
  // The loop of a self-link at node, drawn away from its neighbours.
  Loop loop(int32_t node) const;

 private:
  int32_t n_;
  int32_t width_ = 0;
  int32_t height_ = 0;
  NodeLinks links_;
  std::array<Point, kMaxDrawnNodes + 1> at_{};
};

// The layout of a drawn graph's nodes and links.
// REQUIRES: d analysed, with at most kMaxDrawnNodes nodes.
GraphLayout layoutOf(const JudgedGraph& d);

}  // namespace ugraph

#endif  // UGRAPH_RENDER_TRACE_LAYOUT_H_
