// The connectivity and tree test: a depth-first walk from node 1.
#ifndef UGRAPH_GRAPH_CLASSIFY_H_
#define UGRAPH_GRAPH_CLASSIFY_H_

#include "console/console.h"
#include "graph/ugraph.h"

namespace ugraph {

// Walks the graph depth-first from node 1, taking each node's neighbours in
// ascending order. When the walk reached all n = linkTo[0] nodes, writes
// "Path connecting all <n> nodes:" and a line of the visit order, each node
// followed by one blank, and returns kTree when the list holds 2n - 2
// entries, else kConnectedNotTree. Otherwise writes nothing and returns
// kNotConnected; with n = 0 the walk still reaches node 1, so that is the
// answer there too.
// REQUIRES: the list normalised and firstLink built from it
// (buildAdjacencyIndex); 0 <= n <= kMaxNodes and every node number within
// 1..n.
GraphClass classifyGraph(const LinkArray& linkFrom, const LinkArray& linkTo,
                         const NodeArray& firstLink, Console& console);

}  // namespace ugraph

#endif  // UGRAPH_GRAPH_CLASSIFY_H_
