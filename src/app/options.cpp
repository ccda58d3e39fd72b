#include "app/options.h"

#include <getopt.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <utility>

namespace ugraph {
namespace {

constexpr int kJson = 256;       // --json has no short form
constexpr int kMaxMemory = 257;  // nor --max-memory

constexpr std::array<option, 13> kOptions = {{
    {"check", no_argument, nullptr, 'c'},
    {"list", no_argument, nullptr, 'l'},
    {"json", no_argument, nullptr, kJson},
    {"dot", required_argument, nullptr, 'd'},
    {"convert", no_argument, nullptr, 'x'},
    {"trace", required_argument, nullptr, 'T'},
    {"from", required_argument, nullptr, 'f'},
    {"to", required_argument, nullptr, 't'},
    {"select", required_argument, nullptr, 's'},
    {"max-memory", required_argument, nullptr, kMaxMemory},
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, 'V'},
    {nullptr, 0, nullptr, 0},
}};

// The value of word in a table of names, or false when it is none.
template <class Value, std::size_t N>
bool lookUp(std::string_view word,
            const std::array<std::pair<std::string_view, Value>, N>& table,
            Value& value) {
  for (const auto& [name, v] : table) {
    if (name == word) {
      value = v;
      return true;
    }
  }
  return false;
}

constexpr std::array<std::pair<std::string_view, InputFormat>, 3> kFrom = {{
    {"catalogue", InputFormat::kCatalogue},
    {"graph6", InputFormat::kGraphLines},
    {"sparse6", InputFormat::kGraphLines},
}};

constexpr std::array<std::pair<std::string_view, OutputFormat>, 4> kTo = {{
    {"catalogue", OutputFormat::kCatalogue},
    {"graph6", OutputFormat::kGraph6},
    {"sparse6", OutputFormat::kSparse6},
    {"dot", OutputFormat::kDot},
}};

constexpr std::array<std::pair<std::string_view, ClassSet>, 6> kClasses = {{
    {"tree", classBit(GraphClass::kTree)},
    {"cyclic", classBit(GraphClass::kConnectedNotTree)},
    {"connected",
     classBit(GraphClass::kTree) | classBit(GraphClass::kConnectedNotTree)},
    {"disconnected", classBit(GraphClass::kNotConnected)},
    {"no-node", classBit(GraphClass::kNoNode)},
    {"refused", classBit(GraphClass::kRefused)},
}};

// The classes of a comma-separated list; false when one is unknown.
bool parseClasses(std::string_view list, ClassSet& set) {
  set = 0;
  for (;;) {
    const std::size_t comma = std::min(list.find(','), list.size());
    ClassSet bits = 0;
    if (!lookUp(list.substr(0, comma), kClasses, bits)) return false;
    set |= bits;
    if (comma == list.size()) return true;
    list.remove_prefix(comma + 1);
  }
}

// A usage error, its words formatted as by printf (and cut to fit).
template <class... Arguments>
Options usageError(const char* format, Arguments... arguments) {
  Options o;
  o.mode = Mode::kUsageError;
  std::snprintf(o.error.data(), o.error.size(), format, arguments...);
  return o;
}

// The data-input number of --dot: a whole number from 1 up, digits only.
bool parseNumber(std::string_view text, int64_t& number) {
  const char* const end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, number);
  return !text.empty() && text[0] != '-' && error == std::errc() &&
         stop == end && number >= 1;
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

// The long name of the option whose value getopt_long gives as val.
const char* longName(int val) {
  for (const option& o : kOptions) {
    if (o.name != nullptr && o.val == val) return o.name;
  }
  return "";
}

// getopt_long's complaint in its own words. For a bad option getopt_long
// sets optopt to 0 when it is an unknown long one (argv[optind - 1]), to
// the value of a long one given an argument it does not take, and to the
// character of an unknown short one; a short one may stand inside a
// cluster, so argv tells nothing about it.
Options badOption(int argc, char** argv, int optionChar) {
  const char* const seen = optind - 1 < argc ? argv[optind - 1] : "";
  if (optionChar == ':') {
    if (std::strncmp(seen, "--", 2) == 0) {
      return usageError("option '--%s' requires an argument", longName(optopt));
    }
    return usageError("option requires an argument -- '%c'", optopt);
  }
  if (optopt == 0) return usageError("unrecognized option '%s'", seen);
  if (*longName(optopt) != '\0') {
    return usageError("option '--%s' doesn't allow an argument",
                      longName(optopt));
  }
  return usageError("invalid option -- '%c'", optopt);
}

// What the options met so far say beside Options itself.
struct Given {
  bool json = false;
  bool maxMemory = false;
  bool to = false;
  bool select = false;
};

// Whether the options given go together; a usage error when they do not.
Options checkCombination(Options o, const Given& given) {
  const bool reads = o.mode != Mode::kDialogue;
  if (given.json && o.mode != Mode::kList && o.mode != Mode::kTrace) {
    return usageError("%s", "--json needs --list or --trace");
  }
  if (o.fromGiven && !reads) {
    return usageError("%s", "--from needs an option that reads FILE");
  }
  if (given.maxMemory && !reads) {
    return usageError("%s", "--max-memory needs an option that reads FILE");
  }
  if (o.mode == Mode::kTrace && given.to) {
    if (o.to != OutputFormat::kDot) {
      return usageError("%s", "--trace takes --to=dot only");
    }
    if (given.json) {
      return usageError("%s", "--json and --to=dot exclude each other");
    }
  } else if (given.to != (o.mode == Mode::kConvert)) {
    return usageError("%s", given.to ? "--to needs --convert"
                                     : "--convert needs --to=FORMAT");
  }
  if (given.select && o.mode != Mode::kList && o.mode != Mode::kConvert) {
    return usageError("%s", "--select needs --list or --convert");
  }
  if (o.mode == Mode::kConvert && given.select &&
      (o.select & classBit(GraphClass::kRefused)) != 0) {
    return usageError("%s",
                      "--convert writes no refused graph: select another "
                      "class");
  }
  o.json = given.json;
  return o;
}

// Takes option c, which getopt_long returned, into o and given. Returns
// false when parsing is over: o is then a usage error, or --help or
// --version.
bool takeOption(int c, int argc, char** argv, Options& o, Given& given) {
  Mode mode = Mode::kDialogue;
  switch (c) {
    case 'h':
    case 'V':
      o.mode = c == 'h' ? Mode::kHelp : Mode::kVersion;
      return false;
    case kJson:
      given.json = true;
      return true;
    case kMaxMemory:
      given.maxMemory = parseSize(optarg, o.maxMemory);
      if (!given.maxMemory) {
        o = usageError("invalid size '%s' for --max-memory", optarg);
      }
      return given.maxMemory;
    case 'f':
      o.fromGiven = lookUp(optarg, kFrom, o.from);
      if (!o.fromGiven)
        o = usageError("invalid format '%s' for --from", optarg);
      return o.fromGiven;
    case 't':
      given.to = lookUp(optarg, kTo, o.to);
      if (!given.to) o = usageError("invalid format '%s' for --to", optarg);
      return given.to;
    case 's':
      given.select = parseClasses(optarg, o.select);
      if (!given.select) {
        o = usageError("invalid class list '%s' for --select", optarg);
      }
      return given.select;
    case 'c':
    case 'l':
    case 'x':
      mode = c == 'c' ? Mode::kCheck : c == 'l' ? Mode::kList : Mode::kConvert;
      break;
    case 'T':
    case 'd':
      mode = c == 'd' ? Mode::kDot : Mode::kTrace;
      if (!parseNumber(optarg, o.dataInput)) {
        o = usageError("invalid data-input number '%s'", optarg);
        return false;
      }
      break;
    default:
      o = badOption(argc, argv, c);
      return false;
  }
  if (o.mode != Mode::kDialogue && o.mode != mode) {
    o = usageError("%s",
                   "only one of --check, --list, --dot, --convert and --trace "
                   "may be given");
    return false;
  }
  o.mode = mode;
  return true;
}

}  // namespace

