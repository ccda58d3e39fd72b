// What the kernels of digit_groups.h share: the one word of bits they
// gather, and how it becomes rows. Included only by the kernels and the
// unit that chooses among them, in builds for x86-64 with GCC or Clang.
#ifndef UGRAPH_FORMATS_CATALOGUE_DIGIT_GROUPS_KERNELS_H_
#define UGRAPH_FORMATS_CATALOGUE_DIGIT_GROUPS_KERNELS_H_

#include <immintrin.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "formats/catalogue/data_input.h"
#include "formats/catalogue/digit_groups.h"

// The kernels' helpers are inlined when optimising, to keep their
// constants and carried values in registers; unoptimised (the sanitizer
// build), each keeps a frame of its own, which the next call takes over,
// so that the kernels' many vector values do not pile up in one frame.
#if defined(__OPTIMIZE__)
#define UGRAPH_KERNEL_INLINE always_inline
#else
#define UGRAPH_KERNEL_INLINE noinline
#endif
#define UGRAPH_AVX2 __attribute__((target("avx2,popcnt")))
#define UGRAPH_AVX2_INLINE \
  __attribute__((target("avx2,popcnt"), UGRAPH_KERNEL_INLINE)) inline

namespace ugraph {

// The kernels; each is readDigitGroups for a processor that runs it, of
// groups readDigitGroupsWith has not already left to the parser.
// REQUIRES: as readDigitGroups; groups of at most twice kMaxFileLinks
// bytes, with no '(' in their last two.
bool readDigitGroupsAvx2(std::string_view groups, LinkRows& lower,
                         DigitGroups& out);
bool readDigitGroupsAvx512(std::string_view groups, LinkRows& lower,
                           DigitGroups& out);

namespace digits {

// A kernel gathers one word: bit b (b - 1) / 2 + a - 1 for the link of
// a <= b (45 bits hold every pair of nodes 1 to 9, a self-link included),
// and bit kHeaders + h for each header h, so that the word tells the
// links and the largest number both.
constexpr int kHeaders = 45;

// b (b - 1) / 2 - 1 at b: the bit of the link of a <= b is a plus this.
// (At 0 and past 9, never asked for.)
constexpr std::array<char, 16> kTriangle = {-1, -1, 0, 2, 5, 9, 14, 20,
                                            27, 35, 0, 0, 0, 0, 0,  0};

// N bytes of c, for the kernels' tables of constants.
template <std::size_t N>
constexpr std::array<char, N> filled(char c) {
  std::array<char, N> bytes{};
  bytes.fill(c);
  return bytes;
}

// The node whose row holds each bit of a link.
constexpr std::array<int8_t, kHeaders> kRowOfBit = [] {
  std::array<int8_t, kHeaders> rows{};
  std::size_t bit = 0;
  for (int8_t b = 1; bit < rows.size(); ++b) {
    for (int8_t a = 1; a <= b; ++a) rows[bit++] = b;
  }
  return rows;
}();

// Fills lower and out from the word a kernel gathered: row b is b bits
// from bit b (b - 1) / 2, moved up to start at bit 1.
UGRAPH_AVX2_INLINE void finish(uint64_t word, LinkRows& lower,
                               DigitGroups& out) {
  const uint64_t links = word & ((uint64_t{1} << kHeaders) - 1);
  const __m256i all = _mm256_set1_epi64x(static_cast<int64_t>(links));
  const auto rows = [&](__m256i from, __m256i width) UGRAPH_AVX2 {
    return _mm256_slli_epi64(
        _mm256_and_si256(_mm256_srlv_epi64(all, from), width), 1);
  };
  lower[0] = 0;
  _mm256_storeu_si256(
      reinterpret_cast<__m256i*>(&lower[1]),  // NOLINT
      rows(_mm256_setr_epi64x(0, 1, 3, 6), _mm256_setr_epi64x(1, 3, 7, 15)));
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(&lower[5]),  // NOLINT
                      rows(_mm256_setr_epi64x(10, 15, 21, 28),
                           _mm256_setr_epi64x(31, 63, 127, 255)));
  lower[9] = (links >> 36 & 511) << 1;
  // Groups begin with a header, so the word has one.
  const int header = 63 - __builtin_clzll(word) - kHeaders;
  const int neighbour =
      links == 0
          ? 0
          : kRowOfBit[static_cast<std::size_t>(63 - __builtin_clzll(links))];
  out.nodeCount = std::max(header, neighbour);
  out.links = __builtin_popcountll(links);
}

}  // namespace digits
}  // namespace ugraph

#endif  // UGRAPH_FORMATS_CATALOGUE_DIGIT_GROUPS_KERNELS_H_
