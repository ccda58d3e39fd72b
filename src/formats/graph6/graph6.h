// nauty's graph6 and sparse6 formats: one undirected graph a line, every
// byte (but sparse6's leading ':') a value from 63 to 126 that carries six
// bits. Vertex i of a line is node i + 1 here. A line's first byte names
// its format, as nauty's readers take it: ':' sparse6, '&' digraph6 (a
// directed graph, refused), anything else graph6; a stream of lines may
// mix them. Decoding and encoding are pure functions of their arguments.
#ifndef UGRAPH_FORMATS_GRAPH6_GRAPH6_H_
#define UGRAPH_FORMATS_GRAPH6_GRAPH6_H_

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string_view>

#include "formats/catalogue/data_input.h"
#include "graph/classify.h"
#include "graph/normalize.h"
#include "graph/ugraph.h"

namespace ugraph {

enum class LineFormat { kGraph6, kSparse6 };

// The header a file of either format may begin with, on the first graph's
// line.
inline constexpr std::string_view kGraph6Header = ">>graph6<<";
inline constexpr std::string_view kSparse6Header = ">>sparse6<<";

// The length of the header that text begins with, 0 when none.
constexpr std::size_t headerLength(std::string_view text) {
  for (const std::string_view header : {kGraph6Header, kSparse6Header}) {
    if (text.starts_with(header)) return header.size();
  }
  return 0;
}

// The most nodes a line may hold: nodes are numbered in 32 bits.
inline constexpr int64_t kMaxLineNodes = INT32_MAX;

// What the front of a graph line says: its format, its node count, and
// where the bytes that hold its links begin.
struct LineHead {
  LineFormat format = LineFormat::kGraph6;
  int32_t n = 0;
  std::size_t body = 0;
};

// Whether a file whose first line is line (without its line end, or as
// much of it as was read) holds graph lines: bytes of 63 to 126 that hold
// a node count, after a ':' for sparse6, or '&' and such bytes (digraph6,
// which is then refused as such), start them, whatever the line's length
// says of its count; anything else, an empty line too, does not. Only the
// count and the bytes decide: a line too long to be seen whole before
// detection must choose, or one cut short, is still graph6 or sparse6 for
// as far as it goes, and its reader refuses it at its place.
bool startsGraphLines(std::string_view line);

// Whether a first line that begins with prefix, not yet whole, may still
// turn out a graph line: its bytes after a leading ':' or '&' carry six
// bits each.
bool mayBeGraphLine(std::string_view prefix);

// Reads the front of line (without its line end) and checks the whole
// line's bytes and, for graph6, its length. Returns the first fault,
// reading left to right, with `at` its offset in line: kDigraph at 0 for
// '&', a byte outside 63..126 (kBadByte), kLineTooShort one past the last
// byte, kTooManyNodes at the node count's first byte for a count above
// kMaxLineNodes, kLineTooLong at graph6's first extra byte. Any bytes are
// safe.
ParseResult readLineHead(std::string_view line, LineHead& head);

// The bits of a run of six-bit bytes, most significant first, taken up to
// 32 at a time. REQUIRES: every byte carries six bits (63..126).
class SixBitReader {
 public:
  explicit SixBitReader(std::string_view bytes) : bytes_(bytes) {}
  // The bits not yet taken.
  uint64_t left() const { return held_ + 6 * (bytes_.size() - next_); }
  // The next count bits as a number. REQUIRES: 1 <= count <= 32, count
  // <= left().
  uint64_t take(int count) {
    if (held_ < static_cast<uint64_t>(count)) refill();
    held_ -= static_cast<uint64_t>(count);
    return bits_ >> held_ & ((uint64_t{1} << count) - 1);
  }

 private:
  // Gathers at least 32 bits, or all that are left. Eight bytes at a time
  // their 48 bits are packed in a few steps, lane by lane (each byte's six
  // bits, then pairs of 12, then halves of 24), where a byte at a time
  // costs a load, a shift and an add each; the last bytes go one by one.
  void refill() {
    if constexpr (std::endian::native == std::endian::little) {
      while (held_ <= 16 && bytes_.size() - next_ >= 8) {
        uint64_t w = 0;
        std::memcpy(&w, bytes_.data() + next_, sizeof w);
        w = __builtin_bswap64(w - 0x3F3F3F3F3F3F3F3FU);  // first byte on top
        w = (w & 0x3F003F003F003F00U) >> 2 | (w & 0x003F003F003F003FU);
        w = (w & 0x0FFF00000FFF0000U) >> 4 | (w & 0x00000FFF00000FFFU);
        w = (w & 0x00FFFFFF00000000U) >> 8 | (w & 0x0000000000FFFFFFU);
        bits_ = bits_ << 48 | w;
        held_ += 48;
        next_ += 8;
      }
    }
    while (held_ < 32 && next_ < bytes_.size()) {
      bits_ = bits_ << 6 | (static_cast<uint8_t>(bytes_[next_++]) - 63U);
      held_ += 6;
    }
  }

