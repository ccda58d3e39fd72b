// Counting the set bits of rows of bits, with the POPCNT instruction where
// the kernel in use has it (see base/kernels.h): the x86-64 baseline
// lacks it. Its plain twin counts in place (see bitCount), and
// a build with UGRAPH_PLAIN defined uses the twin alone.
#ifndef UGRAPH_GRAPH_ROW_BITS_H_
#define UGRAPH_GRAPH_ROW_BITS_H_

#include <cstddef>
#include <cstdint>

#include "graph/normalize.h"

namespace ugraph {

// The set bits of rows[0..last].
int32_t countRowBits(const LinkRows& rows, std::size_t last);

// The plain twin, whatever the processor.
int32_t countRowBitsInPlace(const LinkRows& rows, std::size_t last);

}  // namespace ugraph

#endif  // UGRAPH_GRAPH_ROW_BITS_H_
