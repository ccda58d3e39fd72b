// nauty's graph6 and sparse6 as rows of the table of formats. Both rows
// read the same graph lines, each line's first byte naming its format, as
// nauty reads them; they differ in what --convert writes.
#ifndef UGRAPH_FORMATS_GRAPH6_FORMAT_H_
#define UGRAPH_FORMATS_GRAPH6_FORMAT_H_

#include <string_view>

#include "formats/formats.h"

namespace ugraph {

// The words of a refusal of a graph line, or of a graph that graph6
// cannot hold; empty for any other.
std::string_view lineRefusalPhrase(Refusal refusal);

namespace graph6_format {
bool wantsMore(std::string_view start, std::size_t room);
Sign sign(std::string_view start, std::string_view fileName);
// sparse6 names the same lines; the graph6 row alone recognises them.
Sign noSign(std::string_view start, std::string_view fileName);
GraphReader open(ReaderRoom& room, const ReaderSetup& setup);
// Write d as a graph6 or sparse6 line.
Refusal writeGraph6(const JudgedGraph& d, Console& console);
Refusal writeSparse6(const JudgedGraph& d, Console& console);
}  // namespace graph6_format

inline constexpr FormatRow kGraph6Row = {"graph6",
                                         "graph",
                                         "graph6 or sparse6",
                                         graph6_format::wantsMore,
                                         graph6_format::sign,
                                         graph6_format::open,
                                         lineRefusalPhrase,
                                         graph6_format::writeGraph6};

inline constexpr FormatRow kSparse6Row = {"sparse6",
                                          "graph",
                                          "graph6 or sparse6",
                                          graph6_format::wantsMore,
                                          graph6_format::noSign,
                                          graph6_format::open,
                                          lineRefusalPhrase,
                                          graph6_format::writeSparse6};

}  // namespace ugraph

#endif  // UGRAPH_FORMATS_GRAPH6_FORMAT_H_