  std::string_view bytes_;
  std::size_t next_ = 0;
  uint64_t bits_ = 0;
  uint64_t held_ = 0;
};

// The bits needed to write n - 1 in binary, 0 for n <= 1.
constexpr int bitsFor(int64_t n) {
  return n <= 1 ? 0 : 64 - std::countl_zero(static_cast<uint64_t>(n - 1));
}

// Calls sink(a, b) for every link {a, b} the line holds, in its order: a
// self-link as a == b, a repeated sparse6 link each time. graph6 gives
// each link once, a < b, by b and then a.
// REQUIRES: readLineHead(line, head) found no fault.
template <class Sink>
void forEachLineLink(std::string_view line, const LineHead& head, Sink&& sink) {
  const std::string_view bits(line.data() + head.body, line.size() - head.body);
  const int64_t n = head.n;
  if (head.format == LineFormat::kGraph6) {
    // Bit k stands for the k-th pair (i, j), i < j, column by column; the
    // pair of each byte's first bit is kept, and only the bits set are
    // visited.
    int64_t i = 0;
    int64_t j = 1;
    for (std::size_t byte = 0; byte < bits.size() && j < n; ++byte) {
      for (auto value =
               static_cast<unsigned>(static_cast<uint8_t>(bits[byte]) - 63U);
           value != 0; value &= value - 1) {
        int64_t bi = i + 5 - std::countr_zero(value);
        int64_t bj = j;
        while (bi >= bj) {
          bi -= bj;
          ++bj;
        }
        if (bj < n) {
          sink(static_cast<int32_t>(bi + 1), static_cast<int32_t>(bj + 1));
        }
      }
      i += 6;
      while (i >= j && j < n) {
        i -= j;
        ++j;
      }
    }
    return;
  }
  // Pairs (b, x): b = 1 moves v on by one; then x > v moves v to x, and
  // otherwise the pair is the link {x, v}. The first pair that reaches n
  // is padding, as is an incomplete one at the end.
  const int k = bitsFor(n);
  SixBitReader reader(bits);
  int64_t v = 0;
  while (reader.left() >= static_cast<uint64_t>(k) + 1) {
    // The bit and the number of a pair in one take: k + 1 <= 32.
    const uint64_t pair = reader.take(k + 1);
    v += static_cast<int64_t>(pair >> k);
    const auto x = static_cast<int64_t>(pair & ((uint64_t{1} << k) - 1));
    if (v >= n || x >= n) return;
    if (x > v) {
      v = x;
    } else {
      sink(static_cast<int32_t>(x + 1), static_cast<int32_t>(v + 1));
    }
  }
}

// Decodes a line of at most kMaxNodes nodes into its node count n and
// rows: readLineHead's faults, and kOver50Nodes at the node count's first
// byte for a larger graph. A repeated sparse6 link counts once; padding
// is ignored. Any bytes are safe.
ParseResult decodeGraphLine(std::string_view line, int32_t& n, LinkRows& rows);

// Decodes the links of line, whose front readLineHead read without a
// fault, into rows. REQUIRES: head.n <= kMaxNodes.
void decodeRows(std::string_view line, const LineHead& head, LinkRows& rows);

// The same into lower rows (see keepLowerRows): row b holds the neighbours
// of b up to b itself. graph6 stores the pairs column by column, a
// column's pairs in a row, so each row is taken from the line whole.
// Returns the distinct links, a self-link counting as one.
// REQUIRES: as decodeRows.
int32_t decodeLowerRows(std::string_view line, const LineHead& head,
                        LinkRows& rows);

// Gathers bits into six-bit bytes, handing them to sink(std::string_view)
// in pieces.
template <class Sink>
class SixBitWriter {
 public:
  explicit SixBitWriter(Sink& sink) : sink_(sink) {}
  ~SixBitWriter() { flushBytes(); }
  SixBitWriter(const SixBitWriter&) = delete;
  SixBitWriter& operator=(const SixBitWriter&) = delete;

