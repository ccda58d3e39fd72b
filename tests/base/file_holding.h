// A temporary file that holds given bytes, read from its start: what the
// block reader and everything above it read in the tests.
#ifndef UGRAPH_TESTS_INPUT_FILE_HOLDING_H_
#define UGRAPH_TESTS_INPUT_FILE_HOLDING_H_

#include <sys/types.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>

#include "base/byte_source.h"

namespace ugraph::testing {

// Bytes handed over a few at a time, as a pipe or a decompressor may: the
// state of a source that is no descriptor. It must outlive the source.
struct Dribble {
  std::string text;
  std::size_t at = 0;

  ByteSource source() {
    return {[](const ByteSource& s, char* data, std::size_t size) {
              auto& d = *static_cast<Dribble*>(s.state);
              const std::size_t n =
                  std::min({size, d.text.size() - d.at, std::size_t{7}});
              d.text.copy(data, n, d.at);
              d.at += n;
              return static_cast<ssize_t>(n);
            },
            this, -1};
  }
};

// An anonymous file holding contents, positioned at its start; the caller
// closes it.
inline std::FILE* fileHolding(std::string_view contents) {
  std::FILE* file = std::tmpfile();
  std::fwrite(contents.data(), 1, contents.size(), file);
  std::rewind(file);
  return file;
}

}  // namespace ugraph::testing

#endif  // UGRAPH_TESTS_INPUT_FILE_HOLDING_H_
