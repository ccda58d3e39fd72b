// The analysis of a loaded graph, in one place: its links normalised and
// indexed, the walk from node 1, the verdict and the count of distinct
// links. Every batch mode and fuzz target analyses through it; the
// dialogue runs the same steps one by one, printing between them.
#ifndef UGRAPH_GRAPH_ANALYSIS_H_
#define UGRAPH_GRAPH_ANALYSIS_H_

#include <cstdint>

#include "graph/adjacency.h"
#include "graph/classify.h"
#include "graph/lists.h"
#include "graph/normalize.h"
#include "graph/ugraph.h"

namespace ugraph {

struct Analysis {
  LinkRows rows;  // the links, one row of bits a node
  GraphClass verdict = GraphClass::kNoNode;  // kNoNode: 0 nodes
  Walk walk;
  int32_t links = 0;  // distinct links, a self-link counting as one
  int64_t parts = 0;  // connected parts (see countParts)
};

// Counts the distinct links and classifies the walk already made of the
// graph of a.rows with n nodes.
void classifyAnalysis(int32_t n, Analysis& a);

// Analyses the graph whose links a.rows holds, telling observer every
// step of the walk (see NoWalkObserver): writes its normalised list into
// g (the one normalisation of the batch road) and builds its adjacency
// index unless asked not to (the rows are the same graph, normalised,
// and all that the verdict and its reasons need), walks it and classifies
// it. A graph without links is walked and judged as any other: node 1
// alone is a tree, more nodes are not connected.
// REQUIRES: n = g.linkTo[0] in 0..kMaxNodes, every node of a.rows within
// 1..n, entriesIn(a.rows) <= kMaxEntries.
template <class Observer>
void analyseRows(Ugraph& g, Analysis& a, Observer&& observer,
                 bool list = true) {
  if (list) {
    writeLinkRows(a.rows, g.linkFrom, g.linkTo, g.linkTo[0]);
    buildAdjacencyIndex(g.linkFrom, g.linkTo, g.degree, g.firstLink);
  }
  walkRows(a.rows, g.linkTo[0], a.walk, observer);
  classifyAnalysis(g.linkTo[0], a);
}

// The verdict on a graph of n nodes and `entries` distinct entries whose
// walk from node 1 reached `reached` nodes: kNoNode for 0 nodes, else as
// classifyWalk.
GraphClass classifyCounts(int64_t reached, int64_t n, int64_t entries);

// What the analysis of a graph of lists found.
struct ListsAnalysis {
  GraphClass verdict = GraphClass::kNoNode;
  int64_t links = 0;
  int64_t parts = 0;
};

// Analyses the graph of lists as analyseRows does: walks it, telling
// observer every step, classifies it and counts its links and parts.
template <class Observer>
ListsAnalysis analyseLists(NeighbourLists& lists, Observer&& observer) {
  ListsWalk& walk = lists.walk();
  walkFromNode1(lists, walk, observer);
  ListsAnalysis a;
  a.verdict = classifyCounts(walk.count, lists.nodes(), lists.entries());
  a.links = lists.links();
  a.parts = countParts(lists, walk);
  return a;
}

// The distinct links of g, normalised: a self-link counts as one.
int32_t countLinks(const Ugraph& g);

}  // namespace ugraph

#endif  // UGRAPH_GRAPH_ANALYSIS_H_
