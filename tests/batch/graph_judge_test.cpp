#include "batch/graph_judge.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "base/file_holding.h"
#include "graph/lists.h"

namespace ugraph {
namespace {

struct Judged {
  GraphClass verdict;
  Refusal refusal;
  int64_t line;    // of the '['
  int64_t column;  // of the fault, when refused
  int32_t nodes;
  int32_t reached;
};

std::vector<Judged> judgeAll(const std::string& contents, bool analyse) {
  std::FILE* file = testing::fileHolding(contents);
  std::vector<Judged> all;
  GraphJudge judge(file, analyse);
  while (judge.next()) {
    const JudgedGraph& d = judge.current();
    const bool shown = analyse && d.verdict != GraphClass::kRefused;
    all.push_back({d.verdict, d.status.refusal, d.start.line,
                   d.status.at.column, shown ? d.graph.linkTo[0] : 0,
                   shown ? d.analysis.walk.count : 0});
  }
  EXPECT_TRUE(judge.status().ok());
  std::fclose(file);
  return all;
}

constexpr const char* kCatalogue =
    "free text\n"
    "[U \"Tree\" (1) 2 (2) 3]\n"
    "[U \"Loop\" (1) 1]\n"
    "[U \"Two\" (1) 2 (3) 4]\n"
    "[U \"Lone\" (4)]\n"
    "[U \"Bad\",\n (1) 2 x]\n"
    "[X]\n";

TEST(GraphJudgeTest, JudgesEachDataInputAsTheDialogueWould) {
  const std::vector<Judged> all = judgeAll(kCatalogue, true);
  ASSERT_EQ(all.size(), 6u);
  EXPECT_EQ(all[0].verdict, GraphClass::kTree);
  EXPECT_EQ(all[0].line, 2);
  EXPECT_EQ(all[1].verdict, GraphClass::kConnectedNotTree);
  EXPECT_EQ(all[2].verdict, GraphClass::kNotConnected);
  EXPECT_EQ(all[2].reached, 2);
  // Four nodes without links: not connected, as typed at the keyboard.
  EXPECT_EQ(all[3].verdict, GraphClass::kNotConnected);
  EXPECT_EQ(all[3].nodes, 4);
  EXPECT_EQ(all[4].verdict, GraphClass::kRefused);
  EXPECT_EQ(all[4].refusal, Refusal::kOutOfPlace);
  EXPECT_EQ(all[4].column, 8);  // on the data-input's second line
  EXPECT_EQ(all[5].refusal, Refusal::kNotMarked);
  EXPECT_EQ(all[5].line, 8);
}

TEST(GraphJudgeTest, ACheckRefusesAlikeAndAnalysesNothing) {
  const std::vector<Judged> checked = judgeAll(kCatalogue, false);
  const std::vector<Judged> analysed = judgeAll(kCatalogue, true);
  ASSERT_EQ(checked.size(), analysed.size());
  for (std::size_t i = 0; i < checked.size(); ++i) {
    const bool refused = analysed[i].verdict == GraphClass::kRefused;
    EXPECT_EQ(checked[i].verdict,
              refused ? GraphClass::kRefused : GraphClass::kWellFormed);
    EXPECT_EQ(checked[i].refusal, analysed[i].refusal);
    if (refused) {
      EXPECT_EQ(checked[i].column, analysed[i].column);
    }
  }
}

// Every reader keeps one contract on the node count: only checked, a
// graph's count is there when the reader knows it before reading the
// graph (a graph line's header), and 0 otherwise, never the count of the
// graph before; once loaded, it is the graph's.
TEST(GraphJudgeTest, EveryReaderTellsTheNodeCountAlike) {
  const struct {
    const char* contents;
    std::vector<int32_t> checked;
  } files[] = {
      {"[U \"Two\" (1) 2]\n[U \"Four\" (1) 2 (4)]\n", {0, 0}},
      {"Bw\nC~\n", {3, 4}},
  };
  for (const auto& file : files) {
    std::FILE* in = testing::fileHolding(file.contents);
    GraphJudge judge(in, false);
    std::vector<int32_t> checked;
    std::vector<int32_t> loaded;
    while (judge.next()) {
      checked.push_back(judge.current().nodes);
      judge.analyseWith(NoWalkObserver{});
      loaded.push_back(judge.current().nodes);
    }
    std::fclose(in);
    EXPECT_EQ(checked, file.checked) << file.contents;
    EXPECT_EQ(loaded.size(), 2u);
    EXPECT_EQ(loaded[1], 4) << file.contents;
  }
}

// Detection asks every row of the table of formats; the strongest sign
// wins, a header settles it, and a file read one way whose start shows the
// sign of another is hinted at.
TEST(GraphJudgeTest, FindsTheFormatAndTheOneAFileLooksLike) {
  const struct {
    const char* contents;
    const FormatRow* given;
    std::string_view read;
    const char* looksLike;
  } files[] = {
      {"", nullptr, "catalogue", nullptr},
      {"free text\n[U \"A\" (1)]\n", nullptr, "catalogue", nullptr},
      {"Bw\n", nullptr, "graph6", nullptr},
      {">>sparse6<<:Bw\n", nullptr, "graph6", nullptr},
      {"Bw\n", findFormat("catalogue"), "catalogue", "graph6"},
      {">>graph6<<[U\n", findFormat("sparse6"), "sparse6", nullptr},
      {"[U \"A\"\n", findFormat("graph6"), "graph6", "catalogue"},
      // A '[' alone is a graph line's byte, no catalogue's sign.
      {":Fa[\n", findFormat("sparse6"), "sparse6", nullptr},
      {":Fa[\n", findFormat("catalogue"), "catalogue", "graph6"},
      // A first line cut short is still graph lines.
      {"D?\nC~\nBw\n", nullptr, "graph6", nullptr},
      {"Hello\n", nullptr, "graph6", nullptr},
      {"Hello world\n", nullptr, "catalogue", nullptr},
  };
  for (const auto& file : files) {
    std::FILE* in = testing::fileHolding(file.contents);
    GraphJudge judge(in, true, file.given);
    EXPECT_EQ(judge.format().name, file.read) << file.contents;
    if (file.looksLike == nullptr) {
      EXPECT_EQ(judge.looksLike(), nullptr) << file.contents;
    } else {
      ASSERT_NE(judge.looksLike(), nullptr) << file.contents;
      EXPECT_EQ(judge.looksLike()->name, file.looksLike) << file.contents;
    }
    std::fclose(in);
  }
}

// A first line longer than the block detection reads is decided by its
// front: graph6 or sparse6 for as far as it goes.
TEST(GraphJudgeTest, AFirstLineLongerThanTheBlockIsStillGraphLines) {
  for (const std::string front : {"~?~~", ":~?~~"}) {
    std::string contents = front;
    contents.append(std::size_t{1} << 20, 'o');  // longer than any block
    contents += "\nC~\n";
    std::FILE* in = testing::fileHolding(contents);
    GraphJudge judge(in, true);
    EXPECT_EQ(judge.format().name, "graph6") << front;
    std::fclose(in);
  }
}

// A graph of lists whose entries exactly fill what the ceiling leaves
// them beside its line and its nodes is judged, whether its lists are
// built or only counted; one byte less and it is refused for memory.
TEST(GraphJudgeTest, EntriesMayFillTheCeilingExactly) {
  // The path 1-2-...-100 in sparse6 (k = 7): pair (1, j - 1) moves v on to
  // j and links j - 1 to it; 1-bits pad the last byte.
  std::string bits;
  for (int j = 1; j < 100; ++j) {
    bits += '1';
    for (int i = 6; i >= 0; --i)
      bits += static_cast<char>('0' + ((j - 1) >> i & 1));
  }
  while (bits.size() % 6 != 0) bits += '1';
  std::string line = ":~?@c";  // 100 nodes
  for (std::size_t i = 0; i < bits.size(); i += 6) {
    line += static_cast<char>(63 + std::stoi(bits.substr(i, 6), nullptr, 2));
  }
  const uint64_t exact = line.size() + listsBytes(100, int64_t{2} * 99);
  for (const bool analyse : {true, false}) {
    for (const uint64_t ceiling : {exact, exact - 1}) {
      std::FILE* in = testing::fileHolding(line + "\n");
      JudgeNeeds needs;
      needs.maxMemory = ceiling;
      GraphJudge judge(in, analyse, nullptr, nullptr, needs);
      ASSERT_TRUE(judge.next());
      const JudgedGraph& d = judge.current();
      if (ceiling == exact) {
        EXPECT_NE(d.verdict, GraphClass::kRefused) << analyse;
        EXPECT_EQ(d.nodes, 100) << analyse;
      } else {
        EXPECT_EQ(d.verdict, GraphClass::kRefused) << analyse;
        EXPECT_EQ(d.status.refusal, Refusal::kOverMemory) << analyse;
        EXPECT_EQ(d.status.need, exact) << analyse;
      }
      std::fclose(in);
    }
  }
}

// A sparse6 line of n nodes holding links: each link (u, v), u <= v and
// sorted by v, as a pair that moves v on to it and one that names u.
std::string sparse6Line(int32_t n,
                        std::vector<std::pair<int32_t, int32_t>> links) {
  for (auto& [a, b] : links) {
    if (a > b) std::swap(a, b);
  }
  std::sort(links.begin(), links.end(),
            [](auto p, auto q) { return p.second < q.second; });
  int k = 0;
  while ((int64_t{1} << k) < n) ++k;
  std::string bits;
  const auto pair = [&](int b, int32_t x) {
    bits += static_cast<char>('0' + b);
    for (int i = k - 1; i >= 0; --i)
      bits += static_cast<char>('0' + (x >> i & 1));
  };
  int32_t v = 0;
  for (auto [a, b] : links) {
    if (b - 1 > v) {
      pair(0, b - 1);
      v = b - 1;
    }
    pair(0, a - 1);
  }
  while (bits.size() % 6 != 0) bits += '1';
  std::string line = ":~";
  for (const int shift : {12, 6, 0})
    line += static_cast<char>(63 + (n >> shift & 63));
  for (std::size_t i = 0; i < bits.size(); i += 6) {
    line += static_cast<char>(63 + std::stoi(bits.substr(i, 6), nullptr, 2));
  }
  return line + "\n";
}

// A large graph line counted without its walk is judged in one pass over
// its links; on random graphs with repeats and self-links it gets the
// verdict and parts the walk over its lists gets.
TEST(GraphJudgeTest, OnePassAgreesWithTheWalkOnLargeLines) {
  std::mt19937 random(36);  // NOLINT(cert-msc32-c,cert-msc51-cpp)
  std::string file;
  for (int round = 0; round < 300; ++round) {
    const int32_t n = std::uniform_int_distribution<int32_t>(63, 700)(random);
    std::uniform_int_distribution<int32_t> node(1, n);
    std::vector<std::pair<int32_t, int32_t>> links;
    for (int32_t b = 2; b <= n; ++b) {
      if (round % 4 != 3) {
        links.emplace_back(
            std::uniform_int_distribution<int32_t>(1, b - 1)(random), b);
      }
    }
    const int extra = std::uniform_int_distribution<int>(0, 2)(random);
    for (int i = 0; i < extra; ++i)
      links.emplace_back(node(random), node(random));
    if (round % 3 == 0 && !links.empty()) links.push_back(links.front());
    file += sparse6Line(n, links);
  }
  const auto judged = [&](JudgeNeeds needs) {
    std::FILE* in = testing::fileHolding(file);
    GraphJudge judge(in, true, nullptr, nullptr, needs);
    std::vector<std::pair<GraphClass, int64_t>> verdicts;
    while (judge.next()) {
      verdicts.emplace_back(judge.current().verdict, judge.current().parts);
    }
    std::fclose(in);
    return verdicts;
  };
  const auto walked = judged(JudgeNeeds{});
  const auto passed =
      judged(JudgeNeeds{.list = false, .starts = false, .walk = false});
  ASSERT_EQ(walked.size(), 300u);
  EXPECT_EQ(passed, walked);
  EXPECT_TRUE(std::ranges::any_of(
      walked, [](auto v) { return v.first == GraphClass::kTree; }));
  EXPECT_TRUE(std::ranges::any_of(
      walked, [](auto v) { return v.first == GraphClass::kConnectedNotTree; }));
  EXPECT_TRUE(std::ranges::any_of(
      walked, [](auto v) { return v.first == GraphClass::kNotConnected; }));
}

TEST(GraphJudgeTest, AFileThatCannotBeReadEndsWithItsReason) {
  std::FILE* directory = std::fopen(".", "r");
  ASSERT_NE(directory, nullptr);
  GraphJudge judge(directory, true);
  EXPECT_FALSE(judge.next());
  EXPECT_TRUE(judge.status().is(Status::Kind::kReadFailed));
  EXPECT_EQ(judge.status().error, EISDIR);
  std::fclose(directory);
}

}  // namespace
}  // namespace ugraph
