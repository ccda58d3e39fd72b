// --merge: the FILE operands, reduced graphs of the parts of one file,
// read as one graph, that file's.
#ifndef UGRAPH_BATCH_MERGE_H_
#define UGRAPH_BATCH_MERGE_H_

#include <cstddef>
#include <span>

#include "base/byte_source.h"
#include "formats/formats.h"

namespace ugraph {

// What the merged graph is read as: the file the parts are of, by the
// path their headers tell, and the parts' bytes one after another in the
// reduced graphs' format.
struct MergedInput {
  const char* name = nullptr;
  ByteSource bytes;
  const FormatRow* format = nullptr;
};

// Reads the headers of the reduced graphs files, and reports, naming them,
// what keeps them from being the parts of one graph: a file that is no
// reduced graph, parts of another file, of a split in another number of
// parts, a part given twice, and parts missing when whole (a merge reduced
// again may hold any of them). Returns 0 with merged set when they are one
// graph's, else 2, having reported why.
int mergeParts(std::span<const char* const> files, bool whole,
               MergedInput& merged);

}  // namespace ugraph

#endif  // UGRAPH_BATCH_MERGE_H_
