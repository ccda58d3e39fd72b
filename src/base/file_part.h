// A file of one graph cut into parts that machines read side by side, and
// parts read back one after another as one source.
#ifndef UGRAPH_BASE_FILE_PART_H_
#define UGRAPH_BASE_FILE_PART_H_

#include <cstddef>
#include <cstdint>

#include "base/byte_source.h"

namespace ugraph {

// What tells a file from another whatever its path, which differs from
// machine to machine: its size, and an FNV-1a-64 digest of its first and
// last 64 KiB (a file under 128 KiB whole).
struct FileIdentity {
  uint64_t size = 0;
  uint64_t digest = 0;
};

// The identity of the regular file fd; false, with errno set, when it
// cannot be read.
bool identify(int fd, FileIdentity& identity);

// Part index of count of the regular file fd of size bytes: the byte
// range [index * size / count, (index + 1) * size / count), each end moved
// to the line start at or after it, so that the parts together hold every
// line once. False, with errno set, when the file cannot be read.
// REQUIRES: 0 <= index < count.
bool lineRangeOf(int fd, uint64_t size, int64_t index, int64_t count,
                 uint64_t& start, uint64_t& end);

// The bytes of the files names[0..count) one after another, opened in
// turn. REQUIRES: names outlive the source; one such source at a time.
ByteSource concatenated(const char* const* names, std::size_t count);

}  // namespace ugraph

#endif  // UGRAPH_BASE_FILE_PART_H_
