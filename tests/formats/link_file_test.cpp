// The formats of one graph a file: the same random graphs written in each
// of them give the same verdict and parts by both roads (the stream road's
// forest and the walk road's lists) as a plain reckoning of their own;
// refusals name their rule and place; detection finds each format.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>
#include <numeric>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "base/file_holding.h"
#include "batch/graph_judge.h"
#include "batch/report.h"
#include "formats/formats.h"
#include "formats/link_files.h"

namespace ugraph {
namespace {

using testing::drawGraph;
using testing::Drawn;
using testing::writeDimacs;
using testing::writeEdges;
using testing::writeMetis;
using testing::writeMtx;

struct Expected {
  GraphClass verdict;
  int64_t nodes;
  int64_t parts;
  int64_t links;  // distinct, a self-link counting once
};

// The verdict reckoned plainly, over the nodes given (for an edge list:
// only those a link names).
Expected reckon(int n, const std::vector<std::pair<int, int>>& links,
                const std::vector<bool>& present) {
  std::vector<int> up(static_cast<std::size_t>(n));
  std::iota(up.begin(), up.end(), 0);
  const auto find = [&](int a) {
    while (up[static_cast<std::size_t>(a)] != a) {
      a = up[static_cast<std::size_t>(a)];
    }
    return a;
  };
  std::set<std::pair<int, int>> distinct;
  bool self = false;
  for (auto [a, b] : links) {
    distinct.insert({std::min(a, b), std::max(a, b)});
    self = self || a == b;
    up[static_cast<std::size_t>(find(a))] = find(b);
  }
  int64_t nodes = 0;
  int64_t parts = 0;
  for (int a = 0; a < n; ++a) {
    if (!present[static_cast<std::size_t>(a)]) continue;
    ++nodes;
    parts += find(a) == a ? 1 : 0;
  }
  const auto count = static_cast<int64_t>(distinct.size());
  GraphClass verdict = GraphClass::kNotConnected;
  if (nodes == 0) {
    verdict = GraphClass::kNoNode;
  } else if (parts == 1) {
    verdict = !self && count == nodes - 1 ? GraphClass::kTree
                                          : GraphClass::kConnectedNotTree;
  }
  return {verdict, nodes, parts, count};
}

struct Judged {
  GraphClass verdict = GraphClass::kRefused;
  int64_t nodes = 0;
  int64_t parts = 0;
  int64_t links = 0;
  std::vector<uint64_t> order;  // the walk's, by ids (walk road)
  std::string words;            // a refusal's, with its place
};

// Judges contents, read in format (nullptr: as detected) by the walk
// road, or the stream road when stream.
Judged judge(const std::string& contents, const char* format, bool stream,
             const std::string& name = "graph") {
  std::FILE* file = testing::fileHolding(contents);
  JudgeNeeds needs;
  needs.walk = !stream;
  needs.list = false;
  Judged out;
  {
    GraphJudge j(file, true, format ? findFormat(format) : nullptr, nullptr,
                 needs, name);
    if (j.next()) {
      const JudgedGraph& d = j.current();
      out.verdict = d.verdict;
      out.nodes = d.nodes;
      out.parts = d.parts;
      out.links = d.links;
      if (d.verdict == GraphClass::kRefused) {
        out.words = std::to_string(d.status.at.line) + ":" +
                    std::to_string(d.status.at.column) + ": " +
                    std::string(refusalWords(d.status));
      } else if (!stream && d.lists != nullptr) {
        const ListsWalk& walk = d.lists->walk();
        for (int32_t i = 1; i <= walk.count; ++i) {
          out.order.push_back(nodeIdOf(d, walk.order[i]));
        }
      }
      EXPECT_FALSE(j.next());
    }
  }
  std::fclose(file);
  return out;
}

// Thousands of random graphs, of a few nodes mostly and some of hundreds,
// with repeats and self-links, each in every format, by both roads.
TEST(LinkFileTest, EveryFormatAndBothRoadsAgreeWithAPlainReckoning) {
  std::mt19937 random(20261211);  // NOLINT(cert-msc32-c,cert-msc51-cpp)
  for (int round = 0; round < 1500; ++round) {
    const int n = round % 100 == 99 ? 300 + static_cast<int>(random() % 200)
                                    : static_cast<int>(random() % 12);
    const Drawn g = drawGraph(n, random);
    std::vector<bool> all(static_cast<std::size_t>(n), true);
    std::vector<bool> named(static_cast<std::size_t>(n), false);
    for (auto [a, b] : g.links) {
      named[static_cast<std::size_t>(a)] = named[static_cast<std::size_t>(b)] =
          true;
    }
    const Expected whole = reckon(n, g.links, all);
    const Expected linked = reckon(n, g.links, named);
    const std::pair<std::string, std::string> files[] = {
        {"edges", writeEdges(g, random)},
        {"mtx", writeMtx(n, g, random)},
        {"metis", writeMetis(n, g, random)},
        {"dimacs", writeDimacs(n, g, random)}};
    for (const auto& [format, text] : files) {
      const bool edges = format == "edges";
      const Expected& want = edges ? linked : whole;
      std::string trace = format;
      trace += " of round " + std::to_string(round) + ":\n";
      trace += text;
      SCOPED_TRACE(trace);
      if (edges && want.nodes == 0) continue;  // no line holds a link
      for (const bool stream : {false, true}) {
        const Judged got = judge(text, format.c_str(), stream);
        ASSERT_EQ(got.words, "");
        EXPECT_EQ(got.verdict, want.verdict) << "stream " << stream;
        EXPECT_EQ(got.nodes, want.nodes) << "stream " << stream;
        EXPECT_EQ(got.parts, want.parts) << "stream " << stream;
        if (!stream) {
          EXPECT_EQ(got.links, want.links);
          // The walk starts at the smallest id.
          if (edges) {
            uint64_t smallest = UINT64_MAX;
            for (auto [a, b] : g.links) {
              smallest = std::min({smallest, g.ids[static_cast<std::size_t>(a)],
                                   g.ids[static_cast<std::size_t>(b)]});
            }
            EXPECT_EQ(got.order.front(), smallest);
          }
        }
      }
    }
  }
}

// Each rule broken, and the place named: line and column of the fault.
TEST(LinkFileTest, RefusalsNameTheirRuleAndPlace) {
  const std::pair<const char*, std::pair<std::string, std::string>> cases[] = {
      {"edges", {"1 2\n3\n", "2:1: has one id where a link needs two"}},
      {"edges",
       {"1 2\n3 x4\n",
        "2:3: has a field that is not a non-negative decimal number"}},
      {"edges",
       {"# c\n1 -2\n",
        "2:3: has a field that is not a non-negative decimal number"}},
      {"edges",
       {"1 18446744073709551616\n",
        "1:3: has a number past 18446744073709551615"}},
      {"edges",
       {"% bip unweighted\n1 2\n",
        "2:1: is bipartite ('% bip') without the second line '% m n1 "
        "n2' that numbers its sides"}},
      {"mtx",
       {"%%MatrixMarket matrix coordinate real general\n3 4 1\n1 2 1\n",
        "2:1: is a matrix of 3 rows and 4 columns: only a square one is "
        "a graph"}},
      {"mtx",
       {"%%MatrixMarket matrix array real general\n2 2\n1\n2\n3\n4\n",
        "1:1: is a dense Matrix Market array, not a coordinate matrix"}},
      {"mtx",
       {"%%MatrixMarket vector coordinate real general\n",
        "1:16: is a Matrix Market object other than a matrix"}},
      {"mtx",
       {"3 3 2\n1 2\n",
        "2:1: has 1 entries where its size line declares "
        "2"}},
      {"mtx",
       {"3 3 1\n1 2\n2 3\n\n3 1\n",
        "3:1: has 3 entries where its size line declares 1"}},
      {"mtx", {"3 3 1\n1 4\n", "2:3: names node 4, outside 1 to 3"}},
      {"mtx", {"% only a comment\n\n", ""}},
      {"metis",
       {"3 2\n2\n1 3\n",
        "3:1: has 2 node lines where its "
        "header declares 3"}},
      {"metis",
       {"2 1\n2\n1\n3\n",
        "4:1: has a line past the 2 node lines its header declares"}},
      {"metis",
       {"2 1 1\n2 5\n1\n",
        "3:2: has a neighbour without the "
        "link's weight its header's fmt "
        "asks for"}},
      {"metis",
       {"2 1 12\n",
        "1:5: has a header whose fmt is not one to three "
        "binary digits"}},
      {"metis", {"2 1\n0\n\n", "2:1: names node 0, outside 1 to 2"}},
      {"dimacs",
       {"c x\ne 1 2\np edge 2 1\n",
        "2:1: has a link before its problem "
        "line"}},
      {"dimacs",
       {"p edge 2 1\ne 1 3\n",
        "2:5: names node 3, outside 1 "
        "to 2"}},
      {"dimacs",
       {"p max 2 1\n", "1:3: has a problem other than edge, col or sp"}},
      {"dimacs",
       {"p edge 2 1\np edge 2 1\n",
        "2:1: has a second problem "
        "line"}},
      {"dimacs",
       {"p edge 2 1\nx 1 2\n",
        "2:1: has a line that is not c, "
        "p, e, a or n"}},
      {"dimacs", {"c only\n", "1:1: has no problem line 'p edge N M'"}},
  };
  for (const auto& [format, test] : cases) {
    const auto& [text, words] = test;
    SCOPED_TRACE(std::string(format) + ": " + text);
    for (const bool stream : {false, true}) {
      const Judged got = judge(text, format, stream);
      if (words.empty()) {
        EXPECT_EQ(got.verdict, GraphClass::kRefused);  // no graph at all
        EXPECT_EQ(got.words, "");
      } else {
        EXPECT_EQ(got.words, words);
      }
    }
  }
}

// Ids keep their values: the nodes are the ids that occur, never 0 to
// the largest; KONECT's right-hand side is numbered after the left.
TEST(LinkFileTest, IdsAreTheFilesOwn) {
  Judged got = judge("# SNAP\n1000000000 7\n7 3000000000000\n", "edges", false);
  EXPECT_EQ(got.nodes, 3);
  EXPECT_EQ(got.verdict, GraphClass::kTree);
  EXPECT_EQ(got.order, (std::vector<uint64_t>{7, 1000000000, 3000000000000}));
  got = judge("% bip unweighted\n% 3 2 2\n1 1\n2 1\n2 2\n", "edges", false);
  EXPECT_EQ(got.nodes, 4);
  EXPECT_EQ(got.verdict, GraphClass::kTree);
  EXPECT_EQ(got.order, (std::vector<uint64_t>{1, 3, 2, 4}));
  // Ids that stand for themselves until a far one comes: what was taken
  // before is renumbered, by both roads.
  for (const bool stream : {false, true}) {
    got = judge("1 2\n2 3\n5 7\n7 99999999999\n3 1\n", "edges", stream);
    EXPECT_EQ(got.nodes, 6);
    EXPECT_EQ(got.parts, 2);
    EXPECT_EQ(got.verdict, GraphClass::kNotConnected);
    if (!stream) {
      EXPECT_EQ(got.order, (std::vector<uint64_t>{1, 2, 3}));
    }
  }
  // Isolated nodes of the numbered formats stand.
  got = judge("p edge 4 1\ne 1 2\n", "dimacs", true);
  EXPECT_EQ(got.nodes, 4);
  EXPECT_EQ(got.parts, 3);
}

// Without --from, each format is found by its start or name, in order.
TEST(LinkFileTest, DetectionFindsEachFormat) {
  const struct {
    const char* name;
    const char* text;
    const char* format;
  } cases[] = {
      {"a.txt", "# SNAP\n0 1\n1 2\n", "edges"},
      {"a.txt", "from,to\n0,1\n", "edges"},
      {"out.x", "% sym unweighted\n% 2 3 3\n1 2\n", "edges"},
      {"a.txt", "%%MatrixMarket matrix coordinate pattern general\n2 2 1\n",
       "mtx"},
      {"a.mtx", "% a banner of one mark\n2 2 1\n1 2\n", "mtx"},
      {"a.mtx.gz", "2 2 1\n1 2\n", "mtx"},
      {"a.col", "c colouring\np edge 2 1\ne 1 2\n", "dimacs"},
      {"a.gr", "p sp 2 1\na 1 2 5\n", "dimacs"},
      {"a.graph", "2 1\n2\n1\n", "metis"},
      {"a.graph", "c x\np edge 2 1\ne 1 2\n", "dimacs"},
      {"a.txt", "2 1\n2\n1\n", "edges"},
      {"a.txt", "1 2\n[U \"A\" (1) 2]\n", "catalogue"},
      {"a.txt", "c is a letter\n[U \"A\" (1) 2]\n", "catalogue"},
      {"a.txt", "A_\n", "graph6"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name) + ": " + c.text);
    std::FILE* file = testing::fileHolding(c.text);
    {
      GraphJudge j(file, true, nullptr, nullptr, {}, c.name);
      EXPECT_EQ(j.format().name, c.format);
    }
    std::fclose(file);
  }
}

}  // namespace
}  // namespace ugraph
