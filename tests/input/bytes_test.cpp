#include "input/bytes.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace ugraph {
namespace {

// Every length around the 16-byte steps and the 255-step sums, with the
// byte sought at random places, against a plain loop.
TEST(BytesTest, FindAndCountAgreeWithAPlainLoop) {
  std::mt19937 random(7);
  for (std::size_t length = 0; length < 4200; length += length < 80 ? 1 : 97) {
    for (int round = 0; round < 4; ++round) {
      std::string text(length, 'x');
      for (char& c : text) {
        if (random() % static_cast<unsigned>(round + 2) == 0) c = '\n';
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
