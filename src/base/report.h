// The program's one reporter: everything it writes on standard error goes
// through here, a whole line at a time. A failed write to standard error is
// ignored, as there is nowhere left to report it.
#ifndef UGRAPH_BASE_REPORT_H_
#define UGRAPH_BASE_REPORT_H_

#include <initializer_list>
#include <string_view>

namespace ugraph {

// Writes "ugraph: ", the pieces one after another, and a line end.
void report(std::initializer_list<std::string_view> pieces);

// Writes line, which ends with its line end, as it stands.
void reportLine(std::string_view line);

// Writes "ugraph: PROBLEM" and the line that points to --help. Returns the
// exit status of wrong usage, 2.
int reportUsage(const char* problem);

}  // namespace ugraph

#endif  // UGRAPH_BASE_REPORT_H_
