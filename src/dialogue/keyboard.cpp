#include "dialogue/keyboard.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

#include "dialogue/number_answer.h"
#include "graph/normalize.h"

namespace ugraph {
namespace {

// Characters of the name line that are kept.
constexpr std::size_t kTypedNameLength = 10;

void readName(GraphName& name, Console& console) {
  console.write("Not exceeding 10 characters, input name of graph   ");
  std::size_t length = 0;
  console.readLine([&](std::string_view text) {
    const std::size_t kept = std::min(text.size(), kTypedNameLength - length);
    length += text.copy(name.data() + length, kept);
  });
  name[length] = '\0';
}

// The node count, asked for until the answer lies in 0..kMaxNodes.
Status readNodeCount(Console& console, int32_t& n) {
  int64_t answer = 0;
  const Status outcome = askNumber(
      console, "Input number of non-isolated nodes:  ", 0, kMaxNodes, answer,
      [&] { console.writeLine("Error: enter a node count from 0 to 50"); });
  n = static_cast<int32_t>(answer);
  return outcome;
}

// Stores the accepted pairs in order. Until the record is full every pair
// is kept as typed. When it fills, the list is normalised once, which
// leaves at most 50 * 49 entries (no pair links a node to itself); from
// then on a pair whose link the record already holds is not stored again.
// Each further link adds one entry, so the record never fills again and no
// link is lost, at the cost of one normalisation.
class PairStore {
 public:
  PairStore(LinkArray& linkFrom, LinkArray& linkTo)
      : linkFrom_(linkFrom), linkTo_(linkTo) {}

  void add(int32_t from, int32_t to) {
    if (pairs_ == kMaxEntries) compact();
    if (compacted_) {
      if (held(from, to)) return;
      hold(from, to);
    }
    ++pairs_;
    linkFrom_[static_cast<std::size_t>(pairs_)] = from;
    linkTo_[static_cast<std::size_t>(pairs_)] = to;
  }

  // Sets the pair count and the sentinel after the last pair.
  void finish() {
    const auto end = static_cast<std::size_t>(pairs_) + 1;
    linkFrom_[0] = pairs_;
    linkFrom_[end] = 0;
    linkTo_[end] = 0;
  }

 private:
  void compact() {
    finish();
    normalizeLinks(linkFrom_, linkTo_);
    pairs_ = linkFrom_[0];
    compacted_ = true;
    for (std::size_t i = 1; i <= static_cast<std::size_t>(pairs_); ++i) {
      hold(linkFrom_[i], linkTo_[i]);
    }
  }

  bool held(int32_t a, int32_t b) const {
    return (held_[static_cast<std::size_t>(a)] >> b & 1U) != 0;
  }
  void hold(int32_t a, int32_t b) {
    held_[static_cast<std::size_t>(a)] |= uint64_t{1} << b;
    held_[static_cast<std::size_t>(b)] |= uint64_t{1} << a;
  }

  LinkArray& linkFrom_;
  LinkArray& linkTo_;
  int32_t pairs_ = 0;
  bool compacted_ = false;
  std::array<uint64_t, kMaxNodes + 1> held_{};  // after compact(): links held
};

}  // namespace

Status readGraphFromKeyboard(LinkArray& linkFrom, LinkArray& linkTo,
                             GraphName& name, Console& console) {
  readName(name, console);
  int32_t n = 0;
  const Status counted = readNodeCount(console, n);
  if (!counted.ok()) return counted;
  linkTo[0] = n;

  console.writeLine(
      "Input every neighbor with higher natural number after each (node):");
  PairStore pairs(linkFrom, linkTo);
  for (int32_t node = 1; node <= n; ++node) {
    console.write("(");
    console.write(int64_t{node});
    console.write("),");
    LineNumbers numbers;
    const auto take = [&](int32_t number) {
      if (number >= 1 && number <= n && number != node) {
        pairs.add(node, number);
      }
    };
    console.readLine([&](std::string_view text) { numbers.feed(text, take); });
    numbers.finish(take);
  }
  pairs.finish();
  return {};
}

}  // namespace ugraph
