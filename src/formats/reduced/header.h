// A reduced graph: what --reduce writes in place of a file of one graph,
// or of a part of one, read back by --merge as one graph with the other
// parts. Its first lines are comments to other tools; they record what
// the whole file's verdict needs beyond the links:
//
//   # ugraph reduced graph
//   # file 9051 fnv1a64:4f2c1d0e9a8b7c6d /data/friendster.txt
//   # format mtx nodes 1000 entries 4000
//   # parts 0-2/8 lines 1200 links 1500
//   # parts 5-5/8 lines 300 links 400 refused 290 12 3 0 0
//
// The file's size and digest tell it from another whatever its path (which
// is only told). "parts A-B/N" covers parts A to B of a split in N; lines
// are counted from the first line of part A (part 0's count takes in the
// lines before the file's first link, which every part reads), and a
// refusal, the first of those parts, is placed in them: its rule (a
// number), line, column and the two numbers its words name. The rest is
// an edge list "a b" of the file's ids.
#ifndef UGRAPH_FORMATS_REDUCED_HEADER_H_
#define UGRAPH_FORMATS_REDUCED_HEADER_H_

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/console.h"
#include "base/file_part.h"
#include "base/status.h"
#include "formats/link_file/link_file.h"

namespace ugraph {

inline constexpr std::string_view kReducedMark = "# ugraph reduced graph";

// The refusals of a set of reduced graphs read as one.
inline constexpr Refusal kForeignPart =
    static_cast<Refusal>(kOwnRefusals + 192);
inline constexpr Refusal kMixedSplit = static_cast<Refusal>(kOwnRefusals + 193);
inline constexpr Refusal kPartTwice = static_cast<Refusal>(kOwnRefusals + 194);
inline constexpr Refusal kPartMissing =
    static_cast<Refusal>(kOwnRefusals + 195);
inline constexpr Refusal kNotReducedLine =
    static_cast<Refusal>(kOwnRefusals + 196);

// Parts first to last of count, read as one.
struct PartSpan {
  int64_t first = 0;
  int64_t last = 0;
  int64_t count = 1;
  int64_t lines = 0;
  uint64_t links = 0;
  // Its first refusal (Refusal::kNone: none), placed in its lines, and the
  // numbers its words name.
  Refusal refusal = Refusal::kNone;
  int64_t line = 0;
  int64_t column = 0;
  uint64_t found = 0;
  uint64_t declared = 0;
  // Which of the reduced graphs read gave it, from 0.
  std::size_t source = 0;
};

// What is wrong with a set of parts: the refusal, and the span it names
// (with the other when one part is given twice, or the splits differ).
struct SpanProblem {
  Refusal refusal = Refusal::kNone;
  PartSpan span;
  PartSpan other;
  bool ok() const { return refusal == Refusal::kNone; }
};

class ReducedHeader {
 public:
  ReducedHeader() = default;
  ReducedHeader(const ReducedHeader&) = delete;
  ReducedHeader& operator=(const ReducedHeader&) = delete;
  ~ReducedHeader();

  // Forgets every line read.
  void clear();

  // Reads a header line (from '#') of reduced graph number source, from 0.
  // A second graph's file and format must be the first's: else
  // kForeignPart (with problem() naming both). A line it cannot read is
  // kNotReducedLine; a comment of other words is passed over.
  LineFault readLine(std::string_view text, std::size_t source);

  // Sets what the header of a reduced graph of the file records.
  void setFile(const FileIdentity& identity, std::string_view path,
               std::string_view format, int64_t nodes, uint64_t entries);
  // Adds a span; false when the memory cannot be had.
  bool add(const PartSpan& span);

  // Sorts the spans and joins those that follow on from each other. The
  // first problem of the set: parts of splits in different counts, a part
  // given twice, or (when whole) a part missing.
  SpanProblem settle(bool whole);

  // The file read: known once a "# file" line was read, or set.
  bool known() const { return known_; }
  const FileIdentity& identity() const { return identity_; }
  std::string_view path() const { return {path_, pathLength_}; }
  std::string_view format() const { return {format_, formatLength_}; }
  int64_t nodes() const { return nodes_; }
  uint64_t entries() const { return entries_; }
  // The reduced graph whose file or format differs from the first's.
  std::size_t foreignSource() const { return foreign_; }
  const PartSpan* spans() const { return spans_; }
  std::size_t spanCount() const { return spanCount_; }
  // Calls f(const PartSpan& gap) for each run of parts that no span holds,
  // in order, until it returns false. REQUIRES: settled, with spans.
  template <class F>
  void forEachGap(F&& f) const {
    PartSpan gap;
    gap.count = spans_[0].count;
    int64_t next = 0;
    for (std::size_t i = 0; i <= spanCount_; ++i) {
      const int64_t upTo = i < spanCount_ ? spans_[i].first : gap.count;
      if (next < upTo) {
        gap.first = next;
        gap.last = upTo - 1;
        if (!f(gap)) return;
      }
      if (i < spanCount_) next = spans_[i].last + 1;
    }
  }

  // Writes the header's lines.
  void write(Console& console) const;

 private:
  LineFault readFile(std::string_view text, std::size_t at, std::size_t source);
  LineFault readFormat(std::string_view text, std::size_t at,
                       std::size_t source);
  LineFault readParts(std::string_view text, std::size_t at,
                      std::size_t source);

  bool known_ = false;
  bool formatKnown_ = false;
  FileIdentity identity_;
  // The path and format lie in the header itself: one is read at a time.
  char path_[4096] = {};
  std::size_t pathLength_ = 0;
  char format_[16] = {};
  std::size_t formatLength_ = 0;
  int64_t nodes_ = -1;
  uint64_t entries_ = UINT64_MAX;
  std::size_t foreign_ = 0;
  PartSpan* spans_ = nullptr;
  std::size_t spanCount_ = 0;
  std::size_t spanRoom_ = 0;
};

// Writes "a b\n" for link {a, b} of a reduced graph.
void writeReducedLink(uint64_t a, uint64_t b, Console& console);

}  // namespace ugraph

#endif  // UGRAPH_FORMATS_REDUCED_HEADER_H_
