// ugraph: decides whether an undirected graph, typed in or taken from the
// catalogue file in the current directory, is connected and whether it is
// a tree; with an option, checks, judges or draws a whole catalogue.
#include <unistd.h>

#include <cstdio>

#include "app/catalogue_modes.h"
#include "app/driver.h"
#include "app/options.h"
#include "app/output.h"
#include "input/data_file.h"

namespace {

// Runs the way the options pick; returns the exit status.
int dispatch(const ugraph::Options& o, ugraph::Console& console) {
  using ugraph::Mode;
  switch (o.mode) {
    case Mode::kDialogue:
      return ugraph::finishOutput(
          console, ugraph::runUgraph(console, ugraph::kDataFileName), 1);
    case Mode::kCheck:
      return ugraph::finishOutput(console, ugraph::runCheck(o.file, console),
                                  2);
    case Mode::kList:
      return ugraph::finishOutput(console,
                                  ugraph::runList(o.file, o.json, console), 2);
    case Mode::kDot:
      return ugraph::finishOutput(
          console, ugraph::runDot(o.file, o.dataInput, console), 2);
    case Mode::kHelp:
      console.write(ugraph::kUsage);
      return ugraph::finishOutput(console, 0, 2);
    case Mode::kVersion:
      console.write(
          "ugraph " UGRAPH_VERSION
          "\n"
          "Copyright (C) 2026 The ugraph developers.\n"
          "License MIT: <https://opensource.org/licenses/MIT>.\n"
          "This is free software: you are free to change and redistribute "
          "it.\n"
          "There is NO WARRANTY, to the extent permitted by law.\n");
      return ugraph::finishOutput(console, 0, 2);
    case Mode::kUsageError:
      break;
  }
  std::fprintf(stderr,
               "ugraph: %s\nTry 'ugraph --help' for more information.\n",
               o.error.data());
  return 2;
}

// The program's one console. Its buffers are large, so it lives in static
// storage and the program runs on a small stack.
ugraph::Console console(STDIN_FILENO, stdout);

}  // namespace

int main(int argc, char** argv) {
  return dispatch(ugraph::parseOptions(argc, argv), console);
}
