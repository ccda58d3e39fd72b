// The AVX-512 kernel of digit_groups.h: 64 bytes a step. It reads as the
// AVX2 kernel does (see digit_groups_avx2.cpp for why that works), but the
// kinds of bytes are masks, one bit a byte, and the bytes past the end are
// masked off as they are loaded, so that it needs no copy and no second
// look at the last bytes.
//
// The intrinsics are used in their masked forms throughout: GCC 12 warns
// of the unmasked forms' undefined filler.
#include "base/fast_paths.h"

#if UGRAPH_DIGIT_KERNELS

#include <algorithm>
#include <array>
#include <cstddef>

#include "formats/catalogue/digit_groups_kernels.h"

#define UGRAPH_AVX512 \
  __attribute__((target("avx512f,avx512bw,avx512vbmi,bmi2,popcnt")))
#define UGRAPH_AVX512_INLINE                                        \
  __attribute__((target("avx512f,avx512bw,avx512vbmi,bmi2,popcnt"), \
                 UGRAPH_KERNEL_INLINE)) inline

namespace ugraph {
namespace {

using digits::finish;
using Lanes = __m512i;
using Mask = __mmask64;
constexpr Mask kAll = ~Mask{0};

// The constants of a step, 64 bytes each.
enum Constant : std::size_t {
  kZeroDigit,
  kTen,
  kOpen,
  kClose,
  kComma,
  kBlank,
  kAfterPlace,  // each byte's place plus 1
  kBack,        // each byte's place less 1, 63 at 0
  kLastPlace,
  kLastOf16,
  kTriangle,
  kHeaderBits,
  kLowBytes,
  kConstants
};
using Bytes64 = std::array<char, 64>;
constexpr auto filled = digits::filled<64>;
alignas(64) constexpr std::array<Bytes64, kConstants> kBytes = [] {
  std::array<Bytes64, kConstants> t{};
  t[kZeroDigit] = filled('0');
  t[kTen] = filled(10);
  t[kOpen] = filled('(');
  t[kClose] = filled(')');
  t[kComma] = filled(',');
  t[kBlank] = filled(' ');
  for (std::size_t i = 0; i < 64; ++i) {
    t[kAfterPlace][i] = static_cast<char>(i + 1);
    t[kBack][i] = static_cast<char>((i + 63) % 64);
    t[kTriangle][i] = digits::kTriangle[i % 16];
    t[kLowBytes][i] = i % 2 == 0 ? char{-1} : char{0};
  }
  t[kLastPlace] = filled(63);
  t[kLastOf16] = filled(15);
  t[kHeaderBits] = filled(digits::kHeaders);
  return t;
}();

// The table, behind a pointer the compiler cannot see through, for the
// reason the AVX2 kernel gives.
class Constants {
 public:
  UGRAPH_AVX512_INLINE Constants() : table_(kBytes.data()) {
    __asm__("" : "+r"(table_));
  }
  UGRAPH_AVX512_INLINE Lanes operator[](Constant c) const {
    return _mm512_load_si512(table_[c].data());
  }

