#include "graph/row_parts.h"

#include <bit>

#include "graph/analysis.h"

namespace ugraph {

RowCounts countRowParts(const LinkRows& rows, int32_t n) {
  RowCounts counts;
  counts.reached = 1;  // the walk reaches node 1 even of no node
  if (n == 0) return counts;
  // Bits 1..n: the nodes not yet in a part.
  uint64_t left = ((uint64_t{1} << n) - 1) << 1;
  for (bool first = true; left != 0; first = false) {
    uint64_t part = left & (~left + 1);  // its smallest node
    uint64_t frontier = part;
    while (frontier != 0) {
      const auto a = static_cast<std::size_t>(std::countr_zero(frontier));
      frontier &= frontier - 1;
      const uint64_t added = rows[a] & ~part;
      part |= added;
      frontier |= added;
    }
    if (first) counts.reached = std::popcount(part);
    left &= ~part;
    ++counts.parts;
  }
  for (std::size_t a = 1; a <= static_cast<std::size_t>(n); ++a) {
    counts.entries += std::popcount(rows[a]);
  }
  return counts;
}

GraphClass classifyRowCounts(const RowCounts& counts, int32_t n) {
  return classifyCounts(counts.reached, n, counts.entries);
}

}  // namespace ugraph
