#include "graph/normalize.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <span>

namespace ugraph {

void normalizeLinks(LinkArray& linkFrom, LinkArray& linkTo) {
  const auto k = static_cast<std::size_t>(linkFrom[0]);

  // Each entry gives its own key and its reverse's, so the list becomes
  // symmetric; sorting brings equal keys together, so one copy of each run
  // is all that is left to keep. Every entry is in the buffer before the
  // arrays are rewritten, so the output may overwrite the input freely.
  std::array<int32_t, 2 * static_cast<std::size_t>(kMaxEntries)> keyBuffer;
  std::size_t m = 0;
  for (std::size_t i = 1; i <= k; ++i) {
    keyBuffer[m++] = linkKey(linkFrom[i], linkTo[i]);
    keyBuffer[m++] = linkKey(linkTo[i], linkFrom[i]);
  }
  const std::span<int32_t> keys(keyBuffer.data(), m);
  std::sort(keys.begin(), keys.end());
  const auto distinct = std::unique(keys.begin(), keys.end()) - keys.begin();

  std::size_t c = 0;
  for (const int32_t key : keys.first(static_cast<std::size_t>(distinct))) {
    ++c;
    linkFrom[c] = key / 10000;
    linkTo[c] = key % 10000;
  }
  linkFrom[0] = static_cast<int32_t>(c);
  linkFrom[c + 1] = 0;
  linkTo[c + 1] = 0;
}

}  // namespace ugraph
