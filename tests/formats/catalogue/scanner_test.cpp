#include "formats/catalogue/scanner.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "base/file_holding.h"

namespace ugraph {
namespace {

// What the scanner makes of one data-input.
struct Scanned {
  int64_t number;
  Refusal refusal;
  std::string text;  // with the mark as 'U'
  int64_t line;
  int64_t column;
};

// Scans all of contents, taking each data-input by view() or by copy().
std::vector<Scanned> scan(const std::string& contents, bool byView) {
  std::FILE* file = testing::fileHolding(contents);
  static FileBlock block;
  static DataInputText record;
  BlockReader reader(file, block);
  CatalogueScanner scanner(reader);
  scanner.countLines();
  std::vector<Scanned> all;
  while (scanner.next()) {
    const int64_t number = scanner.number();
    std::string_view view;
    const Status s =
        byView ? scanner.view(record, view) : scanner.copy(record, view);
    std::string text = s.ok() ? std::string(view) : "";
    if (text.size() > 1) text[1] = 'U';
    all.push_back({number, s.refusal, text, s.at.line, s.at.column});
  }
  EXPECT_EQ(scanner.error(), 0);
  std::fclose(file);
  return all;
}

bool operator==(const Scanned& a, const Scanned& b) {
  return a.number == b.number && a.refusal == b.refusal && a.text == b.text &&
         (a.refusal == Refusal::kNone ||
          (a.line == b.line && a.column == b.column));
}

// Data-inputs of every outcome, placed so that each straddles the edge of
// the reader's block in turn: a viewed data-input must be the copied one.
TEST(CatalogueTest, AViewedDataInputIsTheCopiedOne) {
  const std::string samples =
      "[U \"A\" (1) 2]\n[]\n[x \"B\"]\n[u \"C\",\n (2) 1]\n[U \"D\" (1)";
  const std::size_t edge = FileBlock().size();
  for (std::size_t shift = 0; shift < samples.size(); ++shift) {
    const std::string contents = std::string(edge - shift, '\n') + samples;
    const std::vector<Scanned> viewed = scan(contents, true);
    ASSERT_EQ(viewed.size(), 5u) << "shift " << shift;
    EXPECT_EQ(viewed, scan(contents, false)) << "shift " << shift;
    EXPECT_EQ(viewed[1].refusal, Refusal::kNotMarked);
    EXPECT_EQ(viewed[3].text, "[U \"C\",\n (2) 1]");
    EXPECT_EQ(viewed[4].refusal, Refusal::kUnclosed);
  }
}

// An empty data-input "[]" closes at once, also when its ']' opens the
// next block: the data-input after it is still found whole.
TEST(CatalogueTest, AnEmptyDataInputAtABlockEdgeClosesAtOnce) {
  const std::size_t edge = FileBlock().size();
  const std::vector<Scanned> all =
      scan(std::string(edge - 1, ' ') + "[][U \"A\" (1) 2]", true);
  ASSERT_EQ(all.size(), 2u);
  EXPECT_EQ(all[0].refusal, Refusal::kNotMarked);
  EXPECT_EQ(all[0].column, static_cast<int64_t>(edge) + 1);
  EXPECT_EQ(all[1].text, "[U \"A\" (1) 2]");
}

}  // namespace
}  // namespace ugraph
