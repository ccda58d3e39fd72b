#include "app/drawing.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "app/escape.h"

namespace ugraph {
namespace {

// Row a has bit b set when the link a-b lies on the cycle.
using LinkRows = std::array<uint64_t, kMaxNodes + 1>;

LinkRows cycleLinks(const JudgedDataInput& d) {
  LinkRows rows{};
  if (d.verdict != GraphClass::kConnectedNotTree) return rows;
  Cycle cycle;
  const std::size_t length =
      findCycle(d.analysis.rows, d.graph.linkTo[0], d.analysis.walk, cycle);
  for (std::size_t i = 0; i + 1 < length; ++i) {
    const auto a = static_cast<std::size_t>(cycle[i]);
    const auto b = static_cast<std::size_t>(cycle[i + 1]);
    rows[a] |= uint64_t{1} << b;
    rows[b] |= uint64_t{1} << a;
  }
  return rows;
}

// No node is its own parent, so a self-link is never a tree link.
bool isTreeLink(const Walk& walk, int32_t a, int32_t b) {
  return walk.parent[static_cast<std::size_t>(b)] == a ||
         walk.parent[static_cast<std::size_t>(a)] == b;
}

void writeHead(const JudgedDataInput& d, Console& console) {
  console.write("graph ");
  writeDotString(std::string_view(d.graph.name.data()), console);
  console.write(" {\n  label=");
}

void writeLink(int32_t a, int32_t b, bool tree, bool cycle, Console& console) {
  console.write("  ");
  console.write(int64_t{a});
  console.write(" -- ");
  console.write(int64_t{b});
  if (tree && cycle) {
    console.write(" [style=bold, penwidth=2.5, color=red];\n");
  } else if (tree) {
    console.write(" [style=bold, penwidth=2.5];\n");
  } else if (cycle) {
    console.write(" [color=red];\n");
  } else {
    console.write(";\n");
  }
}

}  // namespace

void writeDrawing(const JudgedDataInput& d, Console& console) {
  const Ugraph& g = d.graph;
  const Walk& walk = d.analysis.walk;
  writeHead(d, console);
  writeDotLabel(std::string_view(g.name.data()), classWords(d.verdict),
                console);
  console.write(";\n  labelloc=t;\n");
  for (int32_t a = 1; a <= g.linkTo[0]; ++a) {
    const bool reached = walk.rank[static_cast<std::size_t>(a)] != 0;
    console.write("  ");
    console.write(int64_t{a});
    console.write(reached ? ";\n" : " [style=dashed, color=grey];\n");
  }
  const LinkRows cycle = cycleLinks(d);
  for (std::size_t i = 1; g.linkFrom[i] != 0; ++i) {
    const int32_t a = g.linkFrom[i];
    const int32_t b = g.linkTo[i];
    if (a > b) continue;
    const bool tree = isTreeLink(walk, a, b);
    const bool onCycle = (cycle[static_cast<std::size_t>(a)] >> b & 1U) != 0;
    writeLink(a, b, tree, onCycle, console);
  }
  console.write("}\n");
}

void writeFrame(const JudgedDataInput& d, const Walk& walk, int32_t current,
                std::string_view step, Console& console) {
  const Ugraph& g = d.graph;
  writeHead(d, console);
  writeDotLabel("", step, console);
  console.write(";\n  labelloc=t;\n");
  for (int32_t a = 1; a <= g.linkTo[0]; ++a) {
    console.write("  ");
    console.write(int64_t{a});
    if (walk.rank[static_cast<std::size_t>(a)] == 0) {
      console.write(" [style=dashed, color=grey];\n");
    } else {
      console.write(a == current
                        ? " [style=filled, fillcolor=lightgrey, penwidth=3];\n"
                        : " [style=filled, fillcolor=lightgrey];\n");
    }
  }
  for (std::size_t i = 1; g.linkFrom[i] != 0; ++i) {
    const int32_t a = g.linkFrom[i];
    const int32_t b = g.linkTo[i];
    if (a <= b) writeLink(a, b, isTreeLink(walk, a, b), false, console);
  }
  console.write("}\n");
}

}  // namespace ugraph
