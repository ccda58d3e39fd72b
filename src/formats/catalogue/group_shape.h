// A quick look at the node groups of a data-input, 16 bytes at a time,
// that tells when they are certainly well-formed: every byte a digit,
// '(', ')', ',' or ' '; every '(' followed by a header of one or two
// digits, 1 to 50, and its ')'; no number above 50 nor longer than two
// digits; at most 1,248 bytes, too few for more than 624 links. Groups
// that pass mean no fault to the data-input parser either; any others are
// left to it, which alone knows the faults and their places.
#ifndef UGRAPH_FORMATS_CATALOGUE_GROUP_SHAPE_H_
#define UGRAPH_FORMATS_CATALOGUE_GROUP_SHAPE_H_

#include <string_view>

namespace ugraph {

// True when groups, from their first '(' to the data-input's end, are
// certainly well-formed as above. Any bytes are safe.
// REQUIRES: groups begin with the first '(' after a data-input's name in
// quotes, so that the three bytes before them are the data-input's too.
bool certainlyWellFormed(std::string_view groups);

}  // namespace ugraph

#endif  // UGRAPH_FORMATS_CATALOGUE_GROUP_SHAPE_H_
