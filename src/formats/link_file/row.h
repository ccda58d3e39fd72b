// What the rows of the formats of one graph a file share: how long
// detection waits, the first line that is not a comment, and the rows'
// making of their readers.
#ifndef UGRAPH_FORMATS_LINK_FILE_ROW_H_
#define UGRAPH_FORMATS_LINK_FILE_ROW_H_

#include <cstddef>
#include <string_view>

#include "formats/formats.h"
#include "formats/link_file/link_file.h"

namespace ugraph {

// Detection waits for the first lines that are not '#' or '%' comments,
// up to `lines` of them whole, or the room full.
bool wantsDataLines(std::string_view start, std::size_t room,
                    std::size_t lines = 1);

// Calls f(line) for each whole line of start that is neither blank nor a
// '#' or '%' comment, without its line end, until f returns false.
template <class F>
void forEachDataLine(std::string_view start, F&& f) {
  std::size_t from = 0;
  for (std::size_t end = start.find('\n'); end != std::string_view::npos;
       from = end + 1, end = start.find('\n', from)) {
    std::string_view line(start.data() + from, end - from);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (isBlankLine(line) || startsWith(line, '#') || startsWith(line, '%')) {
      continue;
    }
    if (!f(line)) return;
  }
}

// Whether fileName, without a compression suffix, ends with suffix.
bool nameEndsWith(std::string_view fileName, std::string_view suffix);

// Makes a reader of Grammar in room.
template <class Grammar>
GraphReader openLinkFile(ReaderRoom& room, const ReaderSetup& setup) {
  return GraphReader::make<LinkFileReader<Grammar>>(room, setup);
}

// Writes d as an edge list: "a b" a line for its links, by ugraph's node
// numbers (see formats/edges). Refuses a node without links, which an edge
// list cannot hold, and every graph of a file after its first.
Refusal writeEdgeList(const JudgedGraph& d, Console& console);

}  // namespace ugraph

#endif  // UGRAPH_FORMATS_LINK_FILE_ROW_H_
