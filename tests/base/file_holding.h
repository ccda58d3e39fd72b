// A temporary file that holds given bytes, read from its start: what the
// block reader and everything above it read in the tests.
#ifndef UGRAPH_TESTS_INPUT_FILE_HOLDING_H_
#define UGRAPH_TESTS_INPUT_FILE_HOLDING_H_

#include <cstdio>
#include <string_view>

namespace ugraph::testing {

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
