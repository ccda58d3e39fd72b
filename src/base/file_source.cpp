#include "base/file_source.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "base/descriptor.h"

namespace ugraph {
namespace {

constexpr std::size_t kBlock = 512;

// Room too large for a small stack: one file source works at a time.
std::array<char, 4096> name_;
std::array<char, 4096> scratch;
std::array<char, 512> peeked_;

// An octal field of a tar header, or a base-256 one (GNU, for large sizes).
uint64_t numberField(std::string_view field) {
  if (!field.empty() && (static_cast<unsigned char>(field[0]) & 0x80) != 0) {
    uint64_t value = static_cast<unsigned char>(field[0]) & 0x7F;
    for (std::size_t i = 1; i < field.size(); ++i) {
      value = value << 8 | static_cast<unsigned char>(field[i]);
    }
    return value;
  }
  uint64_t value = 0;
  for (const char c : field) {
    if (c == ' ' && value == 0) continue;
    if (c < '0' || c > '7') break;
    value = value * 8 + static_cast<uint64_t>(c - '0');
  }
  return value;
}

std::string_view fieldOf(const char* header, std::size_t at, std::size_t size) {
  return {header + at, size};
}

// A NUL-ended text field.
std::string_view textOf(const char* header, std::size_t at, std::size_t size) {
  const char* const end =
      static_cast<const char*>(std::memchr(header + at, '\0', size));
  return {header + at, end == nullptr
                           ? size
                           : static_cast<std::size_t>(end - (header + at))};
}

}  // namespace

bool isTarHeader(std::string_view block) {
  if (block.size() < kBlock) return false;
  if (std::memcmp(block.data() + 257, "ustar", 5) != 0) return false;
  // The checksum counts the checksum field as blanks.
  uint64_t sum = 0;
  for (std::size_t i = 0; i < kBlock; ++i) {
    sum += i >= 148 && i < 156 ? uint64_t{' '}
                               : static_cast<unsigned char>(block[i]);
  }
  return sum == numberField({block.data() + 148, 8});
}

FileSource::FileSource(int fd) : fd_(fd) {
  // A compression's mark decides first, then what it holds.
  std::size_t raw = 0;
  std::array<char, 8> mark{};
  for (;;) {
    const std::string_view start(mark.data(), raw);
    if (raw == mark.size() || (raw > 0 && !mayBeCompressed(start))) break;
    const ssize_t got = readSome(fd_, mark.data() + raw, mark.size() - raw);
    if (got <= 0) break;
    raw += static_cast<std::size_t>(got);
  }
  const Compression compression = compressionOf({mark.data(), raw});
  if (compression != Compression::kNone) {
    if (!decompressor_.start(compression, ByteSource::of(fd_),
                             {mark.data(), raw})) {
      fault_ = kDecompressionFault;
      return;
    }
    compressed_ = true;
  } else {
    std::memcpy(peeked_.data(), mark.data(), raw);
    peekedEnd_ = raw;
  }
  // A tar header is 512 bytes with NULs and no line end in its first
  // hundred; a file of text shows a line end sooner.
  const auto decided = [&] {
    const std::string_view seen(peeked_.data(), peekedEnd_);
    return peekedEnd_ == kBlock || seen.find('\n') != std::string_view::npos;
  };
  while (!decided()) {
    const ssize_t got =
        compressed_
            ? decompressor_.source().read(decompressor_.source(),
                                          peeked_.data() + peekedEnd_,
                                          kBlock - peekedEnd_)
            : readSome(fd_, peeked_.data() + peekedEnd_, kBlock - peekedEnd_);
    if (got < 0) error_ = errno;
    if (got <= 0) break;
    peekedEnd_ += static_cast<std::size_t>(got);
  }
  archive_ = isTarHeader({peeked_.data(), peekedEnd_});
}

ssize_t FileSource::readOn(char* data, std::size_t size) {
  if (peekedAt_ < peekedEnd_) {
    const std::size_t n = std::min(size, peekedEnd_ - peekedAt_);
    std::memcpy(data, peeked_.data() + peekedAt_, n);
    peekedAt_ += n;
    // What a pipe holds already comes with them, as one read of it would
    // have given it: detection decides on what has come, not on the
    // bytes that were peeked.
    pollfd ready{fd_, POLLIN, 0};
    if (n < size && !compressed_ && ::poll(&ready, 1, 0) == 1) {
      const ssize_t more = readSome(fd_, data + n, size - n);
      if (more > 0) return static_cast<ssize_t>(n) + more;
    }
    return static_cast<ssize_t>(n);
  }
  if (compressed_) {
    const ByteSource source = decompressor_.source();
    return source.read(source, data, size);
  }
  return readSome(fd_, data, size);
}

ByteSource FileSource::bytes() {
  // A file that can be sought in is read again from its first byte, as a
  // descriptor, so that its readers may seek in it.
  if (!compressed_ && lseek(fd_, 0, SEEK_SET) == 0) {
    peekedAt_ = peekedEnd_;
    return ByteSource::of(fd_);
  }
  return {[](const ByteSource& s, char* data, std::size_t size) {
            return static_cast<FileSource*>(s.state)->readOn(data, size);
          },
          this, compressed_ ? -1 : fd_};
}

bool FileSource::readExactly(char* data, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t got = readOn(data + done, size - done);
    if (got < 0) error_ = errno;
    if (got == 0 && done > 0) {
      setDecompressionFault("the archive ends inside a member");
      error_ = kDecompressionFault;
    }
    if (got <= 0) return false;
    done += static_cast<std::size_t>(got);
  }
  return true;
}

