// METIS graph files, as the partitioning archives and the 10th DIMACS
// challenge publish them: a header, then one line of neighbours a node.
#ifndef UGRAPH_FORMATS_METIS_FORMAT_H_
#define UGRAPH_FORMATS_METIS_FORMAT_H_

#include <string_view>

#include "formats/formats.h"
#include "formats/link_file/row.h"

namespace ugraph {
namespace metis_format {
bool wantsMore(std::string_view start, std::size_t room);
Sign sign(std::string_view start, std::string_view fileName);
GraphReader open(ReaderRoom& room, const ReaderSetup& setup);
std::string_view phrase(Refusal refusal);
}  // namespace metis_format

inline constexpr FormatRow kMetisRow = {"metis",
                                        "graph",
                                        "METIS",
                                        metis_format::wantsMore,
                                        metis_format::sign,
                                        metis_format::open,
                                        metis_format::phrase,
                                        nullptr};

}  // namespace ugraph

#endif  // UGRAPH_FORMATS_METIS_FORMAT_H_
