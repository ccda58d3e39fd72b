#include "base/file_part.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>

namespace ugraph {
namespace {

constexpr uint64_t kDigestRange = uint64_t{64} << 10;
constexpr uint64_t kFnvOffset = 0xcbf29ce484222325ULL;
constexpr uint64_t kFnvPrime = 0x100000001b3ULL;

// The room the digest and the search for line ends read through.
std::array<char, std::size_t{1} << 16> room;

// Folds size bytes of fd from offset into digest.
bool fold(int fd, uint64_t offset, uint64_t size, uint64_t& digest) {
  while (size > 0) {
    const ssize_t got =
        pread(fd, room.data(), std::min<uint64_t>(size, room.size()),
              static_cast<off_t>(offset));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      if (got == 0) errno = EIO;  // the file shrank meanwhile
      return false;
    }
    for (std::size_t i = 0; i < static_cast<std::size_t>(got); ++i) {
      digest = (digest ^ static_cast<unsigned char>(room[i])) * kFnvPrime;
    }
    offset += static_cast<uint64_t>(got);
    size -= static_cast<uint64_t>(got);
  }
  return true;
}

// The line start at or after offset: offset itself at the file's start,
// else the byte after the first line end from offset - 1 on; size when
// none follows.
bool lineStartFrom(int fd, uint64_t size, uint64_t offset, uint64_t& start) {
  if (offset == 0 || offset >= size) {
    start = offset == 0 ? 0 : size;
    return true;
  }
  for (uint64_t at = offset - 1; at < size;) {
    const ssize_t got =
        pread(fd, room.data(), room.size(), static_cast<off_t>(at));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    if (got == 0) break;
    for (std::size_t i = 0; i < static_cast<std::size_t>(got); ++i) {
      if (room[i] == '\n') {
        start = at + i + 1;
        return true;
      }
    }
    at += static_cast<uint64_t>(got);
  }
  start = size;
  return true;
}

struct Concatenation {
  const char* const* names = nullptr;
  std::size_t count = 0;
  std::size_t next = 0;
  int fd = -1;
};
Concatenation concatenation;

ssize_t readConcatenated(const ByteSource& /*source*/, char* data,
                         std::size_t size) {
  Concatenation& c = concatenation;
  for (;;) {
    if (c.fd < 0) {
      if (c.next == c.count) return 0;
      c.fd = open(c.names[c.next++], O_RDONLY | O_CLOEXEC);
      if (c.fd < 0) return -1;
    }
    const ssize_t got = readSome(c.fd, data, size);
    if (got != 0) return got;
    close(c.fd);
    c.fd = -1;
  }
}

}  // namespace

bool identify(int fd, FileIdentity& identity) {
  struct stat st {};
  if (fstat(fd, &st) != 0) return false;
  identity.size = static_cast<uint64_t>(st.st_size);
  identity.digest = kFnvOffset;
  const uint64_t size = identity.size;
  if (size <= 2 * kDigestRange) return fold(fd, 0, size, identity.digest);
  return fold(fd, 0, kDigestRange, identity.digest) &&
         fold(fd, size - kDigestRange, kDigestRange, identity.digest);
}

bool lineRangeOf(int fd, uint64_t size, int64_t index, int64_t count,
                 uint64_t& start, uint64_t& end) {
  // size * k / count without overflow, for files past 2^64 / 10^6 bytes:
  // whole shares of the quotient, then the remainder's.
  const auto cut = [&](int64_t k) {
    const auto parts = static_cast<uint64_t>(count);
    const auto share = static_cast<uint64_t>(k);
    return size / parts * share + size % parts * share / parts;
  };
  return lineStartFrom(fd, size, cut(index), start) &&
         lineStartFrom(fd, size, cut(index + 1), end);
}

ByteSource concatenated(const char* const* names, std::size_t count) {
  if (concatenation.fd >= 0) close(concatenation.fd);
  concatenation = {names, count, 0, -1};
  return {readConcatenated, &concatenation, -1};
}

}  // namespace ugraph
