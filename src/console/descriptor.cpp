#include "console/descriptor.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

namespace ugraph {

ssize_t readSome(int fd, char* data, std::size_t size) {
  for (;;) {
    const ssize_t n = ::read(fd, data, size);
    if (n >= 0) return n;
    if (errno == EINTR) continue;
    if (errno != EAGAIN && errno != EWOULDBLOCK) return -1;
    // Wait until fd has input, or its end, to read.
    pollfd ready{fd, POLLIN, 0};
    while (::poll(&ready, 1, -1) < 0 && errno == EINTR) {
    }
  }
}

}  // namespace ugraph
