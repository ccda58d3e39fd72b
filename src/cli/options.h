// The command line: which way the program runs, and on what. Every option
// is one row of one table (optionRows), from which getopt_long's options,
// the --help text, the messages of wrong usage and the bash completion all
// come.
#ifndef UGRAPH_CLI_OPTIONS_H_
#define UGRAPH_CLI_OPTIONS_H_

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "base/console.h"
#include "formats/formats.h"
#include "formats/judged_graph.h"
#include "render/verdict.h"

namespace ugraph {

// The ways the program runs, in the order of the mode table.
enum class Mode {
  kDialogue,
  kCheck,
  kList,
  kCount,
  kDot,
  kConvert,
  kTrace,
  kReduce,
  kHelp,
  kVersion,
  kUsageError
};

// A set of modes, one bit for each Mode.
using ModeSet = uint32_t;
inline constexpr ModeSet modeBit(Mode m) {
  return ModeSet{1} << static_cast<int>(m);
}
// The formats --convert writes.
enum class OutputFormat { kCatalogue, kGraph6, kSparse6, kEdges, kDot, kHtml };

// What an option does beside picking a mode.
enum class OptionKey {
  kMode,  // picks OptionRow::mode
  kJson,
  kFrom,
  kTo,
  kSelect,
  kPart,
  kMaxMemory,
  kJobs,
  kProgress,
  kNoProgress,
  kMerge
};

// A set of option keys, one bit for each.
using KeySet = uint32_t;
inline constexpr KeySet keyBit(OptionKey k) {
  return KeySet{1} << static_cast<int>(k);
}

// One option.
struct OptionRow {
  std::string_view name;  // its long name, without "--"
  char letter;            // its short name; '\0' for none
  // What its value stands for in --help ("N"); empty when it takes none.
  std::string_view argument;
  OptionKey key;
  Mode mode;  // for kMode: the mode it picks
  // For any other key: the modes it goes with; given with another, it is
  // wrong usage.
  ModeSet with;
  // The values it takes, when they are words; --help and the messages for
  // a wrong value list them.
  std::span<const std::string_view> values;
  // Its lines in --help, each ended by '\n'; "{}" stands for its values,
  // and --help wraps the line it is on.
  std::string_view help;
  // Where its values come from when another table holds them.
  std::span<const std::string_view> (*table)() = nullptr;

  // Its values, from wherever they are held.
  std::span<const std::string_view> words() const {
    return table != nullptr ? table() : values;
  }
};

// Every option, in the order --help lists them.
std::span<const OptionRow> optionRows();

// The part of a split run that --part=K/N names: the K-th of N, K from 0,
// as nauty-geng's res/mod. count 0: no part was named.
// The most parts a run may be split into: enough for any array of jobs,
// few enough that a merge can list what is missing.
inline constexpr int64_t kMaxParts = 1000000;

struct RunPart {
  int64_t index = 0;
  int64_t count = 0;
};

struct Options {
  Mode mode = Mode::kDialogue;
  bool json = false;      // kList, kCount, kTrace
  int64_t dataInput = 0;  // kDot, kTrace: the graph to draw, from 1
  // The format of each FILE; null, the one its start names.
  const FormatRow* from = nullptr;
  OutputFormat to = OutputFormat::kCatalogue;  // kConvert, kTrace
  ClassSet select = ~ClassSet{0};  // kList, kConvert: the classes written
  // The FILE operands in order ("-": standard input, at most once); the
  // default catalogue when none is given. kDot and kTrace have one.
  std::span<const char* const> files;
  RunPart part;  // kCount, kReduce
  // kCount, kList, kReduce: the FILEs are reduced parts of one graph,
  // read as that graph.
  bool merge = false;
  uint64_t maxMemory = kDefaultMaxMemory;  // for one graph
  // The threads a file of one graph is read with; 0: the cores this
  // process may use.
  int64_t jobs = 0;
  // Whether a long read shows its progress: 1 always, 0 never, -1 when
  // standard error is a terminal.
  int progress = -1;
  std::array<char, 256> error{};  // kUsageError only: what is wrong
};

// The catalogue a mode reads when no FILE is given.
inline constexpr const char* kDefaultCatalogue = "GraphDataFile2.txt";

// Reads the arguments with getopt_long. --help and --version win as soon as
// they are met; any other fault makes the mode kUsageError. The FILE
// operands point into argv.
Options parseOptions(int argc, char** argv);

// The row of the table of formats that `to` names, for --convert's
// writer; nullptr for the forms that are no input format (dot, html).
const FormatRow* formatOf(OutputFormat to);

// Writes what --help prints.
void writeUsage(Console& console);

}  // namespace ugraph

#endif  // UGRAPH_CLI_OPTIONS_H_
