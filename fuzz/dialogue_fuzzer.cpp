// Runs one whole dialogue, then the same reading once more with the
// analysis checked step by step. The input's first two bytes give the
// length of the standard input that follows; the bytes after it are the
// catalogue file (none at all when empty).
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "dialogue/data_file.h"
#include "dialogue/driver.h"
#include "dialogue/keyboard.h"
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

// A console reading `input` and writing to memory, for one use.
class FuzzConsole {
 public:
  explicit FuzzConsole(std::string_view input)
      : in_(memfd_create("stdin", 0)), out_(open_memstream(&output_, &size_)) {
    fuzz::require(write(in_, input.data(), input.size()) ==
                      static_cast<ssize_t>(input.size()),
                  "cannot write the standard input");
    lseek(in_, 0, SEEK_SET);
    console_ = new Console(in_, out_);
  }
  ~FuzzConsole() {
    delete console_;
    close(in_);
    std::fclose(out_);
    std::free(output_);
  }
  FuzzConsole(const FuzzConsole&) = delete;
  FuzzConsole& operator=(const FuzzConsole&) = delete;
  Console& console() { return *console_; }

 private:
  int in_;
  char* output_ = nullptr;
  std::size_t size_ = 0;
  std::FILE* out_;
  Console* console_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::size_t stdinSize = std::min<std::size_t>(
      size - 2, static_cast<std::size_t>(data[0] | (data[1] << 8)));
  const std::string_view input(reinterpret_cast<const char*>(data + 2),
                               stdinSize);
  const std::size_t fileSize = size - 2 - stdinSize;

  const std::string& path = catalogue();
  if (fileSize == 0) {
    unlink(path.c_str());
  } else {
    std::FILE* file = std::fopen(path.c_str(), "w");
    fuzz::require(file != nullptr, "cannot write the catalogue");
    std::fwrite(input.data() + stdinSize, 1, fileSize, file);
    std::fclose(file);
  }

  {
    FuzzConsole io(input);
    runUgraph(io.console(), path.c_str());
  }

  // The same answers to the reader the first byte names, and the record it
  // leaves through the analysis with every step checked.
  if (input.empty()) return 0;
  FuzzConsole io(input.substr(1));
  Ugraph graph;
  const Status read =
      (input[0] & 1) != 0
          ? readGraphFromKeyboard(graph.linkFrom, graph.linkTo, graph.name,
                                  io.console())
          : readGraphFromDataFile(graph.linkFrom, graph.linkTo, graph.name,
                                  io.console(), path.c_str());
  if (read.ok()) fuzz::checkAnalysis(graph);
  return 0;
}
