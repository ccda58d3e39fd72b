#include "dialogue/number_answer.h"

#include <gtest/gtest.h>

#include "base/memory_console.h"

namespace ugraph {
namespace {

using testing::MemoryConsole;
using Kind = FormattedInt::Kind;

TEST(NumberAnswerTest, ReadIntSkipsWhiteSpaceAndLeavesTheNextCharacter) {
  MemoryConsole io("\n\n \t 42\nrest");
  const FormattedInt answer = readInt(io.console());
  EXPECT_EQ(answer.kind, Kind::kNumber);
  EXPECT_EQ(answer.value, 42);
  EXPECT_TRUE(answer.fits);
  EXPECT_EQ(io.rest(), "\nrest");
}

TEST(NumberAnswerTest, ReadIntTakesASignAndEveryDigit) {
  MemoryConsole io("-007x +5 -2147483648 2147483647");
  Console& console = io.console();
  EXPECT_EQ(readInt(console).value, -7);
  EXPECT_EQ(console.readChar(), 'x');
  EXPECT_EQ(readInt(console).value, 5);
  const FormattedInt lowest = readInt(console);
  EXPECT_TRUE(lowest.fits);
  EXPECT_EQ(lowest.value, INT32_MIN);
  EXPECT_TRUE(readInt(console).isIn(INT32_MAX, INT32_MAX));
}

TEST(NumberAnswerTest, ReadIntReadsPast32BitsAndSaturatesBeyondEveryCount) {
  MemoryConsole io("2147483648 -99999999999999999999999 7");
  Console& console = io.console();
  const FormattedInt high = readInt(console);
  EXPECT_TRUE(high.isIn(1, 2147483650));
  EXPECT_EQ(high.value, 2147483648);
  const FormattedInt low = readInt(console);
  EXPECT_FALSE(low.fits);
  EXPECT_FALSE(low.isIn(INT64_MIN, INT64_MAX));
  EXPECT_EQ(readInt(console).value, 7);  // every digit was consumed
}

// A catalogue can list more data-inputs than 32 bits count; the choice is
// asked for in 64 bits, and a refusal names the true bound.
TEST(NumberAnswerTest, AskNumberTakesAChoicePast32Bits) {
  MemoryConsole io("2147483651\n2147483648\n");
  int64_t value = 0;
  const Status outcome =
      askNumber(io.console(), "? ", 0, 2147483650, value,
                [&] { io.console().write("between 1 and 2147483650\n"); });
  EXPECT_TRUE(outcome.ok());
  EXPECT_EQ(value, 2147483648);
  EXPECT_EQ(io.output(), "? between 1 and 2147483650\n? ");
}

TEST(NumberAnswerTest, ReadIntReportsAnAnswerThatIsNoNumber) {
  MemoryConsole io("  abc\n");
  EXPECT_EQ(readInt(io.console()).kind, Kind::kNotANumber);
  EXPECT_EQ(io.rest(), "abc\n");

  MemoryConsole sign("-\n5");
  EXPECT_EQ(readInt(sign.console()).kind, Kind::kNotANumber);
  EXPECT_EQ(sign.rest(), "\n5");  // the line end is still there to discard

  MemoryConsole signAtEnd("+");
  EXPECT_EQ(readInt(signAtEnd.console()).kind, Kind::kNotANumber);
}

TEST(NumberAnswerTest, ReadIntReportsEndOfInputAfterWhiteSpaceOnly) {
  MemoryConsole io(" \n\t\n");
  EXPECT_EQ(readInt(io.console()).kind, Kind::kEnd);
  MemoryConsole empty("");
  EXPECT_EQ(readInt(empty.console()).kind, Kind::kEnd);
}

}  // namespace
}  // namespace ugraph
