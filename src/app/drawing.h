// A judged graph as a Graphviz drawing that explains its verdict.
#ifndef UGRAPH_APP_DRAWING_H_
#define UGRAPH_APP_DRAWING_H_

#include "app/catalogue_judge.h"
#include "console/console.h"

namespace ugraph {

// Writes d as an undirected DOT graph labelled with its name and verdict:
// every node, dashed with a grey outline when the walk did not reach it;
// every link once, from its smaller node; the walk's tree links bold and
// heavier; the links of the cycle --list reports (for "connected but not a
// tree") red, a self-link as a loop.
// REQUIRES: d is analysed and not refused.
void writeDrawing(const JudgedDataInput& d, Console& console);

// d's walk, of a graph of rows or lists. REQUIRES: d analysed.
WalkView walkOf(const JudgedDataInput& d);

// Writes one step of d's walk as a drawing labelled step: the nodes walk
// has reached filled, node current (0: none) outlined heavily, the tree
// links so far bold, the nodes not yet reached dashed and grey.
// REQUIRES: d loaded (its nodes and links known); walk the walk of it so
// far.
void writeFrame(const JudgedDataInput& d, const WalkView& walk, int32_t current,
                std::string_view step, Console& console);

}  // namespace ugraph

#endif  // UGRAPH_APP_DRAWING_H_
