// The format of one data-input of the graph data file, from its '[' through
// its ']':
//
//   [U "name", (1),2,3, (2),3, (3)]
//
// the mark, a lead-in without double quotes, the name in double quotes, a
// gap without '(', then node groups: a header "(h)" and the neighbour
// numbers of node h, separated by commas and spaces. A parse is a pure
// function of the text; it does no I/O.
#ifndef UGRAPH_FORMATS_CATALOGUE_DATA_INPUT_H_
#define UGRAPH_FORMATS_CATALOGUE_DATA_INPUT_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/status.h"
#include "graph/normalize.h"
#include "graph/ugraph.h"

namespace ugraph {

// Nonzero neighbour numbers one data-input may hold: each becomes two link
// entries, and normalisation must be able to take them all.
inline constexpr int32_t kMaxFileLinks = 624;
// A data-input from its '[' through its ']' is at most this long.
inline constexpr std::size_t kMaxDataInputLength = 2500;

// A data-input's text with room for its terminating NUL.
using DataInputText = std::array<char, kMaxDataInputLength + 1>;

// The outcome of a parse: the first rule broken, and the offset in the
// text where the fault lies.
struct ParseResult {
  Refusal refusal = Refusal::kNone;
  std::size_t at = 0;
};

struct DataInputLink {
  int32_t node;       // the header of the group it stands in
  int32_t neighbour;  // 1..kMaxNodes
};

// What a well-formed data-input holds.
struct DataInput {
  GraphName name{};       // NUL-terminated
  int32_t nodeCount = 0;  // the largest number anywhere: headers, neighbours
  int32_t linkCount = 0;
  std::array<DataInputLink, kMaxFileLinks> links;  // [0..linkCount-1], as read
};

// Parses text, a data-input from its '[' through its ']'. The mark,
// text[1], is not looked at; the data-input ends at its first ']' from
// text[2] on, or at the end of text. Fills out and returns kNone when every
// rule holds; otherwise returns the first fault, reading left to right, and
// out is unspecified. The fault lies at: the '[' for kNoName, the opening
// double quote for kNameTooLong, the NUL for kNulInName, the closing ']'
// (or the end of text) for kNoNode, the header's '(' for kBadHeader, the
// number's first digit for kNeighbourAbove50 and kTooManyLinks, the byte
// itself for kOutOfPlace.
// Any bytes are safe.
ParseResult parseDataInput(std::string_view text, DataInput& out);

// Where the batch road puts what a well-formed data-input holds: the
// links as rows, not in the order read. It names places of the caller's,
// so that a graph is read where it is analysed.
struct DataInputGraph {
  GraphName& name;     // NUL-terminated
  int32_t& nodeCount;  // as DataInput's
  LinkRows& rows;      // every link marked both ways (see LinkRows)
};

// The batch road's readings of a data-input as the catalogue scanner
// gives it, '[' through its first ']' after the mark.
// REQUIRES (both): text.size() >= 3, and ']' is text's last byte and the
// only one after text[1].

// Parses text as parseDataInput does and gives its outcome alone.
ParseResult checkDataInput(std::string_view text);

// Parses text as parseDataInput does, with the same outcome, but marks
// the links straight into rows; out's rows are unspecified when refused.
ParseResult parseDataInputRows(std::string_view text,
                               const DataInputGraph& out);

// The same into lower rows: each link marked once, in the row of its
// larger node (a self-link on the diagonal). links is the distinct links.
// The rows past the node count are unspecified: groups of one-digit
// numbers may be read by a kernel (see digit_groups.h), which sets rows 0
// to 9 only.
ParseResult parseDataInputLowerRows(std::string_view text,
                                    const DataInputGraph& out, int32_t& links);

// Marks the links of a parsed data-input in rows, both ways (see
// LinkRows); clears rows first.
void markDataInput(const DataInput& input, LinkRows& rows);

// Loads a parsed data-input into the record: name and node count, its
// links in the order read followed by the same links reversed, then
// normalised. Returns the normalised entry count linkFrom[0].
int32_t storeDataInput(const DataInput& input, LinkArray& linkFrom,
                       LinkArray& linkTo, GraphName& name);

}  // namespace ugraph

#endif  // UGRAPH_FORMATS_CATALOGUE_DATA_INPUT_H_
