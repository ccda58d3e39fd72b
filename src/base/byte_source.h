// Where a block reader's bytes come from: a file's descriptor, or anything
// else that hands over bytes in order, as a decompressor, a member of an
// archive or a byte range of a file can.
#ifndef UGRAPH_BASE_BYTE_SOURCE_H_
#define UGRAPH_BASE_BYTE_SOURCE_H_

#include <sys/types.h>

#include <cstddef>

#include "base/descriptor.h"

namespace ugraph {

struct ByteSource {
  // Reads at most size bytes into data, as soon as any are there: how many,
  // 0 at the end, or -1 with errno set when they cannot be had.
  ssize_t (*read)(const ByteSource& source, char* data,
                  std::size_t size) = nullptr;
  // What read works on beside the descriptor.
  void* state = nullptr;
  // The descriptor underneath, which may be waited on and sought in; -1
  // when there is none.
  int descriptor = -1;

  // The bytes of descriptor fd.
  static ByteSource of(int fd) {
    return {[](const ByteSource& s, char* data, std::size_t size) {
              return readSome(s.descriptor, data, size);
            },
            nullptr, fd};
  }
};

}  // namespace ugraph

#endif  // UGRAPH_BASE_BYTE_SOURCE_H_
