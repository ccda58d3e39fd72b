#include "console/console.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
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

bool Console::fill() {
  pos_ = 0;
  end_ = 0;
  while (!ended_) {
    const ssize_t n = ::read(in_, buffer_.data(), buffer_.size());
    if (n > 0) {
      end_ = static_cast<std::size_t>(n);
      return true;
    }
    if (n == 0 || errno != EINTR) ended_ = true;
  }
  return false;
}

FormattedInt Console::readInt() {
  flushIfPending();
  FormattedInt result;
  int c = peek();
  while (isSpace(c)) {
    ++pos_;
    c = peek();
  }
  if (c == kEnd) return result;  // kind is kEnd

  result.kind = FormattedInt::Kind::kNotANumber;
  const bool negative = c == '-';
  if (c == '-' || c == '+') {
    ++pos_;
    c = peek();
  }
  if (!isDigit(c)) return result;

  // The magnitude is held in 64 bits and capped one past the int32_t range,
  // so any run of digits is consumed without overflow.
  constexpr int64_t kCap = int64_t{std::numeric_limits<int32_t>::max()} + 2;
  int64_t magnitude = 0;
  while (isDigit(c)) {
    magnitude = std::min(magnitude * 10 + (c - '0'), kCap);
    ++pos_;
    c = peek();
  }

  const int64_t value = negative ? -magnitude : magnitude;
  constexpr int64_t kLow = std::numeric_limits<int32_t>::min();
  constexpr int64_t kHigh = std::numeric_limits<int32_t>::max();
  result.kind = FormattedInt::Kind::kNumber;
  result.fits = kLow <= value && value <= kHigh;
  result.value = static_cast<int32_t>(std::clamp(value, kLow, kHigh));
  return result;
}

void Console::write(int64_t value) {
  std::array<char, 24> digits;
  char* const end = std::to_chars(digits.begin(), digits.end(), value).ptr;
  write(std::string_view(digits.data(),
                         static_cast<std::size_t>(end - digits.data())));
}

}  // namespace ugraph
