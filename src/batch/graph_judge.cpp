#include "batch/graph_judge.h"

#include "base/input_file.h"
#include "graph/analysis.h"

namespace ugraph {
namespace {

// Whether start may yet grow into a header: it is shorter than one and
// begins it.
bool mayBeHeader(std::string_view start) {
  return start.size() < kSparse6Header.size() &&
         (kGraph6Header.substr(0, start.size()) == start ||
          kSparse6Header.substr(0, start.size()) == start);
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

std::span<const int32_t> cycleOf(const JudgedGraph& d, Cycle& small) {
  int32_t* const room =
      d.lists != nullptr ? d.lists->cycleRoom() : small.data();
  const std::size_t length =
      withGraph(d, [&](const auto& graph, const auto& walk) {
        return findCycleIn(graph, walk, room);
      });
  return {room, length};
}

GraphJudge::Space GraphJudge::shared_;

GraphJudge::GraphJudge(std::FILE* file, bool analyse, const InputFormat* format,
                       Console* console, JudgeNeeds needs)
    : reader_(file, InputFile::block()),
      analyse_(analyse),
      needs_(needs),
      catalogue_(reader_, space_.record, analyse, needs.starts, !needs.walk),
      lines_(reader_, space_.lists, analyse, needs.maxMemory, !needs.walk) {
  reader_.countLines();
  // The graph is of rows until a reader says otherwise, whatever an
  // earlier judge left.
  space_.current.lists = nullptr;
  if (console != nullptr) reader_.flushBeforeWaiting(*console);
  // Only as many bytes as tell whether a header is there are waited for.
  while (mayBeHeader(reader_.peeked()) && reader_.peekMore()) {
  }
  const std::size_t header = headerLength(reader_.peeked());
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
}

bool GraphJudge::next() {
  JudgedGraph& d = space_.current;
  if (!(format_ == InputFormat::kCatalogue ? catalogue_.next(d)
                                           : lines_.next(d))) {
    return false;
  }
  if (analyse_ && d.verdict == GraphClass::kWellFormed) analyse();
  return true;
}

bool GraphJudge::load() {
  if (analyse_) return true;
  JudgedGraph& d = space_.current;
  return format_ == InputFormat::kCatalogue ? catalogue_.load(d)
                                            : lines_.load(d);
}

Status GraphJudge::status() const {
  return reader_.error() == 0
             ? Status{}
             : Status::of(Status::Kind::kReadFailed, reader_.error());
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
