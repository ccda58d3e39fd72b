#include "graph/analysis.h"

#include <bit>
#include <cstddef>

namespace ugraph {

int32_t countLinks(const Ugraph& g) {
  // Every link is two entries but a self-link, which is one.
  int32_t selfLinks = 0;
  for (std::size_t i = 1; g.linkFrom[i] != 0; ++i) {
    selfLinks += g.linkFrom[i] == g.linkTo[i] ? 1 : 0;
  }
  return (g.linkFrom[0] + selfLinks) / 2;
}

void classifyAnalysis(int32_t n, Analysis& a) {
  // Every link is two entries but a self-link, which is one: the bit of a
  // node in its own row.
  const int32_t entries = entriesIn(a.rows, n);
  int32_t selfLinks = 0;
  for (std::size_t v = 1; v <= static_cast<std::size_t>(n); ++v) {
    selfLinks += static_cast<int32_t>(a.rows[v] >> v & 1U);
  }
  a.links = (entries + selfLinks) / 2;
  a.verdict = classifyCounts(a.walk.count, n, entries);
  a.parts = countParts(RowsGraph(a.rows, n), a.walk);
}

GraphClass classifyCounts(int64_t reached, int64_t n, int64_t entries) {
  return n == 0 ? GraphClass::kNoNode : classifyReached(reached, n, entries);
}

}  // namespace ugraph
