#include "base/bytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace ugraph {
namespace {

// Every length around the 16-byte steps and the 255-step sums, with the
// byte sought at scattered places, against a plain loop.
TEST(BytesTest, FindAndCountAgreeWithAPlainLoop) {
  for (std::size_t length = 0; length < 4200; length += length < 80 ? 1 : 97) {
    for (std::size_t round = 0; round < 4; ++round) {
      std::string text(length, 'x');
      for (std::size_t i = 0; i < length; ++i) {
        if ((i * i * 7919 + round * 104729 + length) % (round + 2) == 0) {
          text[i] = '\n';
        }
      }
      std::size_t last = 12345;
      const int64_t count = countByte(text, '\n', last);
      const std::size_t expectedLast = text.rfind('\n');
      EXPECT_EQ(count, std::count(text.begin(), text.end(), '\n')) << length;
      EXPECT_EQ(last, expectedLast == std::string::npos ? 12345 : expectedLast)
          << length;
      EXPECT_EQ(findByte(text, '\n'), std::min(text.find('\n'), text.size()))
          << length;
    }
  }
}

}  // namespace
}  // namespace ugraph
