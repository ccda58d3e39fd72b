#include "cli/options.h"

#include <getopt.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "modes/modes.h"

namespace ugraph {
namespace {

constexpr std::array<std::string_view, 6> kToNames = {
    "catalogue", "graph6", "sparse6", "edges", "dot", "html"};
constexpr std::array<OutputFormat, 6> kToValues = {
    OutputFormat::kCatalogue, OutputFormat::kGraph6, OutputFormat::kSparse6,
    OutputFormat::kEdges,     OutputFormat::kDot,    OutputFormat::kHtml};

// The options that pick no mode. A value's words sit beside the values
// they stand for, in the arrays above, and the help text of a row with
// words names them all. Which modes each goes with, the modes say.
// clang-format off
constexpr std::array<OptionRow, 10> kOtherRows = {{
    {"json", '\0', "", OptionKey::kJson, Mode::kDialogue, 0, {},
     "with --list, --count or --trace: one JSON object\n"
     "per line\n"},
    {"from", 'f', "FORMAT", OptionKey::kFrom, Mode::kDialogue, 0, {},
     "read each FILE in FORMAT: {}; default: the one its start names\n",
     formatNames},
    {"max-memory", '\0', "SIZE", OptionKey::kMaxMemory, Mode::kDialogue, 0,
     {},
     "the most memory one graph may take\n"
     "(K, M, G: powers of 1024; default 4G)\n"},
    {"jobs", 'j', "N", OptionKey::kJobs, Mode::kDialogue, 0, {},
     "read a file of one graph with N threads (default:\n"
     "the cores this process may use); the output is the\n"
     "same for every N\n"},
    {"progress", '\0', "", OptionKey::kProgress, Mode::kDialogue, 0, {},
     "show how a long read of a file of one graph goes\n"
     "on standard error even when it is no terminal\n"},
    {"no-progress", '\0', "", OptionKey::kNoProgress, Mode::kDialogue, 0, {},
     "never show it (by default it shows on a terminal)\n"},
    {"to", 't', "FORMAT", OptionKey::kTo, Mode::kDialogue, 0, kToNames,
     "with --convert: catalogue, graph6, sparse6, edges\n"
     "or dot; with --trace: dot or html\n"},
    {"select", 's', "CLASSES", OptionKey::kSelect, Mode::kDialogue, 0,
     kSelectNames,
     "with --list or --convert: only the graphs of\n"
     "these comma-separated classes: {}\n"},
    {"part", '\0', "K/N", OptionKey::kPart, Mode::kDialogue, 0, {},
     "with --count: name the totals part K of N of a split\n"
     "run (K from 0, as nauty-geng's res/mod; N <= 1000000);\n"
     "with --reduce: read only part K of N of FILE, cut at\n"
     "line starts\n"},
    {"merge", '\0', "", OptionKey::kMerge, Mode::kDialogue, 0, {},
     "with --count, --list or --reduce: read the FILEs,\n"
     "reduced parts of one graph, as that graph\n"},
}};
// clang-format on

// The option that picks the mode of entry.
constexpr OptionRow modeRow(const ModeEntry& entry) {
  return {entry.option,
          entry.letter,
          entry.argument,
          OptionKey::kMode,
          entry.mode,
          0,
          {},
          entry.help};
}

constexpr std::size_t kModeOptions = [] {
  std::size_t n = 0;
  for (const ModeEntry& entry : kModes) n += entry.option.empty() ? 0U : 1U;
  return n;
}();

// Every option, in the order --help lists them: the options of the modes
// that read FILEs, the others, then those of the modes that read none.
constexpr std::array<OptionRow, kModeOptions + kOtherRows.size()> kRows = [] {
  std::array<OptionRow, kModeOptions + kOtherRows.size()> rows{};
  std::size_t n = 0;
  for (const bool reading : {true, false}) {
    if (!reading) {
      for (OptionRow row : kOtherRows) {
        row.with = modesTaking(row.key);
        rows[n++] = row;
      }
    }
    for (const ModeEntry& entry : kModes) {
      if (!entry.option.empty() && entry.readsFiles == reading) {
        rows[n++] = modeRow(entry);
      }
    }
  }
  return rows;
}();

// getopt_long's value for a row without a short name: this plus its index.
constexpr int kNoLetter = 256;

constexpr int valueOf(std::size_t row) {
  return kRows[row].letter != '\0' ? kRows[row].letter
                                   : kNoLetter + static_cast<int>(row);
}

constexpr std::array<option, kRows.size() + 1> kLongOptions = [] {
  std::array<option, kRows.size() + 1> options{};
  for (std::size_t i = 0; i < kRows.size(); ++i) {
    options[i] = {kRows[i].name.data(),
                  kRows[i].argument.empty() ? no_argument : required_argument,
                  nullptr, valueOf(i)};
  }
  return options;
}();

// ":" (a missing argument is told apart), then each short name, with ':'
// after one that takes an argument.
constexpr std::array<char, 2 * kRows.size() + 2> kShortOptions = [] {
  std::array<char, 2 * kRows.size() + 2> text{};
  std::size_t n = 0;
  text[n++] = ':';
  for (const OptionRow& row : kRows) {
    if (row.letter == '\0') continue;
    text[n++] = row.letter;
    if (!row.argument.empty()) text[n++] = ':';
  }
  return text;
}();

// The row getopt_long's value stands for; kRows.size() for none.
std::size_t rowOf(int value) {
  for (std::size_t i = 0; i < kRows.size(); ++i) {
    if (valueOf(i) == value) return i;
  }
  return kRows.size();
}

// The first n bytes of text (all of it when it is shorter), and what
// follows them: without substr's range check, which would bring in the C++
// run-time library for its exception.
std::string_view front(std::string_view text, std::size_t n) {
  return {text.data(), std::min(n, text.size())};
}
std::string_view after(std::string_view text, std::size_t n) {
  n = std::min(n, text.size());
  return {text.data() + n, text.size() - n};
}

// Text built in a fixed buffer, cut to fit.
class Text {
 public:
  Text& add(std::string_view s) {
    const std::size_t n = std::min(s.size(), bytes_.size() - 1 - size_);
    std::copy_n(s.begin(), n, bytes_.begin() + static_cast<long>(size_));
    size_ += n;
    return *this;
  }
  const char* c_str() { return bytes_.data(); }

