#include "cli/options.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace ugraph {
namespace {

// The arguments and argv live until the next parse, as the FILE operands
// point into them.
Options parse(std::vector<std::string> given) {
  static std::vector<std::string> args;
  static std::vector<char*> argv;
  args = std::move(given);
  args.insert(args.begin(), "ugraph");
  argv.clear();
  argv.reserve(args.size() + 1);
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  return parseOptions(static_cast<int>(args.size()), argv.data());
}

TEST(OptionsTest, ModesTakeTheirFileFromAnywhereOnTheLine) {
  EXPECT_EQ(parse({}).mode, Mode::kDialogue);
  const Options list = parse({"cat.txt", "--list", "--json"});
  EXPECT_EQ(list.mode, Mode::kList);
  EXPECT_TRUE(list.json);
  ASSERT_EQ(list.files.size(), 1u);
  EXPECT_STREQ(list.files[0], "cat.txt");
  const Options dot = parse({"-d", "12", "-"});
  EXPECT_EQ(dot.mode, Mode::kDot);
  EXPECT_EQ(dot.dataInput, 12);
  EXPECT_STREQ(dot.files[0], "-");
  EXPECT_STREQ(parse({"--check"}).files[0], kDefaultCatalogue);
  EXPECT_EQ(parse({"--dot=007"}).dataInput, 7);
  EXPECT_EQ(parse({"-c", "--", "-d"}).files[0], std::string("-d"));
}

// --max-memory from its least, 1K, to the most each unit holds in 64 bits.
TEST(OptionsTest, MaxMemoryAtItsEdges) {
  const struct {
    const char* size;
    uint64_t bytes;  // 0: refused
  } sizes[] = {
      {"1K", 1024},
      {"1024", 1024},
      {"1023", 0},
      {"0K", 0},
      {"18446744073709551615", UINT64_MAX},
      {"18446744073709551616", 0},
      {"18014398509481983K", UINT64_MAX >> 10 << 10},
      {"18014398509481984K", 0},
      {"17592186044415M", UINT64_MAX >> 20 << 20},
      {"17592186044416M", 0},
      {"17179869183G", UINT64_MAX >> 30 << 30},
      {"17179869184G", 0},
  };
  for (const auto& size : sizes) {
    const Options o =
        parse({"--count", std::string("--max-memory=") + size.size});
    if (size.bytes == 0) {
      EXPECT_EQ(o.mode, Mode::kUsageError) << size.size;
      EXPECT_EQ(std::string(o.error.data()),
                std::string("invalid size '") + size.size +
                    "' for --max-memory; give at least 1K (1024 bytes)");
    } else {
      EXPECT_EQ(o.mode, Mode::kCount) << size.size;
      EXPECT_EQ(o.maxMemory, size.bytes) << size.size;
    }
  }
}

TEST(OptionsTest, HelpAndVersionWinWhereverTheyStand) {
  EXPECT_EQ(parse({"--check", "a", "b", "--help"}).mode, Mode::kHelp);
  EXPECT_EQ(parse({"-V", "--bogus"}).mode, Mode::kVersion);
  EXPECT_EQ(parse({"--bogus", "-V"}).mode, Mode::kUsageError);
}

// A parse that stops inside a cluster of short options leaves getopt_long
// midway; the next parse must not go on from there.
TEST(OptionsTest, EachParseStartsAfresh) {
  EXPECT_EQ(parse({"-Vl"}).mode, Mode::kVersion);
  const Options dot = parse({"-d", "2"});
  EXPECT_EQ(dot.mode, Mode::kDot);
  EXPECT_EQ(dot.dataInput, 2);
  EXPECT_EQ(parse({"-lq"}).mode, Mode::kUsageError);
  EXPECT_STREQ(parse({"-c", "--", "-q.txt"}).files[0], "-q.txt");
}

}  // namespace
}  // namespace ugraph
