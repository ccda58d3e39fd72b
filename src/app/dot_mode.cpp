#include "app/catalogue_modes.h"
#include "app/drawing.h"

namespace ugraph {

int runDot(const Options& options, Console& console) {
  return showGraph(options, true, console,
                   [&](const JudgedDataInput& d, CatalogueJudge& /*judge*/,
                       const char* /*noun*/) {
                     writeDrawing(d, console);
                     return Refusal::kNone;
                   });
}

}  // namespace ugraph
