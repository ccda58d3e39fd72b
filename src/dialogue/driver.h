// The main driver: one whole run of the dialogue, from the source question
// to the final key wait.
#ifndef UGRAPH_DIALOGUE_DRIVER_H_
#define UGRAPH_DIALOGUE_DRIVER_H_

#include "base/console.h"

namespace ugraph {

// Asks where the graph comes from (K or k: the keyboard; F or f: the data
// file dataFileName), reads it, normalises, summarises, indexes and tests
// it, prints the verdict and reads one last character. A data file read
// that yields no graph skips to that last read. Returns the exit status:
// 0 after the last read; 1 when input ended before the graph was read or
// could not be read (after saying so), or when the console's output
// failed (console.failed() then tells why).
int runUgraph(Console& console, const char* dataFileName);

}  // namespace ugraph

#endif  // UGRAPH_DIALOGUE_DRIVER_H_
