#include "graph/classify.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>

namespace ugraph {
namespace {

using Slot = std::size_t;

Slot slot(int32_t node) { return static_cast<Slot>(node); }

}  // namespace

void walkGraph(const LinkArray& linkFrom, const LinkArray& linkTo,
               const NodeArray& /*firstLink*/, Walk& walk) {
  LinkRows rows;
  markLinkRows(linkFrom, linkTo, rows);
  walkRows(rows, linkTo[0], walk, NoWalkObserver{});
}

GraphClass classifyWalk(const Walk& walk, int32_t n, int32_t entries) {
  if (walk.count != n) return GraphClass::kNotConnected;
  // A connected graph on n nodes has at least n - 1 links, each two
  // entries unless it links a node to itself (one entry); so exactly
  // 2n - 2 entries means n - 1 links and no self-link: a tree.
  return 2 * n - entries == 2 ? GraphClass::kTree
                              : GraphClass::kConnectedNotTree;
}

std::string_view classWords(GraphClass c) {
  static constexpr std::array<std::string_view, 6> kWords = {
      "not connected",
      "connected but not a tree",
      "connected and is a tree",
      "no link",
      "well-formed",
      "refused"};
  return kWords[static_cast<std::size_t>(c)];
}

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
  for (Slot i = 1; i <= slot(n); ++i) {
    console.write(int64_t{walk.order[i]});
    console.write(" ");
  }
  console.writeLine("");
  return verdict;
}

// In a depth-first search of an undirected graph every link that is not a
// tree link joins a node to one of its ancestors; climbing the tree links
// from the later-reached node therefore arrives at the other one. A node's
// row less its parent and its children holds its links that are not tree
// links, and the rows taken upward, each row's bits upward, are the
// normalised list's order.
std::size_t findCycle(const LinkRows& rows, int32_t n, const Walk& walk,
                      Cycle& cycle) {
  for (int32_t first = 1; first <= n; ++first) {
    if (walk.rank[slot(first)] == 0) continue;
    // The tree links of a node: to the node that reached it (none for node
    // 1, and row bit 0 is never set) and to the nodes it reached.
    uint64_t others =
        rows[slot(first)] & ~(uint64_t{1} << walk.parent[slot(first)]);
    for (uint64_t row = others; row != 0; row &= row - 1) {
      const int32_t b = std::countr_zero(row);
      if (walk.parent[slot(b)] == first) others &= ~(uint64_t{1} << b);
    }
    if (others == 0) continue;
    int32_t a = first;
    int32_t b = std::countr_zero(others);
    if (a == b) {
      cycle[0] = cycle[1] = a;
      return 2;
    }
    if (walk.rank[slot(a)] > walk.rank[slot(b)]) std::swap(a, b);
    // a is the ancestor: climb from b up to it, then read the path back.
    std::size_t length = 0;
    for (int32_t node = b; node != a && node != 0 && length < kMaxNodes - 1;
         node = walk.parent[slot(node)]) {
      cycle[length++] = node;
    }
    cycle[length++] = a;
    std::reverse(cycle.begin(),
                 cycle.begin() + static_cast<std::ptrdiff_t>(length));
    cycle[length++] = a;
    return length;
  }
  return 0;
}

}  // namespace ugraph
