#include "graph/normalize.h"

#include <gtest/gtest.h>

#include "graph/links.h"
#include "graph/row_bits.h"

namespace ugraph {
namespace {

using testing::entriesOf;
using testing::Entry;
using testing::sentinelAfterEntries;
using testing::setLinks;

std::vector<Entry> normalized(int32_t n, const std::vector<Entry>& entries) {
  Ugraph g{};
  setLinks(g, n, entries);
  normalizeLinks(g.linkFrom, g.linkTo);
  EXPECT_TRUE(sentinelAfterEntries(g));
  EXPECT_EQ(g.linkTo[0], n);
  return entriesOf(g);
}

TEST(NormalizeTest, EmptyListStaysEmpty) {
  Ugraph g{};
  setLinks(g, 3, {});
  g.linkFrom[2] = 77;
  normalizeLinks(g.linkFrom, g.linkTo);
  EXPECT_EQ(g.linkFrom[0], 0);
  EXPECT_TRUE(sentinelAfterEntries(g));
  EXPECT_EQ(g.linkFrom[2], 77);
}

TEST(NormalizeTest, AddsTheReverseOfEachEntry) {
  EXPECT_EQ(normalized(2, {{1, 2}}), (std::vector<Entry>{{1, 2}, {2, 1}}));
}

TEST(NormalizeTest, SortsAndDropsRepeatsAndLeavesLaterSlotsAlone) {
  Ugraph g{};
  setLinks(g, 3, {{2, 1}, {1, 2}, {3, 2}, {2, 3}, {2, 3}});
  g.linkFrom[7] = 55;
  g.linkTo[9] = 66;
  normalizeLinks(g.linkFrom, g.linkTo);
  EXPECT_EQ(entriesOf(g), (std::vector<Entry>{{1, 2}, {2, 1}, {2, 3}, {3, 2}}));
  EXPECT_TRUE(sentinelAfterEntries(g));
  EXPECT_EQ(g.linkFrom[7], 55);
  EXPECT_EQ(g.linkTo[9], 66);
}

TEST(NormalizeTest, ASelfLinkIsOneEntry) {
  EXPECT_EQ(normalized(3, {{1, 2}, {2, 3}, {3, 3}}),
            (std::vector<Entry>{{1, 2}, {2, 1}, {2, 3}, {3, 2}, {3, 3}}));
}

TEST(NormalizeTest, TheSameLinksInAnyFormGiveTheSameList) {
  const std::vector<Entry> once = normalized(4, {{1, 2}, {3, 4}});
  EXPECT_EQ(normalized(4, {{2, 1}, {4, 3}, {1, 2}, {3, 4}}), once);
  EXPECT_EQ(normalized(4, {{3, 4}, {1, 2}, {3, 4}, {1, 2}}), once);
}

TEST(NormalizeTest, ASecondApplicationChangesNoSlot) {
  Ugraph g{};
  setLinks(g, 5, {{5, 1}, {2, 4}, {3, 3}, {1, 5}, {4, 2}, {2, 3}});
  normalizeLinks(g.linkFrom, g.linkTo);
  const Ugraph once = g;
  normalizeLinks(g.linkFrom, g.linkTo);
  EXPECT_EQ(g.linkFrom, once.linkFrom);
  EXPECT_EQ(g.linkTo, once.linkTo);
}

TEST(NormalizeTest, TakesAFullRecord) {
  // Every pair of 50 nodes typed in one direction, then again in part,
  // fills all kMaxEntries slots.
  std::vector<Entry> entries;
  for (int32_t a = 1; a <= kMaxNodes; ++a) {
    for (int32_t b = a + 1; b <= kMaxNodes; ++b) entries.push_back({a, b});
  }
  for (std::size_t i = 0; entries.size() < kMaxEntries; ++i) {
    entries.push_back({entries[i].to, entries[i].from});
  }
  const std::vector<Entry> result = normalized(kMaxNodes, entries);
  ASSERT_EQ(result.size(), 50u * 49u);
  EXPECT_EQ(result.front(), (Entry{1, 2}));
  EXPECT_EQ(result.back(), (Entry{50, 49}));
}

// The count the processor is chosen for, and its plain twin, on rows from
// empty to full, every bit on its own, and patterns between.
TEST(NormalizeTest, BitCountsAgreeWithTheirPlainTwin) {
  LinkRows rows{};
  EXPECT_EQ(countRowBits(rows, kMaxNodes), 0);
  uint64_t pattern = 0x9E3779B97F4A7C15U;
  for (std::size_t a = 0; a <= kMaxNodes; ++a) {
    rows[a] = a % 7 == 0 ? ~uint64_t{0} : pattern;
    pattern = pattern * 6364136223846793005U + 1442695040888963407U;
  }
  for (std::size_t last = 0; last <= kMaxNodes; ++last) {
    EXPECT_EQ(countRowBits(rows, last), countRowBitsInPlace(rows, last));
  }
  EXPECT_EQ(countRowBitsInPlace(rows, 0), 64);
  for (int bit = 0; bit < 64; ++bit) {
    EXPECT_EQ(bitCount(uint64_t{1} << bit), 1);
  }
}

}  // namespace
}  // namespace ugraph
