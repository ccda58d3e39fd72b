// Graphs of any size, up to 2^31 - 1 nodes: each node's neighbours as one
// sorted, duplicate-free list, all lists in one array, and the storage
// their walk, cycle and parts need. Graphs of a few nodes are rows of bits
// (RowsGraph); these are the same graphs for the same walk, only held so
// that memory grows with nodes and links rather than with their square.
#ifndef UGRAPH_GRAPH_LISTS_H_
#define UGRAPH_GRAPH_LISTS_H_

#include <cstddef>
#include <cstdint>

#include "graph/ugraph.h"

namespace ugraph {

// The walk of a graph of neighbour lists: as Walk, over storage that
// NeighbourLists owns, with max(n, 1) + 1 slots in each array.
struct ListsWalk {
  int32_t count = 0;
  int32_t* order = nullptr;
  int32_t* rank = nullptr;
  int32_t* parent = nullptr;
};

// What the memory of a graph of n nodes and `entries` entries costs,
// beside its line: 32 bytes a node (where its list starts, where its scan
// stands, its slots of the visit order, rank, parent and cycle), one bit a
// node (whether it is reached), and 4 bytes an entry (a link is two
// entries, a self-link one), counted before repeats are dropped.
inline constexpr uint64_t kBytesPerNode = 32;
inline constexpr uint64_t kBytesPerEntry = 4;
uint64_t listsBytes(int64_t n, int64_t entries);

class NeighbourLists {
 public:
  NeighbourLists() = default;
  NeighbourLists(const NeighbourLists&) = delete;
  NeighbourLists& operator=(const NeighbourLists&) = delete;
  ~NeighbourLists();

  // Makes room for a graph of n nodes: what every node needs, less its
  // entries. Storage of an earlier graph is reused when large enough and
  // not four times too large. False, holding nothing, when the memory
  // cannot be had. REQUIRES: 0 <= n <= INT32_MAX.
  bool startGraph(int32_t n);

  // Builds the lists from forEachLink(sink), which calls sink(a, b) for
  // every link {a, b} of the graph (a == b for a self-link; repeats
  // allowed) and is called twice, once to count and once to fill: the
  // links need never be held. maxEntries bounds the entries (before
  // repeats are dropped) that may be had: beyond it, or when their memory
  // cannot be had, nothing is built and false returned, with entries()
  // the number the graph asked for.
  // REQUIRES: startGraph(n) returned true; every node within 1..n.
  template <class ForEachLink>
  bool build(ForEachLink&& forEachLink, uint64_t maxEntries) {
    for (std::size_t a = 0; a <= slots(); ++a) spans_[a] = {};
    forEachLink([&](int32_t a, int32_t b) {
      ++spans_[static_cast<std::size_t>(a) + 1].begin;
      if (a != b) ++spans_[static_cast<std::size_t>(b) + 1].begin;
    });
    if (!allocateEntries(maxEntries)) return false;
    // Each list's begin is known now, and each fill moves its scan on.
    forEachLink([&](int32_t a, int32_t b) {
      nodes_[spans_[static_cast<std::size_t>(a)].at++] = b;
      if (a != b) nodes_[spans_[static_cast<std::size_t>(b)].at++] = a;
    });
    finishLists();
    return true;
  }

  int32_t nodes() const { return n_; }
  // The distinct entries: a link twice, a self-link once.
  int64_t entries() const { return entries_; }
  // The nodes linked to themselves.
  int64_t selfLinks() const { return selfLinks_; }
  // The distinct links, a self-link counting as one.
  int64_t links() const { return (entries_ + selfLinks_) / 2; }
  // The bytes held now for this graph.
  uint64_t bytes() const { return listsBytes(n_, entries_); }

  // The walk's view of the graph (see RowsGraph).
  void startWalk();
  void reach(int32_t node) {
    const auto a = static_cast<uint64_t>(node);
    reached_[a >> 6] |= uint64_t{1} << (a & 63);
  }
  int32_t next(int32_t node) {
    const auto a = static_cast<std::size_t>(node);
    int64_t& at = spans_[a].at;
    const int64_t end = spans_[a + 1].begin;
    for (; at < end; ++at) {
      const auto b = static_cast<uint64_t>(nodes_[at]);
      if ((reached_[b >> 6] >> (b & 63) & 1) == 0) return nodes_[at];
    }
    return 0;
  }
  // Calls f(b) for each neighbour b of node, ascending, until it returns
  // false.
  template <class F>
  void forEachNeighbour(int32_t node, F&& f) const {
    const auto a = static_cast<std::size_t>(node);
    for (int64_t at = spans_[a].begin; at < spans_[a + 1].begin; ++at) {
      if (!f(nodes_[at])) return;
    }
  }

  ListsWalk& walk() { return walk_; }
  const ListsWalk& walk() const { return walk_; }
  // Room for a cycle of up to nodes() + 1 nodes.
  int32_t* cycleRoom() { return cycle_; }

 private:
  // Slots of each per-node array: node 1 is walked even when n is 0.
  std::size_t slots() const {
    return static_cast<std::size_t>(n_ > 0 ? n_ : 1) + 1;
  }
  bool allocateEntries(uint64_t maxEntries);
  // Sorts each list that is not sorted, drops repeats, and closes the gaps
  // they leave; counts entries and self-links.
  void finishLists();
  void release();

  int32_t n_ = 0;
  int64_t entries_ = 0;
  int64_t selfLinks_ = 0;
  // Where node a's list begins in nodes_ (it ends where node a + 1's
  // begins), and where its scan stands: side by side, as the walk reads
  // them together, so that a node just reached costs one cache line for
  // both rather than two.
  struct Span {
    int64_t begin = 0;
    int64_t at = 0;
  };
  Span* spans_ = nullptr;  // a in 0..slots()
  uint64_t* reached_ = nullptr;
  int32_t* cycle_ = nullptr;
  int32_t* nodes_ = nullptr;
  ListsWalk walk_;
  void* nodeBlock_ = nullptr;
  std::size_t nodeBlockSize_ = 0;
  std::size_t entryCapacity_ = 0;
};

}  // namespace ugraph

#endif  // UGRAPH_GRAPH_LISTS_H_
