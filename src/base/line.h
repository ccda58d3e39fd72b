// A piece of output built in place and then written at once: short texts
// and small numbers are appended without a call each, as the batch modes
// write a line or more for every graph.
//
// Why the room is apart from the line: a line is a small object that each
// writer makes where it writes, and that holds only where the text begins
// and ends; the bytes go to a room of static storage. The compiler may
// then keep the end in a register, since no byte stored into the room can
// be the line's own end, where it would otherwise read the end back from
// memory after every piece.
#ifndef UGRAPH_BASE_LINE_H_
#define UGRAPH_BASE_LINE_H_

#include <array>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "base/console.h"

namespace ugraph {

// Room for the longest line a graph gives: 50 nodes three times over, an
// escaped name and the numbers around them; or a data-input of every link
// a catalogue holds, 624 of them.
inline constexpr std::size_t kLineRoom = 4096;
using LineRoom = std::array<char, kLineRoom>;

class Line {
  // "00" to "99", each two characters.
  static constexpr std::array<char, 200> kDigitPairs = [] {
    std::array<char, 200> pairs{};
    for (std::size_t n = 0; n < 100; ++n) {
      pairs[2 * n] = static_cast<char>('0' + n / 10);
      pairs[2 * n + 1] = static_cast<char>('0' + n % 10);
    }
    return pairs;
  }();

  // The decimal digits of value, counted by comparison rather than
  // division. REQUIRES: value >= 0.
  static std::size_t digitsOf(int64_t value) {
    const auto v = static_cast<uint64_t>(value);
    std::size_t digits = 1;
    // The limit reaches 10^19 at most, which 64 unsigned bits hold.
    for (uint64_t limit = 10; digits < 19 && v >= limit; limit *= 10) {
      ++digits;
    }
    return digits;
  }

  // A node number's digits and a comma, and how many of those bytes count.
  struct NodeText {
    std::array<char, 4> bytes;
    std::size_t length;
  };
  static constexpr std::array<NodeText, 100> kNodeTexts = [] {
    std::array<NodeText, 100> texts{};
    for (std::size_t n = 0; n < texts.size(); ++n) {
      const std::size_t tens = n / 10;
      std::size_t at = 0;
      if (tens != 0) texts[n].bytes[at++] = static_cast<char>('0' + tens);
      texts[n].bytes[at++] = static_cast<char>('0' + n % 10);
      texts[n].bytes[at++] = ',';
      texts[n].length = at;
    }
    return texts;
  }();

 public:
  static constexpr std::size_t kRoom = kLineRoom;

  // An empty line in room, which outlives it; a room holds one line at a
  // time.
  explicit Line(LineRoom& room) : begin_(room.data()), end_(room.data()) {}
  Line(const Line&) = delete;
  Line& operator=(const Line&) = delete;

  // REQUIRES (each put): the line holds at most kRoom bytes in all.
  template <std::size_t N>
  void put(const char (&text)[N]) {
    std::memcpy(end_, text, N - 1);
    end_ += N - 1;
  }
  void put(std::string_view text) {
    std::memcpy(end_, text.data(), text.size());
    end_ += text.size();
  }
  // A short text that lies in storage of N bytes, as a graph's name does:
  // the N bytes are copied at once, which needs no call, and the line
  // takes only the text. REQUIRES: text.size() <= N, and N bytes readable
  // from text.data().
  template <std::size_t N>
  void putWithin(std::string_view text) {
    std::memcpy(end_, text.data(), N);
    end_ += text.size();
  }
  // A node number or count: two digits at most need no division. Larger
  // numbers, as a graph's number or line, are written two digits at a
  // time from the right.
  void put(int64_t value) {
    if (value >= 0 && value < 100) {
      end_[0] = static_cast<char>('0' + value / 10);
      end_[value >= 10 ? 1 : 0] = static_cast<char>('0' + value % 10);
      end_ += value >= 10 ? 2 : 1;
      return;
    }
    if (value < 0) {
      end_ = std::to_chars(end_, end_ + 20, value).ptr;
      return;
    }
    auto rest = static_cast<uint64_t>(value);
    const std::size_t digits = digitsOf(value);
    char* p = end_ + digits;
    for (; rest >= 100; rest /= 100) {
      p -= 2;
      std::memcpy(p, &kDigitPairs[2 * (rest % 100)], 2);
    }
    if (rest >= 10) {
      p -= 2;
      std::memcpy(p, &kDigitPairs[2 * rest], 2);
    } else {
      *--p = static_cast<char>('0' + rest);
    }
    end_ += digits;
  }

  // A node's id, which a file may give as any 64-bit number.
  void putId(uint64_t id) {
    if (id <= INT64_MAX) {
      put(static_cast<int64_t>(id));
    } else {
      end_ = std::to_chars(end_, end_ + 20, id).ptr;
    }
  }

  // value, at least 0, right-aligned in width characters.
  void putRight(int64_t value, std::size_t width) {
    const std::size_t digits = digitsOf(value);
    if (digits < width) putBlanks(width - digits);
    put(value);
  }
  // Blanks are copied 16 at a time, as fixed-size copies need no call.
  // REQUIRES: room for count rounded up to a multiple of 16.
  void putBlanks(std::size_t count) {
    static constexpr char kBlanks[16] = {' ', ' ', ' ', ' ', ' ', ' ',
                                         ' ', ' ', ' ', ' ', ' ', ' ',
                                         ' ', ' ', ' ', ' '};
    for (std::size_t done = 0; done < count; done += sizeof kBlanks) {
      std::memcpy(end_ + done, kBlanks, sizeof kBlanks);
    }
    end_ += count;
  }

  // Node numbers (1 to 99) separated by commas: each is its digits and
  // the comma after them, copied as one word from a table, and the last
  // comma taken back.
  void putNodes(const int32_t* nodes, std::size_t count) {
    // A local pointer: stores through char* could alias a member.
    char* p = end_;
    for (std::size_t i = 0; i < count; ++i) {
      const NodeText& text = kNodeTexts[static_cast<std::size_t>(nodes[i])];
      std::memcpy(p, text.bytes.data(), text.bytes.size());
      p += text.length;
    }
    end_ = p - (count > 0 ? 1 : 0);
  }

  // Writes what the line holds to console and empties it.
  void writeTo(Console& console) {
    console.write(text());
    clear();
  }

  // What the line holds.
  std::string_view text() const {
    return {begin_, static_cast<std::size_t>(end_ - begin_)};
  }
  void clear() { end_ = begin_; }
  // Takes back the last count bytes put. REQUIRES: the line holds them.
  void unput(std::size_t count) { end_ -= count; }

 private:
  char* begin_;
  char* end_;
};

}  // namespace ugraph

#endif  // UGRAPH_BASE_LINE_H_
