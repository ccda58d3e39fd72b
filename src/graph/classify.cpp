#include "graph/classify.h"

#include <array>
#include <cstddef>

namespace ugraph {
namespace {

using Slot = std::size_t;

Slot slot(int32_t node) { return static_cast<Slot>(node); }

// The number of nodes the walk from node 1 reaches; visitOrder[1..result]
// holds them in the order first reached.
//
// The visit order doubles as the way back: after a node has nothing left
// to reach, the walk steps back one slot of the visit order rather than
// along the chain of nodes that reached it. The nodes it passes that way
// were all examined before and found to have nothing left, and reached
// nodes stay reached, so examining them again finds nothing: the walk goes
// on exactly as a depth-first search that returns along its chain. It ends
// after one last pass from the end of the visit order down to slot 1 that
// finds nothing, so every node connected to node 1 has been reached.
int32_t walkFromNodeOne(const LinkArray& linkFrom, const LinkArray& linkTo,
                        const NodeArray& firstLink, NodeArray& visitOrder) {
  NodeArray visited{};
  visitOrder[0] = 0;  // the end-of-walk mark
  int32_t visitCount = 0;
  int32_t node = 1;
  for (;;) {
    ++visitCount;
    visitOrder[slot(visitCount)] = node;
    visited[slot(node)] = 1;
    int32_t backPos = visitCount;
    for (;;) {
      // A node's entries are sorted by to-node, so the first entry that
      // leads to an unreached node names its smallest such neighbour.
      Slot j = slot(firstLink[slot(node)]);
      while (linkFrom[j] == node && visited[slot(linkTo[j])] == 1) ++j;
      if (linkFrom[j] == node) {
        node = linkTo[j];
        break;
      }
      --backPos;
      node = visitOrder[slot(backPos)];
      if (node == 0) return visitCount;
    }
  }
}

}  // namespace

GraphClass classifyGraph(const LinkArray& linkFrom, const LinkArray& linkTo,
                         const NodeArray& firstLink, Console& console) {
  const int32_t n = linkTo[0];
  NodeArray visitOrder;
  const int32_t visitCount =
      walkFromNodeOne(linkFrom, linkTo, firstLink, visitOrder);
  if (visitCount != n) return GraphClass::kNotConnected;

  console.write("Path connecting all ");
  console.write(int64_t{n});
  console.write(" nodes:\n");
  for (Slot i = 1; i <= slot(n); ++i) {
    console.write(int64_t{visitOrder[i]});
    console.write(" ");
  }
  console.writeLine("");

  // A connected graph on n nodes has at least n - 1 links, each two
  // entries unless it links a node to itself (one entry); so exactly
  // 2n - 2 entries means n - 1 links and no self-link: a tree.
  const bool tree = 2 * n - linkFrom[0] == 2;
  return tree ? GraphClass::kTree : GraphClass::kConnectedNotTree;
}

}  // namespace ugraph
