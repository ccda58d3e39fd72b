// The counts a verdict needs, for a graph of at most kMaxNodes nodes,
// without a walk: the fast road of --count. Its plain twin is the walk
// from node 1 with countParts and classifyCounts; both give the same reach,
// parts and verdict, which the tests and the lines fuzz target check.
#ifndef UGRAPH_GRAPH_ROW_PARTS_H_
#define UGRAPH_GRAPH_ROW_PARTS_H_

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "graph/normalize.h"
#include "graph/ugraph.h"

namespace ugraph {

// Turns rows into lower rows: row b keeps its neighbours a <= b only, so
// each link is one bit, a self-link on the diagonal. Returns the links.
int32_t keepLowerRows(LinkRows& rows, int32_t n);

// Marks the link of a and b in lower rows; returns 1 when it is new, 0
// when it was marked already.
inline int32_t markLowerLink(LinkRows& lower, int32_t a, int32_t b) {
  const auto [low, high] = std::minmax(a, b);
  uint64_t& row = lower[static_cast<std::size_t>(high)];
  const uint64_t bit = uint64_t{1} << low;
  const int32_t added = (row & bit) == 0 ? 1 : 0;
  row |= bit;
  return added;
}

struct RowCounts {
  int32_t reached = 0;  // the nodes of node 1's part (1 when n is 0)
  int64_t parts = 0;    // the connected parts, 0 when n is 0
};

// Counts the graph of lower rows with n nodes. A part grows from its
// smallest node by passes over the rows, in order: a node joins when its
// row meets the part, and brings its row along. A pass that adds nothing
// ends the part; a path that climbs takes one pass, one that turns back
// down one more each time, so a few passes do for most graphs.
// REQUIRES: n in 0..kMaxNodes, lower rows of nodes within 1..n.
RowCounts countLowerParts(const LinkRows& lower, int32_t n);

// The verdict the walk would give on a graph of n nodes and `links`
// distinct links: kNoNode, kNotConnected, kTree or kConnectedNotTree. A
// connected graph needs n - 1 links besides any self-link, so with only
// n - 1 links it is a tree.
GraphClass classifyRowCounts(const RowCounts& counts, int32_t n, int64_t links);

}  // namespace ugraph

#endif  // UGRAPH_GRAPH_ROW_PARTS_H_
