#include "app/catalogue_modes.h"

namespace ugraph {

int runCheck(const Options& options, Console& console) {
  int64_t total = 0;
  int64_t refused = 0;
  const char* noun = "";
  CheckLineBuffer line;
  const int status = forEachJudged(
      options, false, console, noun, [&](const JudgedDataInput& d) {
        total = d.number;
        if (d.verdict == GraphClass::kRefused) {
          ++refused;
          console.write(
              checkLine(options.file, noun, d.number, d.status, line));
        }
        return true;
      });
  if (status != 0) return status;
  if (total == 0) report({options.file, ": no ", noun, " found"});
  console.write(options.file);
  console.write(": ");
  writeCount(total, noun, console);
  console.write(", ");
  console.write(refused);
  console.write(" refused\n");
  return refused == 0 ? 0 : 1;
}

}  // namespace ugraph
