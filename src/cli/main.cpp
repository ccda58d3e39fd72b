// ugraph: decides whether an undirected graph, typed in or taken from the
// catalogue file in the current directory, is connected and whether it is
// a tree; with an option, checks, judges or draws a whole catalogue.
#include <unistd.h>

#include <cstdio>

#include "cli/options.h"
#include "modes/modes.h"

namespace {

// The program's one console. Its buffers are large, so it lives in static
// storage and the program runs on a small stack.
ugraph::Console console(STDIN_FILENO, stdout);

}  // namespace

int main(int argc, char** argv) {
  return ugraph::runMode(ugraph::parseOptions(argc, argv), console);
}
