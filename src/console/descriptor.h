// Reading a file descriptor as every reader of the program does: a read
// that a signal interrupts is made again, and a descriptor that has no
// input ready (one opened non-blocking) is waited for, so input that is
// slow to come is never mistaken for its end or for a failure.
#ifndef UGRAPH_CONSOLE_DESCRIPTOR_H_
#define UGRAPH_CONSOLE_DESCRIPTOR_H_

#include <sys/types.h>

#include <cstddef>

namespace ugraph {

// Reads at most size bytes from fd into data, as soon as any are there.
// Returns how many were read, 0 at the end of the input, or -1 with errno
// set when the read failed.
ssize_t readSome(int fd, char* data, std::size_t size);

}  // namespace ugraph

#endif  // UGRAPH_CONSOLE_DESCRIPTOR_H_
