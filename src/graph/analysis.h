// The analysis of a loaded graph, in one place: its links normalised and
// indexed, the walk from node 1, the verdict and the count of distinct
// links. Every batch mode and fuzz target analyses through it; the
// dialogue runs the same steps one by one, printing between them.
#ifndef UGRAPH_GRAPH_ANALYSIS_H_
#define UGRAPH_GRAPH_ANALYSIS_H_

#include <cstdint>

#include "graph/adjacency.h"
#include "graph/classify.h"
#include "graph/normalize.h"
#include "graph/ugraph.h"

namespace ugraph {

struct Analysis {
  GraphClass verdict = GraphClass::kNoLink;  // kNoLink: the list is empty
  Walk walk;                                 // made also when there is no link
  int32_t links = 0;  // distinct links, a self-link counting as one
};

// Normalises g's links, builds its adjacency index, walks it and classifies
// it into a. REQUIRES: as for normalizeLinks, with n = linkTo[0] in
// 0..kMaxNodes and every node of the entries within 1..n.
void analyseGraph(Ugraph& g, Analysis& a);

// The distinct links of g, normalised: a self-link counts as one.
int32_t countLinks(const Ugraph& g);

// Counts the distinct links and classifies the walk already made.
void classifyAnalysis(const Ugraph& g, Analysis& a);

// Analyses as above, telling observer every step of the walk (see
// NoWalkObserver). A graph without links is walked too, so that a drawing
// of it shows node 1 reached; the dialogue gives it no verdict, and an
// observer that explains verdicts may pass over its walk.
template <class Observer>
void analyseGraph(Ugraph& g, Analysis& a, Observer&& observer) {
  normalizeLinks(g.linkFrom, g.linkTo);
  buildAdjacencyIndex(g.linkFrom, g.linkTo, g.degree, g.firstLink);
  walkGraph(g.linkFrom, g.linkTo, g.firstLink, a.walk, observer);
  classifyAnalysis(g, a);
}

}  // namespace ugraph

#endif  // UGRAPH_GRAPH_ANALYSIS_H_
