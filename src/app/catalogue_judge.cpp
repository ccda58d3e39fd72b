#include "app/catalogue_judge.h"

#include "graph/analysis.h"
#include "input/catalogue_file.h"

namespace ugraph {
namespace {

// Whether start may yet grow into a header: it is shorter than one and
// begins it.
bool mayBeHeader(std::string_view start) {
  return start.size() < kSparse6Header.size() &&
         (kGraph6Header.substr(0, start.size()) == start ||
          kSparse6Header.substr(0, start.size()) == start);
}

// The length of the header line begins with, 0 when none.
std::size_t headerAt(std::string_view line) {
  for (const std::string_view header : {kGraph6Header, kSparse6Header}) {
    if (line.substr(0, header.size()) == header) return header.size();
  }
  return 0;
}

// The first line of text, without its line end; whole tells whether its
// end was found.
std::string_view firstLineOf(std::string_view text, bool& whole) {
  const std::size_t end = text.find('\n');
  whole = end != std::string_view::npos;
  std::string_view line = text.substr(0, end);
  if (whole && !line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

}  // namespace

std::span<const int32_t> cycleOf(const JudgedDataInput& d, Cycle& small) {
  int32_t* const room =
      d.lists != nullptr ? d.lists->cycleRoom() : small.data();
  const std::size_t length =
      withGraph(d, [&](const auto& graph, const auto& walk) {
        return findCycleIn(graph, walk, room);
      });
  return {room, length};
}

CatalogueJudge::Space CatalogueJudge::shared_;

CatalogueJudge::CatalogueJudge(std::FILE* file, bool analyse,
                               const InputFormat* format, Console* console,
                               JudgeNeeds needs)
    : reader_(file, CatalogueFile::block()),
      scanner_(reader_),
      lines_(reader_),
      analyse_(analyse),
      needs_(needs) {
  reader_.countLines();
  if (console != nullptr) reader_.flushBeforeWaiting(*console);
  // Only as many bytes as tell whether a header is there are waited for.
  while (mayBeHeader(reader_.peeked()) && reader_.peekMore()) {
  }
  const std::size_t header = headerAt(reader_.peeked());
  // Without a header the first line decides; it is waited for only until
  // a byte shows that it is no graph line, or the block is full.
  bool whole = false;
  std::string_view line = firstLineOf(reader_.peeked(), whole);
  while (header == 0 && !whole && mayBeGraphLine(line) &&
         reader_.peeked().size() < sizeof(FileBlock) && reader_.peekMore()) {
    line = firstLineOf(reader_.peeked(), whole);
  }
  const bool lines = header != 0 || startsGraphLines(line, reader_.peeked());
  format_ = format != nullptr ? *format
            : lines           ? InputFormat::kGraphLines
                              : InputFormat::kCatalogue;
  if (format_ == InputFormat::kCatalogue) {
    if (lines) firstLine_ = FirstLine::kLooksLikeLines;
    return;
  }
  if (header == 0 && line.find('[') != std::string_view::npos) {
    firstLine_ = FirstLine::kLooksLikeCatalogue;
  }
  space_.current.graph.name = {};  // a line has no name
  reader_.skip(header);
  lines_.setHeader(header);
  lines_.setLimit(needs_.maxMemory);
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
  d.lists = nullptr;
  if (lines_.notHeld()) {
    refuseForMemory(lines_.length(), lines_.length() < needs_.maxMemory);
    return true;
  }
  const std::string_view text = lines_.text();
  if (headerAt(text) != 0) {
    refuse(Status::refused(Refusal::kHeaderNotFirst, d.start));
    return true;
  }
  const ParseResult parsed = readLineHead(text, head_);
  if (parsed.refusal != Refusal::kNone) {
    refuse(Status::refused(
        parsed.refusal,
        {lines_.number(),
         static_cast<int64_t>(lines_.shift() + parsed.at) + 1}));
    return true;
  }
  // A graph of a few nodes is held as rows, as a data-input is, unless it
  // has more entries than the record holds (self-links at every node).
  large_ = head_.n > kMaxNodes;
  if (!large_) {
    decodeGraphLine(text, d.graph.linkTo[0], d.analysis.rows);
    large_ = entriesIn(d.analysis.rows) > kMaxEntries;
  }
  if (large_ && !readLarge(analyse_)) return true;
  d.status = {};
  d.verdict = GraphClass::kWellFormed;
  d.nodes = head_.n;
  if (analyse_) analyse();
  return true;
}

bool CatalogueJudge::readLarge(bool build) {
  NeighbourLists& lists = space_.lists;
  const std::string_view text = lines_.text();
  const auto each = [&](auto&& sink) { forEachLineLink(text, head_, sink); };
  const uint64_t fixed = lines_.length() + listsBytes(head_.n, 0);
  if (fixed > needs_.maxMemory) {
    refuseForMemory(fixed);
    return false;
  }
  const uint64_t maxEntries = (needs_.maxMemory - fixed) / kBytesPerEntry;
  if (!build) {
    // Only checked: what the lists would need is counted, not had.
    uint64_t entries = 0;
    each([&](int32_t a, int32_t b) { entries += a == b ? 1 : 2; });
    if (entries > maxEntries) {
      refuseForMemory(fixed + entries * kBytesPerEntry);
      return false;
    }
    return true;
  }
  if (!lists.startGraph(head_.n)) {
    refuseForMemory(fixed, true);
    return false;
  }
  if (!lists.build(each, maxEntries)) {
    const auto entries = static_cast<uint64_t>(lists.entries());
    refuseForMemory(fixed + entries * kBytesPerEntry, entries <= maxEntries);
    return false;
  }
  space_.current.lists = &lists;
  return true;
}

void CatalogueJudge::refuseForMemory(uint64_t need, bool denied) {
  Status refused = Status::refused(Refusal::kOverMemory, {lines_.number(), 1});
  refused.need = need;
  refused.ceiling = denied ? 0 : needs_.maxMemory;
  refuse(refused);
}

Status CatalogueJudge::status() const {
  return reader_.error() == 0
             ? Status{}
             : Status::of(Status::Kind::kReadFailed, reader_.error());
}

void CatalogueJudge::refuse(const Status& refused) {
  space_.current.verdict = GraphClass::kRefused;
  space_.current.status = refused;
  space_.current.lists = nullptr;
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

bool CatalogueJudge::load() {
  if (analyse_) return true;
  // A data-input only checked has not been read into its record yet, nor
  // a large line into its lists.
  if (format_ == InputFormat::kCatalogue) {
    parseDataInputRows(text_, readInto());
    space_.current.nodes = space_.current.graph.linkTo[0];
  } else if (large_) {
    return readLarge(true);
  }
  return true;
}

void CatalogueJudge::finishLists(const ListsAnalysis& a) {
  JudgedDataInput& d = space_.current;
  d.verdict = a.verdict;
  d.nodes = d.lists->nodes();
  d.links = a.links;
  d.parts = a.parts;
}

void CatalogueJudge::finishAnalysis() {
  JudgedDataInput& d = space_.current;
  d.verdict = d.analysis.verdict;
  d.nodes = d.graph.linkTo[0];
  d.links = d.analysis.links;
  d.parts = d.analysis.parts;
}

void CatalogueJudge::analyse() {
  if (!load()) return;
  JudgedDataInput& d = space_.current;
  if (d.lists != nullptr) {
    finishLists(analyseLists(*d.lists, NoWalkObserver{}));
    return;
  }
  analyseRows(d.graph, d.analysis, NoWalkObserver{}, needs_.list);
  finishAnalysis();
}

}  // namespace ugraph
