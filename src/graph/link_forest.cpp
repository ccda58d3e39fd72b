#include "graph/link_forest.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>

namespace ugraph {
namespace {

// The slots of the set of pairs for n nodes: a power of two at least
// twice the n - 1 pairs it may hold, so that probes stay short.
std::size_t pairSlots(int64_t n) {
  return std::bit_ceil(static_cast<std::size_t>(std::max<int64_t>(n, 1)) * 2);
}

std::size_t at(int32_t a) { return static_cast<std::size_t>(a); }

}  // namespace

LinkForest::~LinkForest() { release(); }

void LinkForest::release() {
  std::free(parent_);
  std::free(pairs_);
  parent_ = nullptr;
  pairs_ = nullptr;
  capacity_ = 0;
}

uint64_t LinkForest::bytes(int64_t n) {
  return 4 * static_cast<uint64_t>(n + 1) + 8 * pairSlots(n);
}

bool LinkForest::start(int32_t n) {
  const auto nodes = static_cast<std::size_t>(n) + 1;
  const std::size_t slots = pairSlots(n);
  if (nodes > capacity_ || slots > this->slots()) {
    release();
    parent_ = static_cast<int32_t*>(std::malloc(nodes * sizeof(int32_t)));
    pairs_ = static_cast<uint64_t*>(std::malloc(slots * sizeof(uint64_t)));
    if (parent_ == nullptr || pairs_ == nullptr) {
      release();
      return false;
    }
    capacity_ = nodes;
  }
  n_ = n;
  for (std::size_t a = 0; a < nodes; ++a) parent_[a] = -1;
  std::memset(pairs_, 0, slots * sizeof(uint64_t));
  shift_ = 64 - std::countr_zero(slots);
  parts_ = n;
  cyclic_ = false;
  return true;
}

bool LinkForest::growTo(int32_t n) {
  const auto nodes = static_cast<std::size_t>(n) + 1;
  if (nodes > capacity_) {
    const std::size_t capacity = std::max(nodes, 2 * capacity_);
    auto* const parent = static_cast<int32_t*>(
        std::realloc(parent_, capacity * sizeof(int32_t)));
    if (parent == nullptr) return false;
    parent_ = parent;
    capacity_ = capacity;
  }
  const std::size_t slots = pairSlots(n);
  if (slots > this->slots()) {
    auto* const pairs =
        static_cast<uint64_t*>(std::calloc(slots, sizeof(uint64_t)));
    if (pairs == nullptr) return false;
    uint64_t* const old = pairs_;
    const std::size_t oldSlots = this->slots();
    pairs_ = pairs;
    shift_ = 64 - std::countr_zero(slots);
    for (std::size_t s = 0; s < oldSlots; ++s) {
      if (old[s] != 0) pairIn(old[s], true);
    }
    std::free(old);
  }
  for (std::size_t a = static_cast<std::size_t>(n_) + 1; a < nodes; ++a) {
    parent_[a] = -1;
  }
  parts_ += n - n_;
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
  const std::size_t mask = (std::size_t{1} << (64 - shift_)) - 1;
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

void LinkForest::link(int32_t a, int32_t b) {
  if (a == b) {
    cyclic_ = true;
    return;
  }
  const uint64_t pair =
      a < b ? uint64_t(a) << 32 | uint64_t(b) : uint64_t(b) << 32 | uint64_t(a);
  int32_t ra = find(a);
  int32_t rb = find(b);
  if (ra == rb) {
    // A repeat of a joining link changes nothing; any other closes a cycle.
    if (!cyclic_ && !pairIn(pair, false)) cyclic_ = true;
    return;
  }
  // The smaller tree hangs from the larger: trees stay shallow.
  if (parent_[at(ra)] > parent_[at(rb)]) std::swap(ra, rb);
  parent_[at(ra)] += parent_[at(rb)];
  parent_[at(rb)] = ra;
  --parts_;
  pairIn(pair, true);
}

GraphClass LinkForest::verdict() const {
  if (n_ == 0) return GraphClass::kNoNode;
  if (parts_ != 1) return GraphClass::kNotConnected;
  return cyclic_ ? GraphClass::kConnectedNotTree : GraphClass::kTree;
}

}  // namespace ugraph
