#include "base/line.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace ugraph {
namespace {

std::string put(int64_t value) {
  LineRoom room;
  Line line(room);
  line.put(value);
  return std::string(line.text());
}

// Numbers are written in pieces of two digits: every count of digits, and
// the edges of each, must come out as the C++ library writes them.
TEST(LineTest, WritesNumbersOfEveryLength) {
  for (int64_t power = 1; power <= INT64_MAX / 10; power *= 10) {
    for (const int64_t value : {power - 1, power, power + 7, 10 * power - 1}) {
      EXPECT_EQ(put(value), std::to_string(value));
    }
  }
  for (const int64_t value : {int64_t{0}, INT64_MAX, int64_t{-7}, INT64_MIN}) {
    EXPECT_EQ(put(value), std::to_string(value));
  }
}

TEST(LineTest, WritesNodeListsAndColumns) {
  LineRoom room;
  Line line(room);
  const int32_t nodes[] = {1, 9, 10, 50};
  line.putNodes(nodes, 4);
  line.put("|");
  line.putNodes(nodes, 0);
  line.put("|");
  line.putRight(42, 5);
  line.putRight(123456, 5);
  EXPECT_EQ(line.text(), "1,9,10,50||   42123456");
}

}  // namespace
}  // namespace ugraph
