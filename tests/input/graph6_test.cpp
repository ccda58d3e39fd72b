#include "input/graph6.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "graph/links.h"

namespace ugraph {
namespace {

struct Decoded {
  ParseResult result;
  int32_t n = -1;
  LinkRows rows{};
};

Decoded decode(std::string_view line, LineFormat format) {
  Decoded d;
  d.result = decodeGraphLine(line, format, d.n, d.rows);
  return d;
}

// Every refusal, at the byte the format's rules name.
TEST(Graph6Test, RefusesABadLineAtItsFault) {
  struct Case {
    std::string line;
    LineFormat format;
    Refusal refusal;
    std::size_t at;
  };
  const auto g6 = LineFormat::kGraph6;
  const auto s6 = LineFormat::kSparse6;
  const std::vector<Case> cases = {
      {"", g6, Refusal::kLineTooShort, 0},
      {"C", g6, Refusal::kLineTooShort, 1},    // 4 nodes need one more byte
      {"C~~", g6, Refusal::kLineTooLong, 2},   // the first extra byte
      {"C~ ", g6, Refusal::kBadByte, 2},       // a blank is below 63
      {"C\x7F", g6, Refusal::kBadByte, 1},     // DEL is above 126
      {"r", g6, Refusal::kOver50Nodes, 0},     // 51 nodes
      {"~?@?", g6, Refusal::kOver50Nodes, 0},  // 63 nodes in four bytes
      {"~?", g6, Refusal::kLineTooShort, 2},
      {"&C~", g6, Refusal::kDigraph, 0},
      {":r", s6, Refusal::kOver50Nodes, 1},
      {"C~", s6, Refusal::kNotSparse6, 0},
      {":C!", s6, Refusal::kBadByte, 2},
      {":", s6, Refusal::kLineTooShort, 1},
  };
  for (const Case& c : cases) {
    const Decoded d = decode(c.line, c.format);
    EXPECT_EQ(d.result.refusal, c.refusal) << c.line;
    EXPECT_EQ(d.result.at, c.at) << c.line;
  }
}

std::vector<testing::Entry> entriesOf(const Decoded& d) {
  Ugraph g;
  g.linkTo[0] = d.n;
  writeLinkRows(d.rows, g.linkFrom, g.linkTo);
  return testing::entriesOf(g);
}

TEST(Graph6Test, DecodesTheUpperTriangleColumnByColumn) {
  // x(0,1)=1, x(0,2)=0, x(1,2)=1 and padding that is ignored: 101111.
  const Decoded d = decode(std::string("B") + static_cast<char>(63 + 0b101111),
                           LineFormat::kGraph6);
  ASSERT_EQ(d.result.refusal, Refusal::kNone);
  EXPECT_EQ(d.n, 3);
  EXPECT_EQ(entriesOf(d),
            (std::vector<testing::Entry>{{1, 2}, {2, 1}, {2, 3}, {3, 2}}));
}

TEST(Graph6Test, Sparse6KeepsSelfLinksAndCountsARepeatOnce) {
  // n = 2, k = 1: pairs (0,0) link 0-0, (0,0) again, (1,1) links 1-1,
  // then padding 1-bits: 00 00 11 | 11.
  const Decoded d =
      decode(std::string(":A") + static_cast<char>(63 + 0b000011) + "~",
             LineFormat::kSparse6);
  ASSERT_EQ(d.result.refusal, Refusal::kNone);
  EXPECT_EQ(entriesOf(d), (std::vector<testing::Entry>{{1, 1}, {2, 2}}));
}

// Every link among 50 nodes and a self-link at each: 2500 entries, one
// more than the record holds. Written pair by pair: for each node j, the
// pair that moves v to it, then one naming each i <= j.
TEST(Graph6Test, Sparse6PastTheRecordIsRefused) {
  std::string bits;
  const auto pair = [&](int b, int x) {
    bits += static_cast<char>('0' + b);
    for (int i = 5; i >= 0; --i) bits += static_cast<char>('0' + (x >> i & 1));
  };
  for (int j = 0; j < 50; ++j) {
    for (int i = 0; i <= j; ++i) pair(j > 0 && i == 0 ? 1 : 0, i);
  }
  while (bits.size() % 6 != 0) bits += '1';
  std::string line = ":q";  // 50 nodes
  for (std::size_t i = 0; i < bits.size(); i += 6) {
    line += static_cast<char>(63 + std::stoi(bits.substr(i, 6), nullptr, 2));
  }
  EXPECT_EQ(decode(line, LineFormat::kSparse6).result.refusal,
            Refusal::kTooManyEntries);
}

// nauty pads with 0 then 1-bits where 1-bits alone would read as a link
// to node n - 1: n a power of two up to 16, a link at node n - 2, none
// at n - 1, and room for a whole pair in the padding.
TEST(Graph6Test, Sparse6PadsAsNautyDoes) {
  Ugraph g;
  g.linkTo[0] = 2;
  LinkRows rows{};
  rows[1] = uint64_t{1} << 1;  // node 1 linked to itself: node n - 2 = 0
  writeLinkRows(rows, g.linkFrom, g.linkTo);
  GraphLine out;
  // Pair (0, 0): bits 00, then padding 0111.
  EXPECT_EQ(encodeGraphLine(g, LineFormat::kSparse6, out),
            std::string(":A") + static_cast<char>(63 + 0b000111) + "\n");
}

}  // namespace
}  // namespace ugraph
