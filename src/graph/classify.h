// The connectivity and tree test: a depth-first walk from node 1, as data
// and as the dialogue prints it.
#ifndef UGRAPH_GRAPH_CLASSIFY_H_
#define UGRAPH_GRAPH_CLASSIFY_H_

#include <array>
#include <cstddef>
#include <cstdint>

#include "console/console.h"
#include "graph/ugraph.h"

namespace ugraph {

// What a walk from node 1 found.
struct Walk {
  int32_t count = 0;  // nodes reached
  // order[1..count]: the nodes reached, in the order first reached;
  // order[0] holds 0, the end-of-walk mark.
  NodeArray order;
  // rank[a]: the slot of node a in order, 0 when a was not reached; set
  // for nodes 1..n (node 1 also when n is 0).
  NodeArray rank;
  // parent[a]: for a reached node other than node 1, the node whose
  // examination reached it; the tree links of the walk. 0 for node 1 and
  // for nodes not reached; set for the same nodes as rank.
  NodeArray parent;
};

// Walks the graph depth-first from node 1, taking each node's neighbours in
// ascending order. Node 1 is reached even when n = linkTo[0] is 0.
// REQUIRES: the list normalised and firstLink built from it
// (buildAdjacencyIndex); 0 <= n <= kMaxNodes and every node number within
// 1..n.
void walkGraph(const LinkArray& linkFrom, const LinkArray& linkTo,
               const NodeArray& firstLink, Walk& walk);

// The verdict on a walk of a graph with n nodes and `entries` normalised
// entries: kNotConnected unless the walk reached exactly n nodes; then
// kTree when there are 2n - 2 entries, else kConnectedNotTree.
GraphClass classifyWalk(const Walk& walk, int32_t n, int32_t entries);

// The words for a class, the same wherever it is named: "connected and is
// a tree", "connected but not a tree", "not connected" (the verdict lines
// put "Graph is " before them), "no link", "well-formed" and "refused".
std::string_view classWords(GraphClass c);

// Walks and classifies the graph. When the walk reached all n nodes, first
// writes "Path connecting all <n> nodes:" and a line of the visit order,
// each node followed by one blank; otherwise writes nothing.
// REQUIRES: as for walkGraph.
GraphClass classifyGraph(const LinkArray& linkFrom, const LinkArray& linkTo,
                         const NodeArray& firstLink, Console& console);

// A closed path of nodes, the first repeated at the end.
using Cycle = std::array<int32_t, kMaxNodes + 1>;

// Finds one cycle among the nodes the walk reached, from the first entry in
// list order that is no tree link of the walk: an entry (a, a) gives the
// cycle a, a; any other closes the tree path between its two nodes. Returns
// the number of nodes written to cycle, 0 when every entry among reached
// nodes is a tree link (the reached part is a tree).
// REQUIRES: walk made by walkGraph from this list.
std::size_t findCycle(const LinkArray& linkFrom, const LinkArray& linkTo,
                      const Walk& walk, Cycle& cycle);

}  // namespace ugraph

#endif  // UGRAPH_GRAPH_CLASSIFY_H_
