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
    for (std::size_t a = 0; a <= slots(); ++a) first_[a] = 0;
    forEachLink([&](int32_t a, int32_t b) {
      ++first_[static_cast<std::size_t>(a) + 1];
      if (a != b) ++first_[static_cast<std::size_t>(b) + 1];
    });
    if (!allocateEntries(maxEntries)) return false;
    // first_[a] now counts node a - 1's entries; make it where a's list
    // ends, and each fill moves it back to where the list begins.
    forEachLink([&](int32_t a, int32_t b) {
      nodes_[scan_[static_cast<std::size_t>(a)]++] = b;
      if (a != b) nodes_[scan_[static_cast<std::size_t>(b)]++] = a;
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
    int64_t& at = scan_[a];
    const int64_t end = first_[a + 1];
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
    for (int64_t at = first_[a]; at < first_[a + 1]; ++at) {
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
  // first_[a]..first_[a + 1]: node a's neighbours in nodes_, a in 1..n.
  int64_t* first_ = nullptr;
  int64_t* scan_ = nullptr;  // where node a's scan stands
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
