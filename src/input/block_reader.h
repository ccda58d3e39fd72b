// Reads a file front to back in large blocks and finds bytes by searching
// each block at once, so a catalogue of any size is scanned at close to the
// speed of copying it.
#ifndef UGRAPH_INPUT_BLOCK_READER_H_
#define UGRAPH_INPUT_BLOCK_READER_H_

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <span>
#include <string_view>

namespace ugraph {

class BlockReader {
 public:
  // REQUIRES: file is open for reading, unbuffered by stdio, and outlives
  // this reader.
  explicit BlockReader(std::FILE* file) : file_(file) {}
  BlockReader(const BlockReader&) = delete;
  BlockReader& operator=(const BlockReader&) = delete;

  // The next byte as an unsigned char value, or EOF.
  int get() {
    if (pos_ == end_ && !refill()) return EOF;
    return static_cast<unsigned char>(block_[pos_++]);
  }

  // Reads through the next `stop`, handing the bytes before it to
  // sink(std::string_view) in one or more pieces. Returns false when the
  // file ended first (every byte up to the end has then been handed over).
  template <class Sink>
  bool copyThrough(char stop, Sink&& sink) {
    for (;;) {
      if (pos_ == end_ && !refill()) return false;
      const std::string_view text(block_.data() + pos_, end_ - pos_);
      const std::size_t found = text.find(stop);
      const std::size_t length = std::min(found, text.size());
      if (length > 0) sink(text.substr(0, length));
      pos_ += length;
      if (found != std::string_view::npos) {
        ++pos_;
        return true;
      }
    }
  }

  // Reads through the next `stop`, dropping what stands before it. Returns
  // false when the file ended first.
  bool skipThrough(char stop) {
    return copyThrough(stop, [](std::string_view) {});
  }

  // Copies bytes into dest until a `stop` is read (it is consumed, not
  // copied), dest is full (the next byte is left unread) or the file ends.
  // Returns the number of bytes copied; found tells whether `stop` was read.
  std::size_t readUntil(char stop, std::span<char> dest, bool& found);

  // Starts again from the first byte of the file.
  void rewind() { seek(0); }

  // The offset in the file of the next byte get() would return.
  int64_t offset() const { return blockStart_ + static_cast<int64_t>(pos_); }

  // Goes on from the byte at offset; false when the file cannot seek there.
  bool seek(int64_t offset);

 private:
  bool refill();

  std::FILE* file_;
  int64_t blockStart_ = 0;  // the file offset of block_[0]
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  std::array<char, std::size_t{1} << 16> block_;
};

}  // namespace ugraph

#endif  // UGRAPH_INPUT_BLOCK_READER_H_
