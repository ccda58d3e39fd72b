// The catalogue as one row of the table of formats: its recognition, its
// reader, the words of its refusals and its writer.
#ifndef UGRAPH_FORMATS_CATALOGUE_FORMAT_H_
#define UGRAPH_FORMATS_CATALOGUE_FORMAT_H_

#include <string_view>

#include "formats/formats.h"

namespace ugraph {

// The words of a refusal of a data-input, or of a graph that a data-input
// cannot hold; empty for any other.
std::string_view catalogueRefusalPhrase(Refusal refusal);

// Writes d as one data-input line: each link under its smaller node, the
// nodes and their neighbours ascending, and a closing group (n) that keeps
// the node count. Returns the refusal when a data-input cannot hold it.
// REQUIRES: d analysed, with its list of links.
Refusal writeDataInput(const JudgedGraph& d, Console& console);

// Whether text holds a catalogue's sign: '[' and a mark ('U' or 'u'),
// then a blank or a '"'; no graph line holds those bytes.
bool hasCatalogueSign(std::string_view text);

namespace catalogue_format {
bool wantsMore(std::string_view start, std::size_t room);
Sign sign(std::string_view start, std::string_view fileName);
GraphReader open(ReaderRoom& room, const ReaderSetup& setup);
}  // namespace catalogue_format

inline constexpr FormatRow kCatalogueRow = {"catalogue",
                                            "data-input",
                                            "a catalogue",
                                            catalogue_format::wantsMore,
                                            catalogue_format::sign,
                                            catalogue_format::open,
                                            catalogueRefusalPhrase,
                                            writeDataInput};

}  // namespace ugraph

#endif  // UGRAPH_FORMATS_CATALOGUE_FORMAT_H_
