// The count road against its plain twin: on random graphs of 0 to 50 nodes,
// sparse and dense, with self-links, the parts grown over lower rows give
// the reach, parts and verdict of the walk from node 1; and graph lines
// decoded straight into lower rows hold the rows' links.
#include "graph/row_parts.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "formats/graph6/graph6.h"
#include "graph/analysis.h"
#include "graph/classify.h"

namespace ugraph {
namespace {

// A random graph of n nodes whose links each stand with chance p, and
// self-links with chance p / 4.
LinkRows randomRows(std::mt19937& random, int32_t n, double p) {
  std::bernoulli_distribution link(p);
  std::bernoulli_distribution self(p / 4);
  LinkRows rows{};
  for (int32_t a = 1; a <= n; ++a) {
    for (int32_t b = a; b <= n; ++b) {
      if (a == b ? self(random) : link(random)) {
        rows[static_cast<std::size_t>(a)] |= uint64_t{1} << b;
        rows[static_cast<std::size_t>(b)] |= uint64_t{1} << a;
      }
    }
  }
  return rows;
}

TEST(RowPartsTest, AgreesWithTheWalkOnEveryGraph) {
  // A fixed seed: the same graphs each run.
  std::mt19937 random(25);  // NOLINT(cert-msc32-c,cert-msc51-cpp)
  for (int round = 0; round < 20000; ++round) {
    const auto n = static_cast<int32_t>(random() % (kMaxNodes + 1));
    const double p = std::uniform_real_distribution<>(0, 4.0 / (n + 1))(random);
    const LinkRows rows = randomRows(random, n, round % 7 == 0 ? 0.5 : p);
    Walk walk;
    walkRows(rows, n, walk, NoWalkObserver{});
    const int64_t entries = entriesIn(rows, n);
    const GraphClass verdict = classifyCounts(walk.count, n, entries);
    const int64_t parts = countParts(RowsGraph(rows, n), walk);

    LinkRows lower = rows;
    const int32_t links = keepLowerRows(lower, n);
    const RowCounts counts = countLowerParts(lower, n);
    const std::string graph = "graph " + std::to_string(round) + " of " +
                              std::to_string(n) + " nodes";
    EXPECT_EQ(classifyRowCounts(counts, n, links), verdict) << graph;
    EXPECT_EQ(counts.parts, parts) << graph;
    if (n > 0) {
      EXPECT_EQ(counts.reached, walk.count) << graph;
    }
  }
}

// Both readings of a line, lower rows and whole rows, give back the graph
// written.
TEST(RowPartsTest, GraphLinesDecodeIntoTheSameLowerRows) {
  std::mt19937 random(6);  // NOLINT(cert-msc32-c,cert-msc51-cpp)
  for (int round = 0; round < 4000; ++round) {
    const auto n = static_cast<int32_t>(random() % (kMaxNodes + 1));
    const LineFormat format =
        round % 2 == 0 ? LineFormat::kGraph6 : LineFormat::kSparse6;
    LinkRows rows = randomRows(random, n, round % 3 == 0 ? 0.5 : 0.08);
    if (format == LineFormat::kGraph6) {
      for (int32_t a = 0; a <= n; ++a) {
        rows[static_cast<std::size_t>(a)] &= ~(uint64_t{1} << a);
      }
    }
    std::string line;
    encodeGraph(RowsGraph(rows, n), format,
                [&](std::string_view piece) { line += piece; });
    line.pop_back();  // the line end
    LineHead head;
    ASSERT_EQ(readLineHead(line, head).refusal, Refusal::kNone) << line;
    LinkRows whole;
    decodeRows(line, head, whole);
    ASSERT_EQ(whole, rows) << line;
    LinkRows decoded;
    const int32_t links = decodeLowerRows(line, head, decoded);
    LinkRows lower = rows;
    EXPECT_EQ(links, keepLowerRows(lower, n)) << line;
    for (int32_t b = 1; b <= n; ++b) {
      const auto i = static_cast<std::size_t>(b);
      ASSERT_EQ(decoded[i], lower[i]) << line << " row " << b;
    }
  }
}

// The padding of a graph6 line's last byte is passed over, not counted.
TEST(RowPartsTest, Graph6PaddingIsNoLink) {
  LineHead head;
  ASSERT_EQ(readLineHead("B~", head).refusal, Refusal::kNone);  // bits 111111
  LinkRows lower;
  EXPECT_EQ(decodeLowerRows("B~", head, lower), 3);
  EXPECT_EQ(lower[2], uint64_t{0b10});
  EXPECT_EQ(lower[3], uint64_t{0b110});
}

// The same past 11 nodes, where the line is taken a column at a time: 14
// nodes hold 91 pairs in 16 bytes, the last five bits padding.
TEST(RowPartsTest, Graph6PaddingIsNoLinkInALongLine) {
  const std::string line = "M" + std::string(15, '?') + "^";  // 011111
  LineHead head;
  ASSERT_EQ(readLineHead(line, head).refusal, Refusal::kNone);
  LinkRows lower;
  EXPECT_EQ(decodeLowerRows(line, head, lower), 0);
}

}  // namespace
}  // namespace ugraph
