// The AVX2 kernel of digit_groups.h: 16 bytes a step.
#include "base/fast_paths.h"

#if UGRAPH_DIGIT_KERNELS

#include <array>
#include <cstddef>
#include <cstring>

#include "formats/catalogue/digit_groups_kernels.h"

namespace ugraph {
namespace {

using digits::finish;
using Lanes = __m128i;

// The constants of a step, 16 bytes each.
enum Constant : std::size_t {
  kZeroDigit,
  kNine,
  kOpen,
  kClose,
  kComma,
  kBlank,
  kLowNibble,
  kLastByte,
  kPlaces,
  kTriangle,
  kLowBytes,
  kAllSet,
  kHeaderBits,
  kConstants
};
using Bytes16 = std::array<char, 16>;
constexpr auto filled = digits::filled<16>;
alignas(16) constexpr std::array<Bytes16, kConstants> kBytes = {{
    filled('0'),
    filled(9),
    filled('('),
    filled(')'),
    filled(','),
    filled(' '),
    filled(0x0f),
    filled(15),
    // Each byte's place, in the high nibble.
    {0x00, 0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0x70, -0x80, -0x70, -0x60, -0x50,
     -0x40, -0x30, -0x20, -0x10},
    digits::kTriangle,
    {-1, 0, -1, 0, -1, 0, -1, 0, -1, 0, -1, 0, -1, 0, -1, 0},
    filled(-1),
    filled(digits::kHeaders),
}};

// The table, behind a pointer the compiler cannot see through: a step
// needs more constants than there are registers, and without it they are
// all built anew, and put aside, for each data-input, which costs more
// than reading each from the table where it is used.
class Constants {
 public:
  UGRAPH_AVX2_INLINE Constants() : table_(kBytes.data()) {
    __asm__("" : "+r"(table_));
  }
  UGRAPH_AVX2_INLINE Lanes operator[](Constant c) const {
    return _mm_load_si128(
        reinterpret_cast<const __m128i*>(table_[c].data()));  // NOLINT
  }

 private:
  const Bytes16* table_;
};

UGRAPH_AVX2_INLINE Lanes load(const char* p) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));  // NOLINT
}
UGRAPH_AVX2_INLINE Lanes is(Lanes v, Lanes c) { return _mm_cmpeq_epi8(v, c); }
UGRAPH_AVX2_INLINE Lanes both(Lanes a, Lanes b) { return _mm_and_si128(a, b); }
UGRAPH_AVX2_INLINE Lanes either(Lanes a, Lanes b) { return _mm_or_si128(a, b); }
UGRAPH_AVX2_INLINE Lanes butNot(Lanes a, Lanes b) {
  return _mm_andnot_si128(b, a);
}

// The bytes of a step sorted by kind; digit1, open1 and open2 tell of the
// byte one or two before each.
struct Kinds {
  Lanes value;  // a digit's value
  Lanes digit;
  Lanes open;
  Lanes known;  // of the five kinds groups hold
  Lanes digit1;
  Lanes open1;
  Lanes open2;
};

UGRAPH_AVX2_INLINE Lanes digitsOf(Lanes value, const Constants& c) {
  return _mm_cmpeq_epi8(_mm_min_epu8(value, c[kNine]), value);
}

UGRAPH_AVX2_INLINE Kinds kindsOf(Lanes v, const Constants& c) {
  Kinds k;
  k.value = _mm_sub_epi8(v, c[kZeroDigit]);
  k.digit = digitsOf(k.value, c);
  k.open = is(v, c[kOpen]);
  k.known = either(
      either(k.digit, k.open),
      either(is(v, c[kClose]), either(is(v, c[kComma]), is(v, c[kBlank]))));
  return k;
}

// What the steps carry from one to the next.
struct Scan {
  Lanes node;    // in each byte, the node the last byte's group is of
  Lanes faults;  // nonzero bytes where a rule is broken
  Lanes known;   // zero bytes where a byte is of no kind
  __m256i word;  // the bits of the word (see digits::kHeaders), in 4 lanes
};

