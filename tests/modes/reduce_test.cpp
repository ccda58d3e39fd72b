// One graph cut into parts, each reduced, and the parts merged flat or in
// a tree of merges: the merged graph's verdict, parts and unreached nodes
// are the whole file's, any cycle it shows is a cycle of the file, and a
// refusal is told at its place in the file. Bad sets of parts are refused.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "base/memory_console.h"
#include "batch/each_graph.h"
#include "formats/link_files.h"
#include "modes/modes.h"

namespace ugraph {
namespace {

// What a run of the judge tells of a graph, by the file's ids.
struct Told {
  GraphClass verdict = GraphClass::kRefused;
  int64_t nodes = 0;
  int64_t parts = 0;
  std::vector<uint64_t> unreached;
  std::vector<uint64_t> cycle;
  std::string refusal;  // "LINE:COLUMN: words"
};

// A directory of files that lasts as long as the test.
class Directory {
 public:
  Directory() {
    std::string pattern = ::testing::TempDir() + "reduceXXXXXX";
    path_ = mkdtemp(pattern.data());
  }
  ~Directory() {
    for (const std::string& file : files_) std::remove(file.c_str());
    rmdir(path_.c_str());
  }
  Directory(const Directory&) = delete;
  Directory& operator=(const Directory&) = delete;

  std::string write(const std::string& name, const std::string& text) {
    std::string file = path_ + "/" + name;
    std::ofstream(file, std::ios::binary) << text;
    files_.push_back(file);
    return file;
  }