 private:
  std::array<char, 200> bytes_{};
  std::size_t size_ = 0;
};

// "--a, --b or --c" for the mode options of modes, in the table's order,
// with last ("or", "and") before the last.
Text modeNames(ModeSet modes, std::string_view last) {
  int left = 0;
  for (const OptionRow& row : kRows) {
    left += row.key == OptionKey::kMode && (modes & modeBit(row.mode)) != 0;
  }
  Text text;
  for (const OptionRow& row : kRows) {
    if (row.key != OptionKey::kMode || (modes & modeBit(row.mode)) == 0) {
      continue;
    }
    text.add("--").add(row.name);
    --left;
    if (left > 1) text.add(", ");
    if (left == 1) text.add(" ").add(last).add(" ");
  }
  return text;
}

// A usage error, its words formatted as by printf (and cut to fit).
template <class... Arguments>
Options usageError(const char* format, Arguments... arguments) {
  Options o;
  o.mode = Mode::kUsageError;
  std::snprintf(o.error.data(), o.error.size(), format, arguments...);
  return o;
}

// "invalid WHAT 'word' for --NAME; valid: a, b, c".
Options invalidValue(const OptionRow& row, std::string_view what,
                     std::string_view word) {
  Text valid;
  const std::span<const std::string_view> values = row.words();
  for (std::size_t i = 0; i < values.size(); ++i) {
    valid.add(i == 0 ? "" : ", ").add(values[i]);
  }
  return usageError("invalid %.*s '%.*s' for --%s; valid: %s",
                    static_cast<int>(what.size()), what.data(),
                    static_cast<int>(word.size()), word.data(), row.name.data(),
                    valid.c_str());
}

// The index of word among row's values, or values.size() when it is none.
std::size_t indexOf(const OptionRow& row, std::string_view word) {
  const std::span<const std::string_view> values = row.words();
  return static_cast<std::size_t>(
      std::find(values.begin(), values.end(), word) - values.begin());
}

// The help of a row that names its values: its lines with the values in
// place of "{}", wrapped at blanks into lines of at most
// kHelpWidth bytes, each ended by '\n'.
constexpr std::size_t kHelpWidth = 52;
std::string_view tableHelp(const OptionRow& row, std::array<char, 1024>& room) {
  std::size_t n = 0;
  const auto put = [&](std::string_view piece) {
    const std::size_t k = std::min(piece.size(), room.size() - n);
    std::memcpy(room.data() + n, piece.data(), k);
    n += k;
  };
  const std::size_t mark = row.help.find("{}");
  put(front(row.help, mark));
  const std::span<const std::string_view> values = row.words();
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i != 0) put(", ");
    put(values[i]);
  }
  put(after(row.help, mark + 2));
  // Each line breaks at its last blank that keeps it within the width.
  std::size_t lineStart = 0;
  std::size_t lastBlank = 0;
  for (std::size_t i = 0; i < n; ++i) {
    if (room[i] == '\n') {
      lineStart = i + 1;
    } else if (room[i] == ' ') {
      lastBlank = i;
    }
    if (i - lineStart >= kHelpWidth && lastBlank > lineStart) {
      room[lastBlank] = '\n';
      lineStart = lastBlank + 1;
    }
  }
  return {room.data(), n};
}

