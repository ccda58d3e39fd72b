#include "tests/formats/toy/format.h"

#include <cstdint>

#include "base/digits.h"
#include "base/line_scanner.h"
#include "graph/row_parts.h"

namespace ugraph::toy {
namespace {

// The toy's own refusals, numbered past the shared ones.
constexpr Refusal kNoCount = static_cast<Refusal>(kOwnRefusals);
constexpr Refusal kBadLink = static_cast<Refusal>(kOwnRefusals + 1);
constexpr Refusal kTooMany = static_cast<Refusal>(kOwnRefusals + 2);

// Reads a number at text[i], moving i past it; -1 when there is none.
int64_t number(std::string_view text, std::size_t& i) {
  int64_t value = -1;
  while (i < text.size() && isDigit(text[i]) && value < kMaxNodes + 1) {
    value = (value < 0 ? 0 : value * 10) + (text[i++] - '0');
  }
  return value;
}

// Parses a line, marking its links through mark(a, b); the first fault and
// its offset, or kNone.
template <class Mark>
ParseResult parse(std::string_view text, int32_t& n, Mark&& mark) {
  std::size_t i = 0;
  const int64_t count = number(text, i);
  if (count < 0 || i >= text.size() || text[i] != ':') return {kNoCount, i};
  if (count > kMaxNodes) return {kTooMany, 0};
  n = static_cast<int32_t>(count);
  for (++i; i < text.size();) {
    if (text[i] == ' ') {
      ++i;
      continue;
    }
    const std::size_t at = i;
    const int64_t a = number(text, i);
    if (i >= text.size() || text[i] != '-') return {kBadLink, at};
    ++i;
    const int64_t b = number(text, i);
    if (a < 1 || b < 1 || a > n || b > n) return {kBadLink, at};
    mark(static_cast<int32_t>(a), static_cast<int32_t>(b));
  }
  return {};
}

class ToyReader {
 public:
  explicit ToyReader(const ReaderSetup& setup)
      : lines_(setup.reader),
        analyse_(setup.analyse),
        lowerRows_(!setup.needs.walk) {}

  bool next(JudgedGraph& d) {
    if (!lines_.next()) return false;
    d.number = lines_.number();
    d.start = {lines_.number(), 1};
    d.lists = nullptr;
    int32_t n = 0;
    const ParseResult parsed = parse(lines_.text(), n, [](int32_t, int32_t) {});
    if (parsed.refusal != Refusal::kNone) {
      d.verdict = GraphClass::kRefused;
      d.status = Status::refused(
          parsed.refusal,
          {lines_.number(), static_cast<int64_t>(parsed.at) + 1});
      return true;
    }
    d.status = {};
    d.verdict = GraphClass::kWellFormed;
    d.nodes = n;
    if (analyse_) load(d);
    return true;
  }

  bool load(JudgedGraph& d) {
    LinkRows& rows = d.analysis.rows;
    rows = {};
    int32_t n = 0;
    int64_t links = 0;
    parse(lines_.text(), n, [&](int32_t a, int32_t b) {
      if (lowerRows_) {
        links += markLowerLink(rows, a, b);
      } else {
        rows[static_cast<std::size_t>(a)] |= uint64_t{1} << b;
        rows[static_cast<std::size_t>(b)] |= uint64_t{1} << a;
      }
    });
    d.graph.linkTo[0] = n;
    d.nodes = n;
    d.links = links;
    return true;
  }

 private:
  LineScanner lines_;
  bool analyse_;
  bool lowerRows_;
};

}  // namespace

bool wantsMore(std::string_view start, std::size_t room) {
  bool whole = false;
  firstLineOf(start, whole);
  return !whole && start.size() < room && !start.empty() && isDigit(start[0]);
}

Sign sign(std::string_view start, std::string_view /*fileName*/) {
  bool whole = false;
  const std::string_view line = firstLineOf(start, whole);
  std::size_t i = 0;
  while (i < line.size() && isDigit(line[i])) ++i;
  return i > 0 && i < line.size() && line[i] == ':' ? Sign::kStrong
                                                    : Sign::kNone;
}

GraphReader open(ReaderRoom& room, const ReaderSetup& setup) {
  return GraphReader::make<ToyReader>(room, setup);
}

std::string_view phrase(Refusal refusal) {
  if (refusal == kNoCount) return "has no node count and colon";
  if (refusal == kBadLink) return "has a link that is not a-b within 1 to n";
  if (refusal == kTooMany) return "has more than 50 nodes";
  return "";
}

}  // namespace ugraph::toy
