// ugraph: decides whether an undirected graph, typed in or taken from the
// catalogue file in the current directory, is connected and whether it is
// a tree.
#include <unistd.h>

#include <cstdio>

#include "app/driver.h"
#include "input/data_file.h"

int main() {
  int status = 0;
  {
    ugraph::Console console(STDIN_FILENO, stdout);
    status = ugraph::runUgraph(console, ugraph::kDataFileName);
  }  // the console hands over its last output here
  // Output that never reached its destination must not pass for success.
  if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
    std::fputs("ugraph: cannot write standard output\n", stderr);
    return 1;
  }
  return status;
}
