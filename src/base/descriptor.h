// Reading and writing a file descriptor as every reader and the console's
// writer do: a read or write that a signal interrupts is made again, and a
// descriptor that is not ready (one opened non-blocking) is waited for, so
// input that is slow to come is never mistaken for its end, nor a reader
// slow to take output for a failure.
#ifndef UGRAPH_BASE_DESCRIPTOR_H_
#define UGRAPH_BASE_DESCRIPTOR_H_

#include <sys/types.h>

#include <cstddef>

namespace ugraph {

// Reads at most size bytes from fd into data, as soon as any are there.
// Returns how many were read, 0 at the end of the input, or -1 with errno
// set when the read failed.
ssize_t readSome(int fd, char* data, std::size_t size);

// Writes all size bytes of data to fd, in as many writes as it takes.
// Returns false, with errno set, when a write failed.
bool writeAll(int fd, const char* data, std::size_t size);

}  // namespace ugraph

#endif  // UGRAPH_BASE_DESCRIPTOR_H_
