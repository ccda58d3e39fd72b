// The two representations of a graph, rows of bits and neighbour lists,
// against each other: for every graph they both hold, the same walk step
// by step, the same cycle, verdict and parts.
#include "graph/lists.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "graph/analysis.h"
#include "graph/classify.h"

namespace ugraph {
namespace {

using Links = std::vector<std::pair<int32_t, int32_t>>;

// Every step of a walk as text.
struct Steps {
  std::string text;
  template <class AnyWalk>
  void reach(int32_t node, const AnyWalk& walk) {
    text += "r" + std::to_string(node) + "/" + std::to_string(walk.count);
  }
  void examine(int32_t node, int32_t next) {
    text += "e" + std::to_string(node) + ":" + std::to_string(next);
  }
  void back(int32_t node) { text += "b" + std::to_string(node); }
};

// What a representation made of a graph.
struct Made {
  std::vector<int32_t> order;
  std::vector<int32_t> parent;
  std::vector<int32_t> cycle;
  GraphClass verdict = GraphClass::kRefused;
  int64_t parts = 0;
  int64_t links = 0;
  std::string steps;
  bool operator==(const Made&) const = default;
};

template <class Graph, class AnyWalk>
Made madeOf(const Graph& graph, AnyWalk& walk, int64_t entries, int64_t links) {
  Made m;
  const int32_t n = graph.nodes();
  const WalkView view = WalkView::of(walk);
  for (int32_t i = 1; i <= view.count; ++i) m.order.push_back(view.order[i]);
  for (int32_t a = 1; a <= n; ++a) m.parent.push_back(view.parent[a]);
  std::vector<int32_t> cycle(static_cast<std::size_t>(n) + 2);
  cycle.resize(findCycleIn(graph, walk, cycle.data()));
  m.cycle = cycle;
  m.verdict = classifyCounts(walk.count, n, entries);
  m.parts = countParts(graph, walk);
  m.links = links;
  return m;
}

Made byRows(int32_t n, const Links& links) {
  LinkRows rows{};
  for (const auto& [a, b] : links) {
    rows[static_cast<std::size_t>(a)] |= uint64_t{1} << b;
    rows[static_cast<std::size_t>(b)] |= uint64_t{1} << a;
  }
  Walk walk;
  Steps steps;
  walkRows(rows, n, walk, steps);
  RowsGraph graph(rows, n);
  walkFromNode1(graph, walk, NoWalkObserver{});  // unwatched, as judged
  Analysis a;
  a.rows = rows;
  a.walk = walk;
  classifyAnalysis(n, a);
  Made m = madeOf(graph, walk, entriesIn(rows, n), a.links);
  m.steps = steps.text;
  EXPECT_EQ(a.verdict, m.verdict);
  EXPECT_EQ(a.parts, m.parts);
  return m;
}

Made byLists(int32_t n, const Links& links, NeighbourLists& lists) {
  EXPECT_TRUE(lists.startGraph(n));
  EXPECT_TRUE(lists.build(
      [&](auto&& sink) {
        for (const auto& [a, b] : links) sink(a, b);
      },
      UINT64_MAX));
  Steps steps;
  walkFromNode1(lists, lists.walk(), steps);
  const ListsAnalysis a = analyseLists(lists, NoWalkObserver{});
  Made m = madeOf(lists, lists.walk(), lists.entries(), a.links);
  m.steps = steps.text;
  EXPECT_EQ(a.verdict, m.verdict);
  EXPECT_EQ(a.parts, m.parts);
  return m;
}

// Every graph of up to 6 nodes, every pair in or out; then graphs of 7
// nodes with every eighth pattern.
TEST(ListsTest, EverySmallGraphIsWalkedAlikeBothWays) {
  NeighbourLists lists;
  for (int32_t n = 0; n <= 7; ++n) {
    Links pairs;
    for (int32_t b = 1; b <= n; ++b) {
      for (int32_t a = 1; a < b; ++a) pairs.emplace_back(a, b);
    }
    const uint64_t patterns = uint64_t{1} << pairs.size();
    for (uint64_t p = 0; p < patterns; p += n == 7 ? 8 : 1) {
      Links links;
      for (std::size_t i = 0; i < pairs.size(); ++i) {
        if ((p >> i & 1) != 0) links.push_back(pairs[i]);
      }
      ASSERT_EQ(byRows(n, links), byLists(n, links, lists)) << n << " " << p;
    }
  }
}

// Random graphs of up to 50 nodes, sparse to dense, with self-links and
// repeated links given in any order.
TEST(ListsTest, RandomGraphsWithSelfLinksAndRepeatsAgree) {
  NeighbourLists lists;
  // The same graphs each run.
  std::mt19937 random(20261209);  // NOLINT(cert-msc32-c,cert-msc51-cpp)
  for (int round = 0; round < 3000; ++round) {
    const auto n = static_cast<int32_t>(random() % 50 + 1);
    const auto count = random() % (3 * static_cast<uint32_t>(n) + 1);
    Links links;
    for (uint32_t i = 0; i < count; ++i) {
      const auto a =
          static_cast<int32_t>(random() % static_cast<uint32_t>(n) + 1);
      const auto b =
          static_cast<int32_t>(random() % static_cast<uint32_t>(n) + 1);
      links.emplace_back(a, b);
      if (random() % 8 == 0) links.emplace_back(b, a);
    }
    ASSERT_EQ(byRows(n, links), byLists(n, links, lists)) << round;
  }
}

// A long path is walked in time linear in its links: the unwatched walk
// returns along tree links, and a node's scan goes on where it stopped.
TEST(ListsTest, AMillionNodePathIsJudgedAtOnce) {
  NeighbourLists lists;
  const int32_t n = 1000000;
  ASSERT_TRUE(lists.startGraph(n));
  // Given from the far end, so that every list must be sorted.
  ASSERT_TRUE(lists.build(
      [&](auto&& sink) {
        for (int32_t a = n; a > 1; --a) sink(a, a - 1);
        sink(n, n);  // and one self-link
      },
      UINT64_MAX));
  const ListsAnalysis a = analyseLists(lists, NoWalkObserver{});
  EXPECT_EQ(a.verdict, GraphClass::kConnectedNotTree);
  EXPECT_EQ(a.links, n);
  EXPECT_EQ(a.parts, 1);
  EXPECT_EQ(lists.walk().order[n], n);
  std::vector<int32_t> cycle(static_cast<std::size_t>(n) + 1);
  ASSERT_EQ(findCycleIn(lists, lists.walk(), cycle.data()), 2U);
  EXPECT_EQ(cycle[0], n);
}

// Past the entries allowed, nothing is built and the need is told.
TEST(ListsTest, EntriesPastTheBoundAreNotBuilt) {
  NeighbourLists lists;
  ASSERT_TRUE(lists.startGraph(4));
  EXPECT_FALSE(lists.build(
      [](auto&& sink) {
        sink(1, 2);
        sink(2, 3);
        sink(3, 3);
      },
      4));
  EXPECT_EQ(lists.entries(), 5);
}

}  // namespace
}  // namespace ugraph
