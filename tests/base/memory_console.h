// A Console over in-memory streams: the input is a given string, and what
// the program wrote can be read back at any time.
#ifndef UGRAPH_TESTS_CONSOLE_MEMORY_CONSOLE_H_
#define UGRAPH_TESTS_CONSOLE_MEMORY_CONSOLE_H_

#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/console.h"

namespace ugraph::testing {

class MemoryConsole {
 public:
  explicit MemoryConsole(std::string_view input)
      : in_(inMemory(input)),
        out_(open_memstream(&buffer_, &size_)),
        console_(in_, out_) {}
  ~MemoryConsole() {
    close(in_);
    std::fclose(out_);
    std::free(buffer_);
  }

  // A descriptor reading text from memory.
  static int inMemory(std::string_view text) {
    const int fd = memfd_create("stdin", 0);
    if (write(fd, text.data(), text.size()) !=
        static_cast<ssize_t>(text.size())) {
      std::abort();
    }
    lseek(fd, 0, SEEK_SET);
    return fd;
  }
  MemoryConsole(const MemoryConsole&) = delete;
  MemoryConsole& operator=(const MemoryConsole&) = delete;

  Console& console() { return console_; }

  // Everything written so far.
  std::string output() {
    console_.flush();
    return std::string(buffer_, size_);
  }
  // What reached the output stream without the test flushing anything.
  std::string unflushedView() const { return std::string(buffer_, size_); }

  // The input not yet read (read now).
  std::string rest() {
    std::string left;
    for (int c; (c = console_.readChar()) != Console::kEnd;) {
      left += static_cast<char>(c);
    }
    return left;
  }

 private:
  int in_;
  char* buffer_ = nullptr;
  std::size_t size_ = 0;
  std::FILE* out_;
  Console console_;
};

}  // namespace ugraph::testing

#endif  // UGRAPH_TESTS_CONSOLE_MEMORY_CONSOLE_H_
