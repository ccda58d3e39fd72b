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

// Keeping its joins, a forest reused from graph to graph (sometimes grown
// and renumbered) judges as a search does, its joins are a spanning forest
// of the links taken, and the link it says closed a cycle is one of them
// and no join: the joins and it have a cycle exactly when the links do.
TEST(LinkForestTest, KeptJoinsAreASpanningForestOfTheLinks) {
  std::mt19937 random(36);  // NOLINT(cert-msc32-c,cert-msc51-cpp)
  LinkForest forest;
  forest.keepJoins(true);
  for (int round = 0; round < 3000; ++round) {
    const int32_t n = std::uniform_int_distribution<int32_t>(
        1, round % 7 == 0 ? 300 : 12)(random);
    std::uniform_int_distribution<int32_t> node(1, n);
    Links links;
    const int count = std::uniform_int_distribution<int>(0, 2 * n)(random);
    for (int i = 0; i < count; ++i) {
      const int32_t a = node(random);
      links.emplace_back(a, random() % 12 == 0 ? a : node(random));
      if (random() % 5 == 0) links.emplace_back(links.back());
    }
    ASSERT_TRUE(forest.start(n / 2));
    ASSERT_TRUE(forest.growTo(n));
    std::vector<int32_t> newOf(static_cast<std::size_t>(n) + 1);
    for (int32_t a = 1; a <= n; ++a)
      newOf[static_cast<std::size_t>(a)] = n + 1 - a;
    const bool renumber = round % 4 == 0;
    const std::size_t half = links.size() / 2;
    for (std::size_t i = 0; i < links.size(); ++i) {
      if (renumber && i == half) {
        ASSERT_TRUE(forest.relabel(newOf.data(), n));
      }
      auto& [a, b] = links[i];
      if (renumber && i >= half) {
        a = newOf[static_cast<std::size_t>(a)];
        b = newOf[static_cast<std::size_t>(b)];
      }
      forest.link(a, b);
    }
    if (renumber) {
      for (std::size_t i = 0; i < half; ++i) {
        links[i] = {newOf[static_cast<std::size_t>(links[i].first)],
                    newOf[static_cast<std::size_t>(links[i].second)]};
      }
    }
    const Judged whole = bySearch(n, links);
    ASSERT_EQ((Judged{forest.verdict(), forest.parts()}), whole)
        << "round " << round;
    std::set<std::pair<int32_t, int32_t>> given;
    for (auto [a, b] : links) given.insert({std::min(a, b), std::max(a, b)});
    Links kept;
    forest.forEachJoin([&](int32_t a, int32_t b) {
      EXPECT_TRUE(given.count({std::min(a, b), std::max(a, b)}) == 1);
      kept.emplace_back(a, b);
    });
    EXPECT_EQ(static_cast<int64_t>(kept.size()), n - forest.parts());
    if (forest.closing() != 0) {
      kept.emplace_back(static_cast<int32_t>(forest.closing() >> 32),
                        static_cast<int32_t>(forest.closing()));
    }
    if (forest.selfLinked() != 0) {
      kept.emplace_back(forest.selfLinked(), forest.selfLinked());
    }
    // The joins, the closing link and the self-link: the same parts, and
    // a tree exactly when the links are one.
    EXPECT_EQ(bySearch(n, kept), whole) << "round " << round;
  }
}

}  // namespace
}  // namespace ugraph
