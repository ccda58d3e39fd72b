// The nodes of a file whose links name them by ids of their own (any
// 64-bit numbers, in any order): each id numbered as it is first met, in
// memory proportional to the ids met, and the numbering by ascending id
// that the walk and every writer use.
#ifndef UGRAPH_FORMATS_LINK_FILE_NODE_IDS_H_
#define UGRAPH_FORMATS_LINK_FILE_NODE_IDS_H_

#include <cstddef>
#include <cstdint>

namespace ugraph {

class NodeIds {
 public:
  NodeIds() = default;
  NodeIds(const NodeIds&) = delete;
  NodeIds& operator=(const NodeIds&) = delete;
  ~NodeIds();

  // What n ids take at most: a slot of 12 bytes for each, the table kept
  // at most three quarters full, and 8 bytes an id for the ids in order
  // met when they are kept.
  static uint64_t bytes(int64_t n);

  // Forgets every id; storage is kept for the next file. keepOrder: the
  // ids are kept in the order met too, so that they can be sorted.
  void clear(bool keepOrder = true);

  // Starts fetching id's slot, which numberOf(id) will read.
  void prefetch(uint64_t id) const {
    if (slots_ != nullptr) __builtin_prefetch(slots_ + slotOf(id));
  }

  // The number of id, from 1 in the order met; 0 when the memory to hold
  // a new id cannot be had, or it would be past INT32_MAX ids.
  int32_t numberOf(uint64_t id) {
    if (slots_ == nullptr) return add(id, 0);
    std::size_t slot = slotOf(id);
    for (;; slot = (slot + 1) & mask_) {
      const int32_t number = slots_[slot].number;
      if (number == 0) break;
      if (slots_[slot].id == id) return number;
    }
    return add(id, slot);
  }

  int32_t count() const { return count_; }
  // The id numbered k when met. REQUIRES: 1 <= k <= count(), the order
  // kept (clear(true)) and not yet sorted.
  uint64_t metAt(int32_t k) const { return ids_[k]; }
  // The bytes held now.
  uint64_t heldBytes() const;

  // Renumbers the ids by ascending value: rank[k] is the new number of the
  // id numbered k when met (rank[0] unused), and sorted()[j] the id of new
  // number j (sorted()[0] unused). The table of slots is given up to make
  // room. False when the memory cannot be had.
  bool sortIds();
  const int32_t* rank() const { return rank_; }
  const uint64_t* sorted() const { return ids_; }

 private:
  // Packed: 12 bytes rather than 16 keeps a quarter more slots in each
  // cache line and page, and a lookup misses the cache either way.
  struct __attribute__((packed)) Slot {
    uint64_t id;
    int32_t number;  // 0: empty
  };
  std::size_t slotOf(uint64_t id) const {
    // Fibonacci hashing: the multiplier's high bits mix every bit of an id,
    // so ids that are dense, strided or spread all land evenly.
    return static_cast<std::size_t>((id * 0x9E3779B97F4A7C15ULL) >> shift_);
  }
  int32_t add(uint64_t id, std::size_t slot);
  bool grow();
  void release();

  Slot* slots_ = nullptr;
  std::size_t mask_ = 0;
  int shift_ = 64;
  uint64_t* ids_ = nullptr;  // [1..count_]: in the order met, then sorted
  std::size_t idCapacity_ = 0;
  int32_t* rank_ = nullptr;
  int32_t count_ = 0;
  bool keepOrder_ = true;
};

}  // namespace ugraph

#endif  // UGRAPH_FORMATS_LINK_FILE_NODE_IDS_H_
