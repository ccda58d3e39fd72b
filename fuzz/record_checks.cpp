#include "fuzz/record_checks.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "graph/adjacency.h"
#include "graph/classify.h"
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

// The walk's visit order is a permutation of the nodes it reached, node 1
// first, and every node but node 1 hangs from a tree link to a node reached
// before it.
void checkWalk(const Ugraph& g, const Walk& walk) {
  const int32_t n = std::max(g.linkTo[0], 1);
  require(1 <= walk.count && walk.count <= n, "walk count out of range");
  require(walk.order[0] == 0 && walk.order[1] == 1, "walk does not start at 1");
  for (int32_t a = 1; a <= n; ++a) {
    require(walk.rank[at(a)] != 0 || walk.parent[at(a)] == 0,
            "a node not reached has a tree link");
  }
  std::vector<bool> seen(at(n) + 1, false);
  for (int32_t i = 1; i <= walk.count; ++i) {
    const int32_t node = walk.order[at(i)];
    require(1 <= node && node <= n && !seen[at(node)],
            "visit order is not a permutation");
    seen[at(node)] = true;
    require(walk.rank[at(node)] == i, "rank disagrees with the visit order");
    if (i == 1) continue;
    const int32_t parent = walk.parent[at(node)];
    require(
        parent >= 1 && walk.rank[at(parent)] != 0 && walk.rank[at(parent)] < i,
        "a tree link does not come from a node reached before");
  }
}

}  // namespace

void require(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

void checkAnalysis(Ugraph& graph) {
  checkBounds(graph);
  normalizeLinks(graph.linkFrom, graph.linkTo);
  checkBounds(graph);
  checkNormalized(graph);
  buildAdjacencyIndex(graph.linkFrom, graph.linkTo, graph.degree,
                      graph.firstLink);
  checkIndex(graph);
  Walk walk;
  walkGraph(graph.linkFrom, graph.linkTo, graph.firstLink, walk);
  checkWalk(graph, walk);
  const GraphClass verdict =
      classifyWalk(walk, graph.linkTo[0], graph.linkFrom[0]);
  require(verdict == referenceVerdict(graph), "wrong verdict");
  Cycle cycle;
  LinkRows rows;
  markLinkRows(graph.linkFrom, graph.linkTo, rows);
  const std::size_t length = findCycle(rows, graph.linkTo[0], walk, cycle);
  if (verdict != GraphClass::kConnectedNotTree) return;
  require(length >= 2 && cycle[0] == cycle[length - 1],
          "no closed cycle for a graph that is not a tree");
  const auto linked = [&](int32_t a, int32_t b) {
    for (int32_t i = 1; i <= graph.linkFrom[0]; ++i) {
      if (graph.linkFrom[at(i)] == a && graph.linkTo[at(i)] == b) return true;
    }
    return false;
  };
  for (std::size_t i = 0; i + 1 < length; ++i) {
    require(linked(cycle[i], cycle[i + 1]),
            "the cycle steps over a missing link");
    for (std::size_t j = i + 1; j + 1 < length; ++j) {
      require(cycle[i] != cycle[j], "the cycle passes a node twice");
    }
  }
}

}  // namespace ugraph::fuzz
