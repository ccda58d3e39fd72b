#include "formats/foreign.h"

#include <array>
#include <cctype>

#include "formats/catalogue/format.h"

namespace ugraph {
namespace {

// The magic numbers that open compressed files.
struct Magic {
  std::string_view bytes;
  std::string_view name;
};
constexpr std::array kCompressions = {
    Magic{"\x1f\x8b", "gzip-compressed data"},
    Magic{"BZh", "bzip2-compressed data"},
    Magic{"\xfd"
          "7zXZ",
          "xz-compressed data"},
    Magic{"\x28\xb5\x2f\xfd", "zstd-compressed data"},
};

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' ||
         c == '\v';
}

// text past its leading blanks.
std::string_view trimmed(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size() && isBlank(text[at])) ++at;
  return {text.data() + at, text.size() - at};
}

// Whether text begins with word, in any case, and then a byte that cannot
// go on a word.
bool beginsWithWord(std::string_view text, std::string_view word) {
  if (text.size() < word.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) != word[i]) {
      return false;
    }
  }
  return text.size() == word.size() ||
         (std::isalnum(static_cast<unsigned char>(text[word.size()])) == 0 &&
          text[word.size()] != '_');
}

// text past the word at its front.
std::string_view after(std::string_view text, std::string_view word) {
  return trimmed({text.data() + word.size(), text.size() - word.size()});
}

// The lines of text, from the first whose first non-blank byte is not
// `comment`.
std::string_view pastComments(std::string_view text, char comment) {
  for (;;) {
    const std::string_view line = trimmed(text);
    if (line.empty() || line[0] != comment) return line;
    const std::size_t end = line.find('\n');
    if (end == std::string_view::npos) return {};
    text = {line.data() + end + 1, line.size() - end - 1};
  }
}

// GML: "graph [" at the start of a line, after any keys of the file's own
// ("Creator", "Version") and '#' comments.
bool isGml(std::string_view text) {
  for (std::string_view rest = text; !rest.empty();) {
    const std::string_view line = pastComments(rest, '#');
    if (beginsWithWord(line, "graph") && !after(line, "graph").empty() &&
        after(line, "graph")[0] == '[') {
      return true;
    }
    const std::size_t end = line.find('\n');
    if (end == std::string_view::npos) return false;
    rest = {line.data() + end + 1, line.size() - end - 1};
  }
  return false;
}

// DOT: "strict" or not, "graph" or "digraph", an optional name, and '{'.
bool isDot(std::string_view text) {
  std::string_view rest = pastComments(pastComments(text, '#'), '/');
  if (beginsWithWord(rest, "strict")) rest = after(rest, "strict");
  if (beginsWithWord(rest, "graph")) {
    rest = after(rest, "graph");
  } else if (beginsWithWord(rest, "digraph")) {
    rest = after(rest, "digraph");
  } else {
    return false;
  }
  const std::size_t brace = rest.find('{');
  return brace != std::string_view::npos &&
         rest.substr(0, brace).find_first_of("[];") == std::string_view::npos;
}

}  // namespace

std::string_view foreignFormatOf(std::string_view start) {
  for (const Magic& magic : kCompressions) {
    if (start.starts_with(magic.bytes)) return magic.name;
  }
  if (start.find('\0') != std::string_view::npos) return "binary data";
  if (hasCatalogueSign(start)) return {};
  std::string_view text = trimmed(start);
  if (text.starts_with("\xEF\xBB\xBF")) {
    text = trimmed({text.data() + 3, text.size() - 3});
  }
  if (text.starts_with("<?xml") || text.starts_with("<graphml")) {
    return text.find("<graphml") != std::string_view::npos ? "GraphML" : "XML";
  }
  if (beginsWithWord(pastComments(text, '%'), "*vertices")) return "Pajek";
  if (isDot(text)) return "DOT";
  if (isGml(text)) return "GML";
  return {};
}

}  // namespace ugraph
