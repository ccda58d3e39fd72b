// The walk of one graph told step by step: each step of the walk (reach,
// examine, back) as an event that says what it found, for the trace's
// forms (text, JSON, frames, page) to write. Each form is one class with
//
//   void start();                          before the first step
//   void step(const TraceStep& s, const WalkView& walk);
//   void finish(const WalkView& walk);     after the last
//
// and StepTeller turns the walk's own calls into its steps.
#ifndef UGRAPH_RENDER_TRACE_STEPS_H_
#define UGRAPH_RENDER_TRACE_STEPS_H_

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "formats/judged_graph.h"
#include "graph/classify.h"

namespace ugraph {

// The most nodes a graph may have to be traced: every reach repeats the
// visit order, so a trace grows with the square of the nodes. Drawn forms
// (frames, page) draw the whole graph at every step, and so stop sooner.
inline constexpr int32_t kMaxTracedNodes = 1000;
inline constexpr int32_t kMaxDrawnNodes = 100;

enum class StepKind { kReach, kExamine, kBack };

struct TraceStep {
  StepKind kind = StepKind::kReach;
  int64_t number = 0;  // 1 for the first step
  // The node reached or examined, or stepped back to; 0 for the step back
  // to slot 0, which ends the walk.
  int32_t node = 0;
  // examine: the smallest neighbour not yet reached, 0 when none is left.
  int32_t next = 0;
  // examine: the neighbours passed over as already reached, ascending:
  // every neighbour below next, or every neighbour when none is left.
  std::span<const int32_t> passed;
  // back: node's last examination found nothing left, so it has finished:
  // reached nodes stay reached, and it never gains anything again.
  bool finished = false;
  // finishedNodes[a]: node a has finished, after this step.
  const bool* finishedNodes = nullptr;
  // The slot of the visit order the walk's pointer stands on after it.
  int32_t slot = 0;
  // The graph's ids of its nodes, which its sentence names them by (see
  // JudgedGraph::ids); nullptr when node k is called k.
  const uint64_t* ids = nullptr;
};

// What node a is called: its id in its file, or a.
inline uint64_t nameOf(const uint64_t* ids, int32_t a) {
  return ids != nullptr ? ids[a] : static_cast<uint64_t>(a);
}

// The graph a trace tells of: d analysed, not refused.
struct TracedGraph {
  const JudgedGraph& d;
  const char* noun;  // what its file calls a graph: "data-input", "graph"
};

// Writes the step's sentence to out (a Console, or anything with
// write(std::string_view) and writeId(uint64_t)): "reach 5", "examine 5: 1
// and 2 already reached; 3 is not yet reached", "back to 4 (finished:
// nothing left to reach)", "back to slot 0: the walk is over".
template <class Out>
void writeSentence(const TraceStep& s, Out& out) {
  if (s.kind == StepKind::kReach) {
    out.write("reach ");
    out.writeId(nameOf(s.ids, s.node));
    return;
  }
  if (s.kind == StepKind::kBack) {
    if (s.node == 0) {
      out.write("back to slot 0: the walk is over");
      return;
    }
    out.write("back to ");
    out.writeId(nameOf(s.ids, s.node));
    if (s.finished) out.write(" (finished: nothing left to reach)");
    return;
  }
  out.write("examine ");
  out.writeId(nameOf(s.ids, s.node));
  out.write(": ");
  const std::size_t count = s.passed.size();
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0) out.write(i + 1 == count ? " and " : ", ");
    out.writeId(nameOf(s.ids, s.passed[i]));
  }
  if (count > 0) out.write(" already reached; ");
  if (s.next == 0) {
    out.write("nothing left to reach");
  } else {
    out.writeId(nameOf(s.ids, s.next));
    out.write(" is not yet reached");
  }
}

// Counts what writeSentence writes, a character a byte.
struct SentenceLength {
  std::size_t length = 0;
  void write(std::string_view text) { length += text.size(); }
  void write(int64_t value) {
    do {
      ++length;
      value /= 10;
    } while (value != 0);
  }
  void writeId(uint64_t value) {
    do {
      ++length;
      value /= 10;
    } while (value != 0);
  }
};

// What a teller keeps a node: whether it has finished, and room for the
// neighbours one examination passed over. Too large for a small stack, it
// is held once: one walk is told at a time.
struct TellerSpace {
  std::array<bool, kMaxTracedNodes + 1> finished;
  std::array<int32_t, kMaxTracedNodes + 1> passed;
};
extern TellerSpace tellerSpace;

// Watches a walk (see NoWalkObserver) and tells form each step of it.
// REQUIRES: d is the graph walked, of at most kMaxTracedNodes nodes; no
// other teller is telling a walk.
template <class Form>
class StepTeller {
 public:
  StepTeller(const JudgedGraph& d, Form& form) : d_(d), form_(form) {
    finished_.fill(false);
  }

  template <class AnyWalk>
  void reach(int32_t node, const AnyWalk& walk) {
    walk_ = WalkView::of(walk);
    TraceStep s = next(StepKind::kReach, node);
    s.slot = walk_.count;
    form_.step(s, walk_);
  }

  void examine(int32_t node, int32_t next) {
    std::size_t count = 0;
    withGraph(d_, [&](const auto& graph, const auto& /*walk*/) {
      graph.forEachNeighbour(node, [&](int32_t b) {
        if (next != 0 && b >= next) return false;
        passed_[count++] = b;
        return true;
      });
    });
    finished_[slot(node)] = next == 0;
    TraceStep s = this->next(StepKind::kExamine, node);
    s.next = next;
    s.passed = {passed_.data(), count};
    s.slot = walk_.rank[node];
    form_.step(s, walk_);
  }

  void back(int32_t node) {
    TraceStep s = next(StepKind::kBack, node);
    s.finished = node != 0 && finished_[slot(node)];
    s.slot = node != 0 ? walk_.rank[node] : 0;
    form_.step(s, walk_);
  }

  // The walk as it ended.
  const WalkView& walk() const { return walk_; }

 private:
  static std::size_t slot(int32_t node) {
    return static_cast<std::size_t>(node);
  }
  TraceStep next(StepKind kind, int32_t node) {
    TraceStep s;
    s.kind = kind;
    s.number = ++steps_;
    s.node = node;
    s.finishedNodes = finished_.data();
    s.ids = d_.ids;
    return s;
  }

  const JudgedGraph& d_;
  Form& form_;
  WalkView walk_;
  int64_t steps_ = 0;
  std::array<bool, kMaxTracedNodes + 1>& finished_ = tellerSpace.finished;
  std::array<int32_t, kMaxTracedNodes + 1>& passed_ = tellerSpace.passed;
};

// A form that only counts the steps, and the longest sentence among them.
struct StepCount {
  int64_t steps = 0;
  std::size_t longest = 0;
  void step(const TraceStep& s, const WalkView& /*walk*/) {
    ++steps;
    SentenceLength length;
    writeSentence(s, length);
    longest = std::max(longest, length.length);
  }
};

}  // namespace ugraph

#endif  // UGRAPH_RENDER_TRACE_STEPS_H_
