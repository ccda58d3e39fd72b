// nauty's graph6 and sparse6 formats: one undirected graph a line, every
// byte (but sparse6's leading ':') a value from 63 to 126 that carries six
// bits. Vertex i of a line is node i + 1 here. Decoding and encoding are
// pure functions of their arguments.
#ifndef UGRAPH_INPUT_GRAPH6_H_
#define UGRAPH_INPUT_GRAPH6_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "graph/normalize.h"
#include "graph/ugraph.h"
#include "input/data_input.h"

namespace ugraph {

enum class LineFormat { kGraph6, kSparse6 };

// The header a file of either format may begin with, on the first graph's
// line.
inline constexpr std::string_view kGraph6Header = ">>graph6<<";
inline constexpr std::string_view kSparse6Header = ">>sparse6<<";

// Decodes line (without its line end) into the node count n and rows. A
// repeated sparse6 link counts once; padding is ignored. Returns the first
// fault, reading left to right, with `at` its offset in line: a byte
// outside 63..126 (kBadByte), kOver50Nodes at the node count's first byte,
// kLineTooShort one past the last byte, kLineTooLong at the first extra
// byte, kDigraph and kNotSparse6 at 0, and kTooManyEntries at 0 when the
// links would not fit the graph record. Any bytes are safe.
ParseResult decodeGraphLine(std::string_view line, LineFormat format,
                            int32_t& n, LinkRows& rows);

// Room for one encoded line of up to kMaxNodes nodes, its line end
// included.
using GraphLine = std::array<char, 4096>;

// Writes g, normalised, as nauty writes it, with its line end: byte for
// byte what nauty-copyg -g or -s writes for the same graph. Returns the
// line, or an empty view for a graph that graph6 cannot hold (a
// self-link).
std::string_view encodeGraphLine(const Ugraph& g, LineFormat format,
                                 GraphLine& out);

}  // namespace ugraph

#endif  // UGRAPH_INPUT_GRAPH6_H_
