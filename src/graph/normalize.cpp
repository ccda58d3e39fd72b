#include "graph/normalize.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

namespace ugraph {

void normalizeLinks(LinkArray& linkFrom, LinkArray& linkTo) {
  // Row a has bit b set when any entry joins a and b, in either direction:
  // the set of entries a symmetric, duplicate-free list must hold. Reading
  // the rows upward and each row's bits upward visits those entries in
  // ascending linkKey order, each once; that is the sorted, deduplicated
  // key list, built in one pass without sorting. Every entry is marked
  // before any slot is rewritten, so the output may overwrite the input.
  LinkRows linked;
  markLinkRows(linkFrom, linkTo, linked);
  writeLinkRows(linked, linkFrom, linkTo);
}

void markLinkRows(const LinkArray& linkFrom, const LinkArray& linkTo,
                  LinkRows& rows) {
  static_assert(kMaxNodes < 64, "a row holds one bit per node");
  rows = {};
  const auto k = static_cast<std::size_t>(linkFrom[0]);
  for (std::size_t i = 1; i <= k; ++i) {
    const auto a = static_cast<std::size_t>(linkFrom[i]);
    const auto b = static_cast<std::size_t>(linkTo[i]);
    rows[a] |= uint64_t{1} << b;
    rows[b] |= uint64_t{1} << a;
  }
}

namespace {

int32_t countInPlace(const LinkRows& rows, std::size_t last) {
  int32_t total = 0;
  for (std::size_t a = 0; a <= last; ++a) total += bitCount(rows[a]);
  return total;
}

#if defined(__x86_64__) && defined(__GNUC__)
// The same count with the POPCNT instruction, one per row: the x86-64
// baseline lacks it, so it is used only where the processor has it.
__attribute__((target("popcnt"))) int32_t countWithPopcnt(const LinkRows& rows,
                                                          std::size_t last) {
  int32_t total = 0;
  for (std::size_t a = 0; a <= last; ++a) {
    total += __builtin_popcountll(rows[a]);
  }
  return total;
}

bool hasPopcnt() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("popcnt") != 0;
}
const bool kHasPopcnt = hasPopcnt();
#endif

}  // namespace

int32_t entriesIn(const LinkRows& rows, int32_t last) {
  const auto upTo = static_cast<std::size_t>(last);
#if defined(__x86_64__) && defined(__GNUC__)
  if (kHasPopcnt) return countWithPopcnt(rows, upTo);
#endif
  return countInPlace(rows, upTo);
}

void writeLinkRows(const LinkRows& rows, LinkArray& linkFrom, LinkArray& linkTo,
                   int32_t last) {
  std::size_t c = 0;
  for (int32_t a = 1; a <= last; ++a) {
    for (uint64_t row = rows[static_cast<std::size_t>(a)]; row != 0;
         row &= row - 1) {
      ++c;
      linkFrom[c] = a;
      linkTo[c] = std::countr_zero(row);
    }
  }
  linkFrom[0] = static_cast<int32_t>(c);
  linkFrom[c + 1] = 0;
  linkTo[c + 1] = 0;
}

}  // namespace ugraph
