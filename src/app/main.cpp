// ugraph: decides whether an undirected graph, typed in or taken from the
// catalogue file in the current directory, is connected and whether it is
// a tree.
#include <unistd.h>

#include <cstdio>

#include "app/driver.h"
#include "app/output.h"
#include "input/data_file.h"

int main() {
  // The program's one console. Its buffers are large, so it lives in
  // static storage and the program runs on a small stack.
  static ugraph::Console console(STDIN_FILENO, stdout);
  const int status = ugraph::runUgraph(console, ugraph::kDataFileName);
  return ugraph::finishOutput(console, status, 1);
}
