// The adjacency index: where each node's run of entries begins and how long
// it is, so a node's neighbours are found without searching.
#ifndef UGRAPH_GRAPH_ADJACENCY_H_
#define UGRAPH_GRAPH_ADJACENCY_H_

#include "graph/ugraph.h"

namespace ugraph {

// Fills degree[0..n] and firstLink[0..n] (and firstLink[1] when n is 0),
// n = linkTo[0]: degree[a] counts the entries whose from-node is a and
// firstLink[a] is the position of the first of them, or where the next
// node's entries (or the sentinel) begin when a has none. Slot 0 of both
// holds 0. Writes nothing else.
// REQUIRES: the list normalised (normalizeLinks); 0 <= n <= kMaxNodes and
// every node number in the entries within 1..n.
void buildAdjacencyIndex(const LinkArray& linkFrom, const LinkArray& linkTo,
                         NodeArray& degree, NodeArray& firstLink);

}  // namespace ugraph

#endif  // UGRAPH_GRAPH_ADJACENCY_H_