std::string_view FileSource::memberName() const {
  return {name_.data(), nameLength_};
}

bool FileSource::skip(uint64_t size) {
  while (size > 0) {
    const std::size_t n =
        static_cast<std::size_t>(std::min<uint64_t>(size, scratch.size()));
    if (!readExactly(scratch.data(), n)) return false;
    size -= n;
  }
  return true;
}

bool FileSource::readLongName(char type, uint64_t size, std::size_t& length) {
  // GNU's long name is the member's data; pax's is its "path=" record.
  const std::size_t kept =
      static_cast<std::size_t>(std::min<uint64_t>(size, name_.size()));
  if (!readExactly(name_.data(), kept) ||
      !skip(size - kept + (kBlock - size % kBlock) % kBlock)) {
    return false;
  }
  std::string_view text(name_.data(), kept);
  if (type == 'L') {
    text = text.substr(0, text.find('\0'));
  } else {
    const std::size_t path = text.find(" path=");
    if (path == std::string_view::npos) return true;  // no name in it
    text.remove_prefix(path + 6);
    text = text.substr(0, text.find('\n'));
  }
  length = std::min(text.size(), name_.size());
  std::memmove(name_.data(), text.data(), length);
  return true;
}

void FileSource::takeUstarName(const char* header) {
  // A prefix, a slash and the name.
  const std::string_view prefix = textOf(header, 345, 155);
  const std::string_view name = textOf(header, 0, 100);
  nameLength_ = 0;
  for (const std::string_view piece :
       {prefix, prefix.empty() ? std::string_view{} : std::string_view("/"),
        name}) {
    if (piece.empty()) continue;  // an empty view may have no bytes at all
    std::memcpy(name_.data() + nameLength_, piece.data(), piece.size());
    nameLength_ += piece.size();
  }
}

bool FileSource::nextMember() {
  // What is left of the member before, and its padding.
  if (!skip(left_ + padding_)) return false;
  left_ = padding_ = 0;
  std::size_t longName = 0;  // a GNU or pax name for the next member
  for (;;) {
    std::array<char, kBlock> header;
    if (!readExactly(header.data(), kBlock)) return false;
    if (header[0] == '\0') return false;  // the archive's end
    if (!isTarHeader({header.data(), kBlock})) {
      setDecompressionFault("the archive has a damaged member header");
      error_ = kDecompressionFault;
      return false;
    }
    const uint64_t size = numberField(fieldOf(header.data(), 124, 12));
    const uint64_t padding = (kBlock - size % kBlock) % kBlock;
    const char type = header[156];
    if (type == 'L' || type == 'x') {
      if (!readLongName(type, size, longName)) return false;
      continue;
    }
    if (type != '0' && type != '\0' && type != '7') {
      // A directory, a link, a device: no bytes of a graph.
      if (!skip(size + padding)) return false;
      longName = 0;
      continue;
    }
    if (longName != 0) {
      nameLength_ = longName;
    } else {
      takeUstarName(header.data());
    }
    left_ = size;
    padding_ = padding;
    return true;
  }
}

ByteSource FileSource::memberBytes() {
  return {[](const ByteSource& s, char* data, std::size_t size) {
            auto& f = *static_cast<FileSource*>(s.state);
            if (f.left_ == 0) return ssize_t{0};
            const ssize_t got = f.readOn(
                data,
                static_cast<std::size_t>(std::min<uint64_t>(size, f.left_)));
            if (got == 0) {
              setDecompressionFault("the archive ends inside a member");
              errno = kDecompressionFault;
              return ssize_t{-1};
            }
            if (got > 0) f.left_ -= static_cast<uint64_t>(got);
            return got;
          },
          this, -1};
}

}  // namespace ugraph
