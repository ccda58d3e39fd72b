// Keyboard entry: a typed graph's name, node count and neighbour lines.
#ifndef UGRAPH_DIALOGUE_KEYBOARD_H_
#define UGRAPH_DIALOGUE_KEYBOARD_H_

#include <cstdint>
#include <string_view>

#include "base/console.h"
#include "base/digits.h"
#include "base/status.h"
#include "graph/ugraph.h"

namespace ugraph {

// Finds the numbers in one node line, fed in pieces: a number is a maximal
// run of the digits 0..9 and every other byte only separates. A run may
// span pieces. A value too large for 32 bits saturates at kSaturated.
class LineNumbers {
 public:
  static constexpr int32_t kSaturated = INT32_MAX;

  // Calls onNumber(int32_t) for each run of digits that text ends.
  template <class OnNumber>
  void feed(std::string_view text, OnNumber&& onNumber) {
    for (const char c : text) {
      if (isDigit(c)) {
        value_ = appendDigit(value_, c, kSaturated);
        inRun_ = true;
      } else {
        finish(onNumber);
      }
    }
  }

  // Calls onNumber(int32_t) for a run left open at the end of the line.
  template <class OnNumber>
  void finish(OnNumber&& onNumber) {
    if (inRun_) onNumber(static_cast<int32_t>(value_));
    value_ = 0;
    inRun_ = false;
  }

 private:
  int64_t value_ = 0;
  bool inRun_ = false;
};

// Asks for the name (its first 10 characters are kept), the node count
// (asked again until it lies in 0..kMaxNodes) and one line of neighbours
// per node, and stores every number in 1..n other than the line's own node
// as the pair (node, number), in the order typed: linkFrom[0] = pairs,
// linkTo[0] = n, sentinel after the last pair. When the pairs fill the
// record the list is normalised in place first, so no link is lost.
// Returns kOk, or kEnded with the record incomplete when input ended before
// the node count was read; input ending later leaves the remaining lines
// empty.
Status readGraphFromKeyboard(LinkArray& linkFrom, LinkArray& linkTo,
                             GraphName& name, Console& console);

}  // namespace ugraph

#endif  // UGRAPH_DIALOGUE_KEYBOARD_H_