// Reads the 16 bytes v of kinds k; the bytes of skip, read already, are
// looked at for faults only.
//
// Why it works: with every number of one digit the rules of the groups
// are local: a '(' is followed by a digit 1 to 9 and that by ')', nothing
// else stands two bytes after a '(' or is a ')', and no digit follows a
// digit. The node of each neighbour is the last header before it: each
// header digit is tagged with its place, so that the largest tag so far,
// a running maximum taken in four shifts, names the last header. Each
// digit then becomes its bit of the word, a shift in a 64-bit lane, and
// the bits are or-ed together: no byte is looked at on its own. Of two
// neighbouring bytes at most one is a digit, so they are shifted eight at
// a time, not sixteen.
UGRAPH_AVX2_INLINE void step(const Kinds& k, Lanes skip, const Constants& c,
                             Scan& s, Lanes v) {
  const Lanes zero = _mm_cmpeq_epi8(k.value, _mm_setzero_si128());
  const Lanes close = is(v, c[kClose]);
  s.faults =
      either(s.faults, either(either(both(k.digit, k.digit1),
                                     butNot(k.open1, butNot(k.digit, zero))),
                              _mm_xor_si128(k.open2, close)));
  s.known = both(s.known, k.known);

  // Each header's digit tagged with its place; the running maximum of the
  // tags is the last header, or none yet (0), where the node carried in
  // stands.
  const Lanes header = both(k.open1, k.digit);
  Lanes last = both(header, either(k.value, c[kPlaces]));
  last = _mm_max_epu8(last, _mm_slli_si128(last, 1));
  last = _mm_max_epu8(last, _mm_slli_si128(last, 2));
  last = _mm_max_epu8(last, _mm_slli_si128(last, 4));
  last = _mm_max_epu8(last, _mm_slli_si128(last, 8));
  const Lanes node =
      either(both(last, c[kLowNibble]),
             both(_mm_cmpeq_epi8(last, _mm_setzero_si128()), s.node));
  s.node = _mm_shuffle_epi8(node, c[kLastByte]);

  // Each digit's bit, or 255, which shifts to nothing, where the byte is
  // no digit or a neighbour 0, which is no link.
  const Lanes neighbour = butNot(k.digit, either(either(k.open1, zero), skip));
  const Lanes bit = _mm_blendv_epi8(
      _mm_blendv_epi8(c[kAllSet], _mm_add_epi8(k.value, c[kHeaderBits]),
                      header),
      _mm_add_epi8(_mm_shuffle_epi8(c[kTriangle], _mm_max_epu8(node, k.value)),
                   _mm_min_epu8(node, k.value)),
      neighbour);
  const Lanes eight =
      both(_mm_min_epu8(bit, _mm_srli_epi16(bit, 8)), c[kLowBytes]);
  const __m256i one = _mm256_set1_epi64x(1);
  s.word = _mm256_or_si256(
      s.word, _mm256_or_si256(
                  _mm256_sllv_epi64(one, _mm256_cvtepu16_epi64(eight)),
                  _mm256_sllv_epi64(
                      one, _mm256_cvtepu16_epi64(_mm_srli_si128(eight, 8)))));
}

// Reads the 16 bytes at p, the kinds of the two bytes before loaded
// afresh; skip as step's.
UGRAPH_AVX2_INLINE void stepAt(const char* p, Lanes skip, const Constants& c,
                               Scan& s) {
  const Lanes v = load(p);
  Kinds k = kindsOf(v, c);
  k.digit1 = digitsOf(_mm_sub_epi8(load(p - 1), c[kZeroDigit]), c);
  k.open1 = is(load(p - 1), c[kOpen]);
  k.open2 = is(load(p - 2), c[kOpen]);
  step(k, skip, c, s, v);
}

}  // namespace

UGRAPH_AVX2 bool readDigitGroupsAvx2(std::string_view groups, LinkRows& lower,
                                     DigitGroups& out) {
  const std::size_t size = groups.size();
  const Constants c;
  const Lanes none = _mm_setzero_si128();
  Scan s{none, none, _mm_set1_epi8(-1), _mm256_setzero_si256()};
  const char* const p = groups.data();
  if (size < 16) {
    // The groups and the two bytes past their end, where a header left
    // open shows, from a copy with blanks before and after.
    constexpr std::size_t kBehind = 2;
    std::array<char, kBehind + 16> copy;
    copy.fill(' ');
    std::memcpy(copy.data() + kBehind, p, size);
    stepAt(copy.data() + kBehind, none, c, s);
  } else {
    // The kinds of the two bytes before are carried from step to step; the
    // bytes before the groups are none of the parser's.
    Lanes digit = none;
    Lanes open = none;
    std::size_t at = 0;
    for (; at + 16 <= size; at += 16) {
      const Lanes v = load(p + at);
      Kinds k = kindsOf(v, c);
      k.digit1 = _mm_alignr_epi8(k.digit, digit, 15);
      k.open1 = _mm_alignr_epi8(k.open, open, 15);
      k.open2 = _mm_alignr_epi8(k.open, open, 14);
      digit = k.digit;
      open = k.open;
      step(k, none, c, s, v);
    }
    if (at < size) {
      // The last 16 bytes, those read already skipped. The node carried
      // in is that of the byte before the first new one, unless a header
      // stands in the bytes skipped, and then the scan finds it.
      static constexpr std::array<char, 32> kSkip = {
          -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
      stepAt(p + size - 16, load(kSkip.data() + 16 - (at - (size - 16))), c, s);
    }
  }
  if (_mm_testz_si128(s.faults, s.faults) == 0 ||
      _mm_movemask_epi8(s.known) != 0xffff) {
    return false;
  }
  const Lanes word = either(_mm256_castsi256_si128(s.word),
                            _mm256_extracti128_si256(s.word, 1));
  finish(static_cast<uint64_t>(
             _mm_cvtsi128_si64(either(word, _mm_unpackhi_epi64(word, word)))),
         lower, out);
  return true;
}

}  // namespace ugraph

#endif  // UGRAPH_DIGIT_KERNELS
