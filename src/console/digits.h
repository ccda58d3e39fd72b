// Runs of decimal digits, read into a saturating value so that a run of any
// length is consumed without overflow and a huge number is simply above
// every limit. The console's formatted read, the keyboard's node lines and
// the data-input parser all read their numbers this way.
#ifndef UGRAPH_CONSOLE_DIGITS_H_
#define UGRAPH_CONSOLE_DIGITS_H_

#include <algorithm>
#include <cstdint>

namespace ugraph {

// Where a digit run's value stops growing: one past the int32_t range on
// either side, so that a sign applied afterwards still tells whether the
// number fits in 32 bits.
inline constexpr int64_t kDigitCap = int64_t{INT32_MAX} + 2;

constexpr bool isDigit(int c) { return c >= '0' && c <= '9'; }

// The value of the run `value` followed by the digit c, capped at kDigitCap.
// REQUIRES: 0 <= value <= kDigitCap and isDigit(c).
constexpr int64_t appendDigit(int64_t value, int c) {
  return std::min(value * 10 + (c - '0'), kDigitCap);
}

// A run's value as a node number: saturated at INT32_MAX.
constexpr int32_t clampToInt32(int64_t value) {
  return static_cast<int32_t>(std::min<int64_t>(value, INT32_MAX));
}

}  // namespace ugraph

#endif  // UGRAPH_CONSOLE_DIGITS_H_