// A whole number from 0 up, digits only.
bool parseWhole(std::string_view text, int64_t& number) {
  const char* const end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, number);
  return !text.empty() && text[0] != '-' && error == std::errc() && stop == end;
}

// A size: a whole number of bytes, or of KiB, MiB or GiB with the suffix
// K, M or G; at least 1 KiB.
bool parseSize(std::string_view text, uint64_t& bytes) {
  int shift = 0;
  if (!text.empty()) {
    switch (text.back()) {
      case 'K':
        shift = 10;
        break;
      case 'M':
        shift = 20;
        break;
      case 'G':
        shift = 30;
        break;
      default:
        break;
    }
  }
  if (shift != 0) text.remove_suffix(1);
  uint64_t value = 0;
  const char* const end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end ||
      value > (UINT64_MAX >> shift)) {
    return false;
  }
  bytes = value << shift;
  return bytes >= 1024;
}

// K/N with 0 <= K < N <= kMaxParts.
bool parsePart(std::string_view text, RunPart& part) {
  const std::size_t slash = text.find('/');
  return slash != std::string_view::npos &&
         parseWhole(front(text, slash), part.index) &&
         parseWhole(after(text, slash + 1), part.count) &&
         part.index < part.count && part.count <= kMaxParts;
}

// An unknown long option that abbreviates several: getopt_long, told to
// keep quiet, says no more than that the option is unknown.
Options ambiguous(std::string_view seen) {
  const std::string_view name = front(after(seen, 2), seen.find('=') - 2);
  Text candidates;
  int count = 0;
  for (const OptionRow& row : kRows) {
    if (front(row.name, name.size()) != name) continue;
    candidates.add(count++ == 0 ? "'--" : " '--").add(row.name).add("'");
  }
  if (count < 2) {
    return usageError("unrecognized option '%.*s'",
                      static_cast<int>(seen.size()), seen.data());
  }
  return usageError("option '--%.*s' is ambiguous; possibilities: %s",
                    static_cast<int>(name.size()), name.data(),
                    candidates.c_str());
}

// getopt_long's complaint in its own words. For a bad option getopt_long
// sets optopt to 0 when it is an unknown long one (argv[optind - 1]), to
// the value of a long one given an argument it does not take, and to the
// character of an unknown short one; a short one may stand inside a
// cluster, so argv tells nothing about it.
Options badOption(int argc, char** argv, int optionChar) {
  const char* const seen = optind - 1 < argc ? argv[optind - 1] : "";
  const std::size_t row = rowOf(optopt);
  const char* const name = row < kRows.size() ? kRows[row].name.data() : "";
  if (optionChar == ':') {
    if (std::strncmp(seen, "--", 2) == 0) {
      return usageError("option '--%s' requires an argument", name);
    }
    return usageError("option requires an argument -- '%c'", optopt);
  }
  if (optopt == 0) return ambiguous(seen);
  if (row < kRows.size() && std::strncmp(seen, "--", 2) == 0) {
    return usageError("option '--%s' doesn't allow an argument", name);
  }
  return usageError("invalid option -- '%c'", optopt);
}

// Rows given so far, one bit for each.
using RowSet = uint32_t;

