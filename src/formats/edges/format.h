// Edge lists, as SNAP, KONECT and Network Repository publish them: one
// link a line, two ids that need not be indices, further columns ignored.
#ifndef UGRAPH_FORMATS_EDGES_FORMAT_H_
#define UGRAPH_FORMATS_EDGES_FORMAT_H_

#include <string_view>

#include "formats/formats.h"
#include "formats/link_file/row.h"

namespace ugraph {
namespace edges_format {
bool wantsMore(std::string_view start, std::size_t room);
Sign sign(std::string_view start, std::string_view fileName);
GraphReader open(ReaderRoom& room, const ReaderSetup& setup);
std::string_view phrase(Refusal refusal);
}  // namespace edges_format

inline constexpr FormatRow kEdgesRow = {"edges",
                                        "graph",
                                        "an edge list",
                                        edges_format::wantsMore,
                                        edges_format::sign,
                                        edges_format::open,
                                        edges_format::phrase,
                                        writeEdgeList};

}  // namespace ugraph

#endif  // UGRAPH_FORMATS_EDGES_FORMAT_H_
