// Writes the bash completion script of ugraph to standard output, its
// option names and values taken from the table of options, so that the
// completion offers exactly what the program takes. Run at build time.
#include <cstdio>
#include <string>
#include <string_view>

#include "cli/options.h"

namespace {

using ugraph::Mode;
using ugraph::modeBit;
using ugraph::OptionKey;
using ugraph::OptionRow;
using ugraph::optionRows;

std::string str(std::string_view s) { return std::string(s); }

// Appends word to words, after separator unless words is empty.
void join(std::string& words, std::string_view word,
          std::string_view separator = " ") {
  if (!words.empty()) words.append(separator);
  words.append(word);
}

// "--name" or "--name=" as the completion offers it.
std::string offered(const OptionRow& row) {
  return "--" + str(row.name) + (row.argument.empty() ? "" : "=");
}

// The words of row's values, blank-separated.
std::string values(const OptionRow& row) {
  std::string words;
  for (const std::string_view v : row.words()) join(words, v);
  return words;
}

// "-x | --name" for the words that name row.
std::string spellings(const OptionRow& row) {
  std::string words;
  if (row.letter != '\0') words = std::string("-") + row.letter + " | ";
  return words + "--" + str(row.name);
}

// The options offered once mode is given ("": none yet, so all).
std::string optionsFor(const Mode* mode) {
  std::string words;
  for (const OptionRow& row : optionRows()) {
    const bool goes = mode == nullptr || (row.key != OptionKey::kMode &&
                                          (row.with & modeBit(*mode)) != 0);
    if (goes) join(words, offered(row));
  }
  return words;
}

// The parts of the script that the table of options fills in.
struct Parts {
  std::string numbers;       // options whose value is no word
  std::string numberValues;  // the same, written with their '='
  std::string valueCases;    // the words of the options that take them
  std::string modeCases;     // the words that give a mode
  std::string optionCases;   // the options offered once a mode is given
};

Parts partsOf() {
  Parts parts;
  parts.optionCases = "      \"\") options='" + optionsFor(nullptr) + "' ;;\n";
  for (const OptionRow& row : optionRows()) {
    if (!row.argument.empty() && row.words().empty()) {
      join(parts.numbers, spellings(row), " | ");
      join(parts.numberValues, offered(row) + "*", " | ");
    }
    if (!row.words().empty()) {
      for (const std::string& word : {spellings(row), offered(row) + "*"}) {
        parts.valueCases.append("    ").append(word).append(") values='");
        parts.valueCases.append(values(row)).append("' ;;\n");
      }
    }
    if (row.key == OptionKey::kMode && row.mode != Mode::kHelp &&
        row.mode != Mode::kVersion) {
      const std::string name = "--" + str(row.name);
      std::string words = spellings(row);
      if (!row.argument.empty()) words.append(" | ").append(name).append("=*");
      parts.modeCases.append("      ").append(words).append(") mode=");
      parts.modeCases.append(name).append(" ;;\n");
      parts.optionCases.append("      ").append(name).append(") options='");
      parts.optionCases.append(optionsFor(&row.mode)).append("' ;;\n");
    }
  }
  return parts;
}

}  // namespace

int main() {
  const Parts parts = partsOf();
  std::printf(
      "# bash completion for ugraph: its options and their values, and files\n"
      "# for FILE once a mode that reads them is given. A bare ugraph holds\n"
      "# the dialogue and takes no FILE, and only one mode may be given.\n"
      "# Made from the program's table of options when it is built.\n"
      "_ugraph() {\n"
      "  local cur=${COMP_WORDS[COMP_CWORD]}\n"
      "  local prev=${COMP_WORDS[COMP_CWORD - 1]}\n"
      "  # bash splits \"--to=dot\" into \"--to\", \"=\" and \"dot\".\n"
      "  [[ $prev == = && $COMP_CWORD -ge 2 ]] && "
      "prev=${COMP_WORDS[COMP_CWORD - 2]}\n"
      "  COMPREPLY=()\n"
      "  local values=\"\"\n"
      "  case $prev in\n"
      "    %s) return ;;\n"
      "  esac\n"
      "  case $cur in\n"
      "    %s) return ;;\n"
      "  esac\n"
      "  local word=$cur\n"
      "  [[ $cur == --*=* ]] || word=$prev\n"
      "  case $word in\n"
      "%s"
      "  esac\n"
      "  if [[ -n $values ]]; then\n"
      "    local value=${cur#*=} list=\"\"\n"
      "    # A list of classes goes on after each comma.\n"
      "    [[ $word == -s || $word == --select* ]] &&\n"
      "      [[ $value == *,* ]] && list=${value%%,*},\n"
      "    mapfile -t COMPREPLY < <(compgen -P \"$list\" -W \"$values\" -- "
      "\"${value##*,}\")\n"
      "    return\n"
      "  fi\n"
      "  local mode=\"\"\n"
      "  for word in \"${COMP_WORDS[@]:1:COMP_CWORD-1}\"; do\n"
      "    case $word in\n"
      "%s"
      "    esac\n"
      "  done\n"
      "  if [[ $cur == -* || -z $mode ]]; then\n"
      "    local options\n"
      "    case $mode in\n"
      "%s"
      "    esac\n"
      "    mapfile -t COMPREPLY < <(compgen -W \"$options\" -- \"$cur\")\n"
      "    [[ ${#COMPREPLY[@]} == 1 && ${COMPREPLY[0]} == *= ]] && compopt -o "
      "nospace\n"
      "    return\n"
      "  fi\n"
      "  compopt -o filenames\n"
      "  mapfile -t COMPREPLY < <(compgen -f -- \"$cur\")\n"
      "}\n"
      "complete -F _ugraph ugraph\n",
      parts.numbers.c_str(), parts.numberValues.c_str(),
      parts.valueCases.c_str(), parts.modeCases.c_str(),
      parts.optionCases.c_str());
  return 0;
}
