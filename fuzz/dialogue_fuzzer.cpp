// Runs one whole dialogue. The input's first two bytes give the length of
// the standard input that follows; the bytes after it are the catalogue
// file (none at all when empty). Every step's record is checked, and so is
// what the walk printed.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/driver.h"
#include "fuzz/record_checks.h"

using namespace ugraph;

namespace {

const std::string& catalogue() {
  static const std::string path = [] {
    char dir[] = "/tmp/ugraph-fuzz-XXXXXX";
    fuzz::require(mkdtemp(dir) != nullptr, "no temporary folder");
    return std::string(dir) + "/GraphDataFile2.txt";
  }();
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::size_t stdinSize = std::min<std::size_t>(
      size - 2, static_cast<std::size_t>(data[0] | (data[1] << 8)));
  const char* input = reinterpret_cast<const char*>(data + 2);
  const std::size_t fileSize = size - 2 - stdinSize;

  const std::string& path = catalogue();
  if (fileSize == 0) {
    unlink(path.c_str());
  } else {
    std::FILE* file = std::fopen(path.c_str(), "w");
    fuzz::require(file != nullptr, "cannot write the catalogue");
    std::fwrite(input + stdinSize, 1, fileSize, file);
    std::fclose(file);
  }

  const int in = memfd_create("stdin", 0);
  fuzz::require(write(in, input, stdinSize) == static_cast<ssize_t>(stdinSize),
                "cannot write the standard input");
  lseek(in, 0, SEEK_SET);
  char* output = nullptr;
  std::size_t outputSize = 0;
  std::FILE* out = open_memstream(&output, &outputSize);
  {
    Console console(in, out);
    fuzz::RecordChecker checker(console, &output, &outputSize);
    runUgraph(console, path.c_str(), &checker);
  }
  close(in);
  std::fclose(out);
  std::free(output);
  return 0;
}
