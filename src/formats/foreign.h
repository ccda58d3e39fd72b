// Files in formats ugraph does not read, told by their start, so that such
// a file is refused as a whole with the formats it could be, rather than
// read as a catalogue whose every bracket is a refused data-input.
#ifndef UGRAPH_FORMATS_FOREIGN_H_
#define UGRAPH_FORMATS_FOREIGN_H_

#include <string_view>

namespace ugraph {

// The name of the format that start, a file's first bytes, shows, when it
// is one ugraph does not read: "GML", "GraphML", "XML", "Pajek", "DOT", a
// compression ("gzip-compressed data", ...), or "binary data" (a NUL
// byte); empty for any other start. A catalogue's sign anywhere in start
// outweighs them all but compression and NUL bytes, so that a catalogue
// whose free text opens like one of them is still read.
std::string_view foreignFormatOf(std::string_view start);

}  // namespace ugraph

#endif  // UGRAPH_FORMATS_FOREIGN_H_
