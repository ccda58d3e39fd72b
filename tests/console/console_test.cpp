#include "console/console.h"

#include <gtest/gtest.h>

#include "console/memory_console.h"

namespace ugraph {
namespace {

using testing::MemoryConsole;
using Kind = FormattedInt::Kind;

TEST(ConsoleTest, ReadIntSkipsWhiteSpaceAndLeavesTheNextCharacter) {
  MemoryConsole io("\n\n \t 42\nrest");
  const FormattedInt answer = io.console().readInt();
  EXPECT_EQ(answer.kind, Kind::kNumber);
  EXPECT_EQ(answer.value, 42);
  EXPECT_TRUE(answer.fits);
  EXPECT_EQ(io.rest(), "\nrest");
}

TEST(ConsoleTest, ReadIntTakesASignAndEveryDigit) {
  MemoryConsole io("-007x +5 -2147483648 2147483647");
  Console& console = io.console();
  EXPECT_EQ(console.readInt().value, -7);
  EXPECT_EQ(console.readChar(), 'x');
  EXPECT_EQ(console.readInt().value, 5);
  const FormattedInt lowest = console.readInt();
  EXPECT_TRUE(lowest.fits);
  EXPECT_EQ(lowest.value, INT32_MIN);
  EXPECT_TRUE(console.readInt().isIn(INT32_MAX, INT32_MAX));
}

TEST(ConsoleTest, ReadIntReadsPast32BitsAndSaturatesBeyondEveryCount) {
  MemoryConsole io("2147483648 -99999999999999999999999 7");
  Console& console = io.console();
  const FormattedInt high = console.readInt();
  EXPECT_TRUE(high.isIn(1, 2147483650));
  EXPECT_EQ(high.value, 2147483648);
  const FormattedInt low = console.readInt();
  EXPECT_FALSE(low.fits);
  EXPECT_FALSE(low.isIn(INT64_MIN, INT64_MAX));
  EXPECT_EQ(console.readInt().value, 7);  // every digit was consumed
}

// A catalogue can list more data-inputs than 32 bits count; the choice is
// asked for in 64 bits, and a refusal names the true bound.
TEST(ConsoleTest, AskNumberTakesAChoicePast32Bits) {
  MemoryConsole io("2147483651\n2147483648\n");
  int64_t value = 0;
  const Outcome outcome =
      askNumber(io.console(), "? ", 0, 2147483650, value,
                [&] { io.console().write("between 1 and 2147483650\n"); });
  EXPECT_EQ(outcome, Outcome::kDone);
  EXPECT_EQ(value, 2147483648);
  EXPECT_EQ(io.output(), "? between 1 and 2147483650\n? ");
}

TEST(ConsoleTest, ReadIntReportsAnAnswerThatIsNoNumber) {
  MemoryConsole io("  abc\n");
  EXPECT_EQ(io.console().readInt().kind, Kind::kNotANumber);
  EXPECT_EQ(io.rest(), "abc\n");

  MemoryConsole sign("-\n5");
  EXPECT_EQ(sign.console().readInt().kind, Kind::kNotANumber);
  EXPECT_EQ(sign.rest(), "\n5");  // the line end is still there to discard

  MemoryConsole signAtEnd("+");
  EXPECT_EQ(signAtEnd.console().readInt().kind, Kind::kNotANumber);
}

TEST(ConsoleTest, ReadIntReportsEndOfInputAfterWhiteSpaceOnly) {
  MemoryConsole io(" \n\t\n");
  EXPECT_EQ(io.console().readInt().kind, Kind::kEnd);
  MemoryConsole empty("");
  EXPECT_EQ(empty.console().readInt().kind, Kind::kEnd);
}

TEST(ConsoleTest, ReadLineHandsOverTheLineWithoutItsLineEnd) {
  MemoryConsole io("ab c\nlast");
  Console& console = io.console();
  std::string line;
  const auto keep = [&](std::string_view text) { line += text; };
  EXPECT_TRUE(console.readLine(keep));
  EXPECT_EQ(line, "ab c");
  line.clear();
  EXPECT_FALSE(console.readLine(keep));
  EXPECT_EQ(line, "last");
}

TEST(ConsoleTest, ReadsAcrossRefillsOfItsBuffer) {
  // The number and the long line straddle the 64 KiB the console reads at
  // once.
  const std::string line(70000, 'x');
  MemoryConsole io(std::string(65534, ' ') + "12345\n" + line + "\nend");
  Console& console = io.console();
  EXPECT_EQ(console.readInt().value, 12345);
  EXPECT_EQ(console.readChar(), '\n');
  std::string read;
  EXPECT_TRUE(console.readLine([&](std::string_view text) { read += text; }));
  EXPECT_EQ(read, line);
  EXPECT_EQ(io.rest(), "end");
}

TEST(ConsoleTest, EndOfInputStaysEnded) {
  MemoryConsole io("a");
  Console& console = io.console();
  EXPECT_EQ(console.readChar(), 'a');
  EXPECT_EQ(console.readChar(), Console::kEnd);
  EXPECT_EQ(console.readChar(), Console::kEnd);
  EXPECT_EQ(console.readInt().kind, Kind::kEnd);
}

TEST(ConsoleTest, EveryReadFlushesThePromptFirst) {
  MemoryConsole io("1\nx\nline\n");
  Console& console = io.console();
  console.write("first  ");
  console.readInt();
  EXPECT_EQ(io.unflushedView(), "first  ");
  console.write("second ");
  console.readChar();
  EXPECT_EQ(io.unflushedView(), "first  second ");
  console.writeLine("third");
  console.discardLine();
  EXPECT_EQ(io.unflushedView(), "first  second third\n");
}

TEST(ConsoleTest, TextLargerThanTheOutputBufferIsFlushedBeforeAReadToo) {
  MemoryConsole io("x");
  const std::string big(200000, 'b');
  io.console().write(big);
  io.console().readChar();
  EXPECT_EQ(io.unflushedView(), big);
}

TEST(ConsoleTest, WritesNumbersInDecimal) {
  MemoryConsole io("");
  io.console().write(int64_t{-12});
  io.console().write(" ");
  io.console().write(int64_t{9000000000});
  EXPECT_EQ(io.output(), "-12 9000000000");
}

}  // namespace
}  // namespace ugraph
