#include "dialogue/driver.h"

#include <gtest/gtest.h>

#include <string>

#include "base/memory_console.h"

namespace ugraph {
namespace {

constexpr const char* kQuestion =
    "Where is the data for the Ugraph?\n"
    "If it will be typed in on the (K)eyboard, type K\n"
    "If it is already in the GraphData (F)ile, type F\n";
constexpr const char* kChoiceError = "Error: enter either K or F\n";
constexpr const char* kNamePrompt =
    "Not exceeding 10 characters, input name of graph   ";
constexpr const char* kEnded = "Error: input ended before the graph was read\n";

struct Outcome {
  int status;
  std::string printed;
  std::string left;
};

Outcome run(const std::string& input) {
  testing::MemoryConsole io(input);
  Outcome r{runUgraph(io.console(), "/nonexistent/GraphDataFile2.txt"), "", ""};
  r.printed = io.output();
  r.left = io.rest();
  return r;
}

// What follows the question up to the name prompt, or the whole rest.
std::string afterQuestion(const Outcome& r) {
  const std::string rest = r.printed.substr(std::string(kQuestion).size());
  return rest.substr(0, rest.find(kNamePrompt));
}

TEST(DriverTest, KOrKStartsTheKeyboardEntry) {
  for (const char* input : {"K\nTri\n1\n\n", "k\nTri\n1\n\n"}) {
    const Outcome r = run(input);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(afterQuestion(r), "");
    EXPECT_NE(r.printed.find("Ufile Tri     1 Nodes   0 Links\n"),
              std::string::npos);
  }
}

TEST(DriverTest, EachAttemptTakesTwoCharacters) {
  // K is the choice, i is dropped, and "m" is the name line.
  EXPECT_NE(run("Kim\n0\n").printed.find("Ufile m     0 Nodes"),
            std::string::npos);

  const std::vector<std::pair<const char*, int>> errors = {
      {"x\nK\nn\n0\n", 1},
      {"hello\nK\nn\n0\n", 3},
      {" KK\nn\n0\n", 1},  // the blank is the choice, K is dropped
      {"\nKK\nn\n0\n", 1},
  };
  for (const auto& [input, count] : errors) {
    std::string expected;
    for (int i = 0; i < count; ++i) expected += kChoiceError;
    EXPECT_EQ(afterQuestion(run(input)), expected) << input;
  }
}

TEST(DriverTest, EndOfInputAtTheChoiceEndsTheRunWithStatusOne) {
  for (const char* input : {"", "x\n", "hello\n", "\n\n\n\n"}) {
    const Outcome r = run(input);
    EXPECT_EQ(r.status, 1) << input;
    const std::string tail =
        r.printed.substr(r.printed.size() - std::string(kEnded).size());
    EXPECT_EQ(tail, kEnded) << input;
  }
}

TEST(DriverTest, EndOfInputAtTheNodeCountEndsTheRunWithStatusOne) {
  const Outcome r = run("K\nname\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.printed, std::string(kQuestion) + kNamePrompt +
                           "Input number of non-isolated nodes:  " + kEnded);
}

TEST(DriverTest, AFailedFileReadSkipsToTheFinalKeyWait) {
  const Outcome r = run("F\nxy");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.printed,
            std::string(kQuestion) +
                "Cannot find file /nonexistent/GraphDataFile2.txt\n");
  EXPECT_EQ(r.left, "y");  // the final key wait took one character
}

TEST(DriverTest, TheFinalKeyWaitTakesOneCharacter) {
  // The blank after the count is dropped; the line end is still pending
  // and the final wait takes it, leaving the next line unread.
  EXPECT_EQ(run("K\nZ\n0 \nmore\n").left, "more\n");
}

}  // namespace
}  // namespace ugraph
