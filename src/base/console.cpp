#include "base/console.h"

#include <cerrno>

#include "base/descriptor.h"

namespace ugraph {

void Console::stop(ConsoleFailure::Kind kind) {
  failure_ = {kind, errno};
  ended_ = true;
  pos_ = end_ = 0;
  if (kind == ConsoleFailure::Kind::kWrite) outLength_ = 0;
}

void Console::put(std::string_view text) {
  if (failure_.kind == ConsoleFailure::Kind::kWrite) return;
  outputPending_ = true;
  const int fd = fileno(out_);
  const bool written = fd >= 0 ? writeAll(fd, text.data(), text.size())
                               : fwrite_unlocked(text.data(), 1, text.size(),
                                                 out_) == text.size();
  if (!written) stop(ConsoleFailure::Kind::kWrite);
}

bool Console::fill() {
  pos_ = 0;
  end_ = 0;
  if (ended_) return false;
  const ssize_t n = readSome(in_, buffer_.data(), buffer_.size());
  if (n > 0) {
    end_ = static_cast<std::size_t>(n);
    return true;
  }
  if (n == 0) {
    ended_ = true;
  } else {
    stop(ConsoleFailure::Kind::kRead);
  }
  return false;
}

}  // namespace ugraph
