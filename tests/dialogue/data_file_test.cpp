#include "dialogue/data_file.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "base/memory_console.h"
#include "graph/links.h"

namespace ugraph {
namespace {

using testing::Entry;

constexpr const char* kExample =
    "Test graphs for the connectivity check.\n"
    "[U \"Triangle\", (1),2,3, (2),3, (3)]\n"
    "[u \"Star\" (1) 2 3 4 5]\n"
    "[U \"Loose\", (1),2 ,, 0, 3, (4)]\n"
    "[X \"Other\", (1),2]\n";

int openDescriptors() {
  int count = 0;
  DIR* dir = opendir("/proc/self/fd");
  while (readdir(dir) != nullptr) ++count;
  closedir(dir);
  return count;
}

struct Loaded {
  Status::Kind result;
  Ugraph graph;
  std::string printed;
};

// Runs the reader on a catalogue file holding `file`, answering `answers`.
Loaded load(const std::string& file, const std::string& answers) {
  char path[] = "/tmp/ugraph-catalogue-XXXXXX";
  const int fd = mkstemp(path);
  EXPECT_EQ(write(fd, file.data(), file.size()),
            static_cast<ssize_t>(file.size()));
  close(fd);

  Loaded l{Status::Kind::kNothing, Ugraph{}, ""};
  l.graph.linkFrom.fill(-1);
  l.graph.linkTo.fill(-1);
  const int before = openDescriptors();
  {
    testing::MemoryConsole io(answers);
    l.result = readGraphFromDataFile(l.graph.linkFrom, l.graph.linkTo,
                                     l.graph.name, io.console(), path)
                   .kind;
    l.printed = io.output();
  }
  EXPECT_EQ(openDescriptors(), before) << "the catalogue was left open";
  unlink(path);
  return l;
}

TEST(DataFileTest, LoadsBothDirectionsNormalised) {
  const Loaded l = load(kExample, "1\n");
  EXPECT_EQ(l.result, Status::Kind::kOk);
  EXPECT_STREQ(l.graph.name.data(), "Triangle");
  EXPECT_EQ(l.graph.linkTo[0], 3);
  EXPECT_EQ(
      testing::entriesOf(l.graph),
      (std::vector<Entry>{{1, 2}, {1, 3}, {2, 1}, {2, 3}, {3, 1}, {3, 2}}));
  EXPECT_TRUE(testing::sentinelAfterEntries(l.graph));
}

TEST(DataFileTest, ADataInputWithoutLinksLeavesAnEmptyList) {
  const Loaded l = load("[U \"Lone\" (5)]", "1\n");
  EXPECT_EQ(l.result, Status::Kind::kNothing);
  EXPECT_STREQ(l.graph.name.data(), "Lone");
  EXPECT_EQ(l.graph.linkFrom[0], 0);
  EXPECT_EQ(l.graph.linkTo[0], 5);
  EXPECT_TRUE(testing::sentinelAfterEntries(l.graph));
}

TEST(DataFileTest, FailuresLeaveTheRecordUntouched) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {kExample, "0\n"},               // abort
      {kExample, "4\n"},               // mark X
      {"[U \"Bad\", (1) 77]", "1\n"},  // breaks the format
      {"[U \"Open\", (1) 2", "1\n"},   // no closing ']'
      {"[U \"Long\" (1)" + std::string(3000, ' ') + "]", "1\n"},
  };
  for (const auto& [file, answers] : cases) {
    const Loaded l = load(file, answers);
    EXPECT_EQ(l.result, Status::Kind::kNothing) << file;
    EXPECT_EQ(l.graph.linkFrom[0], -1) << file;
    EXPECT_EQ(l.graph.linkTo[0], -1) << file;
  }
}

TEST(DataFileTest, EndOfInputAtTheQuestion) {
  EXPECT_EQ(load(kExample, "").result, Status::Kind::kEnded);
  EXPECT_EQ(load(kExample, "9\n \n").result, Status::Kind::kEnded);
  EXPECT_EQ(load(kExample, "two\n").result, Status::Kind::kEnded);
}

TEST(DataFileTest, AMissingFileIsReported) {
  testing::MemoryConsole io("1\n");
  Ugraph g{};
  EXPECT_EQ(readGraphFromDataFile(g.linkFrom, g.linkTo, g.name, io.console(),
                                  "/nonexistent/GraphDataFile2.txt")
                .kind,
            Status::Kind::kNothing);
  EXPECT_EQ(io.output(), "Cannot find file /nonexistent/GraphDataFile2.txt\n");
  EXPECT_EQ(io.rest(), "1\n");
}

