// The format of one data-input of the graph data file, from its '[' through
// its ']':
//
//   [U "name", (1),2,3, (2),3, (3)]
//
// the mark, a lead-in without double quotes, the name in double quotes, a
// gap without '(', then node groups: a header "(h)" and the neighbour
// numbers of node h, separated by commas and spaces. A parse is a pure
// function of the text; it does no I/O.
#ifndef UGRAPH_INPUT_DATA_INPUT_H_
#define UGRAPH_INPUT_DATA_INPUT_H_

#include <array>
#include <cstdint>
#include <string_view>

#include "graph/ugraph.h"

namespace ugraph {

// Nonzero neighbour numbers one data-input may hold: each becomes two link
// entries, and normalisation must be able to take them all.
inline constexpr int32_t kMaxFileLinks = 624;

// The first rule of the format a data-input breaks, if any.
enum class DataInputFault {
  kNone,
  kNoName,            // no double quote, or no second one
  kNameTooLong,       // more than 15 characters between the quotes
  kNoNode,            // no '(' after the name
  kBadHeader,         // '(' not followed by digits and ')', or not 1..50
  kNeighbourAbove50,  // a neighbour number above kMaxNodes
  kTooManyLinks,      // a nonzero neighbour number past kMaxFileLinks
  kOutOfPlace,        // any other character in the node groups
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
// out is unspecified. Any bytes are safe.
DataInputFault parseDataInput(std::string_view text, DataInput& out);

// The line the data file reader prints for a fault other than kNone.
std::string_view faultMessage(DataInputFault fault);

}  // namespace ugraph

#endif  // UGRAPH_INPUT_DATA_INPUT_H_
