// Arrays of large graphs, read at random.
#ifndef UGRAPH_BASE_LARGE_ARRAY_H_
#define UGRAPH_BASE_LARGE_ARRAY_H_

#include <sys/mman.h>

#include <cstddef>
#include <cstdlib>

namespace ugraph {

// An array of a large graph is read at random, a load from memory for
// each node the walk reaches, and with pages of 4 KiB nearly each load
// would also miss the processor's table of pages. So an array of 4 MiB or
// more is laid on whole 2 MiB pages and the system asked to back it with
// huge pages (where it allows them, only when asked); it also takes a
// fault a huge page rather than one every 4 KiB. What rounding up adds is
// under 2 MiB an array.
// Freed with std::free.
inline void* allocateLarge(std::size_t bytes) {
  constexpr std::size_t kHuge = std::size_t{2} << 20;
  if (bytes < 2 * kHuge) return std::malloc(bytes);
  const std::size_t rounded = (bytes + kHuge - 1) / kHuge * kHuge;
  void* const p = std::aligned_alloc(kHuge, rounded);
  // A refusal of the advice leaves ordinary pages, which serve as well.
  if (p != nullptr) madvise(p, rounded, MADV_HUGEPAGE);
  return p;
}

}  // namespace ugraph

#endif  // UGRAPH_BASE_LARGE_ARRAY_H_
