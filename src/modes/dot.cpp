#include "batch/each_graph.h"
#include "modes/modes.h"
#include "render/drawing.h"

namespace ugraph {

int runDot(const Options& options, Console& console) {
  // The graphs before N are only checked, as --check checks them; N alone
  // is analysed.
  return showGraph(
      options, false, console,
      [&](const JudgedGraph& d, GraphJudge& judge, const char* /*noun*/) {
        judge.analyseWith(NoWalkObserver{});
        if (d.verdict == GraphClass::kRefused) return d.status.refusal;
        writeDrawing(d, console);
        return Refusal::kNone;
      });
}

}  // namespace ugraph
