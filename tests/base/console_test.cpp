#include "base/console.h"

#include <gtest/gtest.h>

#include "base/memory_console.h"

namespace ugraph {
namespace {

using testing::MemoryConsole;

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
  std::string first;
  EXPECT_TRUE(console.readLine([&](std::string_view text) { first += text; }));
  EXPECT_EQ(first, std::string(65534, ' ') + "12345");
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
  EXPECT_EQ(console.peek(), Console::kEnd);
}

TEST(ConsoleTest, EveryReadFlushesThePromptFirst) {
  MemoryConsole io("1\nx\nline\n");
  Console& console = io.console();
  console.write("first  ");
  console.peek();
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
