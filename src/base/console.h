// The program's one console: a small type over the input and the output
// stream, so the dialogue runs the same over a terminal and over in-memory
// streams in tests.
//
// Input is read straight from its file descriptor into a buffer of the
// console's own: a terminal delivers a line per read, a pipe or file as
// much as is there, and line ends are found by searching the buffer rather
// than one call per character. Output is gathered in a buffer of the console's
// own and handed to the stream in large blocks. Every read first flushes
// pending output, so a prompt is on the screen before the program waits for its
// answer. Once the input has ended, every later read reports the end at
// once.
//
// A read error, or output that cannot be written, stops the console for
// good: every later read reports the end at once (and after a write error
// later output is dropped), so whatever step is running finishes quickly
// and the caller learns why from failure().
#ifndef UGRAPH_BASE_CONSOLE_H_
#define UGRAPH_BASE_CONSOLE_H_

#include <algorithm>
#include <array>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string_view>

namespace ugraph {

// Why a console stopped working before its input ended, if it did.
struct ConsoleFailure {
  enum class Kind { kNone, kRead, kWrite };
  Kind kind = Kind::kNone;
  int error = 0;  // the errno of the failed call
};

class Console {
 public:
  // The value readChar returns once input has ended.
  static constexpr int kEnd = -1;

  // REQUIRES: in is a file descriptor open for reading and out a stream open
  // for writing; both outlive the console, and nothing else reads in.
  Console(int in, std::FILE* out) : in_(in), out_(out) {}
  // Hands the output still gathered to the stream.
  ~Console() { flush(); }
  Console(const Console&) = delete;
  Console& operator=(const Console&) = delete;

  // The descriptor of the output stream.
  int outputDescriptor() const { return fileno(out_); }

  // Why the console stopped, if a read or write failed.
  ConsoleFailure failure() const { return failure_; }
  bool failed() const { return failure_.kind != ConsoleFailure::Kind::kNone; }

  // The next character as an unsigned char value, or kEnd.
  int readChar() {
    flushIfPending();
    if (pos_ == end_ && !fill()) return kEnd;
    return static_cast<unsigned char>(buffer_[pos_++]);
  }

  // Reads the next line and hands its text, line end excluded, to
  // onText(std::string_view) in one or more pieces. Returns false when input
  // ended before a line end (the text read until then still forms the line).
  template <class OnText>
  bool readLine(OnText&& onText) {
    flushIfPending();
    for (;;) {
      if (pos_ == end_ && !fill()) return false;
      const std::string_view text = pending();
      const std::size_t lineEnd = text.find('\n');
      const std::size_t length = std::min(lineEnd, text.size());
      if (length > 0) onText(text.substr(0, length));
      pos_ += length;
      if (lineEnd != std::string_view::npos) {
        ++pos_;
        return true;
      }
    }
  }

  // Reads and drops the rest of the current line, its line end included.
  void discardLine() {
    readLine([](std::string_view) {});
  }

  // The next character without reading it, or kEnd.
  int peek() {
    flushIfPending();
    if (pos_ == end_ && !fill()) return kEnd;
    return static_cast<unsigned char>(buffer_[pos_]);
  }

  void write(std::string_view text) {
    if (text.size() > output_.size() - outLength_) {
      handOver();
      if (text.size() > output_.size()) {
        put(text);
        return;
      }
    }
    text.copy(output_.data() + outLength_, text.size());
    outLength_ += text.size();
  }
  // Writes value in decimal, straight into the buffer when it has room.
  void write(int64_t value) {
    constexpr std::size_t kLongest = 20;  // "-9223372036854775808"
    if (output_.size() - outLength_ < kLongest) handOver();
    char* const at = output_.data() + outLength_;
    // Node numbers and counts of a few nodes need no division.
    if (value >= 0 && value < 100) {
      at[0] = static_cast<char>('0' + value / 10);
      at[value >= 10 ? 1 : 0] = static_cast<char>('0' + value % 10);
      outLength_ += value >= 10 ? 2 : 1;
      return;
    }
    outLength_ += static_cast<std::size_t>(
        std::to_chars(at, at + kLongest, value).ptr - at);
  }
  // Writes a node's id, which a file may give as any 64-bit number.
  void writeId(uint64_t id) {
    if (id <= INT64_MAX) {
      write(static_cast<int64_t>(id));
      return;
    }
    if (output_.size() - outLength_ < 20) handOver();
    char* const at = output_.data() + outLength_;
    outLength_ +=
        static_cast<std::size_t>(std::to_chars(at, at + 20, id).ptr - at);
  }
  // Writes text and one line end.
  void writeLine(std::string_view text) {
    write(text);
    write("\n");
  }

  // Writes out everything written so far and flushes the stream.
  void flush() {
    handOver();
    flushStream();
  }

 private:
  // Hands the gathered output to the stream.
  void handOver() {
    if (outLength_ > 0) {
      put({output_.data(), outLength_});
      outLength_ = 0;
    }
  }

  // Hands text to the stream, or drops it once output has failed. A
  // stream on a descriptor is written straight to it, as the console
  // gathers its output itself: a descriptor that is not ready is then
  // waited for (see writeAll), where the stream would give up.
  void put(std::string_view text);

  void flushStream() {
    outputPending_ = false;
    if (std::fflush(out_) != 0 &&
        failure_.kind != ConsoleFailure::Kind::kWrite) {
      stop(ConsoleFailure::Kind::kWrite);
    }
  }

  void flushIfPending() {
    handOver();
    if (outputPending_) flushStream();
  }

  // Records why the console stops, from errno, and ends its input.
  void stop(ConsoleFailure::Kind kind);

  // Input already taken from the descriptor but not yet read.
  std::string_view pending() const {
    return {buffer_.data() + pos_, end_ - pos_};
  }

  // Reads more input into the empty buffer, waiting while the descriptor
  // has none ready; false once input has ended or the console stopped.
  bool fill();

  int in_;
  std::FILE* out_;
  bool outputPending_ = false;
  bool ended_ = false;
  ConsoleFailure failure_;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  std::array<char, std::size_t{1} << 16> buffer_;  // input
  std::size_t outLength_ = 0;
  std::array<char, std::size_t{1} << 16> output_;
};

}  // namespace ugraph

#endif  // UGRAPH_BASE_CONSOLE_H_