Options parseOptions(int argc, char** argv) {
  Options o;
  opterr = 0;  // the complaints are ours to word
  optind = 0;  // start afresh, also when called more than once
  Given given;
  for (int c; (c = getopt_long(argc, argv, ":cld:xT:f:t:s:hV", kOptions.data(),
                               nullptr)) != -1;) {
    if (!takeOption(c, argc, argv, o, given)) return o;
  }
  o = checkCombination(o, given);
  if (o.mode == Mode::kUsageError) return o;
  if (optind < argc) {
    if (o.mode == Mode::kDialogue) {
      return usageError(
          "a FILE needs --check, --list, --dot, --convert or --trace: '%s'",
          argv[optind]);
    }
    o.file = argv[optind++];
  }
  if (optind < argc) {
    return usageError("extra operand '%s'", argv[optind]);
  }
  if (o.file == nullptr) o.file = kDefaultCatalogue;
  return o;
}

const char* const kUsage =
    "Usage: ugraph [OPTION]... [FILE]\n"
    "Decide whether undirected graphs are connected and whether they are\n"
    "trees.\n"
    "\n"
    "With no option, ask at the console for one graph, typed in or chosen\n"
    "from the catalogue GraphDataFile2.txt in the current directory.\n"
    "\n"
    "  -c, --check         check every graph of FILE\n"
    "  -l, --list          judge every graph of FILE, one line each\n"
    "      --json          with --list or --trace: one JSON object per line\n"
    "  -d, --dot=N         write graph N of FILE as a Graphviz graph\n"
    "  -x, --convert       write every graph of FILE in the --to format\n"
    "  -T, --trace=N       show the walk through graph N of FILE step by "
    "step;\n"
    "                      with --json as JSON lines, with --to=dot as frames\n"
    "  -f, --from=FORMAT   read FILE as catalogue, or as graph6 and sparse6\n"
    "                      lines (graph6 and sparse6 both); default: lines\n"
    "                      when it begins with a header or a graph line,\n"
    "                      else catalogue\n"
    "      --max-memory=SIZE  the most memory one graph line may take\n"
    "                      (K, M, G: powers of 1024; default 4G)\n"
    "  -t, --to=FORMAT     with --convert: catalogue, graph6, sparse6 or dot;\n"
    "                      with --trace: dot\n"
    "  -s, --select=CLASSES  with --list or --convert: only the graphs of\n"
    "                      these comma-separated classes: tree, cyclic,\n"
    "                      connected, disconnected, no-node, refused\n"
    "  -h, --help          display this help and exit\n"
    "  -V, --version       output version information and exit\n"
    "\n"
    "FILE defaults to GraphDataFile2.txt; - reads standard input. Its graphs\n"
    "are the data-inputs of a catalogue, or the lines of graph6 or sparse6.\n"
    "\n"
    "Exit status:\n"
    " 0  all is well\n"
    " 1  a graph was refused, or is missing for --dot; in the dialogue,\n"
    "    input ended or could not be read, or output could not be written\n"
    " 2  wrong usage, a FILE that cannot be read, or output that cannot be\n"
    "    written by an option\n";

}  // namespace ugraph
