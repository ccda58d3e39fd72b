// The connectivity and tree test: a depth-first walk from node 1, as data.
// It writes nothing; the dialogue prints what a walk found (see
// dialogue/classify.h).
#ifndef UGRAPH_GRAPH_CLASSIFY_H_
#define UGRAPH_GRAPH_CLASSIFY_H_

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <type_traits>

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

// A walk of either kind (Walk, or ListsWalk of a graph of lists) as the
// writers read it, indexed by node.
struct WalkView {
  int32_t count = 0;
  const int32_t* order = nullptr;
  const int32_t* rank = nullptr;
  const int32_t* parent = nullptr;

  template <class AnyWalk>
  static WalkView of(const AnyWalk& walk) {
    return {walk.count, &walk.order[0], &walk.rank[0], &walk.parent[0]};
  }
};

// What watches a walk step by step, as the walk's own rules go: reach(a,
// walk) once node a has joined the visit order (walk already shows it
// there), examine(a, b) when node a's neighbours have been scanned for the
// smallest one b not yet reached (0: none is left), and back(a) when the
// walk steps down one slot of the visit order to node a (0: to slot 0, and
// the walk is over). This one watches nothing, and costs nothing: a walk
// it watches ends as soon as every node is reached, and returns along its
// tree links rather than slot by slot.
struct NoWalkObserver {
  template <class AnyWalk>
  void reach(int32_t /*node*/, const AnyWalk& /*walk*/) {}
  void examine(int32_t /*node*/, int32_t /*next*/) {}
  void back(int32_t /*node*/) {}
};

// The graph as the walk sees it, for graphs of at most kMaxNodes nodes: one
// row of bits a node, and the nodes reached as one more row. A row less the
// nodes reached holds the neighbours not yet reached, the smallest first,
// so one examination is a handful of instructions.
class RowsGraph {
 public:
  RowsGraph(const LinkRows& rows, int32_t n) : rows_(rows), n_(n) {}
  int32_t nodes() const { return n_; }
  void startWalk() { reached_ = 0; }
  void reach(int32_t node) { reached_ |= uint64_t{1} << node; }
  // The smallest neighbour of node not yet reached, 0 when none is left.
  int32_t next(int32_t node) const {
    const uint64_t left = rows_[static_cast<std::size_t>(node)] & ~reached_;
    return left == 0 ? 0 : static_cast<int32_t>(std::countr_zero(left));
  }
  // Calls f(b) for each neighbour b of node, ascending, until it returns
  // false.
  template <class F>
  void forEachNeighbour(int32_t node, F&& f) const {
    for (uint64_t row = rows_[static_cast<std::size_t>(node)]; row != 0;
         row &= row - 1) {
      if (!f(static_cast<int32_t>(std::countr_zero(row)))) return;
    }
  }

 private:
  const LinkRows& rows_;
  int32_t n_;
  uint64_t reached_ = 0;
};

// Walks graph depth-first from node 1, taking each node's neighbours in
// ascending order, records it in walk and tells observer each step. Node 1
// is reached even when there are no nodes.
//
// Graph has nodes(), startWalk(), reach(a) and next(a) as RowsGraph has;
// AnyWalk has count and order, rank and parent indexed by node as Walk
// has, with room for max(n, 1) + 1 slots.
//
// The walk's rules step back one slot of the visit order at a time after a
// node has nothing left to reach, rather than along the chain of nodes that
// reached it. The nodes passed that way were all examined before and found
// to have nothing left, and reached nodes stay reached, so examining them
// again finds nothing: the walk goes on exactly as a depth-first search
// that returns along its chain, and the node that reaches a new one is its
// parent in that search. It ends after one last pass from the end of the
// visit order down to slot 1 that finds nothing, so every node connected
// to node 1 has been reached. When nothing watches, the walk therefore
// returns along its tree links instead, and each node's scan goes on where
// it stopped: every link is looked at a bounded number of times, and the
// walk costs time linear in nodes and links.
template <class Graph, class AnyWalk, class Observer>
void walkFromNode1(Graph& graph, AnyWalk& walk, Observer&& observer) {
  constexpr bool kWatched =
      !std::is_same_v<std::decay_t<Observer>, NoWalkObserver>;
  const int32_t n = graph.nodes();
  const auto slot = [](int32_t node) { return static_cast<std::size_t>(node); };
  // Node 1 is reached even when there are no nodes.
  const std::size_t slots = slot(std::max(n, 1)) + 1;
  std::fill_n(&walk.rank[0], slots, 0);
  std::fill_n(&walk.parent[0], slots, 0);
  graph.startWalk();
  walk.order[0] = 0;  // the end-of-walk mark
  walk.count = 0;
  int32_t node = 1;
  int32_t from = 0;
  for (;;) {
    ++walk.count;
    walk.order[slot(walk.count)] = node;
    walk.rank[slot(node)] = walk.count;
    walk.parent[slot(node)] = from;
    graph.reach(node);
    observer.reach(node, walk);
    // Once every node is reached, what is left of the walk only steps back
    // and finds nothing: an observer that watches nothing is spared it.
    if constexpr (!kWatched) {
      if (walk.count >= n) return;
    }
    int32_t backPos = walk.count;
    for (;;) {
      const int32_t next = graph.next(node);
      if (next != 0) {
        observer.examine(node, next);
        from = node;
        node = next;
        break;
      }
      observer.examine(node, 0);
      if constexpr (kWatched) {
        --backPos;
        node = walk.order[slot(backPos)];
      } else {
        node = walk.parent[slot(node)];
      }
      observer.back(node);
      if (node == 0) return;
    }
  }
}