 private:
  const Bytes64* table_;
};

// What the steps carry from one to the next.
struct Scan {
  Mask faults = 0;
  Lanes node;  // in each byte, the node the last byte's group is of
  Lanes word;  // the bits of the word (see digits::kHeaders), in 8 lanes
};

UGRAPH_AVX512_INLINE Mask digitsOf(Lanes v, const Constants& c) {
  return _mm512_cmplt_epu8_mask(_mm512_sub_epi8(v, c[kZeroDigit]), c[kTen]);
}

// The bits the 16-bit lanes of `eight` name, eight lanes of them.
UGRAPH_AVX512_INLINE Lanes bitsOf(__m128i eight) {
  return _mm512_maskz_sllv_epi64(0xff, _mm512_set1_epi64(1),
                                 _mm512_maskz_cvtepu16_epi64(0xff, eight));
}

// The node of the group each byte stands in: the last header at or before
// it, or before the step the one s carries in; carries the last byte's on.
UGRAPH_AVX512_INLINE Lanes nodesOf(Mask header, Lanes d, const Constants& c,
                                   Scan& s) {
  // The last header at or before each byte, as its place plus 1 (0 for
  // none). Places only grow, so this is a running maximum, taken within
  // each 16 bytes by four shifts and then carried across the four 16s,
  // which keeps the chain of operations short. The header's digit is then
  // fetched from its place; place 0 holds the node carried in.
  const Lanes none = _mm512_setzero_si512();
  Lanes place = _mm512_maskz_mov_epi8(header, c[kAfterPlace]);
  place = _mm512_max_epu8(place, _mm512_bslli_epi128(place, 1));
  place = _mm512_max_epu8(place, _mm512_bslli_epi128(place, 2));
  place = _mm512_max_epu8(place, _mm512_bslli_epi128(place, 4));
  place = _mm512_max_epu8(place, _mm512_bslli_epi128(place, 8));
  const Lanes ends = _mm512_shuffle_epi8(place, c[kLastOf16]);
  place = _mm512_max_epu8(
      place,
      _mm512_max_epu8(
          _mm512_max_epu8(_mm512_maskz_alignr_epi64(0xff, ends, none, 6),
                          _mm512_maskz_alignr_epi64(0xff, ends, none, 4)),
          _mm512_maskz_alignr_epi64(0xff, ends, none, 2)));
  const Lanes node = _mm512_maskz_permutex2var_epi8(
      kAll, _mm512_mask_permutexvar_epi8(s.node, ~Mask{1}, c[kBack], d), place,
      _mm512_maskz_permutexvar_epi8(kAll, c[kLastPlace], d));
  s.node = _mm512_maskz_permutexvar_epi8(kAll, c[kLastPlace], node);
  return node;
}

// Reads the bytes at p that valid marks, the first of 64, with the two
// bytes before each loaded again from one and two bytes back.
UGRAPH_AVX512_INLINE void step(const char* p, Mask valid, const Constants& c,
                               Scan& s) {
  const Lanes v = _mm512_maskz_loadu_epi8(valid, p);
  const Lanes v1 = _mm512_maskz_loadu_epi8(valid, p - 1);
  const Lanes d = _mm512_sub_epi8(v, c[kZeroDigit]);
  const Mask digit = _mm512_cmplt_epu8_mask(d, c[kTen]);
  const Mask digit1 = digitsOf(v1, c);
  const Mask open1 = _mm512_cmpeq_epi8_mask(v1, c[kOpen]);
  const Mask open2 =
      _mm512_cmpeq_epi8_mask(_mm512_maskz_loadu_epi8(valid, p - 2), c[kOpen]);
  const Mask close = _mm512_cmpeq_epi8_mask(v, c[kClose]);
  const Mask zero = _mm512_cmpeq_epi8_mask(v, c[kZeroDigit]);
  const Mask known = _kor_mask64(
      _kor_mask64(digit, _mm512_cmpeq_epi8_mask(v, c[kOpen])),
      _kor_mask64(_kor_mask64(close, _mm512_cmpeq_epi8_mask(v, c[kComma])),
                  _mm512_cmpeq_epi8_mask(v, c[kBlank])));
  const Mask header = _kand_mask64(open1, digit);
  s.faults = _kor_mask64(
      s.faults,
      _kand_mask64(
          valid,
          _kor_mask64(
              _kor_mask64(_kand_mask64(digit, digit1),
                          _kandn_mask64(_kandn_mask64(zero, digit), open1)),
              _kor_mask64(_kxor_mask64(open2, close), _knot_mask64(known)))));

  const Lanes node = nodesOf(header, d, c, s);

  // Each digit's bit, 255 where the byte is no digit or a neighbour 0.
  const Lanes bit = _mm512_mask_add_epi8(
      _mm512_mask_add_epi8(_mm512_set1_epi8(-1), header, d, c[kHeaderBits]),
      _kandn_mask64(_kor_mask64(open1, zero), digit),
      _mm512_maskz_permutexvar_epi8(kAll, _mm512_max_epu8(node, d),
                                    c[kTriangle]),
      _mm512_min_epu8(node, d));
  const Lanes words = _mm512_and_si512(
      _mm512_min_epu8(bit, _mm512_srli_epi16(bit, 8)), c[kLowBytes]);
  s.word = _mm512_ternarylogic_epi64(
      s.word,
      _mm512_or_si512(bitsOf(_mm512_maskz_extracti32x4_epi32(0xf, words, 0)),
                      bitsOf(_mm512_maskz_extracti32x4_epi32(0xf, words, 1))),
      _mm512_or_si512(bitsOf(_mm512_maskz_extracti32x4_epi32(0xf, words, 2)),
                      bitsOf(_mm512_maskz_extracti32x4_epi32(0xf, words, 3))),
      0xfe);
}

// The first `count` of 64 bytes, count at most 64.
UGRAPH_AVX512_INLINE Mask first(std::size_t count) {
  return _bzhi_u64(kAll, static_cast<unsigned>(count));
}

}  // namespace

UGRAPH_AVX512 bool readDigitGroupsAvx512(std::string_view groups,
                                         LinkRows& lower, DigitGroups& out) {
  const std::size_t size = groups.size();
  const char* const p = groups.data();
  const Constants c;
  Scan s;
  s.node = _mm512_setzero_si512();
  s.word = _mm512_setzero_si512();
  // The groups of most small graphs fit in two steps, and both are taken
  // whatever their length: a loop would often be mistaken about its end.
  const std::size_t second = std::min<std::size_t>(size, 64);
  step(p, first(second), c, s);
  step(p + second, first(std::min<std::size_t>(size - second, 64)), c, s);
  for (std::size_t at = 128; at < size; at += 64) {
    step(p + at, first(std::min<std::size_t>(size - at, 64)), c, s);
  }
  if (_kortestz_mask64_u8(s.faults, s.faults) == 0) return false;
  const __m256i half =
      _mm256_or_si256(_mm512_maskz_extracti64x4_epi64(0xff, s.word, 0),
                      _mm512_maskz_extracti64x4_epi64(0xff, s.word, 1));
  const __m128i quarter = _mm_or_si128(_mm256_castsi256_si128(half),
                                       _mm256_extracti128_si256(half, 1));
  finish(static_cast<uint64_t>(_mm_cvtsi128_si64(
             _mm_or_si128(quarter, _mm_unpackhi_epi64(quarter, quarter)))),
         lower, out);
  return true;
}

}  // namespace ugraph

#endif  // UGRAPH_DIGIT_KERNELS
