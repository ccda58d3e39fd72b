// The command line: which way the program runs, and on what.
#ifndef UGRAPH_APP_OPTIONS_H_
#define UGRAPH_APP_OPTIONS_H_

#include <array>
#include <cstdint>

namespace ugraph {

enum class Mode {
  kDialogue,
  kCheck,
  kList,
  kDot,
  kHelp,
  kVersion,
  kUsageError
};

struct Options {
  Mode mode = Mode::kDialogue;
  bool json = false;              // kList only
  int64_t dataInput = 0;          // kDot only: the data-input to draw, from 1
  const char* file = nullptr;     // the catalogue; "-" is standard input
  std::array<char, 256> error{};  // kUsageError only: what is wrong
};

// The catalogue a mode reads when no FILE is given.
inline constexpr const char* kDefaultCatalogue = "GraphDataFile2.txt";

// Reads the arguments with getopt_long. --help and --version win as soon as
// they are met; any other fault makes the mode kUsageError.
Options parseOptions(int argc, char** argv);

// What --help prints.
extern const char* const kUsage;

}  // namespace ugraph

#endif  // UGRAPH_APP_OPTIONS_H_