// Whether the options given go together; a usage error when they do not.
Options checkCombination(const Options& o, RowSet given) {
  for (std::size_t i = 0; i < kRows.size(); ++i) {
    const OptionRow& row = kRows[i];
    if ((given >> i & 1U) != 0 && row.key != OptionKey::kMode &&
        (row.with & modeBit(o.mode)) == 0) {
      return usageError("--%s needs %s", row.name.data(),
                        modeNames(row.with, "or").c_str());
    }
  }
  const ModeEntry& entry = kModes[static_cast<std::size_t>(o.mode)];
  if (entry.rules != nullptr) {
    KeySet keys = 0;
    for (std::size_t i = 0; i < kRows.size(); ++i) {
      if ((given >> i & 1U) != 0) keys |= keyBit(kRows[i].key);
    }
    const char* const broken = entry.rules(o, keys);
    if (broken != nullptr) return usageError("%s", broken);
  }
  return o;
}

// Takes --select's comma-separated classes into o; false, with o a usage
// error, at a word that is none.
bool takeClasses(const OptionRow& row, std::string_view list, Options& o) {
  o.select = 0;
  for (;;) {
    const std::size_t comma = std::min(list.find(','), list.size());
    const std::size_t i = indexOf(row, front(list, comma));
    if (i == row.values.size()) {
      o = invalidValue(row, "class", front(list, comma));
      return false;
    }
    o.select |= kSelectClasses[i];
    if (comma == list.size()) return true;
    list.remove_prefix(comma + 1);
  }
}

// Takes the value of row into o. False, with o a usage error, when it is
// wrong.
bool takeValue(const OptionRow& row, const char* value, Options& o) {
  const std::string_view word = value;
  switch (row.key) {
    case OptionKey::kFrom:
    case OptionKey::kTo: {
      const std::size_t i = indexOf(row, word);
      if (i == row.words().size()) {
        o = invalidValue(row, "format", word);
        return false;
      }
      if (row.key == OptionKey::kFrom) {
        o.from = &formatRows()[i];
      } else {
        o.to = kToValues[i];
      }
      return true;
    }
    case OptionKey::kSelect:
      return takeClasses(row, word, o);
    case OptionKey::kPart:
      if (parsePart(word, o.part)) return true;
      o = usageError(
          "invalid part '%s' for --part; give K/N, 0 <= K < N <= 1000000",
          value);
      return false;
    case OptionKey::kMaxMemory:
      if (parseSize(word, o.maxMemory)) return true;
      o = usageError(
          "invalid size '%s' for --max-memory; give at least 1K (1024 bytes)",
          value);
      return false;
    case OptionKey::kProgress:
    case OptionKey::kNoProgress:
      break;
    case OptionKey::kJobs:
      if (parseWhole(word, o.jobs) && o.jobs >= 1 && o.jobs <= 1024) {
        return true;
      }
      o = usageError("invalid number of jobs '%s' for --jobs; give 1 to 1024",
                     value);
      return false;
    case OptionKey::kMode:
      // The data-input number of --dot and --trace: from 1, digits only.
      if (parseWhole(word, o.dataInput) && o.dataInput >= 1) return true;
      o = usageError("invalid data-input number '%s'", value);
      return false;
    case OptionKey::kJson:
    case OptionKey::kMerge:
      break;
  }
  return true;
}

// Takes option c, which getopt_long returned, into o and given. Returns
// false when parsing is over: o is then a usage error, or --help or
// --version.
bool takeOption(int c, int argc, char** argv, Options& o, RowSet& given) {
  const std::size_t i = rowOf(c);
  if (i == kRows.size()) {
    o = badOption(argc, argv, c);
    return false;
  }
  const OptionRow& row = kRows[i];
  given |= RowSet{1} << i;
  if (row.key == OptionKey::kJson || row.key == OptionKey::kMerge) {
    (row.key == OptionKey::kJson ? o.json : o.merge) = true;
    return true;
  }
  // The last of --progress and --no-progress holds.
  if (row.key == OptionKey::kProgress || row.key == OptionKey::kNoProgress) {
    o.progress = row.key == OptionKey::kProgress ? 1 : 0;
    return true;
  }
  if (!row.argument.empty() && !takeValue(row, optarg, o)) return false;
  if (row.key != OptionKey::kMode) return true;
  if (row.mode == Mode::kHelp || row.mode == Mode::kVersion) {
    o.mode = row.mode;
    return false;
  }
  if (o.mode != Mode::kDialogue && o.mode != row.mode) {
    o = usageError("only one of %s may be given",
                   modeNames(kReadingModes, "and").c_str());
    return false;
  }
  o.mode = row.mode;
  return true;
}

