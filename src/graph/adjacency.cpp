#include "graph/adjacency.h"

#include <cstddef>

namespace ugraph {

void buildAdjacencyIndex(const LinkArray& linkFrom, const LinkArray& linkTo,
                         NodeArray& degree, NodeArray& firstLink) {
  const auto n = static_cast<std::size_t>(linkTo[0]);
  degree[0] = 0;
  firstLink[0] = 0;

  // The entries are sorted by from-node, so each node's entries form one
  // run; the sentinel 0 names no node and ends the last run.
  std::size_t p = 1;
  for (std::size_t a = 1; a <= n; ++a) {
    const std::size_t start = p;
    while (linkFrom[p] == static_cast<int32_t>(a)) ++p;
    degree[a] = static_cast<int32_t>(p - start);
  }

  firstLink[1] = 1;
  for (std::size_t a = 1; a < n; ++a) {
    firstLink[a + 1] = firstLink[a] + degree[a];
  }
}

}  // namespace ugraph
