#include "graph/adjacency.h"

#include <gtest/gtest.h>

#include "graph/links.h"
#include "graph/normalize.h"

namespace ugraph {
namespace {

using testing::setLinks;

// The index of the normalised list of the given links. Slots that the
// index must not write hold -1.
Ugraph indexed(int32_t n, const std::vector<testing::Entry>& links) {
  Ugraph g{};
  g.degree.fill(-1);
  g.firstLink.fill(-1);
  setLinks(g, n, links);
  normalizeLinks(g.linkFrom, g.linkTo);
  buildAdjacencyIndex(g.linkFrom, g.linkTo, g.degree, g.firstLink);
  return g;
}

std::vector<int32_t> prefix(const NodeArray& a, std::size_t slots) {
  return {a.begin(), a.begin() + static_cast<std::ptrdiff_t>(slots)};
}

TEST(AdjacencyTest, IndexesEachNodesRun) {
  const Ugraph g = indexed(5, {{1, 2}, {2, 3}, {2, 4}, {1, 5}});
  EXPECT_EQ(prefix(g.degree, 7), (std::vector<int32_t>{0, 2, 3, 1, 1, 1, -1}));
  EXPECT_EQ(prefix(g.firstLink, 7),
            (std::vector<int32_t>{0, 1, 3, 6, 7, 8, -1}));
}

TEST(AdjacencyTest, ANodeWithoutLinksPointsAtTheNextRun) {
  const Ugraph middle = indexed(3, {{1, 3}});
  EXPECT_EQ(middle.degree[2], 0);
  EXPECT_EQ(middle.firstLink[2], 2);
  EXPECT_EQ(middle.firstLink[3], 2);

  const Ugraph first = indexed(3, {{2, 3}});
  EXPECT_EQ(first.degree[1], 0);
  EXPECT_EQ(first.firstLink[1], 1);
  EXPECT_EQ(first.firstLink[2], 1);
}

TEST(AdjacencyTest, ASelfLinkCountsOnce) {
  EXPECT_EQ(indexed(3, {{2, 3}, {3, 3}}).degree[3], 2);
}

TEST(AdjacencyTest, GraphsWithoutLinks) {
  const Ugraph one = indexed(1, {});
  EXPECT_EQ(prefix(one.degree, 3), (std::vector<int32_t>{0, 0, -1}));
  EXPECT_EQ(prefix(one.firstLink, 3), (std::vector<int32_t>{0, 1, -1}));

  const Ugraph none = indexed(0, {});
  EXPECT_EQ(prefix(none.degree, 2), (std::vector<int32_t>{0, -1}));
  EXPECT_EQ(prefix(none.firstLink, 3), (std::vector<int32_t>{0, 1, -1}));
}

TEST(AdjacencyTest, APathOverAllFiftyNodes) {
  std::vector<testing::Entry> path;
  for (int32_t a = 1; a < kMaxNodes; ++a) path.push_back({a, a + 1});
  const Ugraph g = indexed(kMaxNodes, path);
  EXPECT_EQ(g.linkFrom[0], 98);
  EXPECT_EQ(g.degree[1], 1);
  EXPECT_EQ(g.degree[50], 1);
  for (std::size_t a = 2; a < 50; ++a) EXPECT_EQ(g.degree[a], 2) << a;
  EXPECT_EQ(g.firstLink[50], 98);
  EXPECT_EQ(g.linkTo[0], 50);
}

}  // namespace
}  // namespace ugraph
