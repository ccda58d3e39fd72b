// One graph of a file as the batch modes see it, read and judged, of
// either size: the rows of a data-input or small graph line, or the lists
// of a large one. The readers of every format fill it, the judge analyses
// it, and the modes write it.
#ifndef UGRAPH_FORMATS_JUDGED_GRAPH_H_
#define UGRAPH_FORMATS_JUDGED_GRAPH_H_

#include <cstdint>
#include <span>
#include <string_view>
#include <type_traits>

#include "base/status.h"
#include "graph/analysis.h"
#include "graph/lists.h"
#include "graph/ugraph.h"

namespace ugraph {

// The memory a graph line may take unless --max-memory says otherwise.
inline constexpr uint64_t kDefaultMaxMemory = uint64_t{4} << 30;

// What a file of one graph read for --reduce leaves beside its verdict:
// what the reduced graph is written from (see formats/reduced/).
struct ReducedLinks {
  // The lines read as the part's own (see JudgeNeeds::part), and the
  // links they gave.
  int64_t lines = 0;
  uint64_t links = 0;
  // The node count the file declares (-1: it names nodes by ids), and the
  // entries it declares (Matrix Market's NNZ; UINT64_MAX: none).
  int64_t nodes = -1;
  uint64_t entries = UINT64_MAX;
  // Calls sink(state, a, b) for each link kept, by the file's ids: a
  // spanning forest of the links read, one link that closes a cycle if
  // they hold one that is no repeat, one self-link if they hold one, and
  // a self-link of each node that has no other link.
  void (*forEach)(const void* self, void* state,
                  void (*sink)(void* state, uint64_t a, uint64_t b)) = nullptr;
  const void* self = nullptr;

