#include <array>
#include <charconv>
#include <string_view>

#include "app/catalogue_modes.h"
#include "app/drawing.h"
#include "app/escape.h"

namespace ugraph {
namespace {

enum class Form { kText, kJson, kFrames };

// The most nodes a graph may have to be traced: every reach repeats the
// visit order, and every frame the whole graph, so a trace grows with the
// square of the nodes, and frames with their cube.
constexpr int32_t kMaxTracedNodes = 1000;
constexpr int32_t kMaxFramedNodes = 100;

// The distinct entries of d's graph, loaded: a link twice, a self-link
// once.
int64_t entriesOf(const JudgedDataInput& d) {
  return d.lists != nullptr ? d.lists->entries() : d.graph.linkFrom[0];
}

// Its distinct links, a self-link counting as one.
int64_t linksOf(const JudgedDataInput& d) {
  return d.lists != nullptr ? d.lists->links() : countLinks(d.graph);
}

// Writes each step of the walk as it happens, in one of three forms. The
// graph of 0 nodes has no node to start from: it gets its header and its
// class, and no step.
class TraceWriter {
 public:
  TraceWriter(const JudgedDataInput& d, const char* noun, Form form,
              Console& console)
      : d_(d), noun_(noun), form_(form), console_(console) {}

  template <class AnyWalk>
  void reach(int32_t node, const AnyWalk& walk) {
    walk_ = WalkView::of(walk);
    if (!walked()) return;
    if (node == 1) writeHeader();
    if (form_ == Form::kFrames) return frame(node, "reach ", node);
    if (form_ == Form::kJson) {
      write("{\"event\":\"reach\",\"node\":", node, ",\"order\":[");
      writeOrder("", ",");
      console_.write("]}\n");
      return;
    }
    write("reach ", node, "");
    const std::size_t width = node < 10 ? 7 : 8;
    console_.write(std::string_view("                ", 23 - width));
    console_.write("order:");
    writeOrder(" ", " ");
    console_.write("\n");
  }

  void examine(int32_t node, int32_t next) {
    if (!walked() || form_ == Form::kFrames) return;
    if (form_ == Form::kJson) {
      write("{\"event\":\"examine\",\"node\":", node, ",\"next\":");
      writeNode(next, "null");
      console_.write("}\n");
    } else if (next == 0) {
      write("examine ", node, ": nothing left to reach\n");
    } else {
      write("examine ", node, ": ");
      write("", next, " is not yet reached\n");
    }
  }

  void back(int32_t node) {
    if (!walked()) return;
    if (form_ == Form::kFrames) {
      if (node == 0) return frame(0, "back to slot 0: the walk is over", 0);
      return frame(node, "back to ", node);
    }
    if (form_ == Form::kJson) {
      console_.write("{\"event\":\"back\",\"node\":");
      writeNode(node, "null");
      console_.write("}\n");
    } else if (node == 0) {
      console_.write("back to slot 0: the walk is over\n");
    } else {
      write("back to ", node, "\n");
    }
  }

  // Writes what follows the walk: the checks and the verdict.
  void finish() {
    const int32_t n = d_.nodes;
    const int32_t reached = walked() ? walk_.count : 0;
    if (!walked()) writeHeader();
    if (form_ == Form::kFrames) return writeDrawing(d_, console_);
    if (form_ == Form::kJson) {
      console_.write("{\"event\":\"verdict\",\"verdict\":\"");
      console_.write(classWords(d_.verdict));
      write("\",\"reached\":", reached, "");
      write(",\"nodes\":", n, "");
      write(",\"entries\":", entriesOf(d_), "}\n");
      return;
    }
    if (walked()) writeChecks(reached);
    if (d_.verdict != GraphClass::kNoNode) console_.write("Graph is ");
    console_.write(classWords(d_.verdict));
    console_.write("\n");
  }

 private:
  bool walked() const { return d_.nodes != 0; }

  void write(std::string_view before, int64_t value, std::string_view after) {
    console_.write(before);
    console_.write(value);
    console_.write(after);
  }

  void writeNode(int32_t node, std::string_view none) {
    if (node == 0) {
      console_.write(none);
    } else {
      console_.write(int64_t{node});
    }
  }

  void writeOrder(std::string_view before, std::string_view separator) {
    for (int32_t i = 1; i <= walk_.count; ++i) {
      console_.write(i == 1 ? before : separator);
      console_.write(int64_t{walk_.order[i]});
    }
  }

  // "data-input 3 "Loose": 4 nodes, 2 links, 4 entries"
  void writeHeader() {
    if (form_ != Form::kText) return;
    const Ugraph& g = d_.graph;
    console_.write(noun_);
    write(" ", d_.number, "");
    if (g.name[0] != '\0') {
      console_.write(" \"");
      writeDisplayText(std::string_view(g.name.data()), console_);
      console_.write("\"");
    }
    console_.write(": ");
    writeCount(d_.nodes, "node", console_);
    console_.write(", ");
    writeCount(linksOf(d_), "link", console_);
    console_.write(", ");
    writeCount(entriesOf(d_), "entry", console_, "entries");
    console_.write("\n");
  }

  void frame(int32_t current, std::string_view step, int32_t node) {
    std::array<char, 48> label{};
    std::size_t length = step.copy(label.data(), label.size());
    if (node != 0) {
      length = static_cast<std::size_t>(
          std::to_chars(label.data() + length, label.data() + label.size(),
                        node)
              .ptr -
          label.data());
    }
    writeFrame(d_, walk_, current, {label.data(), length}, console_);
  }

  void writeChecks(int32_t reached) {
    const int32_t n = d_.nodes;
    write("reached ", reached, " of ");
    write("", n, " nodes");
    if (reached < n) {
      console_.write("; not reached:");
      for (int32_t a = 1; a <= n; ++a) {
        if (walk_.rank[a] == 0) {
          write(" ", a, "");
        }
      }
      console_.write("\n");
      return;
    }
    console_.write("\n");
    write("", entriesOf(d_), " entries for ");
    write("", n, " nodes; a tree has 2 \xC3\x97 ");
    write("", n, " \xE2\x88\x92 2 = ");
    write("", 2 * int64_t{n} - 2, "");
    console_.write(d_.verdict == GraphClass::kTree ? ", and no self-link\n"
                                                   : ", so this is not one\n");
  }

  const JudgedDataInput& d_;
  const char* noun_;
  Form form_;
  Console& console_;
  WalkView walk_;
};

}  // namespace

int runTrace(const Options& options, Console& console) {
  const Form form = options.json                       ? Form::kJson
                    : options.to == OutputFormat::kDot ? Form::kFrames
                                                       : Form::kText;
  return showGraph(
      options, false, console,
      [&](const JudgedDataInput& d, CatalogueJudge& judge, const char* noun) {
        const int32_t limit =
            form == Form::kFrames ? kMaxFramedNodes : kMaxTracedNodes;
        if (d.nodes > limit) return Refusal::kTooLargeToTrace;
        TraceWriter trace(d, noun, form, console);
        judge.analyseWith(trace);
        if (d.verdict == GraphClass::kRefused) return d.status.refusal;
        trace.finish();
        return Refusal::kNone;
      });
}

}  // namespace ugraph
