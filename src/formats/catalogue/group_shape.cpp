#include "formats/catalogue/group_shape.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "base/fast_paths.h"
#include "formats/catalogue/data_input.h"

#if UGRAPH_SSE2
#include <emmintrin.h>
#endif

namespace ugraph {
namespace {

// The rules for one byte, given it and the three bytes before it. With no
// run of three digits, a digit after a digit is the second of a number of
// two, above 50 when the first is above 5, or 5 and it is not 0. A ')'
// must close a header of one or two digits after a '(', not 0 or 00, and
// the byte after such a header must be its ')'. The result has each lane
// (SSE2) or bit (otherwise) set where a rule is broken.
#if UGRAPH_SSE2
using Lanes = __m128i;

Lanes load(const char* p) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));  // NOLINT
}
Lanes is(Lanes v, char c) { return _mm_cmpeq_epi8(v, _mm_set1_epi8(c)); }
// Bytes from 128 up compare as negative, below '0'.
Lanes isDigit(Lanes v) {
  return _mm_and_si128(_mm_cmpgt_epi8(v, _mm_set1_epi8('/')),
                       _mm_cmplt_epi8(v, _mm_set1_epi8(':')));
}
Lanes both(Lanes a, Lanes b) { return _mm_and_si128(a, b); }
Lanes either(Lanes a, Lanes b) { return _mm_or_si128(a, b); }
Lanes butNot(Lanes a, Lanes b) { return _mm_andnot_si128(b, a); }

// Bit i set when byte i of the 16 at p breaks a rule, or is of none of the
// five kinds nor the ']' after them. REQUIRES: p[-3..15] readable.
unsigned faults16(const char* p) {
  const Lanes v = load(p);
  const Lanes p1 = load(p - 1);
  const Lanes p2 = load(p - 2);
  const Lanes p3 = load(p - 3);
  const Lanes digit = isDigit(v);
  const Lanes digit1 = isDigit(p1);
  const Lanes digit2 = isDigit(p2);
  const Lanes open1 = is(p1, '(');
  const Lanes open2 = is(p2, '(');
  const Lanes open3 = is(p3, '(');
  const Lanes close = is(v, ')');
  // A ']' ends the groups, so it stands only one past their end.
  const Lanes known =
      either(either(digit, either(is(v, '('), close)),
             either(either(is(v, ','), is(v, ' ')), is(v, ']')));
  const Lanes oneDigitHeader = both(digit1, open2);
  const Lanes twoDigitHeader = both(both(digit1, digit2), open3);
  const Lanes second = both(digit, digit1);
  const Lanes above5 = _mm_cmpgt_epi8(p1, _mm_set1_epi8('5'));
  const Lanes above50 =
      both(second, either(above5, butNot(is(p1, '5'), is(v, '0'))));
  const Lanes zeroHeader =
      both(both(close, is(p1, '0')), either(open2, both(is(p2, '0'), open3)));
  const Lanes unclosed =
      butNot(either(butNot(oneDigitHeader, digit), twoDigitHeader), close);
  const Lanes broken = either(
      either(either(both(second, digit2), butNot(open1, digit)),
             either(butNot(close, either(oneDigitHeader, twoDigitHeader)),
                    above50)),
      either(zeroHeader, unclosed));
  return static_cast<unsigned>(_mm_movemask_epi8(
      either(broken, _mm_cmpeq_epi8(known, _mm_setzero_si128()))));
}
#else
unsigned faults16(const char* p) {
  const auto digit = [](char c) { return c >= '0' && c <= '9'; };
  unsigned faults = 0;
  for (int i = 0; i < 16; ++i) {
    const char v = p[i];
    const char p1 = p[i - 1];
    const char p2 = p[i - 2];
    const char p3 = p[i - 3];
    const bool close = v == ')';
    const bool known =
        digit(v) || v == '(' || close || v == ',' || v == ' ' || v == ']';
    const bool one = digit(p1) && p2 == '(';
    const bool two = digit(p1) && digit(p2) && p3 == '(';
    const bool second = digit(v) && digit(p1);
    const bool broken =
        (second && digit(p2)) || (p1 == '(' && !digit(v)) ||
        (close && !one && !two) ||
        (second && (p1 > '5' || (p1 == '5' && v != '0'))) ||
        (close && p1 == '0' && (p2 == '(' || (p2 == '0' && p3 == '('))) ||
        (((one && !digit(v)) || two) && !close);
    if (broken || !known) faults |= 1U << i;
  }
  return faults;
}
#endif

}  // namespace

// Each 16 bytes are judged with the three before them, which lie in the
// data-input: the groups follow its name in quotes. A '(' can break a
// rule as late as one byte past the end, so that byte is judged too, as
// the ']' that stands there; the chunk holding it is copied with the
// three bytes before it and ']' after.
bool certainlyWellFormed(std::string_view groups) {
  // Two numbers outside headers have a byte between them, so groups this
  // short cannot hold too many.
  if (groups.size() > 2 * static_cast<std::size_t>(kMaxFileLinks)) {
    return false;
  }
  const char* const p = groups.data();
  std::size_t at = 0;
  for (; at + 16 <= groups.size(); at += 16) {
    if (faults16(p + at) != 0) return false;
  }
  constexpr std::size_t kBehind = 3;
  std::array<char, kBehind + 16> last;
  last.fill(']');
  std::memcpy(last.data(), p + at - kBehind, kBehind + groups.size() - at);
  const unsigned judged = (2U << (groups.size() - at)) - 1;  // and one past
  return (faults16(last.data() + kBehind) & judged) == 0;
}

}  // namespace ugraph
