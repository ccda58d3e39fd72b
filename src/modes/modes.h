// The table of the ways the program runs. Each mode is one entry: what the
// options call it, the function that does its work, and the exit status it
// ends with when its output cannot be written. Adding a mode means one
// entry and the file of its function.
#ifndef UGRAPH_MODES_MODES_H_
#define UGRAPH_MODES_MODES_H_

#include <array>

#include "base/console.h"
#include "cli/options.h"

namespace ugraph {

struct ModeEntry {
  Mode mode;
  const char* name;
  // Does the mode's work; returns its exit status.
  int (*run)(const Options& options, Console& console);
  int failedStatus;  // when standard output cannot be written
};

// One entry for every Mode, in the enum's order.
extern const std::array<ModeEntry, 10> kModes;

// Runs the mode the options pick and ends its output: a mode that reads
// FILEs does not start while standard output is closed, and says so. Returns
// the mode's
// exit status when everything written reached standard output; otherwise
// reports "ugraph: cannot write standard output: <reason>" and returns the
// entry's failedStatus, as output that never arrived must not pass for
// success.
int runMode(const Options& options, Console& console);

}  // namespace ugraph

#endif  // UGRAPH_MODES_MODES_H_
