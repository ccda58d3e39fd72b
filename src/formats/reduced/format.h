// Reduced graphs (see header.h), read as the graph of the whole file they
// stand for: one alone when it holds every part, or several, one after
// another, as --merge reads them.
#ifndef UGRAPH_FORMATS_REDUCED_FORMAT_H_
#define UGRAPH_FORMATS_REDUCED_FORMAT_H_

#include <string_view>

#include "formats/formats.h"
#include "formats/link_file/row.h"
#include "formats/reduced/header.h"

namespace ugraph {
namespace reduced_format {
bool wantsMore(std::string_view start, std::size_t room);
Sign sign(std::string_view start, std::string_view fileName);
GraphReader open(ReaderRoom& room, const ReaderSetup& setup);
std::string_view phrase(Refusal refusal);
// The headers of the reduced graphs read last, their spans joined.
const ReducedHeader& lastHeader();
}  // namespace reduced_format

inline constexpr FormatRow kReducedRow = {"reduced",
                                          "graph",
                                          "a reduced graph",
                                          reduced_format::wantsMore,
                                          reduced_format::sign,
                                          reduced_format::open,
                                          reduced_format::phrase,
                                          nullptr};

}  // namespace ugraph

#endif  // UGRAPH_FORMATS_REDUCED_FORMAT_H_