// Takes the FILE operands argv[first..argc) into o.
Options takeFiles(Options o, int first, int argc, char** argv) {
  static constexpr std::array<const char*, 1> kDefault = {kDefaultCatalogue};
  if (first == argc) {
    if (o.mode != Mode::kDialogue) o.files = kDefault;
    return o;
  }
  const std::span<const char* const> files(
      argv + first, static_cast<std::size_t>(argc - first));
  if (o.mode == Mode::kDialogue) {
    // With POSIXLY_CORRECT set, getopt_long stops at the first operand, as
    // for GNU's own tools, so an option after a FILE is taken for one.
    const bool posixly = std::getenv("POSIXLY_CORRECT") != nullptr;
    for (const char* file : files) {
      if (posixly && file[0] == '-' && file[1] != '\0') {
        return usageError(
            "with POSIXLY_CORRECT set, options must come before FILE: '%s'",
            file);
      }
    }
    return usageError("a FILE needs %s: '%s'",
                      modeNames(kReadingModes, "or").c_str(), files[0]);
  }
  if (kModes[static_cast<std::size_t>(o.mode)].oneFile && files.size() > 1) {
    return usageError("extra operand '%s'", files[1]);
  }
  if (std::count_if(files.begin(), files.end(), [](const char* f) {
        return std::strcmp(f, "-") == 0;
      }) > 1) {
    return usageError("%s", "standard input '-' may be given only once");
  }
  o.files = files;
  return o;
}

}  // namespace

std::span<const OptionRow> optionRows() { return kRows; }

const FormatRow* formatOf(OutputFormat to) {
  const auto* const at = std::find(kToValues.begin(), kToValues.end(), to);
  return findFormat(kToNames[static_cast<std::size_t>(at - kToValues.begin())]);
}

Options parseOptions(int argc, char** argv) {
  Options o;
  opterr = 0;  // the complaints are ours to word
  optind = 0;  // start afresh, also when called more than once
  RowSet given = 0;
  for (int c; (c = getopt_long(argc, argv, kShortOptions.data(),
                               kLongOptions.data(), nullptr)) != -1;) {
    if (!takeOption(c, argc, argv, o, given)) return o;
  }
  o = checkCombination(o, given);
  if (o.mode == Mode::kUsageError) return o;
  o = takeFiles(o, optind, argc, argv);
  if (o.mode == Mode::kUsageError) return o;
  // Once more, as a mode's rules may weigh its FILEs.
  return checkCombination(o, given);
}

void writeUsage(Console& console) {
  console.write(
      "Usage: ugraph [OPTION]... [FILE]...\n"
      "Decide whether undirected graphs are connected and whether they are\n"
      "trees.\n"
      "\n"
      "With no option, ask at the console for one graph, typed in or chosen\n"
      "from the catalogue GraphDataFile2.txt in the current directory.\n"
      "\n");
  constexpr std::size_t kColumn = 22;  // where the help text starts
  constexpr std::string_view kBlanks = "                      ";
  for (const OptionRow& row : kRows) {
    std::array<char, 4> letter = {' ', ' ', ' ', ' '};
    if (row.letter != '\0') letter = {'-', row.letter, ',', ' '};
    std::size_t width = 2 + letter.size() + 2 + row.name.size();
    console.write("  ");
    console.write(std::string_view(letter.data(), letter.size()));
    console.write("--");
    console.write(row.name);
    if (!row.argument.empty()) {
      console.write("=");
      console.write(row.argument);
      width += 1 + row.argument.size();
    }
    console.write(width + 2 <= kColumn ? after(kBlanks, width) : "  ");
    std::array<char, 1024> room;
    std::string_view help = row.help.find("{}") != std::string_view::npos
                                ? tableHelp(row, room)
                                : row.help;
    for (bool first = true; !help.empty(); first = false) {
      const std::size_t end = help.find('\n') + 1;
      if (!first) console.write(front(kBlanks, kColumn));
      console.write(front(help, end));
      help.remove_prefix(end);
    }
  }
  console.write(
      "\n"
      "FILE defaults to GraphDataFile2.txt; - reads standard input. Its "
      "graphs\n"
      "are the data-inputs of a catalogue, or the lines of graph6 or sparse6.\n"
      "\n"
      "Exit status:\n"
      " 0  all is well\n"
      " 1  a graph was refused, or is missing for --dot; in the dialogue,\n"
      "    input ended or could not be read, or output could not be written\n"
      " 2  wrong usage, a FILE that cannot be read, or output that cannot be\n"
      "    written by an option\n");
}

}  // namespace ugraph
