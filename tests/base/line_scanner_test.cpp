#include "base/line_scanner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "base/file_holding.h"

namespace ugraph {
namespace {

struct Scanned {
  uint64_t length;
  bool held;
  std::string text;
  bool operator==(const Scanned&) const = default;
};

// Each line of contents as a scanner with the given limit reads it, from a
// file or from a source of a few bytes at a time.
std::vector<Scanned> scan(const std::string& contents, uint64_t limit,
                          bool dribbled) {
  static FileBlock block;
  std::FILE* file = testing::fileHolding(contents);
  testing::Dribble d{contents};
  const ByteSource source = d.source();
  BlockReader reader =
      dribbled ? BlockReader(source, block) : BlockReader(file, block);
  LineScanner lines(reader);
  lines.setLimit(limit);
  std::vector<Scanned> scanned;
  while (lines.next()) {
    scanned.push_back(
        {lines.length(), !lines.notHeld(), std::string(lines.text())});
  }
  std::fclose(file);
  return scanned;
}

// Lines longer than the block are held up to the limit exactly, a '\r'
// before the line end counted; a longer one is not held, and its length
// is the whole line's, however many pieces it came in.
TEST(LineScannerTest, HoldsALineOfExactlyTheLimitAndCountsALongerOne) {
  const uint64_t limit = 3 * FileBlock().size() + 5;
  const std::string atLimit(limit, 'a');
  const std::string over(limit + 1, 'b');
  const std::string longer(5 * limit, 'c');
  const std::string crAtLimit(limit - 1, 'd');
  const std::string contents =
      atLimit + "\n" + over + "\n" + longer + "\n" + crAtLimit + "\r\nend";
  for (const bool dribbled : {false, true}) {
    const std::vector<Scanned> expected = {{limit, true, atLimit},
                                           {limit + 1, false, ""},
                                           {5 * limit, false, ""},
                                           {limit, true, crAtLimit},
                                           {3, true, "end"}};
    EXPECT_EQ(scan(contents, limit, dribbled), expected) << dribbled;
  }
}

}  // namespace
}  // namespace ugraph
