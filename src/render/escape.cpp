#include "render/escape.h"

#include <array>
#include <cstdint>

namespace ugraph {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// The length of the valid UTF-8 sequence at the front of text, or 0 when
// its first byte starts none. The second byte's range excludes overlong
// forms, surrogates and code points above U+10FFFF.
std::size_t sequenceLength(std::string_view text) {
  const auto byte = [&](std::size_t i) {
    return static_cast<uint8_t>(text[i]);
  };
  const uint8_t lead = byte(0);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  uint8_t low = 0x80;
  uint8_t high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (text.size() < length || byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
  }
  return length;
}

// Calls onCharacter(std::string_view) with each character of text: a valid
// UTF-8 sequence, or kReplacement for a byte that starts none.
template <class OnCharacter>
void forEachCharacter(std::string_view text, OnCharacter&& onCharacter) {
  while (!text.empty()) {
    const std::size_t length = sequenceLength(text);
    onCharacter(length == 0 ? kReplacement
                            : std::string_view(text.data(), length));
    text.remove_prefix(length == 0 ? 1 : length);
  }
}

bool isControl(std::string_view c) {
  return c.size() == 1 && (static_cast<uint8_t>(c[0]) < 0x20 || c[0] == 0x7F);
}

// The bytes every format writes as they are: printable ASCII other than
// '"' and '\\'.
constexpr std::array<bool, 256> kPlain = [] {
  std::array<bool, 256> plain{};
  for (std::size_t c = 0x20; c < 0x7F; ++c) plain[c] = c != '"' && c != '\\';
  return plain;
}();

// The length of the run of such bytes at the front of text.
std::size_t plainRun(std::string_view text) {
  std::size_t n = 0;
  while (n < text.size() && kPlain[static_cast<uint8_t>(text[n])]) ++n;
  return n;
}

}  // namespace

bool isPlainText(std::string_view text) {
  return plainRun(text) == text.size();
}

void writeJsonString(std::string_view text, Console& console) {
  console.write("\"");
  const std::size_t plain = plainRun(text);
  console.write(std::string_view(text.data(), plain));
  text.remove_prefix(plain);
  forEachCharacter(text, [&](std::string_view c) {
    if (c == "\"" || c == "\\") {
      console.write("\\");
      console.write(c);
    } else if (c == "\n") {
      console.write("\\n");
    } else if (c == "\t") {
      console.write("\\t");
    } else if (isControl(c)) {
      constexpr std::string_view kHex = "0123456789abcdef";
      const auto code = static_cast<uint8_t>(c[0]);
      const std::array<char, 6> escape = {
          '\\', 'u', '0', '0', kHex[code >> 4], kHex[code & 15]};
      console.write(std::string_view(escape.data(), escape.size()));
    } else {
      console.write(c);
    }
  });
  console.write("\"");
}

// Graphviz reads a quoted string's backslashes in pairs from the left: a
// pair stands for itself, and a lone one escapes what follows it. So a run
// of backslashes is written as it is when even; when odd, before a '"', a
// line end (written as the escape \n or \r) or the closing quote, one more
// is written, so that the run reads back as pairs and what follows keeps
// its meaning.
void writeDotString(std::string_view text, Console& console) {
  console.write("\"");
  bool oddRun = false;  // the last characters written: an odd run of '\'
  forEachCharacter(text, [&](std::string_view c) {
    const bool special = c == "\"" || c == "\n" || c == "\r";
    if (oddRun && special) console.write("\\");
    if (c == "\"") console.write("\\");
    // No line end is written raw, so that a drawing's lines stay its own:
    // a name cannot start a line that reads as another drawing's head.
    console.write(c == "\n" ? "\\n" : c == "\r" ? "\\r" : c);
    oddRun = c == "\\" && !oddRun;
  });
  if (oddRun) console.write("\\");
  console.write("\"");
}

void writeDotLabelText(std::string_view text, Console& console) {
  forEachCharacter(text, [&](std::string_view c) {
    if (c == "\"" || c == "\\") console.write("\\");
    console.write(c == "\n" ? "\\n" : c);
  });
}

void writeDotLabel(std::string_view name, std::string_view words,
                   Console& console) {
  console.write("\"");
  writeDotLabelText(name, console);
  if (!name.empty()) console.write(": ");
  console.write(words);
  console.write("\"");
}

void writeHtmlText(std::string_view text, Console& console) {
  forEachCharacter(text, [&](std::string_view c) {
    if (c == "&") {
      console.write("&amp;");
    } else if (c == "<") {
      console.write("&lt;");
    } else if (c == ">") {
      console.write("&gt;");
    } else if (c == "\"") {
      console.write("&quot;");
    } else {
      console.write(isControl(c) ? kReplacement : c);
    }
  });
}

std::size_t writeDisplayText(std::string_view text, Console& console) {
  std::size_t shown = plainRun(text);
  console.write(std::string_view(text.data(), shown));
  text.remove_prefix(shown);
  forEachCharacter(text, [&](std::string_view c) {
    console.write(isControl(c) ? "?" : c);
    ++shown;
  });
  return shown;
}

}  // namespace ugraph