  void put(int bit) {
    byte_ = byte_ << 1 | bit;
    if (--free_ == 0) flush();
  }
  void put(int64_t value, int count) {
    for (int i = count - 1; i >= 0; --i) put(static_cast<int>(value >> i & 1));
  }
  // A byte as it stands: the leading ':' or a line end.
  void raw(char c) {
    if (used_ == bytes_.size()) flushBytes();
    bytes_[used_++] = c;
  }
  // The node count n as nauty writes it: one byte up to 62, 126 and three
  // bytes up to 258047, else two bytes 126 and six.
  void count(int64_t n) {
    if (n > 258047) {
      raw('~');
      raw('~');
      for (int shift = 30; shift >= 0; shift -= 6) raw(sixBits(n >> shift));
    } else if (n > 62) {
      raw('~');
      for (int shift = 12; shift >= 0; shift -= 6) raw(sixBits(n >> shift));
    } else {
      raw(sixBits(n));
    }
  }
  int free() const { return free_; }
  // Fills the last byte's free bits from padding's low bits.
  void pad(int padding) {
    if (free_ == 6) return;
    byte_ = byte_ << free_ | padding;
    flush();
  }
  void flushBytes() {
    if (used_ != 0) sink_(std::string_view(bytes_.data(), used_));
    used_ = 0;
  }

 private:
  static char sixBits(int64_t value) {
    return static_cast<char>(63 + (value & 63));
  }
  void flush() {
    raw(static_cast<char>(63 + byte_));
    byte_ = 0;
    free_ = 6;
  }
  Sink& sink_;
  std::array<char, 4096> bytes_;
  std::size_t used_ = 0;
  int byte_ = 0;
  int free_ = 6;
};

// Writes graph, which has nodes() and forEachNeighbour as RowsGraph has,
// as nauty writes it, with its line end, to sink(std::string_view): byte
// for byte what nauty's encoder writes for the same graph. In sparse6 the
// links {i, j}, i <= j, come by j and then i, each as the pairs that move
// v to j and name i; the padding is 1-bits, but for one case where 1-bits
// would read as one more link, 0 and then 1-bits. Returns false, having
// written nothing, for a graph that graph6 cannot hold (a self-link).
template <class Graph, class Sink>
bool encodeGraph(const Graph& graph, LineFormat format, Sink&& sink) {
  const int64_t n = graph.nodes();
  if (format == LineFormat::kGraph6) {
    for (int32_t a = 1; a <= n; ++a) {
      bool self = false;
      graph.forEachNeighbour(a, [&](int32_t b) {
        self = b == a;
        return b < a;  // past a, its self-link would have come
      });
      if (self) return false;
    }
  }
  SixBitWriter<Sink> w(sink);
  if (format == LineFormat::kSparse6) w.raw(':');
  w.count(n);
  if (format == LineFormat::kGraph6) {
    for (int64_t j = 1; j < n; ++j) {
      int64_t i = 0;  // the next row of column j to write
      graph.forEachNeighbour(static_cast<int32_t>(j + 1), [&](int32_t b) {
        if (b - 1 >= j) return false;
        for (; i < b - 1; ++i) w.put(0);
        w.put(1);
        ++i;
        return true;
      });
      for (; i < j; ++i) w.put(0);
    }
    w.pad(0);
  } else {
    const int k = bitsFor(n);
    int64_t last = 0;  // v as the reader will have it
    for (int64_t j = 0; j < n; ++j) {
      graph.forEachNeighbour(static_cast<int32_t>(j + 1), [&](int32_t b) {
        const int64_t i = b - 1;
        if (i > j) return false;
        if (j == last) {
          w.put(0);
        } else {
          w.put(1);
          if (j > last + 1) {
            w.put(j, k);
            w.put(0);
          }
          last = j;
        }
        w.put(i, k);
        return true;
      });
    }
    const int free = w.free();
    const bool oneMoreLink =
        free != 6 && free >= k + 1 && last == n - 2 && n == int64_t{1} << k;
    w.pad(oneMoreLink ? (1 << (free - 1)) - 1 : (1 << free) - 1);
  }
  w.raw('\n');
  return true;
}

// Room for one encoded line of up to kMaxNodes nodes, its line end
// included.
using GraphLine = std::array<char, 4096>;

// Writes g, normalised, as encodeGraph does, into out. Returns the line,
// or an empty view for a graph that graph6 cannot hold (a self-link).
std::string_view encodeGraphLine(const Ugraph& g, LineFormat format,
                                 GraphLine& out);

}  // namespace ugraph

#endif  // UGRAPH_FORMATS_GRAPH6_GRAPH6_H_
