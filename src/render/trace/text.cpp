#include <algorithm>
#include <string_view>

#include "batch/each_graph.h"
#include "render/escape.h"
#include "render/trace/forms.h"

namespace ugraph {
namespace {

// "an entry is a link seen from one end, so 2 links and 1 self-link give 5
// entries"
void writeEntries(const JudgedGraph& d, Console& console) {
  // A link gives two entries and a self-link one, and d.links counts both.
  const int64_t selfLinks = 2 * d.links - entriesOf(d);
  const int64_t links = d.links - selfLinks;
  console.write("an entry is a link seen from one end, so ");
  const bool namesLinks = links > 0 || selfLinks == 0;
  if (namesLinks) writeCount(links, "link", console);
  if (selfLinks > 0) {
    if (namesLinks) console.write(" and ");
    writeCount(selfLinks, "self-link", console);
  }
  const bool one = namesLinks ? links == 1 && selfLinks == 0 : selfLinks == 1;
  console.write(one ? " gives " : " give ");
  writeCount(entriesOf(d), "entry", console, "entries");
  console.write("\n");
}

}  // namespace

void writeGraphName(const TracedGraph& g, Console& console,
                    void (*writeText)(std::string_view, Console&)) {
  const std::string_view name(g.d.graph.name.data());
  if (!name.empty()) return writeText(name, console);
  console.write(g.noun);
  writeNumber(" ", g.d.number, console);
}

void writeChecks(const TracedGraph& g, const WalkView& walk, Console& console) {
  const JudgedGraph& d = g.d;
  const int32_t n = d.nodes;
  if (n == 0) {
    console.write(classWords(d.verdict));
    console.write("\n");
    return;
  }
  writeNumber("reached ", walk.count, console);
  console.write(" of ");
  writeCount(n, "node", console);
  console.write("\n");
  if (walk.count == n) {
    writeEntries(d, console);
    writeCount(entriesOf(d), "entry", console, "entries");
    console.write(" for ");
    writeCount(n, "node", console);
    writeNumber("; a tree has 2 \xC3\x97 ", n, console);
    writeNumber(" \xE2\x88\x92 2 = ", 2 * int64_t{n} - 2, console);
    console.write(d.verdict == GraphClass::kTree ? ", and no self-link\n"
                                                 : ", so this is not one\n");
  }
  console.write("Graph is ");
  console.write(classWords(d.verdict));
  console.write("\n");
  if (d.verdict == GraphClass::kConnectedNotTree) {
    console.write("cycle:");
    Cycle small;
    for (const int32_t a : cycleOf(d, small)) writeNumber(" ", a, console);
    console.write("\n");
  } else if (d.verdict == GraphClass::kNotConnected) {
    writeNumber("", d.parts, console);
    console.write(" parts; unreached:");
    forEachUnreached(d, [&](int32_t a) {
      writeNumber(" ", a, console);
      return true;
    });
    console.write("\n");
  }
}

void writeHeading(const TracedGraph& g, Console& console,
                  void (*writeText)(std::string_view, Console&)) {
  const JudgedGraph& d = g.d;
  console.write(g.noun);
  writeNumber(" ", d.number, console);
  const std::string_view name(d.graph.name.data());
  if (!name.empty()) {
    console.write(" \"");
    writeText(name, console);
    console.write("\"");
  }
  console.write(": ");
  writeCount(d.nodes, "node", console);
  console.write(", ");
  writeCount(d.links, "link", console);
  console.write(", ");
  writeCount(entriesOf(d), "entry", console, "entries");
  console.write("\n");
}

void TextTrace::start() {
  writeHeading(g_, console_, [](std::string_view text, Console& console) {
    writeDisplayText(text, console);
  });
}

void TextTrace::step(const TraceStep& s, const WalkView& walk) {
  writeSentence(s, console_);
  if (s.kind == StepKind::kReach) {
    // The visit order in a column of its own.
    SentenceLength length;
    writeSentence(s, length);
    constexpr std::string_view kBlanks = "                       ";
    const std::size_t used = std::min(length.length, kBlanks.size() - 1);
    console_.write({kBlanks.data(), kBlanks.size() - used});
    console_.write("order:");
    for (int32_t i = 1; i <= walk.count; ++i) {
      writeNumber(" ", walk.order[i], console_);
    }
  }
  console_.write("\n");
}

void TextTrace::finish(const WalkView& walk) {
  writeChecks(g_, walk, console_);
}

}  // namespace ugraph
