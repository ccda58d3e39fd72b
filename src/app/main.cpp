// ugraph: decides whether an undirected graph, typed in or taken from the
// catalogue file in the current directory, is connected and whether it is
// a tree.
#include <cstdio>

#include "app/driver.h"
#include "input/data_file.h"

int main() {
  ugraph::Console console(stdin, stdout);
  const int status = ugraph::runUgraph(console, ugraph::kDataFileName);
  // Output that never reached its destination must not pass for success.
  if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
    std::fputs("ugraph: cannot write standard output\n", stderr);
    return 1;
  }
  return status;
}
