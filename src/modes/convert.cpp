#include <string_view>

#include "batch/each_graph.h"
#include "formats/graph6/graph6.h"
#include "render/drawing.h"
#include "render/line.h"

namespace ugraph {
namespace {

// The room a data-input is built in: large, so it lives in static
// storage.
LineRoom dataInputRoom;

// Writes d as one catalogue line: each link under its smaller node, the
// nodes and their neighbours ascending, and a closing group (n) that keeps
// the node count. Returns the refusal when a data-input cannot hold it.
Refusal writeDataInput(const JudgedGraph& d, Console& console) {
  const Ugraph& g = d.graph;
  const int32_t n = d.nodes;
  if (n == 0) return Refusal::kNoNodeToWrite;
  if (n > kMaxNodes) return Refusal::kOver50ForCatalogue;
  if (d.links > kMaxFileLinks) return Refusal::kOverCatalogue;
  Line w(dataInputRoom);
  w.put("[U \"");
  if (g.name[0] != '\0') {
    w.put(std::string_view(g.name.data()));
  } else {
    w.put("g");
    w.put(d.number);
  }
  w.put("\"");
  int32_t header = 0;
  for (std::size_t i = 1; g.linkFrom[i] != 0; ++i) {
    const int32_t a = g.linkFrom[i];
    if (a > g.linkTo[i]) continue;
    if (a != header) {
      header = a;
      w.put(", (");
      w.put(int64_t{a});
      w.put(")");
    }
    w.put(",");
    w.put(int64_t{g.linkTo[i]});
  }
  if (header != n) {
    w.put(", (");
    w.put(int64_t{n});
    w.put(")");
  }
  w.put("]");
  if (w.text().size() > kMaxDataInputLength) return Refusal::kOverCatalogue;
  w.put("\n");
  w.writeTo(console);
  return Refusal::kNone;
}

// Writes d in format; returns the refusal when the format cannot hold it.
Refusal write(const JudgedGraph& d, OutputFormat format, Console& console) {
  switch (format) {
    case OutputFormat::kCatalogue:
      return writeDataInput(d, console);
    case OutputFormat::kDot:
      writeDrawing(d, console);
      return Refusal::kNone;
    case OutputFormat::kGraph6:
    case OutputFormat::kSparse6:
    case OutputFormat::kHtml:  // refused with the options
      break;
  }
  const LineFormat lines = format == OutputFormat::kGraph6
                               ? LineFormat::kGraph6
                               : LineFormat::kSparse6;
  const bool written =
      withGraph(d, [&](const auto& graph, const auto& /*walk*/) {
        return encodeGraph(graph, lines, [&](std::string_view piece) {
          console.write(piece);
        });
      });
  return written ? Refusal::kNone : Refusal::kSelfLinkForGraph6;
}

// Writes the graphs of file as runConvert does; returns its status.
int convertFile(const Options& options, const char* file, Console& console) {
  bool refused = false;
  const char* noun = "";
  CheckLineBuffer line;
  const auto refuse = [&](const JudgedGraph& d, const Status& why) {
    refused = true;
    reportLine(checkLine(file, noun, d.number, why, line));
  };
  const int status = forEachJudged(
      options, file, true, console, noun, [&](const JudgedGraph& d) {
        if (d.verdict == GraphClass::kRefused) {
          refuse(d, d.status);
        } else if ((options.select & classBit(d.verdict)) != 0) {
          const Refusal cannot = write(d, options.to, console);
          if (cannot != Refusal::kNone) {
            refuse(d, Status::refused(cannot, d.start));
          }
        }
        return true;
      });
  if (status != 0) return status;
  return refused ? 1 : 0;
}

}  // namespace

int runConvert(const Options& options, Console& console) {
  return forEachFile(options, console, [&](const char* file, std::size_t) {
    return convertFile(options, file, console);
  });
}

}  // namespace ugraph