// Walks the graph of rows (see LinkRows) as walkFromNode1 does.
// REQUIRES: 0 <= n <= kMaxNodes, and every node of rows within 1..n.
template <class Observer>
void walkRows(const LinkRows& rows, int32_t n, Walk& walk,
              Observer&& observer) {
  RowsGraph graph(rows, n);
  walkFromNode1(graph, walk, observer);
}

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
// The same for a walk that reached `reached` of n nodes, of any size.
GraphClass classifyReached(int64_t reached, int64_t n, int64_t entries);

// A closed path of nodes, the first repeated at the end.
using Cycle = std::array<int32_t, kMaxNodes + 1>;

// In a depth-first search of an undirected graph every link that is not a
// tree link joins a node to one of its ancestors; climbing the tree links
// from the later-reached node therefore arrives at the other one. A node's
// links less the one to its parent and those to its children are its links
// that are not tree links, and taken node by node upward, each node's
// neighbours upward, they come in the normalised list's order.
//
// Finds one cycle among the nodes the walk reached, from the first entry in
// normalised list order that is no tree link of the walk: an entry (a, a)
// gives the cycle a, a; any other closes the tree path between its two
// nodes. Writes it to cycle and returns the number of nodes written, 0 when
// every entry among reached nodes is a tree link (the reached part is a
// tree). Graph has nodes() and forEachNeighbour as RowsGraph has.
// REQUIRES: walk made by walkFromNode1 from graph; cycle has room for
// nodes() + 1 nodes.
template <class Graph, class AnyWalk>
std::size_t findCycleIn(const Graph& graph, const AnyWalk& walk,
                        int32_t* cycle) {
  const auto slot = [](int32_t node) { return static_cast<std::size_t>(node); };
  const int32_t n = graph.nodes();
  for (int32_t first = 1; first <= n; ++first) {
    if (walk.rank[slot(first)] == 0) continue;
    int32_t other = 0;
    graph.forEachNeighbour(first, [&](int32_t b) {
      if (b == walk.parent[slot(first)] || walk.parent[slot(b)] == first) {
        return true;
      }
      other = b;
      return false;
    });
    if (other == 0) continue;
    int32_t a = first;
    int32_t b = other;
    if (a == b) {
      cycle[0] = cycle[1] = a;
      return 2;
    }
    if (walk.rank[slot(a)] > walk.rank[slot(b)]) std::swap(a, b);
    // a is the ancestor: climb from b up to it, then read the path back.
    std::size_t length = 0;
    for (int32_t node = b; node != a && node > 0 && length < slot(n);
         node = walk.parent[slot(node)]) {
      cycle[length++] = node;
    }
    cycle[length++] = a;
    std::reverse(cycle, cycle + length);
    cycle[length++] = a;
    return length;
  }
  return 0;
}

// Finds a cycle of the graph of rows as findCycleIn does.
// REQUIRES: walk made by walkRows from these rows of n nodes.
inline std::size_t findCycle(const LinkRows& rows, int32_t n, const Walk& walk,
                             Cycle& cycle) {
  return findCycleIn(RowsGraph(rows, n), walk, cycle.data());
}

template <class Graph, class AnyWalk>
int64_t countUnreachedParts(const Graph& graph, AnyWalk& walk);

// The number of connected parts of the graph: 1 for the part the walk
// reached, and one for each part among the nodes it did not reach (0 for
// a graph without nodes). Graph has nodes() and forEachNeighbour as
// RowsGraph has; the walk's unused slots of order serve as its stack, and
// its parent slots of unreached nodes as marks, which it clears again.
// REQUIRES: walk made by walkFromNode1 from graph.
template <class Graph, class AnyWalk>
int64_t countParts(const Graph& graph, AnyWalk& walk) {
  const int32_t n = graph.nodes();
  if (n == 0) return 0;
  return walk.count >= n ? 1 : countUnreachedParts(graph, walk) + 1;
}

// The parts among the nodes the walk did not reach, for countParts.
template <class Graph, class AnyWalk>
int64_t countUnreachedParts(const Graph& graph, AnyWalk& walk) {
  const auto slot = [](int32_t node) { return static_cast<std::size_t>(node); };
  const int32_t n = graph.nodes();
  int64_t parts = 0;
  // Every unreached node is pushed once, marked as it is: the stack never
  // holds more than the n - count slots past the visit order.
  int32_t* const stack = &walk.order[slot(walk.count) + 1];
  for (int32_t start = 1; start <= n; ++start) {
    if (walk.rank[slot(start)] != 0 || walk.parent[slot(start)] != 0) continue;
    ++parts;
    std::size_t top = 0;
    stack[top++] = start;
    walk.parent[slot(start)] = -1;
    while (top != 0) {
      const int32_t a = stack[--top];
      graph.forEachNeighbour(a, [&](int32_t b) {
        if (walk.parent[slot(b)] == 0 && walk.rank[slot(b)] == 0) {
          walk.parent[slot(b)] = -1;
          stack[top++] = b;
        }
        return true;
      });
    }
  }
  for (int32_t a = 1; a <= n; ++a) {
    if (walk.parent[slot(a)] < 0) walk.parent[slot(a)] = 0;
  }
  return parts;
}

}  // namespace ugraph

#endif  // UGRAPH_GRAPH_CLASSIFY_H_
