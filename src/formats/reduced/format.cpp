#include "formats/reduced/format.h"

#include "formats/mtx/format.h"

namespace ugraph {
namespace reduced_format {
namespace {

// The headers read, in static storage as one file is read at a time.
ReducedHeader header;

class Grammar {
 public:
  LineFault line(std::string_view text, LinkFile& file) {
    std::size_t at = skipBlanks(text, 0);
    if (at == text.size()) return {};
    if (text[at] == '#') return comment(text, file);
    // Links come after the header's format line, which says how the nodes
    // are named.
    if (!declared_) return {kNotReducedLine, at};
    uint64_t ends[2] = {};
    for (uint64_t& id : ends) {
      const std::size_t from = at;
      const LineFault fault = readNumber(text, at, id);
      if (!fault.ok()) return fault;
      const uint64_t nodes = static_cast<uint64_t>(header.nodes());
      if (header.nodes() >= 0 && (id == 0 || id > nodes)) {
        return {kNodeOutside, from, id, nodes};
      }
      at = skipBlanks(text, at);
    }
    file.link(ends[0], ends[1]);
    return {};
  }

  // The parts must be every part of one split; the first refusal among
  // them is then the whole file's, placed in its lines; else a Matrix
  // Market file must hold the entries its size line declares. Reduced
  // again, the parts may be any of the split, and what they found is
  // carried on.
  static LineFault end(LinkFile& file) {
    const SpanProblem problem = header.settle(!file.reducing());
    if (file.reducing() || !problem.ok()) {
      return {problem.refusal, 0, static_cast<uint64_t>(problem.span.first),
              static_cast<uint64_t>(problem.span.count)};
    }
    const PartSpan& whole = header.spans()[0];
    if (whole.refusal != Refusal::kNone) {
      LineFault fault{whole.refusal, static_cast<std::size_t>(whole.column - 1),
                      whole.found, whole.declared};
      fault.line = whole.line;
      return fault;
    }
    if (header.format() == kMtxRow.name && whole.links != header.entries()) {
      // Where the entries past the size line's begin, no part knows: the
      // file's last line is named.
      LineFault fault{mtx_format::kEntriesDiffer, 0, whole.links,
                      header.entries()};
      fault.line = whole.lines;
      return fault;
    }
    return {};
  }

  bool holdsGraph() const { return marked_; }

 private:
  LineFault comment(std::string_view text, LinkFile& file) {
    if (text.starts_with(kReducedMark)) {
      // Each reduced graph read begins with its mark.
      if (marked_) ++source_;
      marked_ = true;
      return {};
    }
    if (!marked_) return {kNotReducedLine, 0};
    const LineFault fault = header.readLine(text, source_);
    if (!fault.ok()) return fault;
    if (!declared_ && !header.format().empty()) {
      declared_ = true;
      file.readsReduced();
      if (header.nodes() >= 0) {
        return file.declare(static_cast<uint64_t>(header.nodes()));
      }
    }
    return {};
  }

  bool marked_ = false;
  bool declared_ = false;
  std::size_t source_ = 0;
};

// A new reader forgets the headers of the last. A reduced graph's links
// are mostly joins: they are told from repeats by the forest of joins.
class Reader : public LinkFileReader<Grammar> {
 public:
  explicit Reader(const ReaderSetup& setup) : LinkFileReader(setup) {
    header.clear();
    tellRepeatsByJoins();
  }
};

}  // namespace

bool wantsMore(std::string_view start, std::size_t room) {
  return start.size() < kReducedMark.size() && start.size() < room &&
         kReducedMark.starts_with(start);
}

Sign sign(std::string_view start, std::string_view /*fileName*/) {
  bool whole = false;
  return firstLineOf(start, whole) == kReducedMark ? Sign::kHeader
                                                   : Sign::kNone;
}

GraphReader open(ReaderRoom& room, const ReaderSetup& setup) {
  return GraphReader::make<Reader>(room, setup);
}

std::string_view phrase(Refusal refusal) {
  if (refusal == kForeignPart) return "joins parts of different files";
  if (refusal == kMixedSplit) return "joins parts of different splits";
  if (refusal == kPartTwice) return "holds part {}/{} twice";
  if (refusal == kPartMissing) {
    return "lacks part {}/{}; --merge reads a graph's parts as one";
  }
  if (refusal == kNotReducedLine) {
    return "has a line that is no reduced graph's ('# ugraph reduced "
           "graph' first, then its header)";
  }
  return "";
}

const ReducedHeader& lastHeader() { return header; }

}  // namespace reduced_format
}  // namespace ugraph
