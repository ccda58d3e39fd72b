// The analysis of a loaded graph, in one place: its links normalised and
// indexed, the walk from node 1, the verdict and the count of distinct
// links. Every batch mode and fuzz target analyses through it; the
// dialogue runs the same steps one by one, printing between them.
#ifndef UGRAPH_GRAPH_ANALYSIS_H_
#define UGRAPH_GRAPH_ANALYSIS_H_

#include <cstdint>

#include "graph/classify.h"
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

}  // namespace ugraph

#endif  // UGRAPH_GRAPH_ANALYSIS_H_
