// A file read a line at a time, for the formats of one graph (or one
// link) a line: the lines as they are read, numbered from 1. The first line
// may begin with a header that its format has taken. A line may be of any
// length up to a limit; it is held only until the next one is read.
#ifndef UGRAPH_BASE_LINE_SCANNER_H_
#define UGRAPH_BASE_LINE_SCANNER_H_

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/block_reader.h"

namespace ugraph {

class LineScanner {
 public:
  // Scans what reader reads. REQUIRES: reader outlives the scanner, and
  // nothing else reads through it meanwhile.
  explicit LineScanner(BlockReader& reader) : reader_(reader) {}
  LineScanner(const LineScanner&) = delete;
  LineScanner& operator=(const LineScanner&) = delete;
  ~LineScanner();

  // The bytes of the first line's header that are already taken.
  void setHeader(std::size_t length) { shift_ = length; }
  // The longest line held, its '\r' counted; a longer one is passed over
  // to its end.
  void setLimit(uint64_t bytes) { limit_ = bytes; }

  // Reads the next line; false at the end of the file, or when it cannot
  // be read (the reader's error()).
  bool next();

  // The current line's number, from 1.
  int64_t number() const { return number_; }
  // The current line without its line end and a '\r' before that, valid
  // until the next call of next(); empty when it was not held
  // (notHeld()).
  std::string_view text() const { return text_; }
  // The line was longer than the limit, or its room could not be had: it
  // was read to its end and not held. length() is how long it is.
  bool notHeld() const { return notHeld_; }
  uint64_t length() const { return length_; }
  // The columns before text(): the header's length on the first line.
  std::size_t shift() const { return number_ == 1 ? shift_ : 0; }

 private:
  // Makes room for at least `size` bytes, keeping those held; false when
  // it cannot be had.
  bool grow(std::size_t size);
  void release();

  BlockReader& reader_;
  uint64_t limit_ = UINT64_MAX;
  char* held_ = nullptr;  // lines that do not lie whole in the block
  std::size_t capacity_ = 0;
  std::size_t shift_ = 0;
  int64_t number_ = 0;
  bool notHeld_ = false;
  uint64_t length_ = 0;
  std::string_view text_;
};

}  // namespace ugraph

#endif  // UGRAPH_BASE_LINE_SCANNER_H_
