#include <string_view>

#include "batch/each_graph.h"
#include "modes/modes.h"
#include "render/drawing.h"
#include "render/verdict.h"

namespace ugraph {
namespace {

// Writes d in format, a row of the table of formats, or as a drawing when
// format is null; returns the refusal when the format cannot hold it.
Refusal write(const JudgedGraph& d, const FormatRow* format, Console& console) {
  if (format == nullptr) {  // dot: html is refused with the options
    writeDrawing(d, console);
    return Refusal::kNone;
  }
  return format->write(d, console);
}

// The bytes of a graph6 line of n nodes: its node count (1, 4 or 8
// bytes), the upper triangle six bits a byte, and its line end. It grows
// with the square of the nodes, where every other form grows with the
// links.
uint64_t graph6Bytes(int64_t n) {
  const uint64_t head = n <= 62 ? 1 : n <= 258047 ? 4 : 8;
  const auto nodes = static_cast<uint64_t>(n);
  const uint64_t bits = nodes * (nodes == 0 ? 0 : nodes - 1) / 2;
  return head + (bits + 5) / 6 + 1;
}

// Writes the graphs of file as runConvert does; returns its status.
int convertFile(const Options& options, const char* file, Console& console) {
  bool refused = false;
  const char* noun = "";
  CheckLineBuffer line;
  const FormatRow* const format = formatOf(options.to);
  const auto refuse = [&](const JudgedGraph& d, const Status& why) {
    refused = true;
    reportLine(checkLine(file, noun, d.number, why, line));
  };
  const int status = forEachJudged(
      options, file, true, console, noun, [&](const JudgedGraph& d) {
        if (d.verdict == GraphClass::kRefused) {
          refuse(d, d.status);
          return true;
        }
        if ((options.select & classBit(d.verdict)) == 0) return true;
        if (format == findFormat("graph6") &&
            graph6Bytes(d.nodes) > options.maxMemory) {
          // A line past the ceiling is refused as a graph past it is.
          Status over = Status::refused(Refusal::kOverMemory, d.start);
          over.need = graph6Bytes(d.nodes);
          over.ceiling = options.maxMemory;
          refuse(d, over);
          return true;
        }
        const Refusal cannot = write(d, format, console);
        if (cannot != Refusal::kNone) {
          refuse(d, Status::refused(cannot, d.start));
        }
        return true;
      });
  if (status != 0) return status;
  return refused ? 1 : 0;
}

}  // namespace

const char* convertRules(const Options& options, KeySet given) {
  if ((given & keyBit(OptionKey::kTo)) == 0) {
    return "--convert needs --to=FORMAT";
  }
  if (options.to == OutputFormat::kHtml) return "--to=html needs --trace";
  if ((given & keyBit(OptionKey::kSelect)) != 0 &&
      (options.select & classBit(GraphClass::kRefused)) != 0) {
    return "--convert writes no refused graph: select another class";
  }
  return nullptr;
}

int runConvert(const Options& options, Console& console) {
  return forEachFile(options, console, [&](const char* file, std::size_t) {
    return convertFile(options, file, console);
  });
}

}  // namespace ugraph
