#include "input/block_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace ugraph {

bool BlockReader::refill() {
  if (error_ != 0) return false;
  countLinesUpTo(end_);
  blockStart_ += static_cast<int64_t>(end_);
  pos_ = 0;
  end_ = 0;
  counted_ = 0;
  errno = 0;
  end_ = std::fread(block_.data(), 1, block_.size(), file_);
  if (end_ < block_.size() && std::ferror(file_) != 0) {
    error_ = errno != 0 ? errno : EIO;
  }
  return end_ > 0;
}

void BlockReader::countLinesUpTo(std::size_t p) {
  if (!countingLines_ || p <= counted_) return;
  const std::string_view text(block_.data() + counted_, p - counted_);
  lines_ += countByte(text, '\n');
  // memrchr searches backwards a vector at a time, as memchr does forwards.
  const void* const last = memrchr(text.data(), '\n', text.size());
  if (last != nullptr) {
    const auto at = static_cast<const char*>(last) - block_.data();
    lineStart_ = blockStart_ + at + 1;
  }
  counted_ = p;
}

std::size_t BlockReader::readUntil(char stop, std::span<char> dest,
                                   bool& found) {
  found = false;
  std::size_t copied = 0;
  while (copied < dest.size()) {
    if (pos_ == end_ && !refill()) break;
    const std::string_view text(block_.data() + pos_,
                                std::min(end_ - pos_, dest.size() - copied));
    const std::size_t length = findByte(text, stop);
    std::memcpy(dest.data() + copied, text.data(), length);
    copied += length;
    pos_ += length;
    if (length < text.size()) {
      ++pos_;
      found = true;
      break;
    }
  }
  return copied;
}

bool BlockReader::seek(int64_t offset) {
  pos_ = 0;
  end_ = 0;
  counted_ = 0;
  countingLines_ = false;
  blockStart_ = offset;
  return fseeko(file_, offset, SEEK_SET) == 0;
}

}  // namespace ugraph
