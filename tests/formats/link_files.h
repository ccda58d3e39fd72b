// Random graphs of one file each, drawn with repeats and self-links and
// written in each format of one graph a file, as the tests of those
// formats and of their reduction read them.
#ifndef UGRAPH_TESTS_FORMATS_LINK_FILES_H_
#define UGRAPH_TESTS_FORMATS_LINK_FILES_H_

#include <algorithm>
#include <cstdint>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace ugraph::testing {

// A graph by the file's ids: its nodes and its links, repeats and
// self-links as they were drawn.
struct Drawn {
  std::vector<uint64_t> ids;  // node k (from 0) is ids[k]
  std::vector<std::pair<int, int>> links;
};

// A graph of n nodes and up to 2n links drawn at random, a tenth of them
// self-links and an eighth repeated; ids of an edge list spread, dense
// from 0, or near 2^64.
inline Drawn drawGraph(int n, std::mt19937& random) {
  Drawn g;
  std::set<uint64_t> used;
  while (static_cast<int>(used.size()) < n) {
    const uint64_t kind = random() % 3;
    used.insert(kind == 0   ? random() % 1000
                : kind == 1 ? UINT64_MAX - random() % 50
                            : uint64_t{random()} << 20 | random());
  }
  g.ids.assign(used.begin(), used.end());
  std::shuffle(g.ids.begin(), g.ids.end(), random);
  const int links =
      n == 0 ? 0
             : static_cast<int>(random() % static_cast<unsigned>(2 * n + 1));
  for (int i = 0; i < links; ++i) {
    const int a = static_cast<int>(random() % static_cast<unsigned>(n));
    const int b = random() % 10 == 0
                      ? a
                      : static_cast<int>(random() % static_cast<unsigned>(n));
    g.links.push_back({a, b});
    if (random() % 8 == 0) g.links.push_back({b, a});  // a repeat
  }
  return g;
}

inline std::string writeEdges(const Drawn& g, std::mt19937& random) {
  std::string text;
  if (random() % 2 == 0) text += "# a header\n% and a comment\n";
  if (random() % 3 == 0) text += "source,target,weight\n";
  const char* const seps[] = {" ", "\t", ",", ", ", "  \t"};
  for (auto [a, b] : g.links) {
    text += std::to_string(g.ids[static_cast<std::size_t>(a)]);
    text += seps[random() % 5];
    text += std::to_string(g.ids[static_cast<std::size_t>(b)]);
    if (random() % 4 == 0) text += " 0.5 1700000000";
    text += random() % 5 == 0 ? "\r\n" : "\n";
  }
  if (random() % 3 == 0 && !text.empty()) text.pop_back();  // no line end
  return text;
}

inline std::string writeMtx(int n, const Drawn& g, std::mt19937& random) {
  std::string text = "%%MatrixMarket matrix coordinate pattern symmetric\n";
  text += "% written by a test\n";
  std::string entries;
  std::size_t count = 0;
  for (auto [a, b] : g.links) {
    entries += std::to_string(a + 1) + " " + std::to_string(b + 1) + "\n";
    ++count;
    if (random() % 3 == 0) {  // both directions, as many files list them
      entries += std::to_string(b + 1) + " " + std::to_string(a + 1) + " 0\n";
      ++count;
    }
  }
  return text + std::to_string(n) + " " + std::to_string(n) + " " +
         std::to_string(count) + "\n" + entries;
}

inline std::string writeMetis(int n, const Drawn& g, std::mt19937& random) {
  std::vector<std::vector<int>> lines(static_cast<std::size_t>(n));
  std::set<std::pair<int, int>> distinct;
  for (auto [a, b] : g.links) {
    distinct.insert({std::min(a, b), std::max(a, b)});
    lines[static_cast<std::size_t>(a)].push_back(b);
    // A link listed from one end only still counts.
    if (a != b && random() % 4 != 0) {
      lines[static_cast<std::size_t>(b)].push_back(a);
    }
  }
  const bool weighted = random() % 2 == 0;
  std::string text = "% METIS\n" + std::to_string(n) + " " +
                     std::to_string(distinct.size()) +
                     (weighted ? " 011 2\n" : "\n");
  for (const auto& line : lines) {
    if (weighted) text += "7 8 ";
    for (const int b : line) {
      text += " " + std::to_string(b + 1);
      if (weighted) text += " 3";
    }
    text += "\n";
  }
  return text;
}

inline std::string writeDimacs(int n, const Drawn& g, std::mt19937& random) {
  const bool paths = random() % 2 == 0;
  std::string text = "c a test\np " + std::string(paths ? "sp " : "edge ") +
                     std::to_string(n) + " " + std::to_string(g.links.size()) +
                     "\n";
  for (auto [a, b] : g.links) {
    text += (paths ? "a " : "e ") + std::to_string(a + 1) + " " +
            std::to_string(b + 1) + (paths ? " 9\n" : "\n");
  }
  return text;
}

}  // namespace ugraph::testing

#endif  // UGRAPH_TESTS_FORMATS_LINK_FILES_H_
