// Graphs of any size, as neighbour lists: the links a fuzzer chooses among
// up to 300 nodes, self-links and repeats included, given in any order.
// The walk must be a depth-first search with lowest neighbours first (a
// search of this target's own), watched and unwatched alike; for up to 50
// nodes it must equal the walk of rows; the verdict, links, parts and a
// cycle must be the graph's, and the one pass over the links (LinkForest)
// must give the same verdict and parts; and the graph must come back from
// sparse6 and, without self-links, from graph6.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "formats/graph6/graph6.h"
#include "fuzz/record_checks.h"
#include "graph/analysis.h"
#include "graph/link_forest.h"
#include "graph/lists.h"

using namespace ugraph;

namespace {

using Links = std::vector<std::pair<int32_t, int32_t>>;

// Every reach, in order.
struct Reaches {
  std::vector<int32_t> nodes;
  template <class AnyWalk>
  void reach(int32_t node, const AnyWalk& /*walk*/) {
    nodes.push_back(node);
  }
  void examine(int32_t /*node*/, int32_t /*next*/) {}
  void back(int32_t /*node*/) {}
};

// The depth-first order from node 1, lowest neighbours first, and each
// node's parent, by a plain recursive search over sets.
void search(const std::vector<std::set<int32_t>>& adjacent, int32_t a,
            int32_t from, std::vector<int32_t>& order,
            std::vector<int32_t>& parent) {
  order.push_back(a);
  parent[static_cast<std::size_t>(a)] = from;
  for (const int32_t b : adjacent[static_cast<std::size_t>(a)]) {
    if (parent[static_cast<std::size_t>(b)] < 0)
      search(adjacent, b, a, order, parent);
  }
}

std::vector<int32_t> orderOf(const ListsWalk& walk) {
  return {walk.order + 1, walk.order + 1 + walk.count};
}

void build(NeighbourLists& lists, int32_t n, const Links& links) {
  fuzz::require(lists.startGraph(n) && lists.build(
                                           [&](auto&& sink) {
                                             for (const auto& [a, b] : links)
                                               sink(a, b);
                                           },
                                           UINT64_MAX),
                "the lists cannot be built");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const auto n = static_cast<int32_t>(1 + (data[0] | data[1] << 8) % 300);
  Links links;
  for (std::size_t i = 2; i + 3 < size; i += 4) {
    const auto a = static_cast<int32_t>(1 + (data[i] | data[i + 1] << 8) % n);
    const auto b =
        static_cast<int32_t>(1 + (data[i + 2] | data[i + 3] << 8) % n);
    links.emplace_back(a, b);
  }
  std::vector<std::set<int32_t>> adjacent(static_cast<std::size_t>(n) + 1);
  bool selfLink = false;
  for (const auto& [a, b] : links) {
    adjacent[static_cast<std::size_t>(a)].insert(b);
    adjacent[static_cast<std::size_t>(b)].insert(a);
    selfLink = selfLink || a == b;
  }

  static NeighbourLists lists;
  build(lists, n, links);
  Reaches watched;
  walkFromNode1(lists, lists.walk(), watched);
  const std::vector<int32_t> watchedOrder = orderOf(lists.walk());
  const ListsAnalysis a = analyseLists(lists, NoWalkObserver{});
  const ListsWalk& walk = lists.walk();

  std::vector<int32_t> order;
  std::vector<int32_t> parent(static_cast<std::size_t>(n) + 1, -1);
  search(adjacent, 1, 0, order, parent);
  fuzz::require(
      orderOf(walk) == order && watchedOrder == order && watched.nodes == order,
      "the walk is not the depth-first search");
  for (const int32_t v : order) {
    fuzz::require(walk.parent[v] == parent[static_cast<std::size_t>(v)],
                  "a tree link differs");
  }

  std::size_t entries = 0;
  std::size_t selfLinks = 0;
  for (int32_t v = 1; v <= n; ++v) {
    entries += adjacent[static_cast<std::size_t>(v)].size();
    selfLinks += adjacent[static_cast<std::size_t>(v)].count(v);
  }
  fuzz::require(lists.entries() == static_cast<int64_t>(entries) &&
                    a.links == static_cast<int64_t>((entries + selfLinks) / 2),
                "the links are miscounted");
  fuzz::require(a.verdict == classifyCounts(static_cast<int64_t>(order.size()),
                                            n, static_cast<int64_t>(entries)),
                "the verdict is wrong");

  // Parts: every node joined to its smallest neighbour's part, repeatedly.
  std::vector<int32_t> part(static_cast<std::size_t>(n) + 1);
  for (int32_t v = 0; v <= n; ++v) part[static_cast<std::size_t>(v)] = v;
  const auto find = [&](int32_t v) {
    while (part[static_cast<std::size_t>(v)] != v)
      v = part[static_cast<std::size_t>(v)];
    return v;
  };
  for (const auto& [x, y] : links)
    part[static_cast<std::size_t>(find(x))] = find(y);
  int64_t parts = 0;
  for (int32_t v = 1; v <= n; ++v) parts += find(v) == v ? 1 : 0;
  fuzz::require(a.parts == parts, "the parts are miscounted");

  // The one pass of --count: the same verdict and parts.
  static LinkForest forest;
  fuzz::require(forest.start(n), "the forest cannot be had");
  for (const auto& [x, y] : links) forest.link(x, y);
  fuzz::require(forest.verdict() == a.verdict && forest.parts() == a.parts,
                "the one pass judges otherwise than the walk");

  std::vector<int32_t> cycle(static_cast<std::size_t>(n) + 1);
  cycle.resize(findCycleIn(lists, walk, cycle.data()));
  fuzz::require((a.verdict == GraphClass::kConnectedNotTree) ==
                    (!cycle.empty() && a.verdict != GraphClass::kNotConnected),
                "a cycle is missing or too many");
  for (std::size_t i = 0; i + 1 < cycle.size(); ++i) {
    fuzz::require(
        adjacent[static_cast<std::size_t>(cycle[i])].count(cycle[i + 1]) == 1,
        "the cycle uses no link");
  }
  fuzz::require(cycle.empty() || cycle.front() == cycle.back(),
                "the cycle is open");

  if (n <= kMaxNodes) {
    LinkRows rows{};
    for (const auto& [x, y] : links) {
      rows[static_cast<std::size_t>(x)] |= uint64_t{1} << y;
      rows[static_cast<std::size_t>(y)] |= uint64_t{1} << x;
    }
    Walk rowsWalk;
    walkRows(rows, n, rowsWalk, NoWalkObserver{});
    fuzz::require(std::vector<int32_t>(
                      rowsWalk.order.begin() + 1,
                      rowsWalk.order.begin() + 1 + rowsWalk.count) == order,
                  "rows walk another way");
  }

  // Back from its own lines.
  for (const LineFormat format : {LineFormat::kSparse6, LineFormat::kGraph6}) {
    std::string line;
    const bool written = encodeGraph(
        lists, format, [&](std::string_view piece) { line.append(piece); });
    fuzz::require(written == (format == LineFormat::kSparse6 || !selfLink),
                  "a graph is written or refused wrongly");
    if (!written) continue;
    line.pop_back();
    LineHead head;
    fuzz::require(
        readLineHead(line, head).refusal == Refusal::kNone && head.n == n,
        "a written line is refused");
    Links back;
    forEachLineLink(line, head,
                    [&](int32_t x, int32_t y) { back.emplace_back(x, y); });
    static NeighbourLists again;
    build(again, n, back);
    for (int32_t v = 1; v <= n; ++v) {
      std::vector<int32_t> one;
      std::vector<int32_t> two;
      lists.forEachNeighbour(v, [&](int32_t b) {
        one.push_back(b);
        return true;
      });
      again.forEachNeighbour(v, [&](int32_t b) {
        two.push_back(b);
        return true;
      });
      fuzz::require(one == two, "a graph does not come back from its line");
    }
  }
  return 0;
}
