// Link normalisation: from the raw link list an input reader leaves to the
// form the analysis relies on.
#ifndef UGRAPH_GRAPH_NORMALIZE_H_
#define UGRAPH_GRAPH_NORMALIZE_H_

#include <array>
#include <cstdint>

#include "graph/ugraph.h"

namespace ugraph {

// The packed form of one directed entry, which orders the normalised list:
// ascending keys are ascending from-node, then ascending to-node.
// REQUIRES: 1 <= from, to <= 9999.
constexpr int32_t linkKey(int32_t from, int32_t to) {
  return from * 10000 + to;
}

// Rewrites the entries in place: every entry (a, b) also present as (b, a),
// all in ascending linkKey order, none twice. Sets linkFrom[0] to the number
// c of entries kept and puts the 0 sentinel in slot c+1 of both arrays;
// linkTo[0] and the slots beyond c+1 are left as they were. Applied to its
// own result it changes nothing.
// Runs in time linear in k.
// REQUIRES: 0 <= linkFrom[0] = k <= kMaxEntries; entries in slots 1..k with
// node numbers in 1..kMaxNodes; the result has at most kMaxEntries entries
// (true when no node links to itself, or k <= kMaxEntries / 2).
void normalizeLinks(LinkArray& linkFrom, LinkArray& linkTo);

// The links of a graph as one row of bits per node: row a has bit b set
// when a and b are linked (so bit a of row b too).
using LinkRows = std::array<uint64_t, kMaxNodes + 1>;

// Marks every entry of the list, in both directions, in rows (which it
// clears first). REQUIRES: as for normalizeLinks.
void markLinkRows(const LinkArray& linkFrom, const LinkArray& linkTo,
                  LinkRows& rows);

// The bits set in row. Without the POPCNT instruction, which the x86-64
// baseline lacks, std::popcount calls into libgcc; this adds the bits in
// place, a handful of instructions.
constexpr int32_t bitCount(uint64_t row) {
  row -= row >> 1 & 0x5555555555555555U;
  row = (row & 0x3333333333333333U) + (row >> 2 & 0x3333333333333333U);
  row = (row + (row >> 4)) & 0x0F0F0F0F0F0F0F0FU;
  return static_cast<int32_t>(row * 0x0101010101010101U >> 56);
}

// The number of entries rows 0..last hold: two for a link, one for a
// self-link. REQUIRES: 0 <= last <= kMaxNodes.
int32_t entriesIn(const LinkRows& rows, int32_t last = kMaxNodes);

// Writes the entries that rows hold in normalised form, as normalizeLinks
// leaves them: the count in linkFrom[0], the sentinel after them;
// linkTo[0] is left as it is. Rows past last are not looked at.
// REQUIRES: entriesIn(rows) <= kMaxEntries; every node of rows <= last.
void writeLinkRows(const LinkRows& rows, LinkArray& linkFrom, LinkArray& linkTo,
                   int32_t last = kMaxNodes);

}  // namespace ugraph

#endif  // UGRAPH_GRAPH_NORMALIZE_H_
