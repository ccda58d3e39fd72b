#include "base/block_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "base/file_holding.h"

namespace ugraph {
namespace {

// Reads contents through a reader and returns where each '[' stands, as
// the reader pins and resolves it.
std::vector<FilePosition> bracketsOf(const std::string& contents,
                                     const ByteSource* source = nullptr) {
  std::FILE* file = testing::fileHolding(contents);
  static FileBlock block;
  BlockReader reader = source != nullptr ? BlockReader(*source, block)
                                         : BlockReader(file, block);
  reader.countLines();
  std::vector<FilePosition> found;
  while (reader.skipThrough('[')) {
    reader.pin(reader.offset() - 1);
    // Every other one is asked for only once the reader has moved on.
    if (found.size() % 2 == 1) reader.skipThrough(']');
    found.push_back(reader.pinned());
  }
  EXPECT_EQ(reader.error(), 0);
  std::fclose(file);
  return found;
}

// What a source that is no descriptor hands over, a few bytes at a time as
// a decompressor may, reads as the same bytes from a file do.
TEST(BlockReaderTest, ASourceOfAFewBytesAtATimeReadsAsAFile) {
  const std::size_t edge = FileBlock().size();
  std::string contents = "a\n[b\n" + std::string(edge, 'x') + "\n [] [";
  testing::Dribble d{contents};
  const ByteSource source = d.source();
  const std::vector<FilePosition> fromSource = bracketsOf(contents, &source);
  const std::vector<FilePosition> fromFile = bracketsOf(contents);
  ASSERT_EQ(fromSource.size(), 3u);
  ASSERT_EQ(fromSource.size(), fromFile.size());
  for (std::size_t i = 0; i < fromFile.size(); ++i) {
    EXPECT_EQ(fromSource[i].line, fromFile[i].line) << i;
    EXPECT_EQ(fromSource[i].column, fromFile[i].column) << i;
  }
}

// Lines and columns are counted across the edge of the block: a '[' on
// either side of it, a line end just before it, and a line that spans it.
TEST(BlockReaderTest, PositionsHoldAcrossTheBlockEdge) {
  const std::size_t edge = FileBlock().size();
  for (const std::size_t before : {edge - 2, edge - 1, edge, edge + 1}) {
    // Three lines before the brackets; the third runs up to them.
    std::string contents = "a\nb\n" + std::string(before - 4, 'x');
    contents += "[]\n[]";
    const auto brackets = bracketsOf(contents);
    ASSERT_EQ(brackets.size(), 2u) << before;
    EXPECT_EQ(brackets[0].line, 3) << before;
    EXPECT_EQ(brackets[0].column, static_cast<int64_t>(before - 4 + 1))
        << before;
    EXPECT_EQ(brackets[1].line, 4) << before;
    EXPECT_EQ(brackets[1].column, 1) << before;
  }
}

TEST(BlockReaderTest, TakeThroughStaysInsideTheBlockAndItsLimit) {
  const std::string contents = "[abc][" + std::string(20, 'y') + "]";
  std::FILE* file = testing::fileHolding(contents);
  static FileBlock block;
  BlockReader reader(file, block);
  ASSERT_TRUE(reader.skipThrough('['));
  EXPECT_EQ(reader.takeThrough(']', 5), "[abc]");
  ASSERT_TRUE(reader.skipThrough('['));
  EXPECT_EQ(reader.takeThrough(']', 21), "");  // 22 characters
  EXPECT_EQ(reader.takeThrough(']', 22).size(), 22u);
  std::fclose(file);
}

}  // namespace
}  // namespace ugraph
