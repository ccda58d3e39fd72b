#include "graph/row_parts.h"

namespace ugraph {

int32_t keepLowerRows(LinkRows& rows, int32_t n) {
  int32_t links = 0;
  for (std::size_t b = 1; b <= static_cast<std::size_t>(n); ++b) {
    rows[b] &= (uint64_t{2} << b) - 1;
    links += bitCount(rows[b]);
  }
  return links;
}

namespace {

// The part of the graph that holds the nodes of part, all its nodes at
// most: a part that holds them all needs no pass to show it is whole.
uint64_t grow(const LinkRows& lower, std::size_t n, uint64_t part,
              uint64_t all) {
  for (;;) {
    const uint64_t before = part;
    for (std::size_t b = 1; b <= n; ++b) {
      const uint64_t row = lower[b] | uint64_t{1} << b;
      part |= (row & part) != 0 ? row : 0;
    }
    if (part == before || part == all) return part;
  }
}

}  // namespace

RowCounts countLowerParts(const LinkRows& lower, int32_t n) {
  RowCounts counts;
  counts.reached = 1;  // the walk reaches node 1 even of no node
  if (n == 0) return counts;
  const auto nodes = static_cast<std::size_t>(n);
  const uint64_t all = ((uint64_t{1} << n) - 1) << 1;  // bits 1..n
  const uint64_t first = grow(lower, nodes, uint64_t{1} << 1, all);
  counts.parts = 1;
  if (first == all) {  // most graphs: no bits to count, no part left
    counts.reached = n;
    return counts;
  }
  counts.reached = bitCount(first);
  for (uint64_t left = all & ~first; left != 0; ++counts.parts) {
    left &= ~grow(lower, nodes, left & (~left + 1), left);
  }
  return counts;
}

GraphClass classifyRowCounts(const RowCounts& counts, int32_t n,
                             int64_t links) {
  if (n == 0) return GraphClass::kNoNode;
  if (counts.reached != n) return GraphClass::kNotConnected;
  return links == n - 1 ? GraphClass::kTree : GraphClass::kConnectedNotTree;
}

}  // namespace ugraph
