// Invariants of the graph record after each step of the analysis, checked
// by the fuzz targets. A broken invariant prints what broke and aborts.
#ifndef UGRAPH_FUZZ_RECORD_CHECKS_H_
#define UGRAPH_FUZZ_RECORD_CHECKS_H_

#include "graph/ugraph.h"

namespace ugraph::fuzz {

// Aborts with `what` when ok is false.
void require(bool ok, const char* what);

// Runs the analysis on a record as a reader left it, checking after each
// step what it must leave: counts and sentinel within capacity, every node
// within 1..n, the normalised form (and that normalising again changes
// nothing), the adjacency index, and the walk: its visit order a
// permutation of the nodes it reached, its tree links, and its verdict
// against a search of its own.
void checkAnalysis(Ugraph& graph);

}  // namespace ugraph::fuzz

#endif  // UGRAPH_FUZZ_RECORD_CHECKS_H_
