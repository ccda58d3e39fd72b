#include "batch/each_graph.h"
#include "modes/modes.h"
#include "render/verdict.h"

namespace ugraph {

int runCheck(const Options& options, Console& console) {
  return forEachFile(options, console, [&](const char* file, std::size_t) {
    int64_t total = 0;
    int64_t refused = 0;
    const char* noun = "";
    CheckLineBuffer line;
    const int status = forEachJudged(
        options, file, false, console, noun,
        [&](const JudgedGraph& d) {
          total = d.number;
          if (d.verdict == GraphClass::kRefused) {
            ++refused;
            console.write(checkLine(file, noun, d.number, d.status, line));
          }
          return true;
        },
        JudgeNeeds{.load = false});
    if (status != 0) return status;
    console.write(file);
    console.write(": ");
    writeCount(total, noun, console);
    console.write(", ");
    console.write(refused);
    console.write(" refused\n");
    return refused == 0 ? 0 : 1;
  });
}

}  // namespace ugraph
