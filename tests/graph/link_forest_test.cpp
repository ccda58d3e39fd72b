#include "graph/link_forest.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <utility>
#include <vector>

namespace ugraph {
namespace {

using Links = std::vector<std::pair<int32_t, int32_t>>;

struct Judged {
  GraphClass verdict;
  int64_t parts;
  bool operator==(const Judged&) const = default;
};

// The verdict as a search over the distinct links finds it: parts by
// search, a tree when connected with n - 1 distinct links and no
// self-link.
Judged bySearch(int32_t n, const Links& links) {
  if (n == 0) return {GraphClass::kNoNode, 0};
  std::set<std::pair<int32_t, int32_t>> distinct;
  std::vector<std::vector<int32_t>> next(static_cast<std::size_t>(n) + 1);
  bool selfLink = false;
  for (auto [a, b] : links) {
    selfLink = selfLink || a == b;
    if (distinct.insert({std::min(a, b), std::max(a, b)}).second) {
      next[static_cast<std::size_t>(a)].push_back(b);
      next[static_cast<std::size_t>(b)].push_back(a);
    }
  }
  std::vector<bool> seen(static_cast<std::size_t>(n) + 1);
  int64_t parts = 0;
  for (int32_t root = 1; root <= n; ++root) {
    if (seen[static_cast<std::size_t>(root)]) continue;
    ++parts;
    std::vector<int32_t> stack = {root};
    seen[static_cast<std::size_t>(root)] = true;
    while (!stack.empty()) {
      const int32_t a = stack.back();
      stack.pop_back();
      for (const int32_t b : next[static_cast<std::size_t>(a)]) {
        if (!seen[static_cast<std::size_t>(b)]) {
          seen[static_cast<std::size_t>(b)] = true;
          stack.push_back(b);
        }
      }
    }
  }
  if (parts != 1) return {GraphClass::kNotConnected, parts};
  const bool tree = !selfLink && static_cast<int64_t>(distinct.size()) == n - 1;
  return {tree ? GraphClass::kTree : GraphClass::kConnectedNotTree, 1};
}

Judged byForest(LinkForest& forest, int32_t n, const Links& links) {
  EXPECT_TRUE(forest.start(n));
  for (auto [a, b] : links) forest.link(a, b);
  return {forest.verdict(), forest.parts()};
}

// A link that joined two trees, given again, is a repeat, not a cycle:
// the path 1-2-3 with 1-2 twice is a tree; 3-1 after it closes a cycle.
TEST(LinkForestTest, TellsARepeatFromACycle) {
  LinkForest forest;
  EXPECT_EQ(byForest(forest, 3, {{1, 2}, {2, 3}, {2, 1}, {1, 2}}),
            (Judged{GraphClass::kTree, 1}));
  EXPECT_EQ(byForest(forest, 3, {{1, 2}, {2, 3}, {2, 1}, {3, 1}}),
            (Judged{GraphClass::kConnectedNotTree, 1}));
  EXPECT_EQ(byForest(forest, 3, {{1, 2}, {2, 3}, {3, 3}}),
            (Judged{GraphClass::kConnectedNotTree, 1}));
  EXPECT_EQ(byForest(forest, 4, {{1, 2}, {4, 4}}),
            (Judged{GraphClass::kNotConnected, 3}));
  EXPECT_EQ(byForest(forest, 0, {}), (Judged{GraphClass::kNoNode, 0}));
  EXPECT_EQ(byForest(forest, 1, {}), (Judged{GraphClass::kTree, 1}));
}

// Thousands of random graphs, sparse and dense, with repeats and
// self-links, one forest reused from graph to graph: the same verdict and
// parts as a search.
TEST(LinkForestTest, AgreesWithASearchOnRandomGraphs) {
  std::mt19937 random(35);  // NOLINT(cert-msc32-c,cert-msc51-cpp)
  LinkForest forest;
  for (int round = 0; round < 4000; ++round) {
    const int32_t n = std::uniform_int_distribution<int32_t>(
        0, round % 7 == 0 ? 400 : 12)(random);
    Links links;
    if (n > 0) {
      std::uniform_int_distribution<int32_t> node(1, n);
      // Mostly a tree, so that trees and near-trees are common.
      if (round % 2 == 0) {
        for (int32_t b = 2; b <= n; ++b) {
          links.emplace_back(
              std::uniform_int_distribution<int32_t>(1, b - 1)(random), b);
        }
      }
      const int extra = std::uniform_int_distribution<int>(0, 3)(random);
      for (int i = 0; i < extra; ++i)
        links.emplace_back(node(random), node(random));
      const auto size = links.size();
      for (std::size_t i = 0; i < size && round % 3 == 0; i += 2) {
        links.emplace_back(links[i].second, links[i].first);  // repeats
      }
      std::shuffle(links.begin(), links.end(), random);
    }
    ASSERT_EQ(byForest(forest, n, links), bySearch(n, links))
        << "round " << round;
  }
}

}  // namespace
}  // namespace ugraph
