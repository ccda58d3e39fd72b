#include "input/keyboard.h"

#include <cstddef>

#include "graph/normalize.h"

namespace ugraph {
namespace {

// Characters of the name line that are kept.
constexpr std::size_t kTypedNameLength = 10;

void readName(GraphName& name, Console& console) {
  console.write("Not exceeding 10 characters, input name of graph   ");
  std::size_t length = 0;
  console.readLine([&](char c) {
    if (length < kTypedNameLength) name[length++] = c;
  });
  name[length] = '\0';
}

// The node count, asked for until the answer lies in 0..kMaxNodes; -1 when
// input ended first.
int32_t readNodeCount(Console& console) {
  for (;;) {
    console.write("Input number of non-isolated nodes:  ");
    const FormattedInt answer = console.readInt();
    if (answer.kind == FormattedInt::Kind::kEnd) return -1;
    if (answer.kind == FormattedInt::Kind::kNotANumber) {
      console.discardLine();
    } else {
      console.readChar();  // the character after the number
      if (answer.isIn(0, kMaxNodes)) return answer.value;
    }
    console.writeLine("Error: enter a node count from 0 to 50");
  }
}

// Appends the pair (from, to). A full record is normalised first: with at
// most kMaxNodes nodes and no self-links that leaves at most 50 * 49
// entries, so there is room again and nothing typed is lost.
void appendPair(LinkArray& linkFrom, LinkArray& linkTo, int32_t& pairs,
                int32_t from, int32_t to) {
  if (pairs == kMaxEntries) {
    const auto end = static_cast<std::size_t>(pairs) + 1;
    linkFrom[0] = pairs;
    linkFrom[end] = 0;
    linkTo[end] = 0;
    normalizeLinks(linkFrom, linkTo);
    pairs = linkFrom[0];
  }
  ++pairs;
  linkFrom[static_cast<std::size_t>(pairs)] = from;
  linkTo[static_cast<std::size_t>(pairs)] = to;
}

}  // namespace

bool readGraphFromKeyboard(LinkArray& linkFrom, LinkArray& linkTo,
                           GraphName& name, Console& console) {
  readName(name, console);
  const int32_t n = readNodeCount(console);
  if (n < 0) return false;
  linkTo[0] = n;

  console.writeLine(
      "Input every neighbor with higher natural number after each (node):");
  int32_t pairs = 0;
  for (int32_t node = 1; node <= n; ++node) {
    console.write("(");
    console.write(int64_t{node});
    console.write("),");
    LineNumbers numbers;
    const auto take = [&](int32_t number) {
      if (number >= 1 && number <= n && number != node) {
        appendPair(linkFrom, linkTo, pairs, node, number);
      }
    };
    console.readLine([&](char c) { numbers.feed(c, take); });
    numbers.finish(take);
  }

  const auto end = static_cast<std::size_t>(pairs) + 1;
  linkFrom[0] = pairs;
  linkFrom[end] = 0;
  linkTo[end] = 0;
  return true;
}

}  // namespace ugraph
