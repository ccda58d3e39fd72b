#include "console/console.h"

#include <cerrno>

#include "console/descriptor.h"
#include "console/digits.h"

namespace ugraph {
namespace {

// White space as the C locale's isspace has it.
bool isSpace(int c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' ||
         c == '\r';
}

}  // namespace

void Console::stop(ConsoleFailure::Kind kind) {
  failure_ = {kind, errno};
  ended_ = true;
  pos_ = end_ = 0;
  if (kind == ConsoleFailure::Kind::kWrite) outLength_ = 0;
}

bool Console::fill() {
  pos_ = 0;
  end_ = 0;
  if (ended_) return false;
  const ssize_t n = readSome(in_, buffer_.data(), buffer_.size());
  if (n > 0) {
    end_ = static_cast<std::size_t>(n);
    return true;
  }
  if (n == 0) {
    ended_ = true;
  } else {
    stop(ConsoleFailure::Kind::kRead);
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

  int64_t magnitude = 0;
  while (isDigit(c)) {
    magnitude = appendDigit(magnitude, c, kFormattedIntCap);
    ++pos_;
    c = peek();
  }

  result.kind = FormattedInt::Kind::kNumber;
  result.fits = magnitude < kFormattedIntCap;
  result.value = negative ? -magnitude : magnitude;
  return result;
}

}  // namespace ugraph
