#include "formats/link_file/node_ids.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>

#include "base/large_array.h"

namespace ugraph {
namespace {

constexpr std::size_t kFirstSlots = 1024;

// The table grows past three quarters full: linear probes stay short, and
// a quarter more ids fit than at half.
std::size_t most(std::size_t slots) { return slots / 4 * 3; }

}  // namespace

NodeIds::~NodeIds() { release(); }

void NodeIds::release() {
  std::free(slots_);
  std::free(ids_);
  std::free(rank_);
  slots_ = nullptr;
  ids_ = nullptr;
  rank_ = nullptr;
  mask_ = 0;
  idCapacity_ = 0;
  count_ = 0;
}

uint64_t NodeIds::bytes(int64_t n) {
  const auto ids = static_cast<uint64_t>(std::max<int64_t>(n, 1));
  return sizeof(Slot) * std::bit_ceil(ids * 4 / 3 + 1) + 8 * (ids + 1);
}

uint64_t NodeIds::heldBytes() const {
  return sizeof(Slot) * (slots_ != nullptr ? mask_ + 1 : 0) + 8 * idCapacity_ +
         (rank_ != nullptr ? 4 * idCapacity_ : 0);
}

void NodeIds::clear(bool keepOrder) {
  if (slots_ != nullptr) std::memset(slots_, 0, (mask_ + 1) * sizeof(Slot));
  std::free(rank_);
  rank_ = nullptr;
  count_ = 0;
  keepOrder_ = keepOrder;
}

bool NodeIds::grow() {
  const std::size_t slots = slots_ == nullptr ? kFirstSlots : 2 * (mask_ + 1);
  if (keepOrder_) {
    const std::size_t capacity = most(slots) + 1;
    auto* const ids =
        static_cast<uint64_t*>(std::realloc(ids_, capacity * sizeof(uint64_t)));
    if (ids == nullptr) return false;
    ids_ = ids;
    idCapacity_ = capacity;
  }
  auto* const table = static_cast<Slot*>(allocateLarge(slots * sizeof(Slot)));
  if (table == nullptr) return false;
  std::memset(table, 0, slots * sizeof(Slot));
  Slot* const old = slots_;
  const std::size_t oldSlots = old == nullptr ? 0 : mask_ + 1;
  slots_ = table;
  mask_ = slots - 1;
  shift_ = 64 - std::countr_zero(slots);
  // Every id met goes again where the larger table puts it.
  for (std::size_t s = 0; s < oldSlots; ++s) {
    if (old[s].number == 0) continue;
    std::size_t slot = slotOf(old[s].id);
    while (slots_[slot].number != 0) slot = (slot + 1) & mask_;
    slots_[slot] = old[s];
  }
  std::free(old);
  return true;
}

int32_t NodeIds::add(uint64_t id, std::size_t slot) {
  if (slots_ == nullptr ||
      static_cast<std::size_t>(count_) + 1 > most(mask_ + 1)) {
    if (count_ == INT32_MAX || !grow()) return 0;
    slot = slotOf(id);
    while (slots_[slot].number != 0) slot = (slot + 1) & mask_;
  }
  ++count_;
  slots_[slot].id = id;
  slots_[slot].number = count_;
  if (keepOrder_) ids_[static_cast<std::size_t>(count_)] = id;
  return count_;
}

bool NodeIds::sortIds() {
  const auto n = static_cast<std::size_t>(count_);
  // The slots' room is free once the ids are sorted: it holds the pairs
  // of id and number that are sorted.
  std::free(rank_);
  rank_ = static_cast<int32_t*>(std::malloc((n + 1) * sizeof(int32_t)));
  if (rank_ == nullptr) return false;
  if (slots_ == nullptr || ids_ == nullptr) return n == 0;
  Slot* const pairs = slots_;
  for (std::size_t k = 1; k <= n; ++k) {
    pairs[k - 1].id = ids_[k];
    pairs[k - 1].number = static_cast<int32_t>(k);
  }
  std::sort(pairs, pairs + n,
            [](const Slot& x, const Slot& y) { return x.id < y.id; });
  for (std::size_t j = 1; j <= n; ++j) {
    ids_[j] = pairs[j - 1].id;
    rank_[static_cast<std::size_t>(pairs[j - 1].number)] =
        static_cast<int32_t>(j);
  }
  // The table no longer finds ids: it is cleared for the next file.
  std::memset(slots_, 0, (mask_ + 1) * sizeof(Slot));
  return true;
}

}  // namespace ugraph
