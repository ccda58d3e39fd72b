#include "graph/lists.h"

#include <algorithm>
#include <cstdlib>

#include "base/large_array.h"

namespace ugraph {
namespace {

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
