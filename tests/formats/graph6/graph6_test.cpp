#include "formats/graph6/graph6.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "graph/links.h"

namespace ugraph {
namespace {

struct Decoded {
  ParseResult result;
  int32_t n = -1;
  LinkRows rows{};
};

Decoded decode(std::string_view line) {
  Decoded d;
  d.result = decodeGraphLine(line, d.n, d.rows);
  return d;
}

// Every refusal, at the byte the format's rules name; the first byte names
// the format.
TEST(Graph6Test, RefusesABadLineAtItsFault) {
  struct Case {
    std::string line;
    Refusal refusal;
    std::size_t at;
  };
  const std::vector<Case> cases = {
      {"", Refusal::kLineTooShort, 0},
      {"C", Refusal::kLineTooShort, 1},    // 4 nodes need one more byte
      {"C~~", Refusal::kLineTooLong, 2},   // the first extra byte
      {"C~ ", Refusal::kBadByte, 2},       // a blank is below 63
      {"C\x7F", Refusal::kBadByte, 1},     // DEL is above 126
      {"r", Refusal::kOver50Nodes, 0},     // 51 nodes
      {"~?@?", Refusal::kOver50Nodes, 0},  // 63 nodes in four bytes
      {"~?", Refusal::kLineTooShort, 2},
      {"&C~", Refusal::kDigraph, 0},
      {":r", Refusal::kOver50Nodes, 1},
      {":C!", Refusal::kBadByte, 2},
      {":", Refusal::kLineTooShort, 1},
  };
  for (const Case& c : cases) {
    const Decoded d = decode(c.line);
    EXPECT_EQ(d.result.refusal, c.refusal) << c.line;
    EXPECT_EQ(d.result.at, c.at) << c.line;
  }
}

// The front of a line of any size: both long forms of the node count, and
// a count past 32 bits' nodes.
TEST(Graph6Test, ReadsEveryFormOfTheNodeCount) {
  struct Case {
    std::string line;
    Refusal refusal;
    int32_t n;
  };
  const std::vector<Case> cases = {
      {":}", Refusal::kNone, 62},  // the last count of one byte
      {":~??~", Refusal::kNone, 63},
      {":~}~~", Refusal::kNone, 258047},        // the last count of four
      {":~~???~?", Refusal::kLineTooShort, 0},  // one byte short of eight
      {":~~???~??", Refusal::kNone, 258048},
      {":~~A?????", Refusal::kTooManyNodes, 0},  // 2^31
      {":~~@~~~~~", Refusal::kNone, INT32_MAX},
      {"~~?????~", Refusal::kLineTooShort, 0},  // graph6's bits missing
  };
  for (const Case& c : cases) {
    LineHead head;
    const ParseResult read = readLineHead(c.line, head);
    EXPECT_EQ(read.refusal, c.refusal) << c.line;
    if (c.refusal == Refusal::kNone) {
      EXPECT_EQ(head.n, c.n) << c.line;
    }
  }
}

// A graph without links of n nodes, for the encoder.
struct Empty {
  int32_t n;
  int32_t nodes() const { return n; }
  template <class F>
  void forEachNeighbour(int32_t /*node*/, F&& /*f*/) const {}
};

// The node count is written in one byte up to 62, four up to 258047 and
// eight beyond, as nauty writes it, and read back as it was written.
TEST(Graph6Test, WritesTheNodeCountInTheFormItNeeds) {
  for (const auto& [n, front] :
       std::vector<std::pair<int32_t, std::string>>{{62, ":}"},
                                                    {63, ":~??~"},
                                                    {258047, ":~}~~"},
                                                    {258048, ":~~???~??"},
                                                    {INT32_MAX, ":~~@~~~~~"}}) {
    std::string line;
    ASSERT_TRUE(encodeGraph(Empty{n}, LineFormat::kSparse6,
                            [&](std::string_view piece) { line += piece; }));
    EXPECT_EQ(line.substr(0, front.size()), front) << n;
    LineHead head;
    line.pop_back();
    EXPECT_EQ(readLineHead(line, head).refusal, Refusal::kNone) << n;
    EXPECT_EQ(head.n, n);
  }
}

// Long lines are checked eight bytes at a time: a bad byte is found at
// every offset, whatever its value, and the bytes at the range's edges
// pass.
TEST(Graph6Test, FindsABadByteAtEveryOffsetOfALongLine) {
  for (const char bad : {'\0', ' ', '>', '\x7F', '\x80', '\xBF', '\xFF'}) {
    for (std::size_t at = 1; at < 40; ++at) {
      std::string line = ":";
      for (std::size_t i = 1; i < 40; ++i) line += i % 2 == 0 ? '?' : '~';
      line[at] = bad;
      LineHead head;
      const ParseResult read = readLineHead(line, head);
      EXPECT_EQ(read.refusal, Refusal::kBadByte) << at << " " << int{bad};
      EXPECT_EQ(read.at, at) << at << " " << int{bad};
    }
  }
}

// The bits taken in runs of 1 to 32, eight bytes packed at once, are the
// bits of the bytes one by one.
TEST(Graph6Test, TakesTheSameBitsAsOneByOne) {
  std::string bytes;
  std::string bits;
  for (int i = 0; i < 300; ++i) {
    const int value = (i * 37 + i / 7) % 64;
    bytes += static_cast<char>(63 + value);
    for (int b = 5; b >= 0; --b)
      bits += static_cast<char>('0' + (value >> b & 1));
  }
  SixBitReader reader(bytes);
  std::size_t at = 0;
  for (int count = 1; reader.left() >= 32; count = count % 32 + 1) {
    const uint64_t taken = reader.take(count);
    const auto want = std::stoull(
        bits.substr(at, static_cast<std::size_t>(count)), nullptr, 2);
    ASSERT_EQ(taken, want) << at << " " << count;
    at += static_cast<std::size_t>(count);
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
  const Decoded d = decode(std::string("B") + static_cast<char>(63 + 0b101111));
  ASSERT_EQ(d.result.refusal, Refusal::kNone);
  EXPECT_EQ(d.n, 3);
  EXPECT_EQ(entriesOf(d),
            (std::vector<testing::Entry>{{1, 2}, {2, 1}, {2, 3}, {3, 2}}));
}

TEST(Graph6Test, Sparse6KeepsSelfLinksAndCountsARepeatOnce) {
  // n = 2, k = 1: pairs (0,0) link 0-0, (0,0) again, (1,1) links 1-1,
  // then padding 1-bits: 00 00 11 | 11.
  const Decoded d =
      decode(std::string(":A") + static_cast<char>(63 + 0b000011) + "~");
  ASSERT_EQ(d.result.refusal, Refusal::kNone);
  EXPECT_EQ(entriesOf(d), (std::vector<testing::Entry>{{1, 1}, {2, 2}}));
}

// A pair that moves v on to n ends the links: were it read as a link, it
// would name node n + 1 of n. For n = 3 (k = 2): (0, 2) moves v to 2 and
// (1, 0) moves it to 3 = n: 010 100. For n = 100 (k = 7): (0, 99) and
// (1, 0), then two padding 1-bits.
TEST(Graph6Test, Sparse6NamesNoNodePastTheLast) {
  const auto bytes = [](const std::string& bits) {
    std::string out;
    for (std::size_t i = 0; i < bits.size(); i += 6) {
      out += static_cast<char>(63 + std::stoi(bits.substr(i, 6), nullptr, 2));
    }
    return out;
  };
  for (const std::string& line :
       {":B" + bytes("010100"), ":~?@c" + bytes("0"
                                                "1100011"
                                                "1"
                                                "0000000"
                                                "11")}) {
    LineHead head;
    ASSERT_EQ(readLineHead(line, head).refusal, Refusal::kNone) << line;
    std::vector<std::pair<int32_t, int32_t>> links;
    forEachLineLink(line, head,
                    [&](int32_t a, int32_t b) { links.emplace_back(a, b); });
    EXPECT_EQ(links, (std::vector<std::pair<int32_t, int32_t>>{})) << line;
  }
}

// Every link among 50 nodes and a self-link at each: 2500 entries, one
// more than the record holds, but rows hold them all. Written pair by
// pair: for each node j, the pair that moves v to it, then one naming
// each i <= j.
TEST(Graph6Test, Sparse6PastTheRecordFitsRows) {
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
  const Decoded d = decode(line);
  EXPECT_EQ(d.result.refusal, Refusal::kNone);
  EXPECT_EQ(entriesIn(d.rows), 2500);
}

// A self-link is found whatever neighbours follow it: graph6 cannot hold
// it, so nothing is written rather than the graph without it.
TEST(Graph6Test, Graph6RefusesASelfLinkAmongOtherLinks) {
  LinkRows rows{};
  rows[1] = uint64_t{1} << 1 | uint64_t{1} << 2;  // 1-1 and 1-2
  rows[2] = uint64_t{1} << 1 | uint64_t{1} << 3;  // 2-3
  rows[3] = uint64_t{1} << 2;
  std::string written;
  const auto sink = [&](std::string_view piece) { written += piece; };
  EXPECT_FALSE(encodeGraph(RowsGraph(rows, 3), LineFormat::kGraph6, sink));
  EXPECT_EQ(written, "");
  EXPECT_TRUE(encodeGraph(RowsGraph(rows, 3), LineFormat::kSparse6, sink));
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
