#include "graph/row_bits.h"

#include "base/kernels.h"

namespace ugraph {

int32_t countRowBitsInPlace(const LinkRows& rows, std::size_t last) {
  int32_t total = 0;
  for (std::size_t a = 0; a <= last; ++a) total += bitCount(rows[a]);
  return total;
}

#if defined(__x86_64__) && defined(__GNUC__) && !defined(UGRAPH_PLAIN)
namespace {

__attribute__((target("popcnt"))) int32_t countWithPopcnt(const LinkRows& rows,
                                                          std::size_t last) {
  int32_t total = 0;
  for (std::size_t a = 0; a <= last; ++a) {
    total += __builtin_popcountll(rows[a]);
  }
  return total;
}

}  // namespace

int32_t countRowBits(const LinkRows& rows, std::size_t last) {
  // Every kernel but the plain one comes with POPCNT.
  return activeKernel() != Kernel::kPlain ? countWithPopcnt(rows, last)
                                          : countRowBitsInPlace(rows, last);
}
#else
int32_t countRowBits(const LinkRows& rows, std::size_t last) {
  return countRowBitsInPlace(rows, last);
}
#endif

}  // namespace ugraph
