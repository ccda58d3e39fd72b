#include "base/line_scanner.h"

#include <algorithm>
#include <cstdlib>
#include <span>

namespace ugraph {
namespace {

// Room kept between lines; more is given back once a line fits the block.
constexpr std::size_t kKeptRoom = std::size_t{1} << 20;

}  // namespace

LineScanner::~LineScanner() { release(); }

void LineScanner::release() {
  std::free(held_);
  held_ = nullptr;
  capacity_ = 0;
}

bool LineScanner::grow(std::size_t size) {
  if (size <= capacity_) return true;
  void* const more = std::realloc(held_, size);
  if (more == nullptr) return false;
  held_ = static_cast<char*>(more);
  capacity_ = size;
  return true;
}

bool LineScanner::next() {
  // Most lines lie whole in the reader's block and are read where they
  // stand; the others are copied into room that grows as they do.
  constexpr std::size_t kBlock = sizeof(FileBlock);
  notHeld_ = false;
  if (reader_.takeUntil('\n', kBlock, text_)) {
    ++number_;
    length_ = text_.size();
    if (!text_.empty() && text_.back() == '\r') text_.remove_suffix(1);
    if (capacity_ > kKeptRoom) release();
    return true;
  }
  std::size_t length = 0;
  bool ended = false;  // the line end was read
  bool full = false;   // no more room could be had
  // Room for one byte past the limit tells a line of exactly the limit,
  // whose end follows, from a longer one.
  const uint64_t most = limit_ == UINT64_MAX ? limit_ : limit_ + 1;
  for (;;) {
    if (length == capacity_) {
      const uint64_t room =
          std::min<uint64_t>(most, std::max(2 * capacity_, kBlock));
      if (length > limit_ || !grow(static_cast<std::size_t>(room))) {
        full = true;
        break;
      }
    }
    length += reader_.readUntil(
        '\n', std::span(held_ + length, capacity_ - length), ended);
    // Less than the room given means the line or the file ended.
    if (ended || length < capacity_) break;
  }
  if (length == 0 && !ended && !full) return false;
  ++number_;
  length_ = length;
  if (full) {
    // Not held: read on to the line's end, counting.
    reader_.copyThrough(
        '\n', [&](std::string_view piece) { length_ += piece.size(); });
    notHeld_ = true;
    text_ = {};
    return true;
  }
  text_ = {held_, length};
  if (ended && !text_.empty() && text_.back() == '\r') text_.remove_suffix(1);
  return true;
}

}  // namespace ugraph
