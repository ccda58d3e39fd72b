// Finding and counting one byte value in text, fast where a catalogue
// needs it: between data-inputs the next bracket or line end is a few
// dozen bytes away, where the fixed cost of a call of memchr outweighs the
// search. With SSE2 (every x86-64 processor has it) both compare 16 bytes
// at a time inline; elsewhere they fall back on the C library and a loop.
#ifndef UGRAPH_BASE_BYTES_H_
#define UGRAPH_BASE_BYTES_H_

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "base/fast_paths.h"

#if UGRAPH_SSE2
#include <emmintrin.h>
#endif

namespace ugraph {

#if UGRAPH_SSE2
namespace bytes_internal {

// The 16 bytes at p. REQUIRES: all 16 lie within the text.
inline __m128i load16(const char* p) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));  // NOLINT
}

// Bit i set when byte i of the 16 at p is c.
inline unsigned matches(const char* p, __m128i c) {
  return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(load16(p), c)));
}

}  // namespace bytes_internal
#endif

// The offset of the first c in text, or text.size(). The first 64 bytes
// are searched inline; a longer search goes to memchr.
inline std::size_t findByte(std::string_view text, char c) {
  std::size_t at = 0;
#if UGRAPH_SSE2
  const __m128i wanted = _mm_set1_epi8(c);
  for (int step = 0; step < 4 && text.size() - at >= 16; ++step, at += 16) {
    const unsigned hits = bytes_internal::matches(text.data() + at, wanted);
    if (hits != 0) return at + static_cast<std::size_t>(std::countr_zero(hits));
  }
#endif
  const void* const hit = std::memchr(text.data() + at, c, text.size() - at);
  return hit == nullptr ? text.size()
                        : static_cast<std::size_t>(
                              static_cast<const char*>(hit) - text.data());
}

// How many bytes of text are c; last becomes the offset of the last of
// them, and is left as it was when there is none.
inline int64_t countByte(std::string_view text, char c, std::size_t& last) {
  std::size_t at = 0;
  int64_t count = 0;
#if UGRAPH_SSE2
  // A matching byte compares as -1, so subtracting the comparison counts it
  // in its lane; the lanes are summed before any could pass 255.
  const __m128i wanted = _mm_set1_epi8(c);
  const __m128i zero = _mm_setzero_si128();
  const auto sum = [&](__m128i lanes) {
    const __m128i halves = _mm_sad_epu8(lanes, zero);
    return _mm_cvtsi128_si32(halves) + _mm_extract_epi16(halves, 4);
  };
  // Bit i of the mask set means byte i of the 16 at offset matched.
  const auto noteLast = [&](__m128i hits, std::size_t offset) {
    const auto mask = static_cast<unsigned>(_mm_movemask_epi8(hits));
    if (mask != 0) {
      last = offset + 31 - static_cast<std::size_t>(std::countl_zero(mask));
    }
  };
  __m128i lanes = zero;
  int steps = 0;
  for (; text.size() - at >= 16; at += 16) {
    const __m128i hits =
        _mm_cmpeq_epi8(bytes_internal::load16(text.data() + at), wanted);
    lanes = _mm_sub_epi8(lanes, hits);
    noteLast(hits, at);
    if (++steps == 255) {
      count += sum(lanes);
      lanes = zero;
      steps = 0;
    }
  }
  if (at > 0 && at < text.size()) {
    // The rest: the last 16 bytes of text, the lanes of those already
    // counted masked off.
    static constexpr char kKeep[32] = {
        0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,
        -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    const std::size_t from = text.size() - 16;
    const __m128i hits = _mm_and_si128(
        _mm_cmpeq_epi8(bytes_internal::load16(text.data() + from), wanted),
        bytes_internal::load16(kKeep + (text.size() - at)));
    lanes = _mm_sub_epi8(lanes, hits);
    noteLast(hits, from);
    at = text.size();
  }
  count += sum(lanes);
#endif
  for (; at < text.size(); ++at) {
    if (text[at] == c) {
      ++count;
      last = at;
    }
  }
  return count;
}

}  // namespace ugraph

#endif  // UGRAPH_BASE_BYTES_H_
