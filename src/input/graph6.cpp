#include "input/graph6.h"

#include <bit>
#include <cstddef>

namespace ugraph {
namespace {

constexpr int kBias = 63;  // a byte's value is its six bits plus this

bool carriesSixBits(char c) {
  const auto u = static_cast<uint8_t>(c);
  return u >= kBias && u <= 126;
}

int sixBits(char c) { return static_cast<uint8_t>(c) - kBias; }

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

// The bits of a run of six-bit bytes, most significant first.
class BitReader {
 public:
  explicit BitReader(std::string_view bytes) : bytes_(bytes) {}
  std::size_t left() const { return bytes_.size() * 6 - pos_; }
  int next() {
    const int bit = sixBits(bytes_[pos_ / 6]) >> (5 - pos_ % 6) & 1;
    ++pos_;
    return bit;
  }
  int64_t next(int count) {
    int64_t value = 0;
    for (int i = 0; i < count; ++i) value = value << 1 | next();
    return value;
  }

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
};

void link(LinkRows& rows, int64_t a, int64_t b) {
  rows[static_cast<std::size_t>(a + 1)] |= uint64_t{1} << (b + 1);
  rows[static_cast<std::size_t>(b + 1)] |= uint64_t{1} << (a + 1);
}

// The bits needed to write n - 1 in binary, 0 for n <= 1.
int bitsFor(int64_t n) {
  int bits = 0;
  for (int64_t i = n - 1; i > 0; i >>= 1) ++bits;
  return bits;
}

// The pairs (i, j), i < j, column by column: the k-th bit of a graph6
// string stands for the k-th pair.
struct Pair {
  uint8_t i;
  uint8_t j;
};
constexpr auto kPairs = [] {
  std::array<Pair, kMaxNodes*(kMaxNodes - 1) / 2> pairs{};
  std::size_t k = 0;
  for (uint8_t j = 1; j < kMaxNodes; ++j) {
    for (uint8_t i = 0; i < j; ++i) pairs[k++] = {i, j};
  }
  return pairs;
}();

// x(i, j) for i < j, column by column: the upper triangle of the matrix.
ParseResult decodeGraph6(std::string_view bits, std::size_t at, int64_t n,
                         LinkRows& rows) {
  const auto needed = static_cast<std::size_t>((n * (n - 1) / 2 + 5) / 6);
  if (bits.size() < needed) return {Refusal::kLineTooShort, at + bits.size()};
  if (bits.size() > needed) return {Refusal::kLineTooLong, at + needed};
  // Only the bits set are visited: bit k of the string, whatever n is,
  // stands for the k-th pair (i, j) taken column by column, which a table
  // made once gives. Padding lies past the last pair and is passed over.
  const auto pairs = static_cast<std::size_t>(n * (n - 1) / 2);
  for (std::size_t byte = 0; byte < bits.size(); ++byte) {
    for (auto value = static_cast<unsigned>(sixBits(bits[byte])); value != 0;
         value &= value - 1) {
      const std::size_t k =
          byte * 6 + 5 - static_cast<std::size_t>(std::countr_zero(value));
      if (k < pairs) link(rows, kPairs[k].i, kPairs[k].j);
    }
  }
  return {};
}

// Pairs (b, x): b = 1 moves v on by one; then x > v moves v to x, and
// otherwise the pair is the link {x, v}. The first pair that reaches n is
// padding, as is an incomplete one at the end.
void decodeSparse6(std::string_view bits, int64_t n, LinkRows& rows) {
  const int k = bitsFor(n);
  BitReader reader(bits);
  int64_t v = 0;
  while (reader.left() >= static_cast<std::size_t>(k) + 1) {
    v += reader.next();
    const int64_t x = reader.next(k);
    if (v >= n || x >= n) return;
    if (x > v) {
      v = x;
    } else {
      link(rows, x, v);
    }
  }
}

// Gathers bits into six-bit bytes.
class BitWriter {
 public:
  explicit BitWriter(char* out) : out_(out) {}
  void put(int bit) {
    byte_ = byte_ << 1 | bit;
    if (--free_ == 0) flush();
  }
  void put(int64_t value, int count) {
    for (int i = count - 1; i >= 0; --i) put(static_cast<int>(value >> i & 1));
  }
  int free() const { return free_; }
  // Fills the last byte's free bits from padding's low bits.
  void pad(int padding) {
    if (free_ == 6) return;
    byte_ = byte_ << free_ | padding;
    flush();
  }
  char* end() const { return out_; }

