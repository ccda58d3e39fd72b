#include "graph/normalize.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

#include "graph/row_bits.h"

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

int32_t entriesIn(const LinkRows& rows, int32_t last) {
  return countRowBits(rows, static_cast<std::size_t>(last));
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
