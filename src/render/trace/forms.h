// The forms a trace is written in, one class each (see trace_steps.h for
// what a form is told): lines of text, JSON lines, Graphviz frames, and
// one HTML page that replays the walk.
#ifndef UGRAPH_RENDER_TRACE_FORMS_H_
#define UGRAPH_RENDER_TRACE_FORMS_H_

#include <array>
#include <cstdint>

#include "base/console.h"
#include "render/trace/layout.h"
#include "render/trace/steps.h"

namespace ugraph {

// Writes before and then value.
inline void writeNumber(std::string_view before, int64_t value,
                        Console& console) {
  console.write(before);
  console.write(value);
}

// Writes before and the name of node a of g (see nameOf).
inline void writeNode(std::string_view before, const TracedGraph& g, int32_t a,
                      Console& console) {
  console.write(before);
  console.writeId(nameOf(g.d.ids, a));
}

// Writes how the graph is called where a sentence names it: its name, or
// "<noun> <number>" when it has none, through writeText (which escapes
// it for the form).
void writeGraphName(const TracedGraph& g, Console& console,
                    void (*writeText)(std::string_view, Console&));

// Writes the trace's heading line, "data-input 3 "Loose": 4 nodes, 2
// links, 4 entries", and a line end; the name through writeText.
void writeHeading(const TracedGraph& g, Console& console,
                  void (*writeText)(std::string_view, Console&));

// Writes the checks that follow the walk and the verdict, a line each:
// how many nodes were reached; for a connected graph, its entries (a link
// seen from one end) against a tree's; "Graph is <verdict>"; then the
// cycle, or the number of parts and the unreached nodes, in --list's
// words. The graph of 0 nodes gets its class alone.
void writeChecks(const TracedGraph& g, const WalkView& walk, Console& console);

// What every form holds: the graph it tells of, and where it writes.
class TraceForm {
 public:
  TraceForm(const TracedGraph& g, Console& console)
      : g_(g), console_(console) {}

 protected:
  const TracedGraph& g_;
  Console& console_;
};

// A heading line ("data-input 3 "Loose": 4 nodes, 2 links, 4 entries"), a
// line a step (a reach followed by the visit order), and the checks.
class TextTrace : TraceForm {
 public:
  using TraceForm::TraceForm;
  void start();
  void step(const TraceStep& s, const WalkView& walk);
  void finish(const WalkView& walk);
};

// A "graph" object with the links, an object a step, and a "verdict".
class JsonTrace : TraceForm {
 public:
  using TraceForm::TraceForm;
  void start();
  void step(const TraceStep& s, const WalkView& walk);
  void finish(const WalkView& walk);
};

// A Graphviz graph a step, every one of the same size with the nodes in
// the same places (see GraphLayout), labelled "step K of T: <sentence> —
// <name>", from step 0, the graph before the walk; the last also shows the
// verdict.
class FrameTrace : TraceForm {
 public:
  // count: the steps of g's walk, and its longest sentence.
  FrameTrace(const TracedGraph& g, const StepCount& count, Console& console);
  void start();
  void step(const TraceStep& s, const WalkView& walk);
  void finish(const WalkView& walk);

 private:
  static bool marked(int32_t a, int32_t b);
  void writeHead(const TraceStep& s, bool last);
  void writeNodes(const TraceStep& s, const WalkView& walk);
  void writeLinks(const WalkView& walk, bool last);
  int64_t steps_;
  GraphLayout layout_;
  int32_t width_;
  // The links passed over as leading to a node already reached, a bit a
  // pair of nodes: in static storage, as one walk is told at a time and a
  // small stack has no room for them.
  using PassedLinks =
      std::array<uint64_t,
                 (kMaxDrawnNodes + 1) * (kMaxDrawnNodes + 1) / 64 + 1>;
  static PassedLinks passed_;
};

// One self-contained HTML page: the graph drawn once, the steps as data,
// and a script that replays them with controls.
class PageTrace : TraceForm {
 public:
  PageTrace(const TracedGraph& g, Console& console);
  void start();
  void step(const TraceStep& s, const WalkView& walk);
  void finish(const WalkView& walk);

 private:
  // Writes the page's text up to the mark {{stop}}, filling every other
  // mark on the way (see fill); to its end when stop is no mark of it.
  void writeUpTo(std::string_view stop);
  // Writes what the mark {{name}} stands for.
  void fill(std::string_view name);
  void writeNodes();

  GraphLayout layout_;
  std::string_view page_;  // the page's text not yet written
};

}  // namespace ugraph

#endif  // UGRAPH_RENDER_TRACE_FORMS_H_
