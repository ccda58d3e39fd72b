// Runs of decimal digits, read into a saturating value so that a run of any
// length is consumed without overflow and a huge number is simply above
// every limit. A number answered at the console, the keyboard's node lines
// and the data-input parser all read their numbers this way.
#ifndef UGRAPH_BASE_DIGITS_H_
#define UGRAPH_BASE_DIGITS_H_

#include <algorithm>
#include <cstdint>

namespace ugraph {

// Where a digit run's value stops growing: one past the int32_t range on
// either side, so that a sign applied afterwards still tells whether the
// number fits in 32 bits.
inline constexpr int64_t kDigitCap = int64_t{INT32_MAX} + 2;

// One comparison: a byte below '0' wraps around to a large unsigned value.
constexpr bool isDigit(int c) { return static_cast<unsigned>(c - '0') < 10U; }

// The value of the run `value` followed by the digit c, capped at cap.
// REQUIRES: 0 <= value <= cap <= INT64_MAX / 10 - 1 and isDigit(c).
constexpr int64_t appendDigit(int64_t value, int c, int64_t cap = kDigitCap) {
  return std::min(value * 10 + (c - '0'), cap);
}

}  // namespace ugraph

#endif  // UGRAPH_BASE_DIGITS_H_
