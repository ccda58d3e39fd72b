#include "app/options.h"

#include <getopt.h>

#include <array>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace ugraph {
namespace {

constexpr int kJson = 256;  // --json has no short form

constexpr std::array<option, 7> kOptions = {{
    {"check", no_argument, nullptr, 'c'},
    {"list", no_argument, nullptr, 'l'},
    {"json", no_argument, nullptr, kJson},
    {"dot", required_argument, nullptr, 'd'},
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, 'V'},
    {nullptr, 0, nullptr, 0},
}};

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

}  // namespace

Options parseOptions(int argc, char** argv) {
  Options o;
  opterr = 0;  // the complaints are ours to word
  optind = 0;  // start afresh, also when called more than once
  bool json = false;
  for (;;) {
    const int c = getopt_long(argc, argv, ":cld:hV", kOptions.data(), nullptr);
    if (c == -1) break;
    Mode mode = Mode::kDialogue;
    switch (c) {
      case 'h':
        o.mode = Mode::kHelp;
        return o;
      case 'V':
        o.mode = Mode::kVersion;
        return o;
      case kJson:
        json = true;
        continue;
      case 'c':
        mode = Mode::kCheck;
        break;
      case 'l':
        mode = Mode::kList;
        break;
      case 'd':
        mode = Mode::kDot;
        if (!parseNumber(optarg, o.dataInput)) {
          return usageError("invalid data-input number '%s'", optarg);
        }
        break;
      default:
        return badOption(argc, argv, c);
    }
    if (o.mode != Mode::kDialogue && o.mode != mode) {
      return usageError("%s",
                        "only one of --check, --list and --dot may be given");
    }
    o.mode = mode;
  }
  if (json && o.mode != Mode::kList) {
    return usageError("%s", "--json needs --list");
  }
  o.json = json;
  if (optind < argc) {
    if (o.mode == Mode::kDialogue) {
      return usageError("a FILE needs --check, --list or --dot: '%s'",
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
    "  -c, --check       check every data-input of the catalogue FILE\n"
    "  -l, --list        judge every data-input of FILE, one line each\n"
    "      --json        with --list: one JSON object per line\n"
    "  -d, --dot=N       write data-input N of FILE as a Graphviz graph\n"
    "  -h, --help        display this help and exit\n"
    "  -V, --version     output version information and exit\n"
    "\n"
    "FILE defaults to GraphDataFile2.txt; - reads standard input.\n"
    "\n"
    "Exit status:\n"
    " 0  all is well\n"
    " 1  a data-input was refused, or is missing for --dot; in the dialogue,\n"
    "    input ended or could not be read, or output could not be written\n"
    " 2  wrong usage, a FILE that cannot be read, or output that cannot be\n"
    "    written by --check, --list or --dot\n";

}  // namespace ugraph
