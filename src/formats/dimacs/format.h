// DIMACS graph files of the challenges: "p edge"/"p col" with "e u v"
// lines (colouring, cliques), and "p sp" with "a u v w" arcs (shortest
// paths), the arcs read as undirected links.
#ifndef UGRAPH_FORMATS_DIMACS_FORMAT_H_
#define UGRAPH_FORMATS_DIMACS_FORMAT_H_

#include <string_view>

#include "formats/formats.h"
#include "formats/link_file/row.h"

namespace ugraph {
namespace dimacs_format {
bool wantsMore(std::string_view start, std::size_t room);
Sign sign(std::string_view start, std::string_view fileName);
GraphReader open(ReaderRoom& room, const ReaderSetup& setup);
std::string_view phrase(Refusal refusal);
}  // namespace dimacs_format

inline constexpr FormatRow kDimacsRow = {"dimacs",
                                         "graph",
                                         "DIMACS",
                                         dimacs_format::wantsMore,
                                         dimacs_format::sign,
                                         dimacs_format::open,
                                         dimacs_format::phrase,
                                         nullptr};

}  // namespace ugraph

#endif  // UGRAPH_FORMATS_DIMACS_FORMAT_H_
