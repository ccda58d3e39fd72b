#include "console/console.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>

namespace ugraph {
namespace {

// White space as the C locale's isspace has it.
bool isSpace(int c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' ||
         c == '\r';
}

bool isDigit(int c) { return c >= '0' && c <= '9'; }

}  // namespace

void Console::flushIfPending() {
  if (outputPending_) {
    std::fflush(out_);
    outputPending_ = false;
  }
}

int Console::readChar() {
  if (ended_) return kEnd;
  flushIfPending();
  const int c = getc_unlocked(in_);
  if (c == EOF) ended_ = true;
  return c;
}

FormattedInt Console::readInt() {
  FormattedInt result;
  int c = readChar();
  while (isSpace(c)) c = readChar();
  if (c == kEnd) return result;  // kind is kEnd

  result.kind = FormattedInt::Kind::kNotANumber;
  const bool negative = c == '-';
  if (c == '-' || c == '+') c = readChar();
  if (!isDigit(c)) {
    if (c != kEnd) ungetc(c, in_);
    return result;
  }

  // The magnitude is held in 64 bits and capped one past the int32_t range,
  // so any run of digits is consumed without overflow.
  constexpr int64_t kCap = int64_t{std::numeric_limits<int32_t>::max()} + 2;
  int64_t magnitude = 0;
  while (isDigit(c)) {
    magnitude = std::min(magnitude * 10 + (c - '0'), kCap);
    c = readChar();
  }
  if (c != kEnd) ungetc(c, in_);

  const int64_t value = negative ? -magnitude : magnitude;
  constexpr int64_t kLow = std::numeric_limits<int32_t>::min();
  constexpr int64_t kHigh = std::numeric_limits<int32_t>::max();
  result.kind = FormattedInt::Kind::kNumber;
  result.fits = kLow <= value && value <= kHigh;
  result.value = static_cast<int32_t>(std::clamp(value, kLow, kHigh));
  return result;
}

void Console::write(std::string_view text) {
  fwrite_unlocked(text.data(), 1, text.size(), out_);
  outputPending_ = true;
}

void Console::write(int64_t value) {
  std::array<char, 24> digits;
  char* const end = std::to_chars(digits.begin(), digits.end(), value).ptr;
  write(std::string_view(digits.data(),
                         static_cast<std::size_t>(end - digits.data())));
}

void Console::writeLine(std::string_view text) {
  write(text);
  write("\n");
}

}  // namespace ugraph
