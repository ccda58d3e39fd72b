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
// beside its line: 32 bytes a node (where its list starts, its frame of the
// walk's stack, its slots of the visit order, rank, parent and cycle), one
// bit a node (whether it is reached), and 4 bytes an entry (a link is two
// entries, a self-link one), counted before repeats are dropped.
inline constexpr uint64_t kBytesPerNode = 32;
inline constexpr uint64_t kBytesPerEntry = 4;
uint64_t listsBytes(int64_t n, int64_t entries);

// The most links a graph of lists may have, repeats and self-links
// counted. Where a list begins is a 32-bit offset into the entries, half
// the bytes of a 64-bit one, and the walk reads one for every node it
// reaches; a link makes at most two entries, so this many always fit.
// They need 16 GiB of entries.
inline constexpr uint64_t kMaxListLinks = 2147483647;

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
  // repeats are dropped) that may be had: beyond it, past kMaxListLinks
  // links, or when their memory cannot be had, nothing is built and false
  // returned, with entries() the number the graph asked for and
  // linksAsked() its links.
  // REQUIRES: startGraph(n) returned true; every node within 1..n.
  template <class ForEachLink>
  bool build(ForEachLink&& forEachLink, uint64_t maxEntries) {
    std::fill_n(begins_, slots() + 1, uint32_t{0});
    uint64_t links = 0;
    uint64_t entries = 0;
    // A node's count can wrap only when the links are past kMaxListLinks,
    // and then the counts are not used.
    forEachLink([&](int32_t a, int32_t b) {
      ++links;
      ++entries;
      ++begins_[static_cast<std::size_t>(a) + 1];
      if (a != b) {
        ++entries;
        ++begins_[static_cast<std::size_t>(b) + 1];
      }
    });
    linksAsked_ = links;
    entries_ = static_cast<int64_t>(entries);
    if (links > kMaxListLinks || !allocateEntries(maxEntries)) return false;
    // Each list's begin is known now; the walk's stack, not yet in use,
    // holds where each list's fill stands.
    uint32_t* const fill = fillRoom();
    forEachLink([&](int32_t a, int32_t b) {
      nodes_[fill[static_cast<std::size_t>(a)]++] = b;
      if (a != b) nodes_[fill[static_cast<std::size_t>(b)]++] = a;
    });
    finishLists();
    return true;
  }

  int32_t nodes() const { return n_; }
  // The distinct entries: a link twice, a self-link once.
  int64_t entries() const { return entries_; }
  // The links the last build was given, repeats counted.
  uint64_t linksAsked() const { return linksAsked_; }
  // The nodes linked to themselves.
  int64_t selfLinks() const { return selfLinks_; }
  // The distinct links, a self-link counting as one.
  int64_t links() const { return (entries_ + selfLinks_) / 2; }
  // The bytes held now for this graph.
  uint64_t bytes() const { return listsBytes(n_, entries_); }

  // The walk's view of the graph (see RowsGraph).
  //
  // Why a stack: a walk only ever scans the node it reached last that still
  // has neighbours left to look at; every other node it asks about has been
  // scanned to its end. So each node reached gets a frame on a stack, which
  // says where its scan stands, and leaves it when its scan ends; next()
  // scans only the top frame and answers 0 for any other node. Going back
  // to a node then finds its scan on the stack, which the walk touched
  // last, rather than in a per-node array that a large walk has long
  // pushed out of the cache.
  void startWalk();
  void reach(int32_t node) {
    const auto a = static_cast<uint64_t>(node);
    reached_[a >> 6] |= uint64_t{1} << (a & 63);
    frames_[depth_++] = {begins_[a], node,
                         static_cast<int32_t>(begins_[a + 1] - begins_[a])};
  }
  int32_t next(int32_t node) {
    if (depth_ == 0 || frames_[depth_ - 1].node != node) return 0;
    Frame& f = frames_[depth_ - 1];
    for (; f.left > 0; ++f.at, --f.left) {
      const auto b = static_cast<uint64_t>(nodes_[f.at]);
      if ((reached_[b >> 6] >> (b & 63) & 1) == 0) return nodes_[f.at];
    }
    --depth_;
    return 0;
  }
  // Calls f(b) for each neighbour b of node, ascending, until it returns
  // false.
  template <class F>
  void forEachNeighbour(int32_t node, F&& f) const {
    const auto a = static_cast<std::size_t>(node);
    for (uint32_t at = begins_[a]; at < begins_[a + 1]; ++at) {
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
  uint64_t linksAsked_ = 0;
  // The room where each list's fill stands while the lists are built.
  uint32_t* fillRoom() { return reinterpret_cast<uint32_t*>(frames_); }

  // A node on the walk's stack: where its scan stands in nodes_ and how
  // many entries of its list are left to scan. A list holds at most n
  // distinct entries.
  struct Frame {
    uint32_t at;
    int32_t node;
    int32_t left;
  };
  // Where node a's list begins in nodes_; it ends where node a + 1's
  // begins.
  uint32_t* begins_ = nullptr;  // a in 0..slots()
  Frame* frames_ = nullptr;     // slots() frames: each node is pushed once
  std::size_t depth_ = 0;
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