 private:
  void flush() {
    *out_++ = static_cast<char>(kBias + byte_);
    byte_ = 0;
    free_ = 6;
  }
  char* out_;
  int byte_ = 0;
  int free_ = 6;
};

bool linked(const LinkRows& rows, int64_t a, int64_t b) {
  return (rows[static_cast<std::size_t>(a + 1)] >> (b + 1) & 1) != 0;
}

// As nauty writes it: the links {i, j}, i <= j, by j and then i, each as
// the pairs that move v to j and name i; padding of 1-bits, but for one
// case where 1-bits would read as one more link, 0 and then 1-bits.
char* encodeSparse6(const LinkRows& rows, int64_t n, char* out) {
  const int k = bitsFor(n);
  BitWriter w(out);
  int64_t last = 0;  // v as the reader will have it
  for (int64_t j = 0; j < n; ++j) {
    for (int64_t i = 0; i <= j; ++i) {
      if (!linked(rows, i, j)) continue;
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
    }
  }
  const int free = w.free();
  const bool oneMoreLink =
      free != 6 && free >= k + 1 && last == n - 2 && n == int64_t{1} << k;
  w.pad(oneMoreLink ? (1 << (free - 1)) - 1 : (1 << free) - 1);
  return w.end();
}

char* encodeGraph6(const LinkRows& rows, int64_t n, char* out) {
  BitWriter w(out);
  for (int64_t j = 1; j < n; ++j) {
    for (int64_t i = 0; i < j; ++i) w.put(linked(rows, i, j) ? 1 : 0);
  }
  w.pad(0);
  return w.end();
}

}  // namespace

ParseResult decodeGraphLine(std::string_view line, LineFormat format,
                            int32_t& n, LinkRows& rows) {
  rows = {};
  if (!line.empty() && line[0] == '&') return {Refusal::kDigraph, 0};
  std::size_t at = 0;  // where the node count begins
  if (format == LineFormat::kSparse6) {
    if (line.empty() || line[0] != ':') return {Refusal::kNotSparse6, 0};
    at = 1;
  }
  for (std::size_t i = at; i < line.size(); ++i) {
    if (!carriesSixBits(line[i])) return {Refusal::kBadByte, i};
  }
  int64_t count = 0;
  // Views past the node count, built without substr's range check: at
  // and what follows are within line.
  const auto from = [&](std::size_t offset) {
    return std::string_view(line.data() + offset, line.size() - offset);
  };
  const std::size_t size = readNodeCount(from(at), count);
  if (size == 0) return {Refusal::kLineTooShort, line.size()};
  if (count > kMaxNodes) return {Refusal::kOver50Nodes, at};
  n = static_cast<int32_t>(count);
  const std::string_view bits = from(at + size);
  if (format == LineFormat::kGraph6) {
    return decodeGraph6(bits, at + size, count, rows);
  }
  decodeSparse6(bits, count, rows);
  if (entriesIn(rows) > kMaxEntries) return {Refusal::kTooManyEntries, 0};
  return {};
}

std::string_view encodeGraphLine(const Ugraph& g, LineFormat format,
                                 GraphLine& out) {
  LinkRows rows{};
  bool selfLink = false;
  for (std::size_t i = 1; g.linkFrom[i] != 0; ++i) {
    const int32_t a = g.linkFrom[i];
    const int32_t b = g.linkTo[i];
    rows[static_cast<std::size_t>(a)] |= uint64_t{1} << b;
    selfLink = selfLink || a == b;
  }
  if (format == LineFormat::kGraph6 && selfLink) return {};
  char* p = out.data();
  if (format == LineFormat::kSparse6) *p++ = ':';
  const int32_t n = g.linkTo[0];
  *p++ = static_cast<char>(kBias + n);  // n <= kMaxNodes: one byte
  p = format == LineFormat::kGraph6 ? encodeGraph6(rows, n, p)
                                    : encodeSparse6(rows, n, p);
  *p++ = '\n';
  return {out.data(), static_cast<std::size_t>(p - out.data())};
}

}  // namespace ugraph
