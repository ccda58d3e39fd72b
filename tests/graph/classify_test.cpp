#include "graph/classify.h"

#include <gtest/gtest.h>

#include "base/memory_console.h"
#include "dialogue/classify.h"
#include "graph/adjacency.h"
#include "graph/links.h"
#include "graph/normalize.h"

namespace ugraph {
namespace {

struct Outcome {
  GraphClass verdict;
  std::string printed;
};

Outcome classify(int32_t n, const std::vector<testing::Entry>& links) {
  Ugraph g{};
  testing::setLinks(g, n, links);
  normalizeLinks(g.linkFrom, g.linkTo);
  buildAdjacencyIndex(g.linkFrom, g.linkTo, g.degree, g.firstLink);
  testing::MemoryConsole io("");
  const GraphClass verdict =
      classifyGraph(g.linkFrom, g.linkTo, g.firstLink, io.console());
  return {verdict, io.output()};
}

TEST(ClassifyTest, TreesPrintThePreorder) {
  const Outcome path = classify(3, {{1, 2}, {2, 3}});
  EXPECT_EQ(path.verdict, GraphClass::kTree);
  EXPECT_EQ(path.printed, "Path connecting all 3 nodes:\n1 2 3 \n");

  // Node 1 reaches 3 first, steps back and then reaches 4 and 2.
  const Outcome branch = classify(4, {{1, 4}, {4, 2}, {1, 3}});
  EXPECT_EQ(branch.verdict, GraphClass::kTree);
  EXPECT_EQ(branch.printed, "Path connecting all 4 nodes:\n1 3 4 2 \n");

  const Outcome star = classify(5, {{1, 2}, {2, 3}, {2, 4}, {1, 5}});
  EXPECT_EQ(star.verdict, GraphClass::kTree);
  EXPECT_EQ(star.printed, "Path connecting all 5 nodes:\n1 2 3 4 5 \n");
}

TEST(ClassifyTest, CyclesAreConnectedButNotTrees) {
  const Outcome triangle = classify(3, {{1, 2}, {2, 3}, {1, 3}});
  EXPECT_EQ(triangle.verdict, GraphClass::kConnectedNotTree);
  EXPECT_EQ(triangle.printed, "Path connecting all 3 nodes:\n1 2 3 \n");

  const Outcome square = classify(4, {{1, 2}, {2, 3}, {3, 4}, {4, 1}});
  EXPECT_EQ(square.verdict, GraphClass::kConnectedNotTree);
  EXPECT_EQ(square.printed, "Path connecting all 4 nodes:\n1 2 3 4 \n");
}

TEST(ClassifyTest, SelfLinksSpoilTheTree) {
  const Outcome path = classify(3, {{1, 2}, {2, 3}, {3, 3}});
  EXPECT_EQ(path.verdict, GraphClass::kConnectedNotTree);
  EXPECT_EQ(path.printed, "Path connecting all 3 nodes:\n1 2 3 \n");

  const Outcome loop = classify(1, {{1, 1}});
  EXPECT_EQ(loop.verdict, GraphClass::kConnectedNotTree);
  EXPECT_EQ(loop.printed, "Path connecting all 1 nodes:\n1 \n");
}

TEST(ClassifyTest, ASingleNodeIsATree) {
  const Outcome one = classify(1, {});
  EXPECT_EQ(one.verdict, GraphClass::kTree);
  EXPECT_EQ(one.printed, "Path connecting all 1 nodes:\n1 \n");
}

TEST(ClassifyTest, UnreachedNodesMeanNotConnectedAndNothingPrinted) {
  for (const Outcome& o : {classify(4, {{1, 2}, {3, 4}}), classify(3, {{2, 3}}),
                           classify(3, {{1, 2}}),
                           // 2n - 2 entries, yet node 4 is never reached
                           classify(4, {{1, 2}, {2, 3}, {1, 3}}),
                           // the walk reaches node 1 even with no nodes
                           classify(0, {})}) {
    EXPECT_EQ(o.verdict, GraphClass::kNotConnected);
    EXPECT_EQ(o.printed, "");
  }
}

TEST(ClassifyTest, CompleteGraphOnFiftyNodes) {
  std::vector<testing::Entry> links;
  for (int32_t a = 1; a <= kMaxNodes; ++a) {
    for (int32_t b = a + 1; b <= kMaxNodes; ++b) links.push_back({a, b});
  }
  const Outcome full = classify(kMaxNodes, links);
  EXPECT_EQ(full.verdict, GraphClass::kConnectedNotTree);
  std::string order = "Path connecting all 50 nodes:\n";
  for (int a = 1; a <= 50; ++a) order += std::to_string(a) + " ";
  EXPECT_EQ(full.printed, order + "\n");
}

// The walk as data: its tree links and, for graphs that are not trees,
// the cycle the listing reports.
struct Walked {
  Ugraph graph{};
  Walk walk;
  std::vector<int32_t> cycle;
};

Walked walk(int32_t n, const std::vector<testing::Entry>& links) {
  Walked w;
  testing::setLinks(w.graph, n, links);
  Ugraph& g = w.graph;
  normalizeLinks(g.linkFrom, g.linkTo);
  buildAdjacencyIndex(g.linkFrom, g.linkTo, g.degree, g.firstLink);
  walkGraph(g.linkFrom, g.linkTo, g.firstLink, w.walk);
  Cycle cycle;
  LinkRows rows;
  markLinkRows(g.linkFrom, g.linkTo, rows);
  const std::size_t length = findCycle(rows, g.linkTo[0], w.walk, cycle);
  w.cycle.assign(cycle.begin(), cycle.begin() + static_cast<long>(length));
  return w;
}

TEST(ClassifyTest, TheWalkNamesTheNodeWhoseExaminationReachedEachNode) {
  // 1 reaches 3; 3 has nothing left, so node 1 (not 3) reaches 4.
  const Walked w = walk(4, {{1, 4}, {4, 2}, {1, 3}});
  EXPECT_EQ(w.walk.count, 4);
  EXPECT_EQ(w.walk.parent[1], 0);
  EXPECT_EQ(w.walk.parent[3], 1);
  EXPECT_EQ(w.walk.parent[4], 1);
  EXPECT_EQ(w.walk.parent[2], 4);
  EXPECT_EQ(w.walk.rank[2], 4);
  EXPECT_TRUE(w.cycle.empty());

  const Walked apart = walk(4, {{1, 2}, {3, 4}});
  EXPECT_EQ(apart.walk.count, 2);
  EXPECT_EQ(apart.walk.rank[3], 0);
  EXPECT_EQ(apart.walk.rank[4], 0);
}

TEST(ClassifyTest, FindCycleClosesTheTreePathOfTheFirstOtherLink) {
  EXPECT_EQ(walk(3, {{1, 2}, {2, 3}, {1, 3}}).cycle,
            (std::vector<int32_t>{1, 2, 3, 1}));
  EXPECT_EQ(walk(5, {{1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 2}}).cycle,
            (std::vector<int32_t>{2, 3, 4, 5, 2}));
  EXPECT_EQ(walk(3, {{1, 2}, {2, 3}, {3, 3}}).cycle,
            (std::vector<int32_t>{3, 3}));
  // A cycle away from node 1's own links, behind a branch.
  EXPECT_EQ(walk(6, {{1, 2}, {1, 3}, {3, 4}, {4, 5}, {5, 6}, {6, 4}}).cycle,
            (std::vector<int32_t>{4, 5, 6, 4}));
}

}  // namespace
}  // namespace ugraph
