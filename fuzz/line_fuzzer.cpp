// Feeds arbitrary bytes to the keyboard's line scanner and compares the
// numbers it finds with a plain reading of the maximal digit runs.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz/record_checks.h"
#include "input/keyboard.h"

using namespace ugraph;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  std::vector<int32_t> found;
  const auto take = [&](int32_t number) { found.push_back(number); };
  LineNumbers numbers;
  for (std::size_t i = 0; i < size; ++i) {
    numbers.feed(static_cast<char>(data[i]), take);
  }
  numbers.finish(take);

  std::vector<int32_t> expected;
  for (std::size_t i = 0; i < size;) {
    if (data[i] < '0' || data[i] > '9') {
      ++i;
      continue;
    }
    int64_t value = 0;
    for (; i < size && data[i] >= '0' && data[i] <= '9'; ++i) {
      value = std::min<int64_t>(value * 10 + (data[i] - '0'), INT32_MAX);
    }
    expected.push_back(static_cast<int32_t>(value));
  }
  fuzz::require(found == expected, "line scanner disagrees with digit runs");
  return 0;
}
