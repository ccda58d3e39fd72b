#include "dialogue/number_answer.h"

#include "base/digits.h"

namespace ugraph {
namespace {

// White space as the C locale's isspace has it.
bool isSpace(int c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' ||
         c == '\r';
}

}  // namespace

FormattedInt readInt(Console& console) {
  FormattedInt result;
  int c = console.peek();
  while (isSpace(c)) {
    console.readChar();
    c = console.peek();
  }
  if (c == Console::kEnd) return result;  // kind is kEnd

  result.kind = FormattedInt::Kind::kNotANumber;
  const bool negative = c == '-';
  if (c == '-' || c == '+') {
    console.readChar();
    c = console.peek();
  }
  if (!isDigit(c)) return result;

  int64_t magnitude = 0;
  while (isDigit(c)) {
    magnitude = appendDigit(magnitude, c, kFormattedIntCap);
    console.readChar();
    c = console.peek();
  }

  result.kind = FormattedInt::Kind::kNumber;
  result.fits = magnitude < kFormattedIntCap;
  result.value = negative ? -magnitude : magnitude;
  return result;
}

}  // namespace ugraph
