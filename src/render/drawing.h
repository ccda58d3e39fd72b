// A judged graph as a Graphviz drawing that explains its verdict.
#ifndef UGRAPH_RENDER_DRAWING_H_
#define UGRAPH_RENDER_DRAWING_H_

#include <array>
#include <cstddef>
#include <cstdint>

#include "base/console.h"
#include "formats/judged_graph.h"

namespace ugraph {

// Writes d as an undirected DOT graph labelled with its name and verdict:
// every node, dashed with a grey outline when the walk did not reach it;
// every link once, from its smaller node; the walk's tree links bold and
// heavier; the links of the cycle --list reports (for "connected but not a
// tree") red, a self-link as a loop.
// REQUIRES: d is analysed and not refused.
void writeDrawing(const JudgedGraph& d, Console& console);

// Whether {a, b} is a tree link of walk. No node is its own parent, so a
// self-link never is.
inline bool isTreeLink(const WalkView& walk, int32_t a, int32_t b) {
  return walk.parent[b] == a || walk.parent[a] == b;
}

// The links of the cycle --list reports for d (none unless it is connected
// but not a tree), to be asked for one by one: on the stack for a graph of
// rows, in memory of their own otherwise.
class CycleLinks {
 public:
  explicit CycleLinks(const JudgedGraph& d);
  ~CycleLinks();
  CycleLinks(const CycleLinks&) = delete;
  CycleLinks& operator=(const CycleLinks&) = delete;

  bool has(int32_t a, int32_t b) const;

 private:
  std::array<uint64_t, kMaxNodes + 1> small_;
  uint64_t* held_ = nullptr;
  std::size_t count_ = 0;
};

}  // namespace ugraph

#endif  // UGRAPH_RENDER_DRAWING_H_
