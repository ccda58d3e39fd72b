// Matrix Market coordinate files, as SuiteSparse and Network Repository
// publish them: a square matrix whose every stored entry (i, j) is a link.
#ifndef UGRAPH_FORMATS_MTX_FORMAT_H_
#define UGRAPH_FORMATS_MTX_FORMAT_H_

#include <string_view>

#include "formats/formats.h"
#include "formats/link_file/row.h"

namespace ugraph {
namespace mtx_format {
// A file whose entries are not as many as its size line declares.
inline constexpr Refusal kEntriesDiffer =
    static_cast<Refusal>(kOwnRefusals + 99);
bool wantsMore(std::string_view start, std::size_t room);
Sign sign(std::string_view start, std::string_view fileName);
GraphReader open(ReaderRoom& room, const ReaderSetup& setup);
std::string_view phrase(Refusal refusal);
}  // namespace mtx_format

inline constexpr FormatRow kMtxRow = {"mtx",
                                      "graph",
                                      "Matrix Market",
                                      mtx_format::wantsMore,
                                      mtx_format::sign,
                                      mtx_format::open,
                                      mtx_format::phrase,
                                      nullptr};

}  // namespace ugraph

#endif  // UGRAPH_FORMATS_MTX_FORMAT_H_