TEST(DataFileTest, FindsTheListedDataInputPastStrayBrackets) {
  // A ']' in free text would shift a count of ']'; the listing's own scan
  // does not.
  const Loaded l =
      load("free ] text\n[U \"A\" (1) 2]\n]] [U \"B\" (1) 3]\n", "2\n");
  EXPECT_STREQ(l.graph.name.data(), "B");
  EXPECT_EQ(l.graph.linkTo[0], 3);
}

TEST(DataFileTest, FindsEveryChoiceInALargeCatalogue) {
  // Enough data-inputs that the reader's table of where they begin fills
  // and thins out several times. Each takes 32 bytes, so 128 KiB holds a
  // whole number of them: an offset off by a block would still land on a
  // '[' and load the wrong data-input rather than fall back to a rescan.
  std::string file;
  for (int i = 1; i <= 5000; ++i) {
    char line[33];
    std::snprintf(line, sizeof line, "[U \"N%d\" (1) 2]%*s\n", i,
                  18 - static_cast<int>(std::to_string(i).size()), "");
    file += line;
  }
  ASSERT_EQ(file.size(), 5000u * 32);
  for (const int choice :
       {1, 2, 1024, 1025, 1026, 2047, 2048, 2049, 2050, 4097, 5000}) {
    const Loaded l = load(file, std::to_string(choice) + "\n");
    EXPECT_STREQ(l.graph.name.data(), ("N" + std::to_string(choice)).c_str());
  }
}

TEST(DataFileTest, AcceptsADataInputOfExactly2500Characters) {
  const std::string head = "[U \"Edge\" (1) 2";
  const std::string exact =
      head + std::string(2500 - head.size() - 1, ' ') + "]";
  ASSERT_EQ(exact.size(), 2500u);
  EXPECT_EQ(load(exact, "1\n").result, Status::Kind::kOk);

  const std::string over = head + std::string(2500 - head.size(), ' ') + "]";
  const Loaded l = load(over, "1\n");
  EXPECT_EQ(l.result, Status::Kind::kNothing);
  EXPECT_NE(l.printed.find("longer than 2500 characters"), std::string::npos);

  // 2500 characters and then the end of the file: no ']' came.
  const Loaded cut = load(over.substr(0, 2500), "1\n");
  EXPECT_NE(cut.printed.find("has no closing ']'"), std::string::npos);
}

// Each data-input of the faults catalogue breaks one rule: choosing it
// lists the whole catalogue, echoes the data-input and names the rule.
TEST(DataFileTest, EachRuleBrokenIsNamedAfterTheEcho) {
  struct Fault {
    const char* text;
    const char* rule;
  };
  const std::vector<Fault> faults = {
      {"[U Unnamed, (1),2]", "has no graph name in double quotes"},
      {"[U \"Unclosed, (1),2]", "has no graph name in double quotes"},
      {"[U \"Sixteen-letters!\", (1),2]",
       "has a graph name longer than 15 bytes"},
      {"[U \"Headless\", 1, 2]", "has no node in parentheses"},
      {"[U \"BadHead\", (x),2]", "has a node header that is not (1) to (50)"},
      {"[U \"ZeroHead\", (0),2]", "has a node header that is not (1) to (50)"},
      {"[U \"BigHead\", (51),2]", "has a node header that is not (1) to (50)"},
      {"[U \"BigNeighbour\", (1),51]", "has a neighbour number above 50"},
      {"[U \"Tab\", (1),\t2]",
       "has a character out of place in its node groups"},
      {"[U \"Hash\", (1),2 # comment]",
       "has a character out of place in its node groups"},
      {"[U \"Break\", (1),2,\n (2),3]",
       "has a character out of place in its node groups"},
      {"[U \"Stray\", (1),2)]",
       "has a character out of place in its node groups"},
      {"[U \"Huge\", (1),99999999999999999999]",
       "has a neighbour number above 50"},
  };
  std::string file = "Each data-input breaks one rule of the format.\n";
  std::string listing;
  for (std::size_t i = 0; i < faults.size(); ++i) {
    file += std::string(faults[i].text) + "\n";
    listing += std::to_string(i + 1) + "  " + faults[i].text + "\n\n";
  }
  listing += "Input number before the selected data-input (zero to abort):\n";
  for (std::size_t i = 0; i < faults.size(); ++i) {
    const Loaded l = load(file, std::to_string(i + 1) + "\n");
    EXPECT_EQ(l.result, Status::Kind::kNothing) << faults[i].text;
    EXPECT_EQ(l.printed, listing + "Input-data from file is:\n" +
                             faults[i].text + "\nInput-array in file " +
                             faults[i].rule + "\n");
  }
}

}  // namespace
}  // namespace ugraph
