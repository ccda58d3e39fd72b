// The table of the ways the program runs. Each mode is one entry: the
// option that picks it, with its help; the function that does its work;
// which other options it takes, and its own rules on them; and the exit
// status it ends with when its output cannot be written. The table of
// options takes each mode's option, and which modes each other option goes
// with, from here. Adding a mode means one entry, its Mode, and the file of
// its function.
#ifndef UGRAPH_MODES_MODES_H_
#define UGRAPH_MODES_MODES_H_

#include <array>
#include <string_view>

#include "base/console.h"
#include "cli/options.h"

namespace ugraph {

// Writes "FILE:LINE:COLUMN: data-input N PHRASE" for every refused
// data-input of each FILE, then "FILE: T data-inputs, R refused", and
// warns when there is none at all. Returns 0 when none was refused, 1 when
// any was, 2 when a file cannot be opened or read.
int runCheck(const Options& options, Console& console);

// Writes the totals of each FILE by class, one line each, and with two or
// more files a line of their sum; with --json one object each. Returns as
// runCheck.
int runCount(const Options& options, Console& console);

// Writes one line for every data-input: its number, name, node and link
// counts, verdict and why (the nodes not reached, or one cycle), or its
// refusal; then a line counting them by outcome. With --json, one JSON
// object per data-input and nothing else. Returns as runCheck.
int runList(const Options& options, Console& console);

// Writes data-input N as a drawing. Returns 0; 1 when the data-input is
// missing or refused (after saying so); 2 as runCheck.
int runDot(const Options& options, Console& console);

// Writes every graph that is not refused and that --select admits in the
// --to format, and a check line on standard error for every graph refused
// or that the format cannot hold. Returns 0 when none was, 1 when any
// was, 2 as runCheck.
int runConvert(const Options& options, Console& console);

// Writes the walk through graph N step by step, as the analysis makes it:
// as text, as JSON lines (--json) or as one drawing a step (--to=dot).
// Returns as runDot.
int runTrace(const Options& options, Console& console);

// Writes each FILE, or part --part of it, or the FILEs read as one with
// --merge, as a reduced graph (see formats/reduced/header.h). Returns 0
// when it is written (a part whose lines break a rule records the first;
// --merge tells it at its place in the file), 1 when FILE was refused as a
// whole, 2 as runCheck or when FILE cannot be cut.
int runReduce(const Options& options, Console& console);

// The dialogue, --help, --version and the report of wrong usage.
int runDialogue(const Options& options, Console& console);
int runHelp(const Options& options, Console& console);
int runVersion(const Options& options, Console& console);
int runUsageError(const Options& options, Console& console);

// The modes' own rules on the options given (a set of OptionKey bits),
// beyond which options each takes: the words of the usage error, or
// nullptr when they hold.
const char* convertRules(const Options& options, KeySet given);
const char* traceRules(const Options& options, KeySet given);
const char* reduceRules(const Options& options, KeySet given);

struct ModeEntry {
  Mode mode;
  // The option that picks it, as an option row has them; empty for the
  // dialogue and wrong usage, which no option picks.
  std::string_view option;
  char letter;
  std::string_view argument;
  std::string_view help;
  // Does the mode's work; returns its exit status.
  int (*run)(const Options& options, Console& console);
  int failedStatus;  // when standard output cannot be written
  bool readsFiles;   // it reads FILE operands
  bool oneFile;      // it reads one FILE at most
  KeySet takes;      // the options beside its own that go with it
  // Its own rules (see above), or nullptr for none.
  const char* (*rules)(const Options& options, KeySet given);
};

// What the modes that read graphs take, one and all.
inline constexpr KeySet kReadingKeys =
    keyBit(OptionKey::kFrom) | keyBit(OptionKey::kMaxMemory) |
    keyBit(OptionKey::kJobs) | keyBit(OptionKey::kProgress) |
    keyBit(OptionKey::kNoProgress);

// One entry for every Mode, in the enum's order. --help lists the options
// of the modes that read FILEs first, in this order, then the other
// options, then those of the modes that read none.
// clang-format off
inline constexpr std::array<ModeEntry, 11> kModes = {{
    {Mode::kDialogue, "", '\0', "", "", runDialogue, 1, false, false, 0,
     nullptr},
    {Mode::kCheck, "check", 'c', "", "check every graph of each FILE\n",
     runCheck, 2, true, false, kReadingKeys, nullptr},
    {Mode::kList, "list", 'l', "",
     "judge every graph of each FILE, one line each\n", runList, 2, true,
     false, kReadingKeys | keyBit(OptionKey::kJson) |
         keyBit(OptionKey::kSelect) | keyBit(OptionKey::kMerge), nullptr},
    {Mode::kCount, "count", 'C', "",
     "count the graphs of each FILE by class\n", runCount, 2, true, false,
     kReadingKeys | keyBit(OptionKey::kJson) | keyBit(OptionKey::kPart) |
         keyBit(OptionKey::kMerge),
     nullptr},
    {Mode::kDot, "dot", 'd', "N",
     "write graph N of FILE as a Graphviz graph\n", runDot, 2, true, true,
     kReadingKeys, nullptr},
    {Mode::kConvert, "convert", 'x', "",
     "write every graph of each FILE in the --to format\n", runConvert, 2,
     true, false,
     kReadingKeys | keyBit(OptionKey::kTo) | keyBit(OptionKey::kSelect),
     convertRules},
    {Mode::kTrace, "trace", 'T', "N",
     "show the walk through graph N of FILE step by step;\n"
     "with --json as JSON lines, with --to=dot as frames,\n"
     "with --to=html as one page that replays it\n",
     runTrace, 2, true, true,
     kReadingKeys | keyBit(OptionKey::kJson) | keyBit(OptionKey::kTo),
     traceRules},
    {Mode::kReduce, "reduce", 'R', "",
     "write a file of one graph, or a part of it (--part),\n"
     "as a reduced graph: its nodes, a spanning forest,\n"
     "a link that closes a cycle and a self-link, if any;\n"
     "--merge reads the parts back as one graph\n",
     runReduce, 2, true, false,
     kReadingKeys | keyBit(OptionKey::kPart) | keyBit(OptionKey::kMerge),
     reduceRules},
    {Mode::kHelp, "help", 'h', "", "display this help and exit\n", runHelp,
     2, false, false, 0, nullptr},
    {Mode::kVersion, "version", 'V', "",
     "output version information and exit\n", runVersion, 2, false, false,
     0, nullptr},
    {Mode::kUsageError, "", '\0', "", "", runUsageError, 2, false, false, 0,
     nullptr},
}};
// clang-format on

// The modes that read FILE operands.
inline constexpr ModeSet kReadingModes = [] {
  ModeSet set = 0;
  for (const ModeEntry& entry : kModes) {
    if (entry.readsFiles) set |= modeBit(entry.mode);
  }
  return set;
}();

// The modes that take key.
constexpr ModeSet modesTaking(OptionKey key) {
  ModeSet set = 0;
  for (const ModeEntry& entry : kModes) {
    if ((entry.takes & keyBit(key)) != 0) set |= modeBit(entry.mode);
  }
  return set;
}

// Runs the mode the options pick and ends its output: a mode that reads
// FILEs does not start while standard output is closed, and says so.
// Returns the mode's exit status when everything written reached standard
// output; otherwise reports "ugraph: cannot write standard output:
// <reason>" and returns the entry's failedStatus, as output that never
// arrived must not pass for success.
int runMode(const Options& options, Console& console);

}  // namespace ugraph

#endif  // UGRAPH_MODES_MODES_H_
