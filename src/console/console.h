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
#ifndef UGRAPH_CONSOLE_CONSOLE_H_
#define UGRAPH_CONSOLE_CONSOLE_H_

#include <algorithm>
#include <array>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string_view>

namespace ugraph {

// A count kept as its decimal digits, for a number written at every step
// of a long run: adding one touches only the digits that change.
class DecimalCounter {
 public:
  void increment() {
    for (std::size_t i = digits_.size() - 1;; --i) {
      if (digits_[i] != '9') {
        ++digits_[i];
        return;
      }
      digits_[i] = '0';
      if (i == start_) {
        digits_[--start_] = '1';
        return;
      }
    }
  }
  std::string_view text() const {
    return {digits_.data() + start_, digits_.size() - start_};
  }

 private:
  std::array<char, 20> digits_{'0', '0', '0', '0', '0', '0', '0',
                               '0', '0', '0', '0', '0', '0', '0',
                               '0', '0', '0', '0', '0', '0'};
  std::size_t start_ = digits_.size() - 1;  // the count starts at 0
};

// How a step that reads from the console ended.
enum class Outcome {
  kDone,        // it got what it asked for
  kNothing,     // it has nothing to hand on, and has said why where it can
  kInputEnded,  // input ended, or the console failed, before it was done
};

// Why a console stopped working before its input ended, if it did.
struct ConsoleFailure {
  enum class Kind { kNone, kRead, kWrite };
  Kind kind = Kind::kNone;
  int error = 0;  // the errno of the failed call
};

// Where a formatted read's magnitude stops growing: a number this large is
// above every count a file can hold, and ten times it plus a digit still
// fits 64 bits.
inline constexpr int64_t kFormattedIntCap = INT64_MAX / 10 - 1;

// The outcome of one formatted decimal read.
struct FormattedInt {
  enum class Kind {
    kNumber,      // an optional sign and at least one digit were read
    kNotANumber,  // something other than a number follows the white space
    kEnd,         // input ended before anything but white space
  };
  Kind kind = Kind::kEnd;
  // kNumber only; saturated at +-kFormattedIntCap when !fits. Counts of
  // data-inputs go past 32 bits, so the value is read in 64.
  int64_t value = 0;
  bool fits = true;

  // True for a number read exactly that lies in lo..hi.
  bool isIn(int64_t lo, int64_t hi) const {
    return kind == Kind::kNumber && fits && lo <= value && value <= hi;
  }
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

  // Reads a formatted decimal integer: white space (line ends included) is
  // skipped, then an optional sign and every digit that follows. The first
  // character after the number is left unread, as is a character that made
  // the answer not a number.
  FormattedInt readInt();

  // Input already taken from the descriptor but not yet read.
  std::string_view pending() const {
    return {buffer_.data() + pos_, end_ - pos_};
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
    outLength_ += static_cast<std::size_t>(
        std::to_chars(at, at + kLongest, value).ptr - at);
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

  // Hands text to the stream, or drops it once output has failed.
  void put(std::string_view text) {
    if (failure_.kind == ConsoleFailure::Kind::kWrite) return;
    outputPending_ = true;
    if (fwrite_unlocked(text.data(), 1, text.size(), out_) != text.size()) {
      stop(ConsoleFailure::Kind::kWrite);
    }
  }

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

  // The next character without reading it, or kEnd.
  int peek() {
    if (pos_ == end_ && !fill()) return kEnd;
    return static_cast<unsigned char>(buffer_[pos_]);
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

// Writes prompt and reads a formatted integer and the one character after
// it, until the answer is a number in lo..hi; after any other answer calls
// refuse() (which writes why) and asks again. An answer that is no number
// is dropped with the rest of its line. Returns kDone with the number in
// value, or kInputEnded when input ended first.
template <class Refuse>
Outcome askNumber(Console& console, std::string_view prompt, int64_t lo,
                  int64_t hi, int64_t& value, Refuse&& refuse) {
  for (;;) {
    console.write(prompt);
    const FormattedInt answer = console.readInt();
    if (answer.kind == FormattedInt::Kind::kEnd) return Outcome::kInputEnded;
    if (answer.kind == FormattedInt::Kind::kNotANumber) {
      console.discardLine();
    } else {
      console.readChar();  // the character after the number
      if (answer.isIn(lo, hi)) {
        value = answer.value;
        return Outcome::kDone;
      }
    }
    refuse();
  }
}

}  // namespace ugraph

#endif  // UGRAPH_CONSOLE_CONSOLE_H_
