#include <algorithm>
#include <string_view>

#include "render/escape.h"
#include "render/trace/forms.h"
#include "render/verdict.h"

namespace ugraph {
namespace {

// The room the verdict's lines are built in: large, so it lives in static
// storage.
LineRoom checksRoom;

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
  if (walk.count == n) writeEntriesExplained(d, console);
  Line line(checksRoom);
  writeVerdictText(d, ReasonShape::kTrace, line, console);
  line.writeTo(console);
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
      writeNode(" ", g_, walk.order[i], console_);
    }
  }
  console_.write("\n");
}

void TextTrace::finish(const WalkView& walk) {
  writeChecks(g_, walk, console_);
}

}  // namespace ugraph
