// The counts a verdict needs, for a graph of rows, without a walk: the
// fast road of --count. Its plain twin is the walk from node 1 with
// countParts; both give the same reach, parts and verdict.
#ifndef UGRAPH_GRAPH_ROW_PARTS_H_
#define UGRAPH_GRAPH_ROW_PARTS_H_

#include <cstdint>

#include "graph/normalize.h"
#include "graph/ugraph.h"

namespace ugraph {

struct RowCounts {
  int32_t reached = 0;  // the nodes of node 1's part (1 when n is 0)
  int64_t parts = 0;    // the connected parts, 0 when n is 0
  int32_t entries = 0;  // set bits of the rows: a link two, a self-link one
};

// Counts the graph of rows with n nodes. A part is grown a row at a time:
// each node taken from the part's frontier adds its whole row, so one
// part costs one step per node, whatever its links.
// REQUIRES: n in 0..kMaxNodes, every node of rows within 1..n.
RowCounts countRowParts(const LinkRows& rows, int32_t n);

// The verdict the walk would give: kNoNode, kNotConnected, kTree or
// kConnectedNotTree.
GraphClass classifyRowCounts(const RowCounts& counts, int32_t n);

}  // namespace ugraph

#endif  // UGRAPH_GRAPH_ROW_PARTS_H_
