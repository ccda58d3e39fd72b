// Numbers answered at the console: a formatted decimal read, and a question
// asked until its answer is a number in range.
#ifndef UGRAPH_DIALOGUE_NUMBER_ANSWER_H_
#define UGRAPH_DIALOGUE_NUMBER_ANSWER_H_

#include <cstdint>
#include <string_view>

#include "base/console.h"
#include "base/status.h"

namespace ugraph {

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

// Reads a formatted decimal integer: white space (line ends included) is
// skipped, then an optional sign and every digit that follows. The first
// character after the number is left unread, as is a character that made
// the answer not a number.
FormattedInt readInt(Console& console);

// Writes prompt and reads a formatted integer and the one character after
// it, until the answer is a number in lo..hi; after any other answer calls
// refuse() (which writes why) and asks again. An answer that is no number
// is dropped with the rest of its line. Returns kOk with the number in
// value, or kEnded when input ended first.
template <class Refuse>
Status askNumber(Console& console, std::string_view prompt, int64_t lo,
                 int64_t hi, int64_t& value, Refuse&& refuse) {
  for (;;) {
    console.write(prompt);
    const FormattedInt answer = readInt(console);
    if (answer.kind == FormattedInt::Kind::kEnd) {
      return Status::of(Status::Kind::kEnded);
    }
    if (answer.kind == FormattedInt::Kind::kNotANumber) {
      console.discardLine();
    } else {
      console.readChar();  // the character after the number
      if (answer.isIn(lo, hi)) {
        value = answer.value;
        return {};
      }
    }
    refuse();
  }
}

}  // namespace ugraph

#endif  // UGRAPH_DIALOGUE_NUMBER_ANSWER_H_
