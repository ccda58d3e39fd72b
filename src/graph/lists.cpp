#include "graph/lists.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdlib>

namespace ugraph {
namespace {

// An array of a large graph is read at random, a load from memory for
// each node the walk reaches, and with pages of 4 KiB nearly each load
// would also miss the processor's table of pages. So an array of 4 MiB or
// more is laid on whole 2 MiB pages and the system asked to back it with
// huge pages (where it allows them, only when asked); it also takes a
// fault a huge page rather than one every 4 KiB. What rounding up adds is
// under 2 MiB an array.
void* allocateLarge(std::size_t bytes) {
  constexpr std::size_t kHuge = std::size_t{2} << 20;
  if (bytes < 2 * kHuge) return std::malloc(bytes);
  const std::size_t rounded = (bytes + kHuge - 1) / kHuge * kHuge;
  void* const p = std::aligned_alloc(kHuge, rounded);
  // A refusal of the advice leaves ordinary pages, which serve as well.
  if (p != nullptr) madvise(p, rounded, MADV_HUGEPAGE);
  return p;
}

std::size_t words(std::size_t bits) { return (bits + 63) / 64; }

// The bytes of the per-node block for slots slots.
std::size_t nodeBlockBytes(std::size_t slots) {
  return words(slots) * sizeof(uint64_t) + (slots + 1) * sizeof(uint32_t) +
         slots * 3 * sizeof(int32_t) + 4 * slots * sizeof(int32_t);
}

}  // namespace

uint64_t listsBytes(int64_t n, int64_t entries) {
  const auto nodes = static_cast<uint64_t>(std::max<int64_t>(n, 1)) + 1;
  return kBytesPerNode * nodes + 8 * (words(nodes) + 2) +
         kBytesPerEntry * static_cast<uint64_t>(entries);
}

NeighbourLists::~NeighbourLists() { release(); }

void NeighbourLists::release() {
  std::free(nodeBlock_);
  std::free(nodes_);
  nodeBlock_ = nullptr;
  nodes_ = nullptr;
  nodeBlockSize_ = 0;
  entryCapacity_ = 0;
}

bool NeighbourLists::startGraph(int32_t n) {
  n_ = n;
  entries_ = 0;
  selfLinks_ = 0;
  const std::size_t need = nodeBlockBytes(slots());
  if (need > nodeBlockSize_ || need < nodeBlockSize_ / 4) {
    std::free(nodeBlock_);
    nodeBlock_ = allocateLarge(need);
    nodeBlockSize_ = nodeBlock_ == nullptr ? 0 : need;
    if (nodeBlock_ == nullptr) {
      release();
      return false;
    }
  }
  // The block is laid out widest first, so that every array is aligned.
  auto* const at = static_cast<char*>(nodeBlock_);
  const std::size_t s = slots();
  reached_ = reinterpret_cast<uint64_t*>(at);
  begins_ = reinterpret_cast<uint32_t*>(reached_ + words(s));
  frames_ = reinterpret_cast<Frame*>(begins_ + s + 1);
  walk_.order = reinterpret_cast<int32_t*>(frames_ + s);
  walk_.rank = walk_.order + s;
  walk_.parent = walk_.rank + s;
  cycle_ = walk_.parent + s;
  walk_.count = 0;
  return true;
}

bool NeighbourLists::allocateEntries(uint64_t maxEntries) {
  const std::size_t s = slots();
  for (std::size_t a = 1; a < s; ++a) begins_[a + 1] += begins_[a];
  const auto wanted = static_cast<uint64_t>(entries_);
  if (wanted > maxEntries) return false;
  if (wanted > entryCapacity_ || wanted < entryCapacity_ / 4) {
    std::free(nodes_);
    entryCapacity_ = 0;
    nodes_ = static_cast<int32_t*>(
        allocateLarge(std::max<std::size_t>(wanted, 1) * sizeof(int32_t)));
    if (nodes_ == nullptr) return false;
    entryCapacity_ = std::max<std::size_t>(wanted, 1);
  }
  std::copy_n(begins_, s, fillRoom());
  return true;
}

// nauty writes each node's neighbours in ascending order, and a graph6 line
// can hold them no other way, so a list is sorted only when it is found
// not to be; repeats, which sparse6 allows, then stand side by side.
void NeighbourLists::finishLists() {
  const std::size_t s = slots();
  uint32_t kept = 0;
  int64_t selfLinks = 0;
  for (std::size_t a = 1; a < s; ++a) {
    int32_t* const begin = nodes_ + begins_[a];
    int32_t* const end = nodes_ + begins_[a + 1];
    if (!std::is_sorted(begin, end)) std::sort(begin, end);
    begins_[a] = kept;
    int32_t last = 0;
    for (const int32_t* p = begin; p != end; ++p) {
      if (*p == last) continue;
      last = *p;
      nodes_[kept++] = last;
      if (last == static_cast<int32_t>(a)) ++selfLinks;
    }
  }
  begins_[s] = kept;
  entries_ = kept;
  selfLinks_ = selfLinks;
}

void NeighbourLists::startWalk() {
  depth_ = 0;
  std::fill_n(reached_, words(slots()), uint64_t{0});
}

}  // namespace ugraph
