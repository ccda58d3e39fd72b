// A fast reading of the node groups of a small graph, every number of one
// digit (graphs of up to 9 nodes), straight into rows of its links: 16
// bytes a step with AVX2, or 64 with AVX-512, whichever kernel is in use
// (see base/kernels.h). Groups a kernel cannot vouch for are
// left to the data-input parser, its plain twin, which alone knows the
// faults. A build with UGRAPH_PLAIN defined, or a processor with neither,
// leaves all groups to the parser.
#ifndef UGRAPH_FORMATS_CATALOGUE_DIGIT_GROUPS_H_
#define UGRAPH_FORMATS_CATALOGUE_DIGIT_GROUPS_H_

#include <cstdint>
#include <string_view>

#include "graph/normalize.h"

namespace ugraph {

// What a reading tells besides the rows.
struct DigitGroups {
  int32_t nodeCount = 0;  // the largest number in the groups
  int32_t links = 0;      // the distinct links, a self-link counting one
};

// The kernels, fastest first; kNone reads no groups.
enum class DigitKernel { kAvx512, kAvx2, kNone };

// The kernel in use (see activeKernel).
DigitKernel digitKernel();

// True when groups, from their first '(' to the data-input's end, are
// certainly well-formed and hold only numbers of one digit; then lower
// rows 0 to 9 (see keepLowerRows) hold their links, the rows past them are
// left as they were, and out is filled, all as the data-input parser reads
// them. False otherwise, lower and out unspecified: the parser must read
// them. Any bytes are safe.
// REQUIRES: groups begin with the first '(' after a data-input's name in
// quotes, so that the two bytes before them are the data-input's too.
bool readDigitGroups(std::string_view groups, LinkRows& lower,
                     DigitGroups& out);

// The same with the kernel given, so that tests can try each.
// REQUIRES: as readDigitGroups, and the processor runs kernel: it is
// digitKernel() or one after it.
bool readDigitGroupsWith(DigitKernel kernel, std::string_view groups,
                         LinkRows& lower, DigitGroups& out);

}  // namespace ugraph

#endif  // UGRAPH_FORMATS_CATALOGUE_DIGIT_GROUPS_H_
