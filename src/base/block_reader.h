// Reads a file front to back in large blocks and finds bytes by searching
// each block at once, so a catalogue of any size is scanned at close to the
// speed of copying it.
#ifndef UGRAPH_BASE_BLOCK_READER_H_
#define UGRAPH_BASE_BLOCK_READER_H_

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <span>
#include <string_view>

#include "base/byte_source.h"
#include "base/bytes.h"
#include "base/console.h"
#include "base/status.h"

namespace ugraph {

// The storage a reader works in. It is large, so callers keep it in static
// storage rather than on the stack.
using FileBlock = std::array<char, std::size_t{1} << 17>;

class BlockReader {
 public:
  // REQUIRES: file is open for reading, unbuffered by stdio, and outlives
  // this reader; block outlives it too and nothing else uses it meanwhile.
  BlockReader(std::FILE* file, FileBlock& block)
      : BlockReader(ByteSource::of(fileno(file)), block) {}
  // Reads what source hands over. REQUIRES: as above, for its state.
  BlockReader(const ByteSource& source, FileBlock& block)
      : source_(source), block_(block) {}
  BlockReader(const BlockReader&) = delete;
  BlockReader& operator=(const BlockReader&) = delete;

  // The next byte as an unsigned char value, or EOF.
  int get() {
    if (pos_ == end_ && !refill()) return EOF;
    return static_cast<unsigned char>(block_[pos_++]);
  }

  // The first bytes of the file read so far but not taken: reading goes on
  // from the first byte. REQUIRES: nothing taken yet.
  std::string_view peeked() const { return {block_.data(), end_}; }

  // Reads more of the file's first bytes into peeked(), as much as one
  // read gives; false at the end of the file or when it cannot be read.
  // REQUIRES: nothing taken yet, and peeked() shorter than the block.
  bool peekMore();

  // Takes n bytes already there to read without looking at them.
  // REQUIRES: they are in the block (as peekMore() leaves them).
  void skip(std::size_t n) { pos_ += n; }

  // Reads through the next `stop`, handing the bytes before it to
  // sink(std::string_view) in one or more pieces. Returns false when the
  // file ended first (every byte up to the end has then been handed over).
  template <class Sink>
  bool copyThrough(char stop, Sink&& sink) {
    for (;;) {
      if (pos_ == end_ && !refill()) return false;
      const std::string_view text(block_.data() + pos_, end_ - pos_);
      const std::size_t length = findByte(text, stop);
      if (length > 0) sink(text.substr(0, length));
      pos_ += length;
      if (length < text.size()) {
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

  // When the byte just read, the next `stop` and everything between lie in
  // the current block and number at most `limit`, returns them and moves
  // past the `stop`, reading nothing from the file. Otherwise returns an
  // empty view and moves nowhere.
  // REQUIRES: the byte just read was read from the current block (as after
  // skipThrough), and limit >= 2.
  std::string_view takeThrough(char stop, std::size_t limit) {
    // The stop may stand at most limit - 2 bytes after the byte just read.
    const std::string_view rest(block_.data() + pos_,
                                std::min(end_ - pos_, limit - 1));
    const std::size_t length = findByte(rest, stop);
    if (length == rest.size()) return {};
    const std::string_view taken(block_.data() + pos_ - 1, length + 2);
    pos_ += length + 1;
    return taken;
  }

  // When the next `stop` lies in the current block at most limit bytes
  // on, sets text to the bytes before it (a view of the block, valid until
  // the next read), moves past it and returns true. Otherwise returns
  // false and moves nowhere.
  bool takeUntil(char stop, std::size_t limit, std::string_view& text) {
    const std::string_view rest(block_.data() + pos_,
                                std::min(end_ - pos_, limit + 1));
    const std::size_t length = findByte(rest, stop);
    if (length == rest.size()) return false;
    text = std::string_view(rest.data(), length);
    pos_ += length + 1;
    return true;
  }

  // From now on, before a read that would wait for input (from a pipe or
  // a terminal), what console has gathered is written out, so output
  // keeps pace with input that comes slowly.
  void flushBeforeWaiting(Console& console) { console_ = &console; }

  // The errno of a read that failed, else 0. A failed read ends the file:
  // every later read finds its end.
  int error() const { return error_; }

  // Reads source from its start instead, as from a new file; lines are
  // counted if they were. REQUIRES: nothing taken yet.
  void restart(const ByteSource& source) {
    source_ = source;
    end_ = 0;
    error_ = 0;
  }

  // Goes on from the byte at offset; false when the file cannot seek there.
  // Lines are no longer counted after a seek.
  bool seek(int64_t offset);

  // From now on the reader counts lines, so that pinned() knows them.
  // REQUIRES: nothing has been read yet.
  void countLines() { countingLines_ = true; }
  bool countingLines() const { return countingLines_; }

  // The offset of the next byte get() would return.
  int64_t offset() const { return blockStart_ + static_cast<int64_t>(pos_); }

  // Marks a byte whose position may be asked for later: lines are counted
  // up to it only if pinned() is called, or when its block is left. This
  // spares the counting for every data-input of which only a few need it.
  // REQUIRES: offset lies in the current block, at or after every byte
  // whose position was asked for before.
  void pin(int64_t offset) {
    pin_ = offset;
    pinPending_ = true;
  }
  FilePosition pinned() {
    if (pinPending_) resolvePin();
    return pinned_;
  }

 private:
  bool refill();
  // Counts the line ends in the block before p not counted yet.
  void countLinesUpTo(std::size_t p);
  void resolvePin();

  ByteSource source_;
  FileBlock& block_;
  Console* console_ = nullptr;
  int64_t blockStart_ = 0;  // the file offset of block_[0]
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  int error_ = 0;
  bool countingLines_ = false;
  std::size_t counted_ = 0;  // block_[0..counted_) has been counted
  int64_t lines_ = 0;        // line ends before block_[counted_]
  int64_t lineStart_ = 0;    // offset of the byte after the last of them
  int64_t pin_ = 0;
  bool pinPending_ = false;
  FilePosition pinned_;
};

}  // namespace ugraph

#endif  // UGRAPH_BASE_BLOCK_READER_H_
