#include "graph/analysis.h"

#include <cstddef>

namespace ugraph {

void analyseGraph(Ugraph& g, Analysis& a) {
  analyseGraph(g, a, NoWalkObserver{});
}

void classifyAnalysis(const Ugraph& g, Analysis& a) {
  const int32_t entries = g.linkFrom[0];
  // Every link is two entries but a self-link, which is one.
  int32_t selfLinks = 0;
  for (std::size_t i = 1; g.linkFrom[i] != 0; ++i) {
    selfLinks += g.linkFrom[i] == g.linkTo[i] ? 1 : 0;
  }
  a.links = (entries + selfLinks) / 2;
  a.verdict = entries == 0 ? GraphClass::kNoLink
                           : classifyWalk(a.walk, g.linkTo[0], entries);
}

}  // namespace ugraph
