#include "fuzz/record_checks.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "graph/normalize.h"

namespace ugraph::fuzz {
namespace {

std::size_t at(int32_t i) { return static_cast<std::size_t>(i); }

// Counts within capacity, the sentinel in place, every node within 1..n.
void checkBounds(const Ugraph& g) {
  const int32_t n = g.linkTo[0];
  const int32_t k = g.linkFrom[0];
  require(0 <= n && n <= kMaxNodes, "node count outside 0..50");
  require(0 <= k && k <= kMaxEntries, "entry count outside capacity");
  require(g.linkFrom[at(k + 1)] == 0 && g.linkTo[at(k + 1)] == 0,
          "sentinel missing after the last entry");
  for (int32_t i = 1; i <= k; ++i) {
    require(1 <= g.linkFrom[at(i)] && g.linkFrom[at(i)] <= n &&
                1 <= g.linkTo[at(i)] && g.linkTo[at(i)] <= n,
            "entry names a node outside 1..n");
  }
}

void checkNormalized(const Ugraph& g) {
  const int32_t k = g.linkFrom[0];
  std::vector<int32_t> keys;
  for (int32_t i = 1; i <= k; ++i) {
    keys.push_back(linkKey(g.linkFrom[at(i)], g.linkTo[at(i)]));
  }
  require(std::adjacent_find(keys.begin(), keys.end(),
                             [](int32_t a, int32_t b) { return a >= b; }) ==
              keys.end(),
          "entries not in strictly ascending key order");
  for (int32_t i = 1; i <= k; ++i) {
    require(std::binary_search(keys.begin(), keys.end(),
                               linkKey(g.linkTo[at(i)], g.linkFrom[at(i)])),
            "an entry's reverse is missing");
  }
  Ugraph again = g;
  normalizeLinks(again.linkFrom, again.linkTo);
  require(again.linkFrom == g.linkFrom && again.linkTo == g.linkTo,
          "normalising again changed the list");
}

void checkIndex(const Ugraph& g) {
  const int32_t n = g.linkTo[0];
  require(g.degree[0] == 0 && g.firstLink[0] == 0, "index slot 0 not 0");
  require(g.firstLink[1] == 1, "firstLink[1] is not 1");
  for (int32_t a = 1; a <= n; ++a) {
    const int32_t first = g.firstLink[at(a)];
    if (a < n) {
      require(g.firstLink[at(a + 1)] == first + g.degree[at(a)],
              "firstLink is not the running sum of degrees");
    }
    for (int32_t j = first; j < first + g.degree[at(a)]; ++j) {
      require(g.linkFrom[at(j)] == a, "a run holds another node's entry");
    }
  }
  if (n >= 1) {
    require(g.firstLink[at(n)] + g.degree[at(n)] == g.linkFrom[0] + 1,
            "the runs do not end at the sentinel");
  }
}

// The verdict from a plain search of its own, over an adjacency matrix.
GraphClass referenceVerdict(const Ugraph& g) {
  const int32_t n = g.linkTo[0];
  const int32_t k = g.linkFrom[0];
  std::array<std::array<bool, kMaxNodes + 1>, kMaxNodes + 1> linked{};
  for (int32_t i = 1; i <= k; ++i) {
    linked[at(g.linkFrom[at(i)])][at(g.linkTo[at(i)])] = true;
  }
  std::array<bool, kMaxNodes + 1> reached{};
  std::vector<int32_t> stack = {1};
  reached[1] = true;
  int32_t count = 0;
  while (!stack.empty()) {
    const int32_t a = stack.back();
    stack.pop_back();
    ++count;
    for (int32_t b = 1; b <= n; ++b) {
      if (linked[at(a)][at(b)] && !reached[at(b)]) {
        reached[at(b)] = true;
        stack.push_back(b);
      }
    }
  }
  if (count != n) return GraphClass::kNotConnected;
  return 2 * n - k == 2 ? GraphClass::kTree : GraphClass::kConnectedNotTree;
}

}  // namespace

void require(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

void checkRecord(Step step, const Ugraph& graph, GraphClass verdict) {
  checkBounds(graph);
  switch (step) {
    case Step::kRead:
      break;
    case Step::kNormalized:
      checkNormalized(graph);
      break;
    case Step::kIndexed:
      checkIndex(graph);
      break;
    case Step::kClassified:
      require(verdict == referenceVerdict(graph), "wrong verdict");
      break;
  }
}

void checkVisitOrder(std::string_view printed, int32_t n, GraphClass verdict) {
  if (verdict == GraphClass::kNotConnected) {
    require(printed.empty(), "a walk that missed nodes printed something");
    return;
  }
  std::string expectedHeader =
      "Path connecting all " + std::to_string(n) + " nodes:\n";
  require(printed.substr(0, expectedHeader.size()) == expectedHeader,
          "visit order header wrong");
  std::string_view rest = printed.substr(expectedHeader.size());
  std::vector<bool> seen(at(n) + 1, false);
  for (int32_t i = 0; i < n; ++i) {
    int32_t node = 0;
    auto [p, ec] =
        std::from_chars(rest.data(), rest.data() + rest.size(), node);
    require(ec == std::errc() && 1 <= node && node <= n && !seen[at(node)],
            "visit order is not a permutation of 1..n");
    seen[at(node)] = true;
    rest = rest.substr(static_cast<std::size_t>(p - rest.data()));
    require(!rest.empty() && rest[0] == ' ',
            "visit order number without blank");
    rest = rest.substr(1);
  }
  require(rest == "\n", "visit order line not ended alone");
}

void RecordChecker::after(Step step, const Ugraph& graph, GraphClass verdict) {
  checkRecord(step, graph, verdict);
  console_.flush();
  if (step == Step::kIndexed) walkStart_ = *size_;
  if (step == Step::kClassified) {
    const std::string_view printed(*buffer_ + walkStart_, *size_ - walkStart_);
    checkVisitOrder(printed, graph.linkTo[0], verdict);
  }
}

}  // namespace ugraph::fuzz
