// The program's one console: a small type over an input and an output
// stream, so the dialogue runs the same over a terminal and over in-memory
// streams in tests.
//
// Every read first flushes pending output, so a prompt is on the screen
// before the program waits for its answer. Once the input has ended, every
// later read reports the end at once without touching the stream again.
#ifndef UGRAPH_CONSOLE_CONSOLE_H_
#define UGRAPH_CONSOLE_CONSOLE_H_

#include <cstdint>
#include <cstdio>
#include <string_view>

namespace ugraph {

// The outcome of one formatted decimal read.
struct FormattedInt {
  enum class Kind {
    kNumber,      // an optional sign and at least one digit were read
    kNotANumber,  // something other than a number follows the white space
    kEnd,         // input ended before anything but white space
  };
  Kind kind = Kind::kEnd;
  // kNumber only; saturated at the int32_t limits when !fits.
  int32_t value = 0;
  bool fits = true;

  // True for a number that fits 32 bits and lies in lo..hi.
  bool isIn(int64_t lo, int64_t hi) const {
    return kind == Kind::kNumber && fits && lo <= value && value <= hi;
  }
};

class Console {
 public:
  // The value readChar returns once input has ended.
  static constexpr int kEnd = EOF;

  // REQUIRES: in is open for reading and out for writing; both outlive this.
  Console(std::FILE* in, std::FILE* out) : in_(in), out_(out) {}
  Console(const Console&) = delete;
  Console& operator=(const Console&) = delete;

  // The next character as an unsigned char value, or kEnd.
  int readChar();

  // Hands each character of the next line, its line end excluded, to
  // onChar(char). Returns false when input ended before a line end (the
  // characters read until then still form the line).
  template <class OnChar>
  bool readLine(OnChar&& onChar) {
    for (;;) {
      const int c = readChar();
      if (c == '\n') return true;
      if (c == kEnd) return false;
      onChar(static_cast<char>(c));
    }
  }

  // Reads and drops the rest of the current line, its line end included.
  void discardLine() {
    readLine([](char) {});
  }

  // Reads a formatted decimal integer: white space (line ends included) is
  // skipped, then an optional sign and every digit that follows. The first
  // character after the number is left unread, as is a character that made
  // the answer not a number.
  FormattedInt readInt();

  void write(std::string_view text);
  void write(int64_t value);  // in decimal
  // Writes text and one line end.
  void writeLine(std::string_view text);

 private:
  void flushIfPending();

  std::FILE* in_;
  std::FILE* out_;
  bool outputPending_ = false;
  bool ended_ = false;
};

}  // namespace ugraph

#endif  // UGRAPH_CONSOLE_CONSOLE_H_
