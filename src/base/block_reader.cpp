#include "base/block_reader.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace ugraph {

bool BlockReader::peekMore() {
  if (error_ != 0) return false;
  const ssize_t got =
      source_.read(source_, block_.data() + end_, block_.size() - end_);
  if (got < 0) error_ = errno;
  if (got <= 0) return false;
  end_ += static_cast<std::size_t>(got);
  return true;
}

bool BlockReader::refill() {
  if (error_ != 0) return false;
  if (pinPending_) resolvePin();  // the pinned byte leaves with its block
  countLinesUpTo(end_);
  blockStart_ += static_cast<int64_t>(end_);
  pos_ = 0;
  end_ = 0;
  counted_ = 0;
  // What a read gives is worked on at once: a pipe hands over what has
  // been written so far, not a full block.
  if (console_ != nullptr && source_.descriptor >= 0) {
    pollfd ready{source_.descriptor, POLLIN, 0};
    if (::poll(&ready, 1, 0) == 0) console_->flush();
  }
  const ssize_t n = source_.read(source_, block_.data(), block_.size());
  if (n < 0) {
    error_ = errno;
    return false;
  }
  end_ = static_cast<std::size_t>(n);
  return end_ > 0;
}

void BlockReader::countLinesUpTo(std::size_t p) {
  if (!countingLines_ || p <= counted_) return;
  const std::string_view text(block_.data() + counted_, p - counted_);
  std::size_t last = text.size();
  lines_ += countByte(text, '\n', last);
  if (last != text.size()) {
    lineStart_ = blockStart_ + static_cast<int64_t>(counted_ + last + 1);
  }
  counted_ = p;
}

void BlockReader::resolvePin() {
  countLinesUpTo(static_cast<std::size_t>(pin_ - blockStart_));
  pinned_ = {lines_ + 1, pin_ - lineStart_ + 1};
  pinPending_ = false;
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
  return source_.descriptor >= 0 &&
         lseek(source_.descriptor, offset, SEEK_SET) == offset;
}

}  // namespace ugraph
