#include "formats/dimacs/format.h"

namespace ugraph {
namespace dimacs_format {
namespace {

constexpr Refusal kNoProblem = static_cast<Refusal>(kOwnRefusals + 160);
constexpr Refusal kSecondProblem = static_cast<Refusal>(kOwnRefusals + 161);
constexpr Refusal kOtherProblem = static_cast<Refusal>(kOwnRefusals + 162);
constexpr Refusal kBeforeProblem = static_cast<Refusal>(kOwnRefusals + 163);
constexpr Refusal kOtherLine = static_cast<Refusal>(kOwnRefusals + 164);

// The letter that begins a line of this kind, followed by a blank or the
// line's end; 0 for any other line.
char kindOf(std::string_view text, std::size_t at) {
  if (at + 1 < text.size() && !isBlank(text[at + 1])) return 0;
  return text[at];
}

// The problem's name after "p ", when it is one of those read: "edge",
// "edges", "col" or "sp". Moves at past it.
bool takeProblem(std::string_view text, std::size_t& at) {
  std::size_t end = at;
  while (end < text.size() && !isBlank(text[end])) ++end;
  const std::string_view word(text.data() + at, end - at);
  if (word != "edge" && word != "edges" && word != "col" && word != "sp") {
    return false;
  }
  at = skipBlanks(text, end);
  return true;
}

class Grammar {
 public:
  LineFault line(std::string_view text, LinkFile& file) {
    std::size_t at = skipBlanks(text, 0);
    if (at == text.size()) return {};
    data_ = true;
    const char kind = kindOf(text, at);
    if (text[at] == 'c') return {};  // a comment, whatever follows
    if (kind == 'p') return problem(text, at, file);
    if (kind != 'e' && kind != 'a' && kind != 'n') return {kOtherLine, at};
    if (!posed_) return {kBeforeProblem, at};
    if (kind == 'n') return {};  // a node's value: no link
    at = skipBlanks(text, at + 1);
    uint64_t ends[2] = {};
    for (uint64_t& v : ends) {
      const std::size_t from = at;
      const LineFault fault = readNumber(text, at, v);
      if (!fault.ok()) return fault;
      if (v == 0 || v > nodes_) return {kNodeOutside, from, v, nodes_};
      at = skipBlanks(text, at);
    }
    file.link(ends[0], ends[1]);
    return {};
  }

  LineFault end(LinkFile& /*file*/) const {
    return posed_ ? LineFault{} : LineFault{kNoProblem, 0};
  }

  bool holdsGraph() const { return data_; }

 private:
  // "p edge n m", "p col n m" or "p sp n m". m is not checked: the
  // challenges' files count their lines differently.
  LineFault problem(std::string_view text, std::size_t at, LinkFile& file) {
    if (posed_) return {kSecondProblem, at};
    at = skipBlanks(text, at + 1);
    if (!takeProblem(text, at)) return {kOtherProblem, at};
    const std::size_t from = at;
    LineFault fault = readNumber(text, at, nodes_);
    if (!fault.ok()) return fault;
    uint64_t links = 0;
    fault = readNumber(text, at = skipBlanks(text, at), links);
    if (!fault.ok()) return fault;
    posed_ = true;
    fault = file.declare(nodes_);
    fault.at = from;
    return fault;
  }

  bool data_ = false;
  bool posed_ = false;
  uint64_t nodes_ = 0;
};

// Whether line is a DIMACS problem line "p WORD N M".
bool isProblemLine(std::string_view line) {
  std::size_t at = skipBlanks(line, 0);
  if (at == line.size() || kindOf(line, at) != 'p') return false;
  at = skipBlanks(line, at + 1);
  while (at < line.size() && !isBlank(line[at])) ++at;
  uint64_t n = 0;
  at = skipBlanks(line, at);
  if (!readNumber(line, at, n).ok()) return false;
  at = skipBlanks(line, at);
  return readNumber(line, at, n).ok();
}

// How start's whole lines open: whether there is one that is no '#' or
// '%' comment, whether the first such is 'c' or 'p', and whether a
// problem line follows among them.
struct Opening {
  bool seen = false;
  bool opens = false;
  bool posed = false;
};
Opening openingOf(std::string_view start) {
  Opening o;
  forEachDataLine(start, [&](std::string_view line) {
    if (!o.seen) {
      o.seen = true;
      const char kind = kindOf(line, skipBlanks(line, 0));
      o.opens = kind == 'c' || kind == 'p';
    }
    o.posed = isProblemLine(line);
    return o.opens && !o.posed;
  });
  return o;
}

}  // namespace

// The first line that is no comment; when it opens as DIMACS does, up to
// the problem line.
bool wantsMore(std::string_view start, std::size_t room) {
  const Opening o = openingOf(start);
  return start.size() < room && (!o.seen || (o.opens && !o.posed));
}

// A first line that is a comment 'c' or the problem 'p', with the problem
// line in the first block: a catalogue's free text may begin with a "c".
Sign sign(std::string_view start, std::string_view /*fileName*/) {
  const Opening o = openingOf(start);
  return o.opens && o.posed ? Sign::kStrong : Sign::kNone;
}

GraphReader open(ReaderRoom& room, const ReaderSetup& setup) {
  return openLinkFile<Grammar>(room, setup);
}

std::string_view phrase(Refusal refusal) {
  if (refusal == kNoProblem) return "has no problem line 'p edge N M'";
  if (refusal == kSecondProblem) return "has a second problem line";
  if (refusal == kOtherProblem) {
    return "has a problem other than edge, col or sp";
  }
  if (refusal == kBeforeProblem) return "has a link before its problem line";
  if (refusal == kOtherLine) {
    return "has a line that is not c, p, e, a or n";
  }
  return linkFileRefusalPhrase(refusal);
}

}  // namespace dimacs_format
}  // namespace ugraph
