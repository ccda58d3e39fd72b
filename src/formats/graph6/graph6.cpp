#include "formats/graph6/graph6.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstring>

#include "graph/row_parts.h"

namespace ugraph {
namespace {

constexpr int kBias = 63;  // a byte's value is its six bits plus this

int sixBits(char c) { return static_cast<uint8_t>(c) - kBias; }

bool carriesSixBits(char c) {
  const auto u = static_cast<uint8_t>(c);
  return u >= kBias && u <= 126;
}

// Whether all eight bytes of w lie in 63..126: none has its high bit set,
// and of their low seven bits x, x + 65 reaches 128 (x >= 63) while
// x + 1 does not (x <= 126); neither sum carries into the next byte.
bool allCarrySixBits(uint64_t w) {
  constexpr uint64_t kHigh = 0x8080808080808080U;
  constexpr uint64_t kOnes = 0x0101010101010101U;
  const uint64_t x = w & ~kHigh;
  return (w & kHigh) == 0 && ((x + 65 * kOnes) & ~(x + kOnes) & kHigh) == kHigh;
}

// The offset of the first byte of s outside 63..126, s.size() when none.
// Long lines are passed over eight bytes at a time, and the byte found at
// the end one by one.
std::size_t firstBadByte(std::string_view s) {
  std::size_t i = 0;
  for (; i + 8 <= s.size(); i += 8) {
    uint64_t w = 0;
    std::memcpy(&w, s.data() + i, sizeof w);
    if (!allCarrySixBits(w)) break;
  }
  for (; i < s.size(); ++i) {
    if (!carriesSixBits(s[i])) return i;
  }
  return s.size();
}

// Reads the node count at the front of s: one byte below 126, or 126 and
// three bytes, or 126, 126 and six bytes. Returns the bytes it takes, 0
// when s is too short to hold it.
std::size_t readNodeCount(std::string_view s, int64_t& n) {
  if (s.empty()) return 0;
  if (sixBits(s[0]) < 63) {
    n = sixBits(s[0]);
    return 1;
  }
  const std::size_t length = s.size() >= 2 && sixBits(s[1]) == 63 ? 8 : 4;
  if (s.size() < length) return 0;
  n = 0;
  for (std::size_t i = length == 8 ? 2 : 1; i < length; ++i) {
    n = n << 6 | sixBits(s[i]);
  }
  return length;
}

void link(LinkRows& rows, int64_t a, int64_t b) {
  rows[static_cast<std::size_t>(a)] |= uint64_t{1} << b;
  rows[static_cast<std::size_t>(b)] |= uint64_t{1} << a;
}

}  // namespace

bool mayBeGraphLine(std::string_view prefix) {
  std::size_t i = !prefix.empty() && (prefix[0] == ':' || prefix[0] == '&');
  for (; i < prefix.size(); ++i) {
    if (!carriesSixBits(prefix[i]) && prefix[i] != '\r') return false;
  }
  return true;
}

bool startsGraphLines(std::string_view line) {
  if (line.empty() || !mayBeGraphLine(line)) return false;
  if (line[0] == '&') return true;
  const std::size_t at = line[0] == ':' ? 1 : 0;
  int64_t count = 0;
  return readNodeCount(std::string_view(line.data() + at, line.size() - at),
                       count) != 0;
}

ParseResult readLineHead(std::string_view line, LineHead& head) {
  if (!line.empty() && line[0] == '&') return {Refusal::kDigraph, 0};
  const std::size_t at =
      !line.empty() && line[0] == ':' ? 1 : 0;  // where the count begins
  head.format = at == 1 ? LineFormat::kSparse6 : LineFormat::kGraph6;
  // Views past the front, built without substr's range check: at and
  // what follows are within line.
  const auto from = [&](std::size_t offset) {
    return std::string_view(line.data() + offset, line.size() - offset);
  };
  const std::size_t bad = at + firstBadByte(from(at));
  if (bad < line.size()) return {Refusal::kBadByte, bad};
  int64_t count = 0;
  const std::size_t size = readNodeCount(from(at), count);
  if (size == 0) return {Refusal::kLineTooShort, line.size()};
  if (count > kMaxLineNodes) return {Refusal::kTooManyNodes, at};
  head.n = static_cast<int32_t>(count);
  head.body = at + size;
  if (head.format == LineFormat::kSparse6) return {};
  const auto pairs = static_cast<uint64_t>(count) *
                     static_cast<uint64_t>(count > 0 ? count - 1 : 0) / 2;
  const uint64_t needed = (pairs + 5) / 6;
  const uint64_t held = line.size() - head.body;
  if (held < needed) return {Refusal::kLineTooShort, line.size()};
  if (held > needed) {
    return {Refusal::kLineTooLong,
            head.body + static_cast<std::size_t>(needed)};
  }
  return {};
}

ParseResult decodeGraphLine(std::string_view line, int32_t& n, LinkRows& rows) {
  LineHead head;
  const ParseResult read = readLineHead(line, head);
  // The node count, once read, is checked before the line's length.
  if (read.refusal == Refusal::kTooManyNodes || head.n > kMaxNodes) {
    rows = {};
    return {Refusal::kOver50Nodes, line.empty() || line[0] != ':' ? 0U : 1U};
  }
  if (read.refusal != Refusal::kNone) {
    rows = {};
    return read;
  }
  n = head.n;
  decodeRows(line, head, rows);
  return {};
}

void decodeRows(std::string_view line, const LineHead& head, LinkRows& rows) {
  rows = {};
  if (head.format == LineFormat::kSparse6) {
    forEachLineLink(line, head,
                    [&](int32_t a, int32_t b) { link(rows, a, b); });
    return;
  }
  // Each column b comes off the line whole as the lower neighbours of b;
  // each of them then gains b. Only rows below b gain, so row b is still
  // its column alone when its turn comes.
  decodeLowerRows(line, head, rows);
  const auto n = static_cast<std::size_t>(head.n);
  for (std::size_t b = 2; b <= n; ++b) {
    const uint64_t bit = uint64_t{1} << b;
    for (uint64_t lower = rows[b]; lower != 0; lower &= lower - 1) {
      rows[static_cast<std::size_t>(std::countr_zero(lower))] |= bit;
    }
  }
}

int32_t decodeLowerRows(std::string_view line, const LineHead& head,
                        LinkRows& rows) {
  const auto n = static_cast<std::size_t>(head.n);
  std::fill_n(rows.begin(), n + 1, 0);
  int32_t links = 0;
  if (head.format == LineFormat::kSparse6) {
    forEachLineLink(line, head, [&](int32_t a, int32_t b) {
      links += markLowerLink(rows, a, b);
    });
    return links;
  }
  // Column b (from 2) holds the pairs (1, b) .. (b - 1, b), in b - 1 bits
  // in a row. The bytes' bits, taken reversed, are queued lowest first, so
  // a column comes off the queue as a row: its bit a - 1 for node a. The
  // links are the bits of the bytes less those of the padding left over.
  struct SixBits {
    uint8_t reversed;
    uint8_t count;
  };
  static constexpr auto kSix = [] {
    std::array<SixBits, 64> table{};
    for (unsigned v = 0; v < 64; ++v) {
      for (unsigned bit = 0; bit < 6; ++bit) {
        table[v].reversed = static_cast<uint8_t>(table[v].reversed |
                                                 (v >> bit & 1U) << (5 - bit));
        table[v].count = static_cast<uint8_t>(table[v].count + (v >> bit & 1U));
      }
    }
    return table;
  }();
  const char* next = line.data() + head.body;
  uint64_t queue = 0;
  std::size_t queued = 0;
  const auto take = [&] {
    const SixBits six = kSix[static_cast<std::size_t>(sixBits(*next++)) & 63U];
    queue |= uint64_t{six.reversed} << queued;
    links += six.count;
    queued += 6;
  };
  const auto column = [&](std::size_t b) {
    const std::size_t width = b - 1;
    rows[b] = (queue & ((uint64_t{1} << width) - 1)) << 1;
    queue >>= width;
    queued -= width;
  };
  // Up to 11 nodes the whole line fits the queue: 55 bits in 10 bytes.
  if (n <= 11) {
    const char* const end = line.data() + line.size();
    while (next != end) take();
    for (std::size_t b = 2; b <= n; ++b) column(b);
    return links - kSix[queue & 63U].count;
  }
  for (std::size_t b = 2; b <= n; ++b) {
    while (queued < b - 1) take();  // at most b - 2 + 6 < 64 bits
    column(b);
  }
  return links - kSix[queue & 63U].count;
}

std::string_view encodeGraphLine(const Ugraph& g, LineFormat format,
                                 GraphLine& out) {
  LinkRows rows{};
  for (std::size_t i = 1; g.linkFrom[i] != 0; ++i) {
    rows[static_cast<std::size_t>(g.linkFrom[i])] |= uint64_t{1} << g.linkTo[i];
  }
  std::size_t length = 0;
  const bool written = encodeGraph(
      RowsGraph(rows, g.linkTo[0]), format, [&](std::string_view piece) {
        piece.copy(out.data() + length, piece.size());
        length += piece.size();
      });
  return written ? std::string_view(out.data(), length) : std::string_view();
}

}  // namespace ugraph
