// How every way of running the program ends its standard output.
#ifndef UGRAPH_APP_OUTPUT_H_
#define UGRAPH_APP_OUTPUT_H_

#include "console/console.h"

namespace ugraph {

// Hands the console's last output to standard output and flushes it. Returns
// status when everything written reached its destination; otherwise writes
// "ugraph: cannot write standard output: <reason>" on standard error and
// returns failedStatus. Output that never arrived must not pass for success.
int finishOutput(Console& console, int status, int failedStatus);

}  // namespace ugraph

#endif  // UGRAPH_APP_OUTPUT_H_
