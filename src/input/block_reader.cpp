#include "input/block_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <sys/stat.h>

namespace ugraph {

bool isAlsoOutput(std::FILE* file, int output) {
  struct stat in {};
  struct stat out {};
  return fstat(fileno(file), &in) == 0 && fstat(output, &out) == 0 &&
         S_ISREG(in.st_mode) && in.st_dev == out.st_dev &&
         in.st_ino == out.st_ino;
}

bool BlockReader::refill() {
  if (error_ != 0) return false;
  if (pinPending_) resolvePin();  // the pinned byte leaves with its block
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
  std::size_t last = text.size();
  lines_ += countByte(text, '\n', last);
  if (last != text.size()) {
    lineStart_ = blockStart_ + static_cast<int64_t>(counted_ + last + 1);
  }
  counted_ = p;
}

void BlockReader::resolvePin() {
  countLinesUpTo(static_cast<std::size_t>(pin_ - blockStart_));
  pinned_ = {pin_, lines_ + 1, pin_ - lineStart_ + 1};
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
  return fseeko(file_, offset, SEEK_SET) == 0;
}

}  // namespace ugraph
