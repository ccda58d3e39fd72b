// The dialogue's connectivity and tree test: the walk of graph/ from node
// 1, and the visit order printed when it reached every node.
#ifndef UGRAPH_DIALOGUE_CLASSIFY_H_
#define UGRAPH_DIALOGUE_CLASSIFY_H_

#include "base/console.h"
#include "graph/classify.h"

namespace ugraph {

// Walks and classifies the graph. When the walk reached all n nodes, first
// writes "Path connecting all <n> nodes:" and a line of the visit order,
// each node followed by one blank; otherwise writes nothing.
// REQUIRES: as for walkGraph.
GraphClass classifyGraph(const LinkArray& linkFrom, const LinkArray& linkTo,
                         const NodeArray& firstLink, Console& console);

}  // namespace ugraph

#endif  // UGRAPH_DIALOGUE_CLASSIFY_H_