 private:
  std::string path_;
  std::vector<std::string> files_;
};

// The FILE operands of files.
std::vector<const char*> namesOf(const std::vector<std::string>& files) {
  std::vector<const char*> names;
  names.reserve(files.size());
  for (const std::string& f : files) names.push_back(f.c_str());
  return names;
}

// Judges the FILEs (--merge: as one graph's parts) by the walk, as --list
// does; the exit status into status.
Told judgeFiles(const std::vector<std::string>& files, bool merge,
                int* status = nullptr) {
  const std::vector<const char*> names = namesOf(files);
  Options o;
  o.mode = Mode::kList;
  o.files = names;
  o.merge = merge;
  o.jobs = 1;
  o.progress = 0;
  testing::MemoryConsole io("");
  Told told;
  const int code =
      forEachFile(o, io.console(), [&](const char* file, std::size_t) {
        const char* noun = "";
        return forEachJudged(
            o, file, true, io.console(), noun, [&](const JudgedGraph& d) {
              told.verdict = d.verdict;
              if (d.verdict == GraphClass::kRefused) {
                told.refusal = std::to_string(d.status.at.line) + ":" +
                               std::to_string(d.status.at.column) + ": " +
                               std::string(refusalWords(d.status));
                return false;
              }
              told.nodes = d.nodes;
              told.parts = d.parts;
              forEachUnreached(d, [&](int32_t a) {
                told.unreached.push_back(nodeIdOf(d, a));
                return true;
              });
              Cycle small{};
              for (const int32_t a : cycleOf(d, small)) {
                told.cycle.push_back(nodeIdOf(d, a));
              }
              return false;
            });
      });
  if (status != nullptr) *status = code;
  return told;
}

// Runs --reduce over files (with part index of count when count > 0, or
// --merge); what it writes, and its exit status into status.
std::string reduce(const std::vector<std::string>& files, int64_t index,
                   int64_t count, bool merge, int* status = nullptr) {
  const std::vector<const char*> names = namesOf(files);
  Options o;
  o.mode = Mode::kReduce;
  o.files = names;
  o.part = {index, count};
  o.merge = merge;
  o.jobs = 1 + static_cast<int64_t>(index % 2);  // both ways of taking links
  o.progress = 0;
  testing::MemoryConsole io("");
  const int code = runReduce(o, io.console());
  if (status != nullptr) *status = code;
  return io.output();
}

// The graph of round r: drawn at random, or a tree whose first link is
// repeated at the file's end, in a format that can be cut.
struct Round {
  std::string format;
  std::string text;
  std::set<std::pair<uint64_t, uint64_t>> links;  // by ids, a <= b
};

Round drawRound(int r, std::mt19937& random) {
  const int n = r % 50 == 49 ? 200 + static_cast<int>(random() % 200)
                             : 1 + static_cast<int>(random() % 14);
  testing::Drawn g;
  if (r % 4 == 3) {
    g = testing::drawGraph(n, random);
    g.links.clear();
    for (int a = 1; a < n; ++a) {
      g.links.push_back(
          {a, static_cast<int>(random() % static_cast<unsigned>(a))});
    }
    if (!g.links.empty()) g.links.push_back(g.links.front());
  } else {
    g = testing::drawGraph(n, random);
  }
  Round round;
  const int kind = static_cast<int>(random() % 3);
  round.format = kind == 0 ? "edges" : kind == 1 ? "mtx" : "dimacs";
  round.text = kind == 0   ? testing::writeEdges(g, random)
               : kind == 1 ? testing::writeMtx(n, g, random)
                           : testing::writeDimacs(n, g, random);
  for (auto [a, b] : g.links) {
    const uint64_t x = kind == 0 ? g.ids[static_cast<std::size_t>(a)]
                                 : static_cast<uint64_t>(a + 1);
    const uint64_t y = kind == 0 ? g.ids[static_cast<std::size_t>(b)]
                                 : static_cast<uint64_t>(b + 1);
    round.links.insert({std::min(x, y), std::max(x, y)});
  }
  return round;
}

// Breaks a random line that holds a link: its first number is no number.
void plantFault(Round& round, std::mt19937& random) {
  std::vector<std::size_t> starts;
  for (std::size_t at = 0; at < round.text.size();
       at = round.text.find('\n', at) + 1) {
    const char c = round.text[at];
    const bool link = (c >= '0' && c <= '9') || c == 'e' || c == 'a';
    if (link && (round.format != "mtx" || starts.size() < 1000)) {
      starts.push_back(at);
    }
    if (round.text.find('\n', at) == std::string::npos) break;
  }
  // Matrix Market's size line is numbers too: not the first.
  const std::size_t first = round.format == "mtx" ? 1 : 0;
  if (starts.size() <= first) return;
  std::size_t at = starts[first + random() % (starts.size() - first)];
  if (round.format == "dimacs") at += 2;
  round.text.insert(at, "x");
}

void expectSame(const Told& whole, const Told& merged, const Round& round) {
  EXPECT_EQ(merged.refusal, whole.refusal);
  if (!whole.refusal.empty()) return;
  EXPECT_EQ(merged.verdict, whole.verdict);
  EXPECT_EQ(merged.nodes, whole.nodes);
  EXPECT_EQ(merged.parts, whole.parts);
  EXPECT_EQ(merged.unreached, whole.unreached);
  // A cycle is shown of a connected graph; any cycle shown is one of the
  // file's: distinct nodes, each linked to the next by one of its links.
  if (whole.verdict != GraphClass::kConnectedNotTree) return;
  // The cycle's nodes, its first again at its end.
  std::vector<uint64_t> cycle = merged.cycle;
  ASSERT_GE(cycle.size(), 2U);
  EXPECT_EQ(cycle.front(), cycle.back());
  cycle.pop_back();
  const std::set<uint64_t> distinct(cycle.begin(), cycle.end());
  EXPECT_EQ(distinct.size(), cycle.size());
  for (std::size_t i = 0; i < cycle.size(); ++i) {
    const uint64_t a = cycle[i];
    const uint64_t b = cycle[(i + 1) % cycle.size()];
    EXPECT_TRUE(round.links.count({std::min(a, b), std::max(a, b)}) == 1)
        << a << " " << b;
  }
}

// Thousands of graphs in each format that can be cut, split in 1 to 16
// parts at random line starts, reduced in a random order, merged flat and
// in a random tree of merges; a fifth with a line broken somewhere.
TEST(ReduceTest, MergedPartsAreJudgedAsTheWholeFile) {
  std::mt19937 random(20261211);  // NOLINT(cert-msc32-c,cert-msc51-cpp)
  Directory dir;
  for (int r = 0; r < 1200; ++r) {
    Round round = drawRound(r, random);
    if (r % 5 == 4) plantFault(round, random);
    SCOPED_TRACE("round " + std::to_string(r) + ", " + round.format + ":\n" +
                 round.text);
    const std::string file = dir.write("graph", round.text);
    const Told whole = judgeFiles({file}, false);
    if (whole.verdict == GraphClass::kRefused && whole.refusal.empty()) {
      continue;  // no graph in it
    }
    const auto count = 1 + static_cast<int64_t>(random() % 16);
    std::vector<int64_t> order(static_cast<std::size_t>(count));
    for (int64_t k = 0; k < count; ++k) order[static_cast<std::size_t>(k)] = k;
    std::shuffle(order.begin(), order.end(), random);
    std::vector<std::string> parts;
    for (const int64_t k : order) {
      int status = -1;
      const std::string text = reduce({file}, k, count, false, &status);
      // One part of one is the whole file, whose refusal is told as any
      // run tells it; a part of several keeps it for the merge.
      const bool told = count == 1 && !whole.refusal.empty();
      ASSERT_EQ(status, told ? 1 : 0) << "part " << k;
      parts.push_back(dir.write("part" + std::to_string(k), text));
    }
    {
      SCOPED_TRACE("flat");
      expectSame(whole, judgeFiles(parts, true), round);
    }
    // A tree: groups of up to three parts merged and reduced again, until
    // one is left.
    while (parts.size() > 1) {
      std::shuffle(parts.begin(), parts.end(), random);
      const std::size_t take =
          std::min<std::size_t>(parts.size(), 2 + random() % 2);
      const std::vector<std::string> group(
          parts.end() - static_cast<std::ptrdiff_t>(take), parts.end());
      parts.resize(parts.size() - take);
      const std::string text = reduce(group, 0, 0, true, nullptr);
      parts.push_back(dir.write("merged" + std::to_string(parts.size()), text));
    }
    SCOPED_TRACE("tree");
    expectSame(whole, judgeFiles(parts, true), round);
  }
}

}  // namespace
}  // namespace ugraph
