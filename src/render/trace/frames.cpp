#include <algorithm>
#include <optional>
#include <string_view>

#include "render/dot_styles.h"
#include "render/drawing.h"
#include "render/escape.h"
#include "render/trace/forms.h"
#include "render/verdict.h"

namespace ugraph {
namespace {

// The most a label's character may take, in points, in Graphviz's
// default font of 14 points: the frame is made wide enough for this many
// of them, so that no label widens it.
constexpr int32_t kPointsPerCharacter = 7;
// "step K of T: " less its numbers, " — " and ": " before the verdict.
constexpr std::size_t kLabelWords = 9 + 3 + 2;
constexpr std::size_t kLongestVerdict = 24;  // "connected but not a tree"
constexpr std::string_view kBefore = "the graph before the walk";

std::size_t digits(int64_t value) {
  SentenceLength length;
  length.write(value);
  return length.length;
}

// The bit of link {a, b} among the passed links.
std::size_t linkBit(int32_t a, int32_t b) {
  return static_cast<std::size_t>(std::min(a, b)) * (kMaxDrawnNodes + 1) +
         static_cast<std::size_t>(std::max(a, b));
}

void writePlain(std::string_view text, Console& console) {
  writeDotLabelText(text, console);
}

}  // namespace

FrameTrace::PassedLinks FrameTrace::passed_;

FrameTrace::FrameTrace(const TracedGraph& g, const StepCount& count,
                       Console& console)
    : TraceForm(g, console), steps_(count.steps), layout_(layoutOf(g.d)) {
  passed_.fill(0);
  const std::string_view name(g.d.graph.name.data());
  const std::size_t nameLength =
      name.empty() ? std::string_view(g.noun).size() + 1 + digits(g.d.number)
                   : name.size();
  const std::size_t label = kLabelWords + 2 * digits(count.steps) +
                            std::max(count.longest, kBefore.size()) +
                            nameLength + kLongestVerdict;
  width_ = std::max(layout_.width(),
                    static_cast<int32_t>(label) * kPointsPerCharacter);
}

bool FrameTrace::marked(int32_t a, int32_t b) {
  const std::size_t bit = linkBit(a, b);
  return (passed_[bit / 64] >> (bit % 64) & 1) != 0;
}

void FrameTrace::step(const TraceStep& s, const WalkView& walk) {
  if (s.kind == StepKind::kExamine) {
    for (const int32_t b : s.passed) {
      const std::size_t bit = linkBit(s.node, b);
      passed_[bit / 64] |= uint64_t{1} << (bit % 64);
    }
  }
  const bool last = s.number == steps_;
  writeHead(s, last);
  writeNodes(s, walk);
  writeLinks(walk, last);
  console_.write("}\n");
}

void FrameTrace::writeHead(const TraceStep& s, bool last) {
  console_.write("graph ");
  writeDotString(std::string_view(g_.d.graph.name.data()), console_);
  // Pinned positions in points, for neato, which dot hands the drawing to.
  console_.write(" {\n  layout=neato;\n  inputscale=72;\n  splines=true;\n");
  writeNumber("  label=\"step ", s.number, console_);
  writeNumber(" of ", steps_, console_);
  console_.write(": ");
  if (s.number == 0) {
    console_.write(kBefore);
  } else {
    writeSentence(s, console_);
  }
  console_.write(" \xE2\x80\x94 ");
  writeGraphName(g_, console_, writePlain);
  if (last) {
    console_.write(": ");
    console_.write(classWords(g_.d.verdict));
  }
  console_.write("\";\n  labelloc=t;\n");
  console_.write("  node [shape=circle, fixedsize=true, width=0.5];\n");
  // Two invisible corners, the same in every step, set the drawing's size.
  console_.write("  corner1 [shape=point, style=invis, pos=\"0,0!\"];\n");
  writeNumber("  corner2 [shape=point, style=invis, pos=\"", width_, console_);
  writeNumber(",", layout_.height(), console_);
  console_.write("!\"];\n");
}

void FrameTrace::writeNodes(const TraceStep& s, const WalkView& walk) {
  const int32_t height = layout_.height();
  const int32_t left = (width_ - layout_.width()) / 2;
  for (int32_t a = 1; a <= g_.d.nodes; ++a) {
    const Point p = layout_.at(a);
    writeNode("  ", g_, a, console_);
    writeNumber(" [pos=\"", left + p.x, console_);
    writeNumber(",", height - p.y, console_);
    console_.write("!\"");
    if (walk.count == 0 || walk.rank[a] == 0) {
      console_.write(", ");
      console_.write(kUnreachedNode);
      console_.write(", fontcolor=grey];\n");
      continue;
    }
    const bool current = a == s.node;
    const bool finished = s.finishedNodes[a];
    console_.write(", ");
    console_.write(current    ? kCurrentNode
                   : finished ? kFinishedNode
                              : kReachedNode);
    console_.write(finished ? ", peripheries=2];\n" : "];\n");
  }
}

void FrameTrace::writeLinks(const WalkView& walk, bool last) {
  const JudgedGraph& d = g_.d;
  // The cycle shows in the last frame only.
  std::optional<CycleLinks> cycle;
  if (last) cycle.emplace(d);
  forEachLinkOf(d, [&](int32_t a, int32_t b) {
    writeNode("  ", g_, a, console_);
    writeNode(" -- ", g_, b, console_);
    const bool red = cycle && cycle->has(a, b);
    const bool tree = walk.count != 0 && isTreeLink(walk, a, b);
    console_.write(linkEnd(tree           ? linkLook(true, red)
                           : red          ? LinkLook::kCycleInFrame
                           : marked(a, b) ? LinkLook::kPassedOver
                                          : LinkLook::kPlain));
  });
}

void FrameTrace::start() {
  // Step 0 is the graph before the walk, so that frame K shows step K.
  if (steps_ == 0) return;
  TraceStep before;
  before.number = 0;
  writeHead(before, false);
  writeNodes(before, WalkView{});
  writeLinks(WalkView{}, false);
  console_.write("}\n");
}

void FrameTrace::finish(const WalkView& /*walk*/) {
  // A graph without nodes takes no step: its one frame is its verdict.
  if (steps_ == 0) writeDrawing(g_.d, console_);
}

}  // namespace ugraph
