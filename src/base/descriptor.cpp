#include "base/descriptor.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

namespace ugraph {

namespace {

// Waits until fd is ready for events, or has failed.
void waitFor(int fd, short events) {
  pollfd ready{fd, events, 0};
  while (::poll(&ready, 1, -1) < 0 && errno == EINTR) {
  }
}

}  // namespace

ssize_t readSome(int fd, char* data, std::size_t size) {
  for (;;) {
    const ssize_t n = ::read(fd, data, size);
    if (n >= 0) return n;
    if (errno == EINTR) continue;
    if (errno != EAGAIN && errno != EWOULDBLOCK) return -1;
    waitFor(fd, POLLIN);  // until fd has input, or its end, to read
  }
}

bool writeAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n >= 0) {
      data += n;
      size -= static_cast<std::size_t>(n);
    } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
      waitFor(fd, POLLOUT);  // until the reader has taken some
    } else if (errno != EINTR) {
      return false;
    }
  }
  return true;
}

}  // namespace ugraph
