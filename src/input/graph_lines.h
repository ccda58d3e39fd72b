// A file of graphs, one a line, in graph6 or sparse6: the lines as they
// are read, numbered from 1. The first line may begin with the format's
// header, which is not a graph.
#ifndef UGRAPH_INPUT_GRAPH_LINES_H_
#define UGRAPH_INPUT_GRAPH_LINES_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "input/block_reader.h"
#include "input/data_input.h"

namespace ugraph {

class LineScanner {
 public:
  // Scans what reader reads into line, a buffer it keeps to itself.
  // REQUIRES: reader and line outlive the scanner, and nothing else reads
  // through reader or writes to line meanwhile.
  LineScanner(BlockReader& reader, DataInputText& line)
      : reader_(reader), line_(line) {}

  // The bytes of the first line's header that are already taken.
  void setHeader(std::size_t length) { shift_ = length; }

  // Reads the next line; false at the end of the file, or when it cannot
  // be read (the reader's error()).
  bool next();

  // The current line's number, from 1.
  int64_t number() const { return number_; }
  // The current line without its line end and a '\r' before that, valid
  // until the next call of next(); empty when the line is longer than
  // kMaxDataInputLength (tooLong()).
  std::string_view text() const { return text_; }
  bool tooLong() const { return tooLong_; }
  // The columns before text(): the header's length on the first line.
  std::size_t shift() const { return number_ == 1 ? shift_ : 0; }

 private:
  BlockReader& reader_;
  DataInputText& line_;
  std::size_t shift_ = 0;
  int64_t number_ = 0;
  bool tooLong_ = false;
  std::string_view text_;
};

}  // namespace ugraph

#endif  // UGRAPH_INPUT_GRAPH_LINES_H_
