#include "graph/analysis.h"

#include <cstddef>

#include "graph/adjacency.h"
#include "graph/normalize.h"

namespace ugraph {

void analyseGraph(Ugraph& g, Analysis& a) {
  normalizeLinks(g.linkFrom, g.linkTo);
  buildAdjacencyIndex(g.linkFrom, g.linkTo, g.degree, g.firstLink);
  walkGraph(g.linkFrom, g.linkTo, g.firstLink, a.walk);
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
