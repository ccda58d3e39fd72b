// The connectivity and tree test: a depth-first walk from node 1, as data
// and as the dialogue prints it.
#ifndef UGRAPH_GRAPH_CLASSIFY_H_
#define UGRAPH_GRAPH_CLASSIFY_H_

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "console/console.h"
#include "graph/normalize.h"
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

// What watches a walk step by step, as the walk's own rules go: reach(a)
// once node a has joined the visit order (walk already shows it there),
// examine(a, b) when node a's entries have been scanned for its smallest
// neighbour b not yet reached (0: none is left), and back(a) when the walk
// steps down one slot of the visit order to node a (0: to slot 0, and the
// walk is over). This one watches nothing, and costs nothing.
struct NoWalkObserver {
  void reach(int32_t /*node*/, const Walk& /*walk*/) {}
  void examine(int32_t /*node*/, int32_t /*next*/) {}
  void back(int32_t /*node*/) {}
};

// Walks the graph of rows (see LinkRows) depth-first from node 1, taking
// each node's neighbours in ascending order, and tells observer each step.
// Node 1 is reached even when n is 0.
// REQUIRES: 0 <= n <= kMaxNodes, and every node of rows within 1..n.
template <class Observer>
void walkRows(const LinkRows& rows, int32_t n, Walk& walk, Observer&& observer);

// Walks the graph of a normalised list as walkRows does.
// REQUIRES: the list normalised and firstLink built from it
// (buildAdjacencyIndex); 0 <= n = linkTo[0] <= kMaxNodes and every node
// number within 1..n.
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
// normalised list order that is no tree link of the walk: an entry (a, a)
// gives the cycle a, a; any other closes the tree path between its two
// nodes. Returns the number of nodes written to cycle, 0 when every entry
// among reached nodes is a tree link (the reached part is a tree).
// REQUIRES: walk made by walkRows from these rows of n nodes.
std::size_t findCycle(const LinkRows& rows, int32_t n, const Walk& walk,
                      Cycle& cycle);

// The visit order doubles as the way back: after a node has nothing left
// to reach, the walk steps back one slot of the visit order rather than
// along the chain of nodes that reached it. The nodes it passes that way
// were all examined before and found to have nothing left, and reached
// nodes stay reached, so examining them again finds nothing: the walk goes
// on exactly as a depth-first search that returns along its chain, and the
// node that reaches a new one is its parent in that search. It ends after
// one last pass from the end of the visit order down to slot 1 that finds
// nothing, so every node connected to node 1 has been reached. A node's
// row less the nodes reached holds its neighbours not yet reached, the
// smallest first: one examination is a handful of instructions.
template <class Observer>
void walkRows(const LinkRows& rows, int32_t n, Walk& walk,
              Observer&& observer) {
  const auto slot = [](int32_t node) { return static_cast<std::size_t>(node); };
  // Node 1 is reached even when there are no nodes.
  const auto slots = static_cast<std::ptrdiff_t>(std::max(n, 1)) + 1;
  std::fill_n(walk.rank.begin(), slots, 0);
  std::fill_n(walk.parent.begin(), slots, 0);
  walk.order[0] = 0;  // the end-of-walk mark
  walk.count = 0;
  uint64_t reached = 0;
  int32_t node = 1;
  int32_t from = 0;
  for (;;) {
    ++walk.count;
    walk.order[slot(walk.count)] = node;
    walk.rank[slot(node)] = walk.count;
    walk.parent[slot(node)] = from;
    reached |= uint64_t{1} << node;
    observer.reach(node, walk);
    // Once every node is reached, what is left of the walk only steps back
    // and finds nothing: an observer that watches nothing is spared it.
    if constexpr (std::is_same_v<std::decay_t<Observer>, NoWalkObserver>) {
      if (walk.count >= n) return;
    }
    int32_t backPos = walk.count;
    for (;;) {
      const uint64_t left = rows[slot(node)] & ~reached;
      if (left != 0) {
        const auto next = static_cast<int32_t>(std::countr_zero(left));
        observer.examine(node, next);
        from = node;
        node = next;
        break;
      }
      observer.examine(node, 0);
      --backPos;
      node = walk.order[slot(backPos)];
      observer.back(node);
      if (node == 0) return;
    }
  }
}

}  // namespace ugraph

#endif  // UGRAPH_GRAPH_CLASSIFY_H_
