#include "formats/catalogue/data_input.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

#include "base/bytes.h"
#include "base/digits.h"
#include "formats/catalogue/digit_groups.h"
#include "formats/catalogue/group_shape.h"
#include "graph/normalize.h"
#include "graph/row_parts.h"

namespace ugraph {
namespace {

constexpr std::size_t kMaxNameLength = kNameSize - 1;
// The body starts after '[' and the mark.
constexpr std::size_t kHead = 2;

ParseResult fault(Refusal refusal, std::size_t bodyOffset) {
  return {refusal, kHead + bodyOffset};
}

// The byte at p, or ']' at end. With kSentinel, the text has its ']' at
// end, so no byte needs the test.
template <bool kSentinel>
char byteAt(const char* p, const char* end) {
  return kSentinel || p != end ? *p : ']';
}

// Reads the run of digits that begins with c at p, leaving c the byte
// after it and p there; next(p) steps to the next byte. Node numbers have
// one or two digits, which need no cap; a longer run saturates, as every
// run of digits does.
template <class Next>
int64_t readNumber(char& c, const char*& p, Next&& next) {
  int64_t value = c - '0';
  c = next(p);
  if (!isDigit(c)) return value;
  value = value * 10 + (c - '0');
  for (c = next(p); isDigit(c); c = next(p)) value = appendDigit(value, c);
  return value;
}

// Where parsed links go: the data-input's list, in the order read.
struct ListSink {
  DataInput& out;
  void add(int32_t count, int32_t node, int32_t neighbour) {
    out.links[static_cast<std::size_t>(count)] = {node, neighbour};
  }
  void finish(int32_t nodeCount, int32_t linkCount) {
    out.nodeCount = nodeCount;
    out.linkCount = linkCount;
  }
};

// Where parsed links go on the batch road: straight into rows.
struct RowSink {
  const DataInputGraph& out;
  void add(int32_t /*count*/, int32_t node, int32_t neighbour) {
    out.rows[static_cast<std::size_t>(node)] |= uint64_t{1} << neighbour;
    out.rows[static_cast<std::size_t>(neighbour)] |= uint64_t{1} << node;
  }
  void finish(int32_t nodeCount, int32_t /*linkCount*/) {
    out.nodeCount = nodeCount;
  }
};

// Where parsed links go as lower rows, each distinct one counted.
struct LowerRowSink {
  const DataInputGraph& out;
  int32_t& links;
  void add(int32_t /*count*/, int32_t node, int32_t neighbour) {
    links += markLowerLink(out.rows, node, neighbour);
  }
  void finish(int32_t nodeCount, int32_t /*linkCount*/) {
    out.nodeCount = nodeCount;
  }
};

// Where parsed links go when only the outcome counts.
struct CheckSink {
  void add(int32_t /*count*/, int32_t /*node*/, int32_t /*neighbour*/) {}
  void finish(int32_t /*nodeCount*/, int32_t /*linkCount*/) {}
};

// Where the parts of a data-input lie: body runs from after '[' and the
// mark to the first ']', the name between body[open] and body[close], the
// node groups from body[groups] to its end.
struct Layout {
  std::string_view body;
  std::size_t open = 0;
  std::size_t close = 0;
  std::size_t groups = 0;
};

// Parses the node groups, body[start..] from the first '(' to the end,
// handing each link to sink. The counts are kept in locals and handed
// over once. The loop follows the way groups are written, as this runs
// for every data-input of a catalogue: separators, then a neighbour or a
// header; the byte after each number is read once, and is where the next
// step begins.
template <bool kSentinel, class Sink>
ParseResult parseNodeGroups(std::string_view body, std::size_t start,
                            Sink& sink) {
  const char* const begin = body.data();
  const char* const end = begin + body.size();
  const auto offset = [&](const char* at) {
    return static_cast<std::size_t>(at - begin);
  };
  const auto next = [&](const char*& p) { return byteAt<kSentinel>(++p, end); };
  int32_t node = 0;
  int32_t nodeCount = 0;
  int32_t linkCount = 0;
  const char* p = begin + start;
  char c = byteAt<kSentinel>(p, end);
  for (;;) {
    // Groups are written ", " and neighbours ","; a run is passed at once.
    while (c == ',' || c == ' ') c = next(p);
    const char* const at = p;
    if (isDigit(c)) {
      const int64_t neighbour = readNumber(c, p, next);
      if (neighbour == 0) continue;  // a 0 gives no link
      if (neighbour > kMaxNodes) {
        return fault(Refusal::kNeighbourAbove50, offset(at));
      }
      if (linkCount == kMaxFileLinks) {
        return fault(Refusal::kTooManyLinks, offset(at));
      }
      const auto to = static_cast<int32_t>(neighbour);
      sink.add(linkCount++, node, to);
      nodeCount = std::max(nodeCount, to);
    } else if (c == '(') {
      c = next(p);
      const bool digits = isDigit(c);
      const int64_t header = digits ? readNumber(c, p, next) : 0;
      if (!digits || c != ')' || header < 1 || header > kMaxNodes) {
        return fault(Refusal::kBadHeader, offset(at));
      }
      c = next(p);
      node = static_cast<int32_t>(header);
      nodeCount = std::max(nodeCount, node);
    } else if (p == end) {
      // The ']' at the end; body holds no other.
      sink.finish(nodeCount, linkCount);
      return {};
    } else {
      return fault(Refusal::kOutOfPlace, offset(at));
    }
  }
}

// Parses the node groups of a laid-out data-input: without a test at
// every byte when text has its closing ']', with one when it ends early.
template <class Sink>
ParseResult parseNodeGroups(std::string_view text, const Layout& layout,
                            Sink sink) {
  const bool closed =
      layout.body.data() + layout.body.size() < text.data() + text.size();
  return closed ? parseNodeGroups<true>(layout.body, layout.groups, sink)
                : parseNodeGroups<false>(layout.body, layout.groups, sink);
}

// The node groups of a laid-out data-input, built without substr's range
// check: they lie within the body.
std::string_view groupsOf(const Layout& layout) {
  return {layout.body.data() + layout.groups,
          layout.body.size() - layout.groups};
}

// Finds the parts of text and copies the name to name; returns the first
// fault of the parts before the node groups. With closedAtEnd, text ends
// at its first ']' after the mark, and that is not searched for again.
// REQUIRES: with closedAtEnd, text.size() >= 3, and ']' is text's last
// byte and the only one after text[1].
ParseResult layOut(std::string_view text, Layout& layout, GraphName& name,
                   bool closedAtEnd) {
  std::string_view body = text.substr(std::min(kHead, text.size()));
  body = body.substr(0, closedAtEnd ? body.size() - 1 : findByte(body, ']'));

  // Each search is of body[from..]; the result is an offset in body, or
  // body.size() when the byte is not there.
  // REQUIRES: from <= body.size().
  const auto find = [&](char c, std::size_t from) {
    return from + findByte({body.data() + from, body.size() - from}, c);
  };
  const std::size_t open = find('"', 0);
  const std::size_t close = open == body.size() ? open : find('"', open + 1);
  if (close == body.size()) return {Refusal::kNoName, 0};
  const std::size_t length = close - open - 1;
  if (length > kMaxNameLength) return fault(Refusal::kNameTooLong, open);
  // Every output ends a name at its first NUL: such a name is refused
  // rather than shown cut short.
  const std::size_t nul = find('\0', open + 1);
  if (nul < close) return fault(Refusal::kNulInName, nul);

  const std::size_t groups = find('(', close + 1);
  if (groups == body.size()) return fault(Refusal::kNoNode, body.size());

  name = {};
  std::copy_n(body.data() + open + 1, length, name.data());
  layout = {body, open, close, groups};
  return {};
}

}  // namespace

ParseResult parseDataInput(std::string_view text, DataInput& out) {
  Layout layout;
  const ParseResult laid = layOut(text, layout, out.name, false);
  if (laid.refusal != Refusal::kNone) return laid;
  return parseNodeGroups(text, layout, ListSink{out});
}

ParseResult checkDataInput(std::string_view text) {
  Layout layout;
  GraphName name;
  const ParseResult laid = layOut(text, layout, name, true);
  if (laid.refusal != Refusal::kNone) return laid;
  if (certainlyWellFormed(groupsOf(layout))) return {};
  return parseNodeGroups(text, layout, CheckSink{});
}

namespace {

// Lays text out and reads its node groups into out's rows: by fast, which
// may vouch for the groups and read them itself, or else, the rows
// cleared first, by parsing them into sink.
template <class Sink, class Fast>
ParseResult parseIntoRows(std::string_view text, const DataInputGraph& out,
                          Sink sink, Fast&& fast) {
  Layout layout;
  const ParseResult laid = layOut(text, layout, out.name, true);
  if (laid.refusal != Refusal::kNone) return laid;
  if (fast(groupsOf(layout))) return {};
  out.rows = {};
  return parseNodeGroups(text, layout, sink);
}

}  // namespace

ParseResult parseDataInputRows(std::string_view text,
                               const DataInputGraph& out) {
  return parseIntoRows(text, out, RowSink{out},
                       [](std::string_view /*groups*/) { return false; });
}

ParseResult parseDataInputLowerRows(std::string_view text,
                                    const DataInputGraph& out, int32_t& links) {
  links = 0;
  return parseIntoRows(text, out, LowerRowSink{out, links},
                       [&](std::string_view groups) {
                         DigitGroups digits;
                         if (!readDigitGroups(groups, out.rows, digits))
                           return false;
                         links = digits.links;
                         out.nodeCount = digits.nodeCount;
                         return true;
                       });
}

int32_t storeDataInput(const DataInput& input, LinkArray& linkFrom,
                       LinkArray& linkTo, GraphName& name) {
  name = input.name;
  const auto j = static_cast<std::size_t>(input.linkCount);
  for (std::size_t k = 1; k <= j; ++k) {
    const DataInputLink& link = input.links[k - 1];
    linkFrom[k] = link.node;
    linkTo[k] = link.neighbour;
    linkFrom[j + k] = link.neighbour;
    linkTo[j + k] = link.node;
  }
  linkFrom[2 * j + 1] = 0;
  linkTo[2 * j + 1] = 0;
  linkFrom[0] = static_cast<int32_t>(2 * j);
  linkTo[0] = input.nodeCount;
  normalizeLinks(linkFrom, linkTo);
  return linkFrom[0];
}

void markDataInput(const DataInput& input, LinkRows& rows) {
  rows = {};
  const auto count = static_cast<std::size_t>(input.linkCount);
  for (std::size_t k = 0; k < count; ++k) {
    const auto a = static_cast<std::size_t>(input.links[k].node);
    const auto b = static_cast<std::size_t>(input.links[k].neighbour);
    rows[a] |= uint64_t{1} << b;
    rows[b] |= uint64_t{1} << a;
  }
}

}  // namespace ugraph
