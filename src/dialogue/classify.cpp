#include "dialogue/classify.h"

#include <cstddef>

namespace ugraph {

// The walk is the silent one every road takes; the heading comes before the
// order and only for a connected graph, so the order is printed from the
// walk's record once the verdict is known.
GraphClass classifyGraph(const LinkArray& linkFrom, const LinkArray& linkTo,
                         const NodeArray& firstLink, Console& console) {
  const int32_t n = linkTo[0];
  Walk walk;
  walkGraph(linkFrom, linkTo, firstLink, walk);
  const GraphClass verdict = classifyWalk(walk, n, linkFrom[0]);
  if (verdict == GraphClass::kNotConnected) return verdict;

  console.write("Path connecting all ");
  console.write(int64_t{n});
  console.write(" nodes:\n");
  for (std::size_t i = 1; i <= static_cast<std::size_t>(n); ++i) {
    console.write(int64_t{walk.order[i]});
    console.write(" ");
  }
  console.writeLine("");
  return verdict;
}

}  // namespace ugraph
