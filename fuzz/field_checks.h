// What the fuzz targets of the formats of one graph a file check: the
// bytes, read in one format (and once more gzipped when they are short),
// are never a crash, a hang or memory past the ceiling; both roads, the
// one pass's forest and the walk's lists, give the same verdict, nodes and
// parts; and only checking refuses what the walk refuses, at the same
// place.
#ifndef UGRAPH_FUZZ_FIELD_CHECKS_H_
#define UGRAPH_FUZZ_FIELD_CHECKS_H_

#include <cstddef>
#include <cstdint>

namespace ugraph::fuzz {

// Checks data read as format (a --from name); aborts on a broken rule.
void checkFieldFile(const uint8_t* data, std::size_t size, const char* format);

}  // namespace ugraph::fuzz

#endif  // UGRAPH_FUZZ_FIELD_CHECKS_H_
