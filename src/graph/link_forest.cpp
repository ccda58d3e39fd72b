#include "graph/link_forest.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>

#include "base/large_array.h"

namespace ugraph {
namespace {

// The slots the set of pairs starts with; it doubles when half full.
constexpr std::size_t kFirstSlots = 1024;

// The slots of the set of pairs for n nodes at most: a power of two at
// least twice the n - 1 pairs it may hold, so that probes stay short.
std::size_t pairSlots(int64_t n) {
  return std::bit_ceil(static_cast<std::size_t>(std::max<int64_t>(n, 1)) * 2);
}

std::size_t at(int32_t a) { return static_cast<std::size_t>(a); }

// A link as one key: a in the high half, b in the low.
uint64_t pairOf(int32_t a, int32_t b) {
  return uint64_t{static_cast<uint32_t>(a)} << 32 | static_cast<uint32_t>(b);
}

}  // namespace

LinkForest::~LinkForest() { release(); }

void LinkForest::release() {
  std::free(parent_);
  std::free(pairs_);
  std::free(linkUp_);
  parent_ = nullptr;
  pairs_ = nullptr;
  linkUp_ = nullptr;
  capacity_ = 0;
}

// The joins are kept beside the parents, at the same capacity.
bool LinkForest::growJoins(std::size_t capacity, const int32_t* newOf) {
  if (!keepJoins_) return true;
  auto* const up =
      static_cast<int32_t*>(allocateLarge(capacity * sizeof(int32_t)));
  if (up == nullptr) return false;
  std::memset(up, 0, capacity * sizeof(int32_t));
  if (linkUp_ != nullptr) {
    for (int32_t a = 1; a <= n_; ++a) {
      const int32_t b = linkUp_[a];
      if (newOf == nullptr) {
        up[a] = b;
      } else if (newOf[a] != 0) {
        up[newOf[a]] = b == 0 ? 0 : newOf[b];
      }
    }
  }
  std::free(linkUp_);
  linkUp_ = up;
  return true;
}

void LinkForest::join(int32_t a, int32_t b) {
  // Reroots a's tree at a: each link on the path is turned round.
  int32_t from = 0;
  for (int32_t at = a; at != 0;) {
    const int32_t up = linkUp_[at];
    linkUp_[at] = from;
    from = at;
    at = up;
  }
  linkUp_[a] = b;
}

uint64_t LinkForest::bytes(int64_t n) {
  return 4 * static_cast<uint64_t>(n + 1) +
         8 * std::max(pairSlots(n), kFirstSlots);
}

bool LinkForest::start(int32_t n) {
  const auto nodes = static_cast<std::size_t>(n) + 1;
  if (nodes > capacity_ || (keepJoins_ && linkUp_ == nullptr)) {
    std::free(parent_);
    std::free(linkUp_);
    linkUp_ = nullptr;
    n_ = 0;
    parent_ = static_cast<int32_t*>(allocateLarge(nodes * sizeof(int32_t)));
    capacity_ = parent_ == nullptr ? 0 : nodes;
    if (parent_ == nullptr || !growJoins(nodes, nullptr)) return false;
  }
  if (!keepJoins_) {
    std::free(linkUp_);
    linkUp_ = nullptr;
  } else {
    std::memset(linkUp_, 0, nodes * sizeof(int32_t));
  }
  closing_ = 0;
  selfLinked_ = 0;
  if (pairs_ == nullptr) {
    pairs_ =
        static_cast<uint64_t*>(std::malloc(kFirstSlots * sizeof(uint64_t)));
    if (pairs_ == nullptr) return false;
    shift_ = 64 - std::countr_zero(kFirstSlots);
  }
  n_ = n;
  for (std::size_t a = 0; a < nodes; ++a) parent_[a] = -1;
  std::memset(pairs_, 0, slots() * sizeof(uint64_t));
  joins_ = 0;
  parts_ = n;
  cyclic_ = false;
  failed_ = false;
  return true;
}

bool LinkForest::growTo(int32_t n) {
  const auto nodes = static_cast<std::size_t>(n) + 1;
  if (nodes > capacity_) {
    const std::size_t capacity = std::max(nodes, 2 * capacity_);
    auto* const parent =
        static_cast<int32_t*>(allocateLarge(capacity * sizeof(int32_t)));
    if (parent == nullptr || !growJoins(capacity, nullptr)) {
      std::free(parent);
      return false;
    }
    if (parent_ != nullptr) {
      std::memcpy(parent, parent_,
                  (static_cast<std::size_t>(n_) + 1) * sizeof(int32_t));
    }
    std::free(parent_);
    parent_ = parent;
    capacity_ = capacity;
  }
  for (std::size_t a = static_cast<std::size_t>(n_) + 1; a < nodes; ++a) {
    parent_[a] = -1;
    if (linkUp_ != nullptr) linkUp_[a] = 0;
  }
  parts_ += n - n_;
  n_ = n;
  return true;
}

bool LinkForest::relabel(const int32_t* newOf, int32_t n) {
  auto* const parent = static_cast<int32_t*>(
      allocateLarge((static_cast<std::size_t>(n) + 1) * sizeof(int32_t)));
  if (parent == nullptr || !growJoins(static_cast<std::size_t>(n) + 1, newOf)) {
    std::free(parent);
    return false;
  }
  if (closing_ != 0) {
    closing_ = pairOf(newOf[closing_ >> 32], newOf[closing_ & 0xFFFFFFFF]);
  }
  if (selfLinked_ != 0) selfLinked_ = newOf[selfLinked_];
  int64_t dropped = 0;
  for (int32_t a = 1; a <= n_; ++a) {
    const int32_t to = newOf[at(a)];
    if (to == 0) {
      ++dropped;  // never linked: a tree of its own, gone
      continue;
    }
    const int32_t up = parent_[at(a)];
    parent[at(to)] = up < 0 ? up : newOf[at(up)];
  }
  std::free(parent_);
  parent_ = parent;
  capacity_ = static_cast<std::size_t>(n) + 1;
  // The joining links, under their new numbers.
  if (!cyclic_) {
    const std::size_t count = slots();
    for (std::size_t s = 0; s < count; ++s) {
      const uint64_t pair = pairs_[s];
      if (pair == 0) continue;
      const int32_t a = newOf[pair >> 32];
      const int32_t b = newOf[pair & 0xFFFFFFFF];
      pairs_[s] = a < b ? uint64_t(a) << 32 | uint64_t(b)
                        : uint64_t(b) << 32 | uint64_t(a);
    }
    // Every key moved: they go again where the set puts them.
    auto* const old =
        static_cast<uint64_t*>(std::malloc(count * sizeof(uint64_t)));
    if (old != nullptr) {
      std::memcpy(old, pairs_, count * sizeof(uint64_t));
      std::memset(pairs_, 0, count * sizeof(uint64_t));
      for (std::size_t s = 0; s < count; ++s) {
        if (old[s] != 0) pairIn(old[s], true);
      }
      std::free(old);
    } else {
      cyclic_ = true;  // cannot happen in practice; a safe answer is none
    }
  }
  parts_ -= dropped;
  n_ = n;
  return true;
}

int32_t LinkForest::find(int32_t a) {
  while (parent_[at(a)] >= 0) {
    const int32_t up = parent_[at(a)];
    if (parent_[at(up)] >= 0) parent_[at(a)] = parent_[at(up)];
    a = up;
  }
  return a;
}

bool LinkForest::pairIn(uint64_t pair, bool insert) {
  const std::size_t mask = slots() - 1;
  // Fibonacci hashing: the multiplier's high bits mix every bit of the key.
  auto slot =
      static_cast<std::size_t>((pair * 0x9E3779B97F4A7C15ULL) >> shift_);
  for (;; slot = (slot + 1) & mask) {
    if (pairs_[slot] == pair) return true;
    if (pairs_[slot] == 0) {
      if (insert) pairs_[slot] = pair;
      return false;
    }
  }
}

void LinkForest::growPairs() {
  const std::size_t count = slots();
  auto* const larger =
      static_cast<uint64_t*>(allocateLarge(2 * count * sizeof(uint64_t)));
  if (larger != nullptr) std::memset(larger, 0, 2 * count * sizeof(uint64_t));
  if (larger == nullptr) {
    // Without room to tell repeats, the verdict is still sound for a
    // graph that has a cycle anyway; any other would be misjudged, so the
    // forest says so.
    failed_ = true;
    return;
  }
  uint64_t* const old = pairs_;
  pairs_ = larger;
  --shift_;
  for (std::size_t s = 0; s < count; ++s) {
    if (old[s] != 0) pairIn(old[s], true);
  }
  std::free(old);
}

void LinkForest::link(int32_t a, int32_t b) {
  if (a == b) {
    if (selfLinked_ == 0) selfLinked_ = a;
    cyclic_ = true;
    return;
  }
  const uint64_t pair =
      a < b ? uint64_t(a) << 32 | uint64_t(b) : uint64_t(b) << 32 | uint64_t(a);
  int32_t ra = find(a);
  int32_t rb = find(b);
  if (ra == rb) {
    // A repeat of a joining link changes nothing; any other closes a cycle.
    if (cyclic_) return;
    const bool repeat = linkUp_ != nullptr
                            ? linkUp_[at(a)] == b || linkUp_[at(b)] == a
                            : pairIn(pair, false);
    if (!repeat) {
      cyclic_ = true;
      closing_ = pairOf(a, b);
    }
    return;
  }
  // The smaller tree hangs from the larger: trees stay shallow.
  const bool swapped = parent_[at(ra)] > parent_[at(rb)];
  if (swapped) std::swap(ra, rb);
  parent_[at(ra)] += parent_[at(rb)];
  parent_[at(rb)] = ra;
  --parts_;
  if (linkUp_ != nullptr) {
    // The end in the smaller tree, rb's, hangs from the other.
    swapped ? join(a, b) : join(b, a);
    return;
  }
  // Once a cycle is found, no repeat needs telling from a new link.
  if (cyclic_) return;
  if (2 * (joins_ + 1) > slots()) growPairs();
  if (failed_) return;
  pairIn(pair, true);
  ++joins_;
}

GraphClass LinkForest::verdict() const {
  if (n_ == 0) return GraphClass::kNoNode;
  if (parts_ != 1) return GraphClass::kNotConnected;
  return cyclic_ ? GraphClass::kConnectedNotTree : GraphClass::kTree;
}

}  // namespace ugraph
