#include "app/catalogue_judge.h"

#include "graph/analysis.h"
#include "input/catalogue_file.h"
#include "input/graph6.h"

namespace ugraph {
namespace {

// Whether start may yet grow into a header: it is shorter than one and
// begins it.
bool mayBeHeader(std::string_view start) {
  return start.size() < kSparse6Header.size() &&
         (kGraph6Header.substr(0, start.size()) == start ||
          kSparse6Header.substr(0, start.size()) == start);
}

// The format a file's first bytes name, and the length of its header.
InputFormat formatNamed(std::string_view start, std::size_t& header) {
  for (const auto& [text, format] :
       {std::pair{kGraph6Header, InputFormat::kGraph6},
        std::pair{kSparse6Header, InputFormat::kSparse6}}) {
    if (start.substr(0, text.size()) == text) {
      header = text.size();
      return format;
    }
  }
  header = 0;
  return InputFormat::kCatalogue;
}

}  // namespace

CatalogueJudge::Space CatalogueJudge::shared_;

CatalogueJudge::CatalogueJudge(std::FILE* file, bool analyse,
                               const InputFormat* format, Console* console,
                               JudgeNeeds needs)
    : reader_(file, CatalogueFile::block()),
      scanner_(reader_),
      lines_(reader_, space_.record),
      analyse_(analyse),
      needs_(needs) {
  reader_.countLines();
  if (console != nullptr) reader_.flushBeforeWaiting(*console);
  // Only as many bytes as tell whether a header is there are waited for.
  while (mayBeHeader(reader_.peeked()) && reader_.peekMore()) {
  }
  std::size_t header = 0;
  const InputFormat named = formatNamed(reader_.peeked(), header);
  format_ = format != nullptr ? *format : named;
  if (format_ == InputFormat::kCatalogue) return;
  space_.current.graph.name = {};  // a line has no name
  otherHeader_ = named != InputFormat::kCatalogue && named != format_;
  reader_.skip(header);
  lines_.setHeader(header);
}

bool CatalogueJudge::next() {
  return format_ == InputFormat::kCatalogue ? nextDataInput() : nextLine();
}

bool CatalogueJudge::nextDataInput() {
  if (!scanner_.next()) return false;
  space_.current.number = scanner_.number();
  // A check needs the position of a refused data-input only.
  if (analyse_ && needs_.starts) space_.current.start = scanner_.start();
  std::string_view text;
  const Status viewed = scanner_.view(space_.record, text);
  if (viewed.ok()) {
    judge(text);
  } else {
    if (reader_.error() != 0) return false;
    refuse(viewed);
  }
  return true;
}

bool CatalogueJudge::nextLine() {
  if (!lines_.next()) return false;
  JudgedDataInput& d = space_.current;
  d.number = lines_.number();
  d.start = {lines_.number(), 1};
  const auto at = [&](std::size_t offset) {
    return FilePosition{lines_.number(),
                        static_cast<int64_t>(lines_.shift() + offset) + 1};
  };
  if (lines_.tooLong()) {
    refuse(Status::refused(Refusal::kTooLong, d.start));
    return true;
  }
  if (otherHeader_ && lines_.number() == 1) {
    refuse(Status::refused(Refusal::kOtherHeader, d.start));
    return true;
  }
  const LineFormat format = format_ == InputFormat::kGraph6
                                ? LineFormat::kGraph6
                                : LineFormat::kSparse6;
  const ParseResult parsed = decodeGraphLine(
      lines_.text(), format, d.graph.linkTo[0], d.analysis.rows);
  if (parsed.refusal != Refusal::kNone) {
    refuse(Status::refused(parsed.refusal, at(parsed.at)));
    return true;
  }
  d.status = {};
  d.verdict = GraphClass::kWellFormed;
  if (analyse_) analyse();
  return true;
}

Status CatalogueJudge::status() const {
  return reader_.error() == 0
             ? Status{}
             : Status::of(Status::Kind::kReadFailed, reader_.error());
}

void CatalogueJudge::refuse(const Status& refused) {
  space_.current.verdict = GraphClass::kRefused;
  space_.current.status = refused;
  if (format_ == InputFormat::kCatalogue) {
    space_.current.start = scanner_.start();
  }
}

void CatalogueJudge::judge(std::string_view text) {
  text_ = text;
  const ParseResult parsed =
      analyse_ ? parseDataInputRows(text, readInto()) : checkDataInput(text);
  if (parsed.refusal != Refusal::kNone) {
    refuse(Status::refused(parsed.refusal,
                           positionIn(scanner_.start(), text, parsed.at)));
    return;
  }
  space_.current.status = {};
  space_.current.verdict = GraphClass::kWellFormed;
  if (analyse_) analyse();
}

DataInputGraph CatalogueJudge::readInto() {
  JudgedDataInput& d = space_.current;
  return {d.graph.name, d.graph.linkTo[0], d.analysis.rows};
}

void CatalogueJudge::load() {
  // A data-input only checked has not been read into its record yet.
  if (!analyse_ && format_ == InputFormat::kCatalogue) {
    parseDataInputRows(text_, readInto());
  }
}

void CatalogueJudge::analyse() {
  load();
  analyseRows(space_.current.graph, space_.current.analysis, NoWalkObserver{},
              needs_.list);
  space_.current.verdict = space_.current.analysis.verdict;
}

}  // namespace ugraph
