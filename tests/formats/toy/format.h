// A format built only in the test tree, to show that a new format is its
// own files and one row of the table: one graph a line, its node count and
// its links, as
//
//   4: 1-2 2-3 3-4
//
// A line whose first bytes are digits and a colon names it.
#ifndef TESTS_FORMATS_TOY_FORMAT_H_
#define TESTS_FORMATS_TOY_FORMAT_H_

#include <string_view>

#include "formats/formats.h"

namespace ugraph::toy {

bool wantsMore(std::string_view start, std::size_t room);
Sign sign(std::string_view start, std::string_view fileName);
GraphReader open(ReaderRoom& room, const ReaderSetup& setup);
std::string_view phrase(Refusal refusal);

}  // namespace ugraph::toy

namespace ugraph {

inline constexpr FormatRow kToyRow = {"toy",          "graph",   "a toy file",
                                      toy::wantsMore, toy::sign, toy::open,
                                      toy::phrase,    nullptr};

}  // namespace ugraph

#endif  // TESTS_FORMATS_TOY_FORMAT_H_
