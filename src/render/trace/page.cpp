#include <string_view>

#include "render/drawing.h"
#include "render/escape.h"
#include "render/trace/forms.h"
#include "render/trace/page_files.h"
#include "render/verdict.h"

namespace ugraph {
namespace {

// The ring around the current node.
constexpr int32_t kRingRadius = GraphLayout::kNodeRadius + 5;

void writePoint(std::string_view before, Point p, Console& console) {
  writeNumber(before, p.x, console);
  writeNumber(" ", p.y, console);
}

void writeLinkPath(const GraphLayout& layout, int32_t a, int32_t b,
                   Console& console) {
  writeNumber("<path class=\"link\" data-a=\"", a, console);
  writeNumber("\" data-b=\"", b, console);
  if (a == b) {
    const Loop loop = layout.loop(a);
    writePoint("\" d=\"M", loop.from, console);
    writePoint(" C", loop.control1, console);
    writePoint(" ", loop.control2, console);
    writePoint(" ", loop.to, console);
  } else {
    writePoint("\" d=\"M", layout.at(a), console);
    writePoint(" Q", layout.bend(a, b), console);
    writePoint(" ", layout.at(b), console);
  }
  console.write("\"/>\n");
}

}  // namespace

PageTrace::PageTrace(const TracedGraph& g, Console& console)
    : TraceForm(g, console), layout_(layoutOf(g.d)), page_(kPageHtml) {}

void PageTrace::fill(std::string_view name) {
  const JudgedGraph& d = g_.d;
  if (name == "name") {
    writeGraphName(g_, console_, writeHtmlText);
  } else if (name == "style") {
    console_.write(kPageCss);
  } else if (name == "heading") {
    writeHeading(g_, console_, writeHtmlText);
  } else if (name == "verdict") {
    console_.write(classWords(d.verdict));
  } else if (name == "checks") {
    // The checks and verdict wait in the page until the end shows them;
    // they are known before the walk is told.
    writeChecks(g_, walkOf(d), console_);
  } else if (name == "width") {
    console_.write(int64_t{layout_.width()});
  } else if (name == "height") {
    console_.write(int64_t{layout_.height()});
  } else if (name == "links") {
    forEachLinkOf(d, [&](int32_t a, int32_t b) {
      writeLinkPath(layout_, a, b, console_);
    });
  } else if (name == "nodes") {
    writeNodes();
  } else if (name == "cycle") {
    if (d.verdict != GraphClass::kConnectedNotTree) return;
    Cycle small;
    const char* separator = "";
    for (const int32_t a : cycleOf(d, small)) {
      writeNumber(separator, a, console_);
      separator = ",";
    }
  } else if (name == "script") {
    console_.write(kPageJs);
  } else {  // no mark of the page's: left as it stands, for a test to see
    console_.write("{{");
    console_.write(name);
    console_.write("}}");
  }
}

void PageTrace::writeUpTo(std::string_view stop) {
  for (;;) {
    const std::size_t open = page_.find("{{");
    const std::size_t close = page_.find("}}", open);
    if (open == std::string_view::npos || close == std::string_view::npos) {
      console_.write(page_);
      page_ = {};
      return;
    }
    console_.write(page_.substr(0, open));
    // Built without substr's range check, which would bring in the C++
    // run-time library: close lies past open.
    const std::string_view name(page_.data() + open + 2, close - open - 2);
    page_.remove_prefix(close + 2);
    if (name == stop) return;
    fill(name);
  }
}

void PageTrace::writeNodes() {
  for (int32_t a = 1; a <= g_.d.nodes; ++a) {
    const Point p = layout_.at(a);
    writeNumber("<g class=\"node\" data-node=\"", a, console_);
    console_.write("\" data-state=\"unreached\"");
    writeNode(" data-name=\"", g_, a, console_);
    console_.write("\"");
    writeNumber(" transform=\"translate(", p.x, console_);
    writeNumber(",", p.y, console_);
    writeNode(")\"><title>node ", g_, a, console_);
    writeNumber("</title><circle class=\"ring\" r=\"", kRingRadius, console_);
    writeNumber("\"/><circle class=\"disc\" r=\"", GraphLayout::kNodeRadius,
                console_);
    writeNode("\"/><text>", g_, a, console_);
    console_.write("</text></g>\n");
  }
}

void PageTrace::start() { writeUpTo("steps"); }

void PageTrace::step(const TraceStep& s, const WalkView& walk) {
  console_.write("[\"");
  writeSentence(s, console_);
  writeNumber("\",", static_cast<int64_t>(s.kind), console_);
  writeNumber(",", s.node, console_);
  writeNumber(",", s.slot, console_);
  switch (s.kind) {
    case StepKind::kReach:
      writeNumber(",", walk.parent[s.node], console_);
      break;
    case StepKind::kExamine:
      writeNumber(",", s.next, console_);
      for (const int32_t b : s.passed) writeNumber(",", b, console_);
      break;
    case StepKind::kBack:
      console_.write(s.finished ? ",1" : ",0");
      break;
  }
  console_.write("],\n");
}

// Every part of the page after the steps is known from the graph.
void PageTrace::finish(const WalkView& /*walk*/) { writeUpTo(""); }

}  // namespace ugraph
