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
        } else if ((options.select & classBit(d.verdict)) != 0) {
          const Refusal cannot = write(d, format, console);
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
