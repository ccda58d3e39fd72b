#include "batch/graph_judge.h"

#include <algorithm>
#include <optional>

#include "base/input_file.h"
#include "formats/foreign.h"
#include "graph/analysis.h"

namespace ugraph {

GraphJudge::Space GraphJudge::shared_;
ReaderRoom GraphJudge::room_;

namespace {

// The source of a judge made from a FILE, as the tests make them.
std::optional<FileSource> ownSource;

}  // namespace

GraphJudge::Opened GraphJudge::open(std::FILE* file) {
  ownSource.emplace(fileno(file));
  return {ownSource->bytes(), ownSource->fault()};
}

GraphJudge::GraphJudge(std::FILE* file, bool analyse, const FormatRow* format,
                       Console* console, JudgeNeeds needs,
                       std::string_view fileName)
    : GraphJudge(open(file), analyse, format, console, needs, fileName) {
  ownsSource_ = true;
}

GraphJudge::~GraphJudge() {
  reader_.end();
  // What the source's decompressor holds goes with the judge.
  if (ownsSource_) ownSource.reset();
}

GraphJudge::GraphJudge(const ByteSource& source, int fault, bool analyse,
                       const FormatRow* format, Console* console,
                       JudgeNeeds needs, std::string_view fileName,
                       bool inArchive)
    : block_(source, InputFile::block()),
      fault_(fault),
      analyse_(analyse),
      needs_(needs) {
  block_.countLines();
  // The graph is of rows until a reader says otherwise, and has no name
  // until a reader gives it one, whatever an earlier judge left.
  space_.current.lists = nullptr;
  space_.current.graph.name = {};
  space_.current.ids = nullptr;
  space_.current.fullName = {};
  space_.current.warning = {};
  if (console != nullptr) block_.flushBeforeWaiting(*console);
  if (fault_ != 0) format = &formatRows().front();
  detect(format, fileName);
  noFormat_ = inArchive && format == nullptr && noSign_;
  reader_ = format_->open(
      room_, {block_, space_.record, space_.lists, analyse_, needs_, fileName});
}

void GraphJudge::detect(const FormatRow* given, std::string_view fileName) {
  const std::span<const FormatRow> rows = formatRows();
  const auto wanted = [&] {
    return std::ranges::any_of(rows, [&](const FormatRow& row) {
      return row.wantsMore(block_.peeked(), sizeof(FileBlock));
    });
  };
  while (wanted() && block_.peekMore()) {
  }
  // The strongest sign wins, the earlier row on a tie; the first row when
  // no row shows any.
  const FormatRow* strongest = rows.data();
  Sign best = Sign::kNone;
  for (const FormatRow& row : rows) {
    const Sign sign = row.sign(block_.peeked(), fileName);
    if (sign > best) {
      best = sign;
      strongest = &row;
    }
  }
  format_ = given != nullptr ? given : strongest;
  // A start that no format's sign names may be one of a format ugraph
  // does not read.
  if (given == nullptr && best == Sign::kNone) {
    foreign_ = foreignFormatOf(block_.peeked());
    noSign_ = true;
  }
  // Rows of one reader read alike; the sign of the reading is theirs.
  Sign read = Sign::kNone;
  Sign hint = Sign::kNone;
  for (const FormatRow& row : rows) {
    const Sign sign = row.sign(block_.peeked(), fileName);
    if (row.open == format_->open) {
      read = std::max(read, sign);
    } else if (sign > hint) {
      hint = sign;
      looksLike_ = &row;
    }
  }
  // A header settles what a file is; without one, a file read in one
  // format whose start shows the sign of another is hinted at.
  if (read == Sign::kHeader) looksLike_ = nullptr;
}

bool GraphJudge::next() {
  JudgedGraph& d = space_.current;
  if (!foreign_.empty() || fault_ != 0 || noFormat_) return false;
  if (!reader_.next(d)) return false;
  if (analyse_ && d.verdict == GraphClass::kWellFormed) analyse();
  return true;
}

bool GraphJudge::load() {
  if (analyse_) return true;
  return reader_.load(space_.current);
}

Status GraphJudge::status() const {
  if (fault_ != 0) return Status::of(Status::Kind::kReadFailed, fault_);
  return block_.error() == 0
             ? Status{}
             : Status::of(Status::Kind::kReadFailed, block_.error());
}

void GraphJudge::finishLists(const ListsAnalysis& a) {
  JudgedGraph& d = space_.current;
  d.verdict = a.verdict;
  d.nodes = d.lists->nodes();
  d.links = a.links;
  d.parts = a.parts;
}

void GraphJudge::finishAnalysis() {
  JudgedGraph& d = space_.current;
  d.verdict = d.analysis.verdict;
  d.nodes = d.graph.linkTo[0];
  d.links = d.analysis.links;
  d.parts = d.analysis.parts;
}

void GraphJudge::analyse() {
  JudgedGraph& d = space_.current;
  if (d.lists != nullptr) {
    finishLists(analyseLists(*d.lists, NoWalkObserver{}));
    return;
  }
  if (!needs_.walk) {  // left to the caller to count
    d.nodes = d.graph.linkTo[0];
    return;
  }
  analyseRows(d.graph, d.analysis, NoWalkObserver{}, needs_.list);
  finishAnalysis();
}

}  // namespace ugraph
