#include <array>
#include <charconv>
#include <string_view>

#include "app/catalogue_modes.h"
#include "app/drawing.h"
#include "app/escape.h"

namespace ugraph {
namespace {

enum class Form { kText, kJson, kFrames };

// Writes each step of the walk as it happens, in one of three forms. A
// graph without links is walked too, but the dialogue gives it no walk, so
// its steps are passed over.
class TraceWriter {
 public:
  TraceWriter(const JudgedDataInput& d, const char* noun, Form form,
              Console& console)
      : d_(d), noun_(noun), form_(form), console_(console) {}

  void reach(int32_t node, const Walk& walk) {
    walk_ = &walk;
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
    const Ugraph& g = d_.graph;
    const int32_t n = g.linkTo[0];
    const int32_t reached = walked() ? d_.analysis.walk.count : 0;
    if (!walked()) writeHeader();
    if (form_ == Form::kFrames) return writeDrawing(d_, console_);
    if (form_ == Form::kJson) {
      console_.write("{\"event\":\"verdict\",\"verdict\":\"");
      console_.write(classWords(d_.verdict));
      write("\",\"reached\":", reached, "");
      write(",\"nodes\":", n, "");
      write(",\"entries\":", g.linkFrom[0], "}\n");
      return;
    }
    if (walked()) writeChecks(reached);
    if (d_.verdict != GraphClass::kNoLink) console_.write("Graph is ");
    console_.write(classWords(d_.verdict));
    console_.write("\n");
  }

 private:
  bool walked() const { return d_.graph.linkFrom[0] != 0; }

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
    for (int32_t i = 1; i <= walk_->count; ++i) {
      console_.write(i == 1 ? before : separator);
      console_.write(int64_t{walk_->order[static_cast<std::size_t>(i)]});
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
    writeCount(g.linkTo[0], "node", console_);
    console_.write(", ");
    writeCount(countLinks(g), "link", console_);
    console_.write(", ");
    writeCount(g.linkFrom[0], "entry", console_, "entries");
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
    writeFrame(d_, *walk_, current, {label.data(), length}, console_);
  }

  void writeChecks(int32_t reached) {
    const int32_t n = d_.graph.linkTo[0];
    write("reached ", reached, " of ");
    write("", n, " nodes");
    if (reached < n) {
      console_.write("; not reached:");
      for (int32_t a = 1; a <= n; ++a) {
        if (d_.analysis.walk.rank[static_cast<std::size_t>(a)] == 0) {
          write(" ", a, "");
        }
      }
      console_.write("\n");
      return;
    }
    console_.write("\n");
    write("", d_.graph.linkFrom[0], " entries for ");
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
  const Walk* walk_ = nullptr;
};

}  // namespace

int runTrace(const Options& options, Console& console) {
  const Form form = options.json                       ? Form::kJson
                    : options.to == OutputFormat::kDot ? Form::kFrames
                                                       : Form::kText;
  return showGraph(
      options, false, console,
      [&](const JudgedDataInput& d, CatalogueJudge& judge, const char* noun) {
        TraceWriter trace(d, noun, form, console);
        judge.analyseWith(trace);
        trace.finish();
      });
}

}  // namespace ugraph
