// Feeds arbitrary bytes to the keyboard's line scanner and compares the
// numbers it finds with a plain reading of the maximal digit runs.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "dialogue/keyboard.h"
#include "fuzz/record_checks.h"

using namespace ugraph;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  std::vector<int32_t> found;
  const auto take = [&](int32_t number) { found.push_back(number); };
  // The line arrives in two pieces, split where its first byte says, as a
  // line may arrive from the console.
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  const std::size_t split = size == 0 ? 0 : data[0] % (size + 1);
  LineNumbers numbers;
  numbers.feed(line.substr(0, split), take);
  numbers.feed(line.substr(split), take);
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
