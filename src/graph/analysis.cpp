#include "graph/analysis.h"

#include <cstddef>

namespace ugraph {

void analyseGraph(Ugraph& g, Analysis& a) {
  analyseGraph(g, a, NoWalkObserver{});
}

int32_t countLinks(const Ugraph& g) {
  // Every link is two entries but a self-link, which is one.
  int32_t selfLinks = 0;
  for (std::size_t i = 1; g.linkFrom[i] != 0; ++i) {
    selfLinks += g.linkFrom[i] == g.linkTo[i] ? 1 : 0;
  }
  return (g.linkFrom[0] + selfLinks) / 2;
}

void classifyAnalysis(const Ugraph& g, Analysis& a) {
  const int32_t entries = g.linkFrom[0];
  a.links = countLinks(g);
  a.verdict = entries == 0 ? GraphClass::kNoLink
                           : classifyWalk(a.walk, g.linkTo[0], entries);
}

}  // namespace ugraph
