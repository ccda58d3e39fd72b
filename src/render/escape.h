// Writing a graph's name, which may hold any bytes, into the formats the
// batch modes produce. Each treats bytes that are not valid UTF-8 alike:
// every such byte stands for U+FFFD, the replacement character.
#ifndef UGRAPH_RENDER_ESCAPE_H_
#define UGRAPH_RENDER_ESCAPE_H_

#include <cstddef>
#include <string_view>

#include "base/console.h"

namespace ugraph {

// True when text is printable ASCII without '"' and '\\': every format
// writes it as it stands.
bool isPlainText(std::string_view text);

// Writes text as a JSON string, quotes included, with '"', '\' and control
// characters escaped.
void writeJsonString(std::string_view text, Console& console);

// Writes text as a DOT quoted string, quotes included, which Graphviz reads
// back as text. DOT has no escape for a backslash, so one is written as it
// is, except that a run of them that would otherwise escape a '"', a line
// end or the closing quote gets one more. A line end is written as the
// escape \n or \r, never raw, so that the string spans no lines.
void writeDotString(std::string_view text, Console& console);

// Writes name, ": " and words (or words alone when name is empty) as a
// DOT label, quotes included. Graphviz reads a backslash in a label as an
// escape, so each is doubled; a line end becomes the escape \n.
void writeDotLabel(std::string_view name, std::string_view words,
                   Console& console);

// Writes text as the inside of a DOT label, without quotes, escaped as
// writeDotLabel escapes it.
void writeDotLabelText(std::string_view text, Console& console);

// Writes text as HTML text, fit for an element or a quoted attribute:
// '&', '<', '>' and '"' as references, a control character as U+FFFD.
void writeHtmlText(std::string_view text, Console& console);

// Writes text for one column of a terminal line: control characters as
// '?'. Returns how many characters that shows.
std::size_t writeDisplayText(std::string_view text, Console& console);

}  // namespace ugraph

#endif  // UGRAPH_RENDER_ESCAPE_H_
