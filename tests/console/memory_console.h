// A Console over in-memory streams: the input is a given string, and what
// the program wrote can be read back at any time.
#ifndef UGRAPH_TESTS_CONSOLE_MEMORY_CONSOLE_H_
#define UGRAPH_TESTS_CONSOLE_MEMORY_CONSOLE_H_

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "console/console.h"

namespace ugraph::testing {

class MemoryConsole {
 public:
  explicit MemoryConsole(std::string_view input)
      : input_(input),
        in_(input_.empty() ? std::fopen("/dev/null", "r")
                           : fmemopen(input_.data(), input_.size(), "r")),
        out_(open_memstream(&buffer_, &size_)),
        console_(in_, out_) {}
  ~MemoryConsole() {
    std::fclose(in_);
    std::fclose(out_);
    std::free(buffer_);
  }
  MemoryConsole(const MemoryConsole&) = delete;
  MemoryConsole& operator=(const MemoryConsole&) = delete;

  Console& console() { return console_; }

  // Everything written so far.
  std::string output() {
    std::fflush(out_);
    return std::string(buffer_, size_);
  }
  // What the program wrote without being flushed by the test.
  std::string unflushedView() const { return std::string(buffer_, size_); }

  // The input not yet read.
  std::string rest() {
    std::string left;
    for (int c = std::fgetc(in_); c != EOF; c = std::fgetc(in_)) {
      left.push_back(static_cast<char>(c));
    }
    return left;
  }

 private:
  std::string input_;
  std::FILE* in_;
  char* buffer_ = nullptr;
  std::size_t size_ = 0;
  std::FILE* out_;
  Console console_;
};

}  // namespace ugraph::testing

#endif  // UGRAPH_TESTS_CONSOLE_MEMORY_CONSOLE_H_
