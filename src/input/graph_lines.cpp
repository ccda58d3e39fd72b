#include "input/graph_lines.h"

#include <span>

namespace ugraph {

bool LineScanner::next() {
  // Most lines lie whole in the reader's block and are read where they
  // stand; the others are copied, up to one byte more than a line holds.
  if (reader_.takeUntil('\n', line_.size() - 1, text_)) {
    ++number_;
    tooLong_ = false;
    if (!text_.empty() && text_.back() == '\r') text_.remove_suffix(1);
    return true;
  }
  bool ended = false;  // the line end was read
  const std::size_t length = reader_.readUntil('\n', std::span(line_), ended);
  if (length == 0 && !ended) return false;
  ++number_;
  tooLong_ = length == line_.size();
  if (tooLong_) {
    reader_.skipThrough('\n');
    text_ = {};
    return true;
  }
  text_ = {line_.data(), length};
  if (ended && !text_.empty() && text_.back() == '\r') text_.remove_suffix(1);
  return true;
}

}  // namespace ugraph
