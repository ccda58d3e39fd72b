// The command line: which way the program runs, and on what.
#ifndef UGRAPH_APP_OPTIONS_H_
#define UGRAPH_APP_OPTIONS_H_

#include <array>
#include <cstdint>

#include "app/catalogue_judge.h"

namespace ugraph {

enum class Mode {
  kDialogue,
  kCheck,
  kList,
  kDot,
  kConvert,
  kTrace,
  kHelp,
  kVersion,
  kUsageError
};

// The formats --convert writes.
enum class OutputFormat { kCatalogue, kGraph6, kSparse6, kDot };

// A set of classes, one bit for each GraphClass.
using ClassSet = uint32_t;
inline constexpr ClassSet classBit(GraphClass c) {
  return ClassSet{1} << static_cast<int>(c);
}

struct Options {
  Mode mode = Mode::kDialogue;
  bool json = false;      // kList only
  int64_t dataInput = 0;  // kDot, kTrace: the graph to draw, from 1
  // The format of FILE; unset, the one its header names.
  bool fromGiven = false;
  InputFormat from = InputFormat::kCatalogue;
  OutputFormat to = OutputFormat::kCatalogue;  // kConvert only
  ClassSet select = ~ClassSet{0};  // kList, kConvert: the classes written
  const char* file = nullptr;      // "-" is standard input
  uint64_t maxMemory = kDefaultMaxMemory;  // for one graph line
  std::array<char, 256> error{};           // kUsageError only: what is wrong

  // The format given, or nullptr for the one FILE's header names.
  const InputFormat* format() const { return fromGiven ? &from : nullptr; }
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
