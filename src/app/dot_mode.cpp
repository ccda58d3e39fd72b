#include "app/catalogue_modes.h"
#include "app/drawing.h"

namespace ugraph {

int runDot(const Options& options, Console& console) {
  bool found = false;
  bool refused = false;
  const char* noun = "";
  const int status = forEachJudged(
      options, true, console, noun, [&](const JudgedDataInput& d) {
        if (d.number < options.dataInput) return true;
        found = true;
        if (d.verdict == GraphClass::kRefused) {
          CheckLineBuffer line;
          reportLine(checkLine(options.file, noun, d.number, d.status, line));
          refused = true;
        } else {
          writeDrawing(d, console);
        }
        return false;
      });
  if (status != 0) return status;
  if (!found) {
    reportMissing(options.file, noun, options.dataInput);
  }
  return found && !refused ? 0 : 1;
}

}  // namespace ugraph
