#include "formats/catalogue/digit_groups.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "formats/catalogue/data_input.h"
#include "graph/row_parts.h"

namespace ugraph {
namespace {

// The kernels this processor runs, and kNone, which reads nothing.
std::vector<DigitKernel> kernels() {
  std::vector<DigitKernel> all;
  for (auto k = static_cast<int>(digitKernel());
       k <= static_cast<int>(DigitKernel::kNone); ++k) {
    all.push_back(static_cast<DigitKernel>(k));
  }
  return all;
}

// A data-input around groups; the groups begin at kLead.
constexpr std::string_view kLead = "[U \"g\", ";
std::string dataInput(const std::string& groups) {
  return std::string(kLead) + groups + "]";
}

// Reads groups with each kernel. A kernel that vouches for them must read
// them as the parser does: the same lower rows 0 to 9, links and node
// count, and no row past 9 touched. Returns how many kernels vouched.
int expectKernelsAgree(const std::string& groups) {
  const std::string text = dataInput(groups);
  const std::string_view view(text);
  GraphName name{};
  int32_t nodeCount = 0;
  LinkRows rows{};
  const ParseResult parsed =
      parseDataInputRows(view, DataInputGraph{name, nodeCount, rows});
  const int32_t links = keepLowerRows(rows, kMaxNodes);
  int vouched = 0;
  for (const DigitKernel kernel : kernels()) {
    LinkRows lower;
    lower.fill(~uint64_t{0});
    DigitGroups read;
    const std::string_view inText = view.substr(kLead.size(), groups.size());
    if (!readDigitGroupsWith(kernel, inText, lower, read)) continue;
    ++vouched;
    const auto k = static_cast<int>(kernel);
    EXPECT_EQ(parsed.refusal, Refusal::kNone) << k << ": " << groups;
    EXPECT_EQ(read.nodeCount, nodeCount) << k << ": " << groups;
    EXPECT_EQ(read.links, links) << k << ": " << groups;
    for (std::size_t b = 0; b < lower.size(); ++b) {
      EXPECT_EQ(lower[b], b <= 9 ? rows[b] : ~uint64_t{0})
          << k << ", row " << b << ": " << groups;
    }
  }
  return vouched;
}

// Well-formed groups of one-digit numbers on nodes 1 to 9, written in the
// ways the format allows: any order, headers repeated, neighbours 0 and
// repeated, self-links, and any run of separators or none.
std::string randomGroups(std::mt19937& random, std::size_t groupCount) {
  const auto pick = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  const auto separators = [&](bool some) {
    static constexpr std::string_view kForms[] = {", ", ",", " ", "", ",,  ,"};
    return std::string(kForms[some ? pick(0, 1) : pick(0, 4)]);
  };
  std::string groups;
  for (std::size_t g = 0; g < groupCount; ++g) {
    if (g > 0) groups += separators(false);
    groups += "(" + std::to_string(pick(1, 9)) + ")";
    const int neighbours = pick(0, 8);
    for (int i = 0; i < neighbours; ++i) {
      // Two numbers need a separator between them, or they are one.
      groups += separators(i > 0);
      groups += std::to_string(pick(0, 9));
    }
  }
  return groups;
}

TEST(DigitGroupsTest, KernelsReadWellFormedGroupsAsTheParserDoes) {
  std::mt19937 random(7);  // NOLINT(cert-msc32-c,cert-msc51-cpp)
  // Lengths from a few bytes to several steps of 64, so that every way a
  // group may straddle the steps' ends and the last step's is met.
  for (int round = 0; round < 3000; ++round) {
    const std::string groups =
        randomGroups(random, 1 + static_cast<std::size_t>(round % 40));
    const int vouched = expectKernelsAgree(groups);
    // Every kernel but kNone must vouch for well-formed groups: a kernel
    // that gives up on them is no fast path.
    EXPECT_EQ(vouched, static_cast<int>(kernels().size()) - 1) << groups;
  }
}

TEST(DigitGroupsTest, KernelsLeaveEveryFaultAndLongerNumberToTheParser) {
  // Each fault at the start, the middle and the end of groups long enough
  // for several steps, and each form the parser alone reads.
  const std::vector<std::string> faults = {
      "(",       "(1",     "(1)(",   "(1),(",    "(1)(2",   "()",     "(0)",
      "(12)",    "(1),12", "(1),x",  "(1)),2",   "(1),2)",  "((1)",   "(1(2))",
      "(1),\n2", "(1),-2", "(1),2(", "(1),2,(3", "(1)\t,2", "(10),2", "(1),50",
  };
  std::mt19937 random(11);  // NOLINT(cert-msc32-c,cert-msc51-cpp)
  for (const std::string& fault : faults) {
    for (int place = 0; place < 3; ++place) {
      for (const std::size_t length :
           {0UL, 5UL, 13UL, 15UL, 16UL, 17UL, 40UL, 62UL, 63UL, 64UL, 65UL,
            126UL, 127UL, 128UL, 129UL, 200UL}) {
        std::string groups = "(1)";
        while (groups.size() < length) groups += ",2";
        if (place == 0) groups.insert(0, fault + ",");
        if (place == 1) groups.insert(groups.size() / 2, fault);
        if (place == 2) groups += "," + fault;
        if (groups.front() != '(') groups.insert(0, "(3)");
        expectKernelsAgree(groups);
        // And with a random byte changed anywhere.
        std::string changed = groups;
        changed[std::uniform_int_distribution<std::size_t>(
            0, changed.size() - 1)(random)] =
            static_cast<char>(
                std::uniform_int_distribution<int>(1, 255)(random));
        if (changed.front() == '(') expectKernelsAgree(changed);
      }
    }
  }
}

TEST(DigitGroupsTest, RandomBytesAfterAHeaderAreReadOrLeftAlone) {
  std::mt19937 random(13);  // NOLINT(cert-msc32-c,cert-msc51-cpp)
  static constexpr std::string_view kBytes = "0123456789(), (),";
  for (int round = 0; round < 20000; ++round) {
    std::string groups = "(";
    const std::size_t length =
        std::uniform_int_distribution<std::size_t>(1, 150)(random);
    for (std::size_t i = 0; i < length; ++i) {
      groups += kBytes[std::uniform_int_distribution<std::size_t>(
          0, kBytes.size() - 1)(random)];
    }
    expectKernelsAgree(groups);
  }
}

TEST(DigitGroupsTest, GroupsTooLongForTheLinksLimitAreLeftToTheParser) {
  std::string groups = "(1)";
  while (groups.size() <= 2 * static_cast<std::size_t>(kMaxFileLinks)) {
    groups += ",2";
  }
  EXPECT_EQ(expectKernelsAgree(groups), 0);
}

}  // namespace
}  // namespace ugraph
