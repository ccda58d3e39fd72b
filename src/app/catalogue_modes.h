// The batch modes: each reads a whole catalogue once, front to back, in
// constant memory, numbering its data-inputs as the dialogue's listing does
// and judging each exactly as the dialogue would if it were chosen. Output
// goes through console to standard output, complaints to standard error.
// Each returns the exit status; output that cannot be written is the
// caller's to report (console.failed()).
#ifndef UGRAPH_APP_CATALOGUE_MODES_H_
#define UGRAPH_APP_CATALOGUE_MODES_H_

#include <cstdint>

#include "console/console.h"

namespace ugraph {

// Writes "FILE:LINE:COLUMN: data-input N PHRASE" for every refused
// data-input of the catalogue `file` ("-": standard input), then
// "FILE: T data-inputs, R refused". Returns 0 when none was refused, 1 when
// any was, 2 when the file cannot be opened or read (after saying why).
int runCheck(const char* file, Console& console);

// Writes one line for every data-input: its number, name, node and link
// counts, verdict and why (the nodes not reached, or one cycle), or its
// refusal; then a line counting them by outcome. With json, one JSON object
// per data-input and nothing else. Returns as runCheck.
int runList(const char* file, bool json, Console& console);

// Writes data-input `number` as an undirected Graphviz graph: every node,
// every link once, the walk's tree links bold and the nodes it did not
// reach dashed. Returns 0; 1 when the data-input is missing or refused
// (after saying so); 2 as runCheck.
int runDot(const char* file, int64_t number, Console& console);

}  // namespace ugraph

#endif  // UGRAPH_APP_CATALOGUE_MODES_H_
