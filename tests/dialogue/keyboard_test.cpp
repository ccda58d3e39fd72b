#include "dialogue/keyboard.h"

#include <gtest/gtest.h>

#include "base/memory_console.h"
#include "graph/links.h"

namespace ugraph {
namespace {

using testing::Entry;
using testing::MemoryConsole;

struct Typed {
  bool complete;
  Ugraph graph;
  std::string printed;
  std::string left;  // input not read
};

Typed type(const std::string& input) {
  MemoryConsole io(input);
  Typed t{false, Ugraph{}, "", ""};
  t.complete = readGraphFromKeyboard(t.graph.linkFrom, t.graph.linkTo,
                                     t.graph.name, io.console())
                   .ok();
  t.printed = io.output();
  t.left = io.rest();
  return t;
}

std::vector<Entry> pairsOf(const std::string& input) {
  const Typed t = type(input);
  EXPECT_TRUE(t.complete);
  EXPECT_TRUE(testing::sentinelAfterEntries(t.graph));
  return testing::entriesOf(t.graph);
}

struct Row {
  int n;
  const char* line;  // typed on node 1's line, unless node says otherwise
  std::vector<Entry> pairs;
  int node = 1;
};

TEST(KeyboardTest, NodeLinesTakeEveryDigitRunAsANumber) {
  const std::vector<Row> rows = {
      {5, "2, 3 x7 3", {{1, 2}, {1, 3}, {1, 3}}},
      {7, "2, 3 x7 3", {{1, 2}, {1, 3}, {1, 7}, {1, 3}}},
      {4, "1", {}},
      {4, "0", {}},
      {4, "00", {}},
      {7, "007", {{1, 7}}},
      {2, "-2", {{1, 2}}},
      {5, "1.5", {{1, 5}}},
      {34, "12abc34", {{1, 12}, {1, 34}}},
      {9, "2:3/4", {{1, 2}, {1, 3}, {1, 4}}},  // the bytes around the digits
      {3, "1 2", {{3, 1}, {3, 2}}, 3},
      {3, "", {}},
      {3, "no digits, only \xff\xfe bytes", {}},
      {9, "99999999999999999999 3", {{1, 3}}},  // saturates, above n
  };
  for (const Row& row : rows) {
    std::string input = "g\n" + std::to_string(row.n) + "\n";
    for (int node = 1; node < row.node; ++node) input += "\n";
    input += std::string(row.line) + "\n";
    EXPECT_EQ(pairsOf(input), row.pairs) << row.line;
  }
}

TEST(KeyboardTest, StoresPairsInTypedOrderWithNodeCount) {
  const Typed t = type("Tri\n3\n2 3\n3\n\n");
  EXPECT_EQ(testing::entriesOf(t.graph),
            (std::vector<Entry>{{1, 2}, {1, 3}, {2, 3}}));
  EXPECT_EQ(t.graph.linkTo[0], 3);
  EXPECT_STREQ(t.graph.name.data(), "Tri");
  EXPECT_EQ(t.printed,
            "Not exceeding 10 characters, input name of graph   "
            "Input number of non-isolated nodes:  "
            "Input every neighbor with higher natural number after each "
            "(node):\n(1),(2),(3),");
}

TEST(KeyboardTest, KeepsTheFirstTenCharactersOfTheName) {
  EXPECT_STREQ(type("ABCDEFGHIJKL\n0\n").graph.name.data(), "ABCDEFGHIJ");
  EXPECT_STREQ(type("\n0\n").graph.name.data(), "");
}

TEST(KeyboardTest, NoNodesMeansNoNodePrompt) {
  const Typed t = type("Z\n0\n");
  EXPECT_EQ(t.graph.linkTo[0], 0);
  EXPECT_EQ(t.graph.linkFrom[0], 0);
  EXPECT_TRUE(testing::sentinelAfterEntries(t.graph));
  EXPECT_EQ(t.printed.find("(1),"), std::string::npos);
}

TEST(KeyboardTest, DiscardsExactlyOneCharacterAfterTheNodeCount) {
  // The blank is discarded; the line end left makes node 1's line empty.
  const Typed blank = type("g\n3 \n1 2\n\n");
  EXPECT_EQ(testing::entriesOf(blank.graph), (std::vector<Entry>{{2, 1}}));
  EXPECT_EQ(blank.left, "");
  // Empty lines before the count are skipped without a new prompt.
  const Typed skipped = type("g\n\n\n2\n2\n\n");
  EXPECT_EQ(testing::entriesOf(skipped.graph), (std::vector<Entry>{{1, 2}}));
  const std::string prompt = "Input number of non-isolated nodes:  ";
  const std::size_t at = skipped.printed.find(prompt);
  EXPECT_EQ(skipped.printed.find(prompt, at + 1), std::string::npos);
}

TEST(KeyboardTest, AsksAgainForACountThatIsNoNumberOrOutOfRange) {
  const std::string prompt = "Input number of non-isolated nodes:  ";
  const std::string error = "Error: enter a node count from 0 to 50\n";
  const Typed t = type("g\nmany 3\n-1\n51\n4294967298\n- 2\n2\n2\n\n");
  EXPECT_TRUE(t.complete);
  EXPECT_EQ(t.graph.linkTo[0], 2);
  EXPECT_EQ(testing::entriesOf(t.graph), (std::vector<Entry>{{1, 2}}));
  std::string expected = "Not exceeding 10 characters, input name of graph   ";
  for (int i = 0; i < 5; ++i) expected += prompt + error;
  EXPECT_EQ(t.printed.substr(0, expected.size() + prompt.size()),
            expected + prompt);
  // Exactly one character follows an out-of-range count: 51 and a blank
  // leave "7" for the next answer.
  EXPECT_EQ(type("g\n51 7\n\n").graph.linkTo[0], 7);
}

TEST(KeyboardTest, EndOfInputAtTheNodeCountLeavesNoGraph) {
  EXPECT_FALSE(type("").complete);
  EXPECT_FALSE(type("name").complete);
  EXPECT_FALSE(type("name\n \n\n").complete);
  EXPECT_FALSE(type("name\nxyz").complete);
}

TEST(KeyboardTest, EndOfInputInANodeLineLeavesTheRestEmpty) {
  const Typed t = type("g\n4\n2\n3");
  EXPECT_TRUE(t.complete);
  EXPECT_EQ(testing::entriesOf(t.graph), (std::vector<Entry>{{1, 2}, {2, 3}}));
  EXPECT_EQ(t.printed.substr(t.printed.size() - 16), "(1),(2),(3),(4),");
}

TEST(KeyboardTest, TakesEveryNumberOfAVeryLongLine) {
  std::string line(100000, ' ');
  line += "2";
  const Typed t = type("g\n2\n" + line + "\n\n");
  EXPECT_EQ(testing::entriesOf(t.graph), (std::vector<Entry>{{1, 2}}));
}

TEST(KeyboardTest, AFullRecordIsNormalisedAndTypingGoesOn) {
  // Every node lists every other node three times: 7350 pairs.
  std::string input = "K50\n50\n";
  for (int node = 1; node <= 50; ++node) {
    for (int copy = 0; copy < 3; ++copy) {
      for (int other = 1; other <= 50; ++other) {
        if (other != node) input += std::to_string(other) + " ";
      }
    }
    input += "\n";
  }
  const Typed t = type(input);
  ASSERT_TRUE(t.complete);
  // The record filled after the lines of nodes 1 to 17 (2499 pairs) and was
  // normalised to their 697 links both ways; after that a link is stored
  // once, in the direction typed, and never again: 1394 + 528 entries.
  EXPECT_EQ(t.graph.linkFrom[0], 1394 + 528);
  EXPECT_TRUE(testing::sentinelAfterEntries(t.graph));
  // Each of the 1225 links is still there, in one direction at least.
  std::vector<std::vector<bool>> seen(51, std::vector<bool>(51, false));
  for (const Entry& e : testing::entriesOf(t.graph)) {
    seen[static_cast<std::size_t>(e.from)][static_cast<std::size_t>(e.to)] =
        true;
  }
  for (std::size_t a = 1; a <= 50; ++a) {
    for (std::size_t b = 1; b <= 50; ++b) {
      EXPECT_EQ(seen[a][b] || seen[b][a], a != b) << a << "-" << b;
    }
  }
}

}  // namespace
}  // namespace ugraph