  template <class F>
  void forEachLink(F&& f) const {
    forEach(self, &f, [](void* state, uint64_t a, uint64_t b) {
      (*static_cast<std::remove_reference_t<F>*>(state))(a, b);
    });
  }
};

// One graph as the batch modes see it: a data-input, or a line.
struct JudgedGraph {
  int64_t number = 0;
  // Its '[' or its line's first byte (with analyse false, or without
  // JudgeNeeds::starts: of a data-input only when refused).
  FilePosition start;
  GraphClass verdict = GraphClass::kRefused;
  // kRefused for a refused data-input: the rule it breaks and where the
  // fault lies. kOk otherwise.
  Status status;
  // The rest unless refused: its node count, distinct links (a self-link
  // counting as one) and connected parts (once analysed).
  int32_t nodes = 0;
  int64_t links = 0;
  int64_t parts = 0;
  // A graph of at most kMaxNodes nodes whose entries the record holds: the
  // graph as the dialogue analyses it, after its summary line (name, node
  // count linkTo[0], normalised entries), and its analysis.
  Ugraph graph;
  Analysis analysis;
  // Any other graph, of a graph line: its lists and walk; graph.name is
  // then empty and the rest of graph and analysis unset.
  NeighbourLists* lists = nullptr;
  // A graph of lists whose file names its nodes by ids of their own: the
  // id of node k at ids[k], which every writer prints; nullptr when node k
  // is called k.
  const uint64_t* ids = nullptr;
  // The whole name, where graph.name holds its first bytes (a file of one
  // graph is named after the file); empty otherwise.
  std::string_view fullName;
  // A note on the graph to be warned of, as a refusal's words and place
  // (Refusal::kNone: none).
  Status warning;
  // Read for --reduce: what it is reduced to (see ReducedLinks).
  const ReducedLinks* reduced = nullptr;
  // Judged from reduced graphs: its distinct links and its walk's order
  // are not known, as reduction keeps neither.
  bool fromReduced = false;
};

// What node k of d is called: its id in the file, or k.
inline uint64_t nodeIdOf(const JudgedGraph& d, int32_t k) {
  return d.ids != nullptr ? d.ids[k] : static_cast<uint64_t>(k);
}

// Calls f(graph, walk) with d's graph as the walk sees it (a RowsGraph or
// NeighbourLists) and its walk (a Walk or ListsWalk), and returns what f
// returns. REQUIRES: d analysed.
template <class F>
decltype(auto) withGraph(const JudgedGraph& d, F&& f) {
  if (d.lists != nullptr) {
    return f(static_cast<const NeighbourLists&>(*d.lists), d.lists->walk());
  }
  return f(RowsGraph(d.analysis.rows, d.graph.linkTo[0]), d.analysis.walk);
}

// d's walk, of a graph of rows or lists. REQUIRES: d analysed.
inline WalkView walkOf(const JudgedGraph& d) {
  return withGraph(d, [](const auto& /*graph*/, const auto& walk) {
    return WalkView::of(walk);
  });
}

// Calls onNode(int32_t) for each node d's walk did not reach, ascending,
// until it returns false. REQUIRES: d analysed.
template <class OnNode>
void forEachUnreached(const JudgedGraph& d, OnNode&& onNode) {
  withGraph(d, [&](const auto& /*graph*/, const auto& walk) {
    for (int32_t a = 1; a <= d.nodes; ++a) {
      if (walk.rank[static_cast<std::size_t>(a)] == 0 && !onNode(a)) return;
    }
  });
}

// The distinct entries of d's graph: a link twice, a self-link once.
// REQUIRES: d analysed, with its list of links (JudgeNeeds::list).
inline int64_t entriesOf(const JudgedGraph& d) {
  return d.lists != nullptr ? d.lists->entries() : d.graph.linkFrom[0];
}

// Calls f(a, b) for every link of d once, a <= b, by a and then b: the
// normalised order. REQUIRES: d analysed.
template <class F>
void forEachLinkOf(const JudgedGraph& d, F&& f) {
  withGraph(d, [&](const auto& graph, const auto& /*walk*/) {
    for (int32_t a = 1; a <= d.nodes; ++a) {
      graph.forEachNeighbour(a, [&](int32_t b) {
        if (b >= a) f(a, b);
        return true;
      });
    }
  });
}

// Finds the cycle of d as findCycleIn does, into small for a graph of rows
// and into the lists' own room otherwise. Returns its nodes.
std::span<const int32_t> cycleOf(const JudgedGraph& d, Cycle& small);

// What the batch modes need of an analysed graph beyond its verdict.
struct JudgeNeeds {
  // The record's list of links; the analysis's rows hold the links anyway.
  bool list = true;
  // Where each graph starts; a refused one's fault is placed regardless.
  bool starts = true;
  // The walk of a graph of rows; without it, such a graph is read into
  // lower rows (see keepLowerRows) with its distinct links counted, and
  // left kWellFormed with its node count for the caller to count (see
  // countLowerParts). A graph of lists is walked regardless.
  bool walk = true;
  // The most memory a graph line may take: the line held, its lists and
  // its walk (see listsBytes).
  uint64_t maxMemory = kDefaultMaxMemory;
  // Whether a graph only checked may be loaded after all (as --dot and
  // --trace load the one they show); without it, a file of one graph is
  // only parsed, and nothing of it held.
  bool load = true;
  // The threads a file of one graph may be read with.
  int64_t jobs = 1;
  // Whether a long read of a file of one graph shows its progress on
  // standard error (see Progress), and the file's bytes, when known.
  bool progress = false;
  uint64_t totalBytes = 0;
  // Read for --reduce: a file of one graph keeps what ReducedLinks tells.
  bool reduce = false;
  // With count > 0, only part index of count of a file of one graph is
  // read as the graph's: its lines from byte start to byte end, which lie
  // at line starts, after the lines before the file's first link, which
  // every part reads (see LinkFile).
  struct Part {
    int64_t index = 0;
    int64_t count = 0;
    uint64_t start = 0;
    uint64_t end = 0;
  };
  Part part = Part();
};

}  // namespace ugraph

#endif  // UGRAPH_FORMATS_JUDGED_GRAPH_H_
