#include "input/data_input.h"

#include <algorithm>
#include <cstddef>

#include "console/digits.h"
#include "graph/normalize.h"

namespace ugraph {
namespace {

constexpr std::size_t kMaxNameLength = kNameSize - 1;
// The body starts after '[' and the mark.
constexpr std::size_t kHead = 2;

// Reads the run of digits at body[p..], advancing p past it.
int32_t readDigits(std::string_view body, std::size_t& p) {
  int64_t value = 0;
  while (p < body.size() && isDigit(body[p]))
    value = appendDigit(value, body[p++]);
  return clampToInt32(value);
}

ParseResult fault(Refusal refusal, std::size_t bodyOffset) {
  return {refusal, kHead + bodyOffset};
}

// Parses the node groups, body[p..] from the first '(' to the end.
ParseResult parseNodeGroups(std::string_view body, std::size_t p,
                            DataInput& out) {
  int32_t node = 0;
  while (p < body.size()) {
    const std::size_t at = p;
    const char c = body[p];
    if (c == '(') {
      ++p;
      const std::size_t digits = p;
      node = readDigits(body, p);
      if (p == digits || p == body.size() || body[p] != ')' || node < 1 ||
          node > kMaxNodes) {
        return fault(Refusal::kBadHeader, at);
      }
      ++p;
      out.nodeCount = std::max(out.nodeCount, node);
    } else if (isDigit(c)) {
      const int32_t neighbour = readDigits(body, p);
      if (neighbour == 0) continue;  // a 0 gives no link
      if (neighbour > kMaxNodes) return fault(Refusal::kNeighbourAbove50, at);
      if (out.linkCount == kMaxFileLinks) {
        return fault(Refusal::kTooManyLinks, at);
      }
      out.links[static_cast<std::size_t>(out.linkCount++)] = {node, neighbour};
      out.nodeCount = std::max(out.nodeCount, neighbour);
    } else if (c == ',' || c == ' ') {
      ++p;
    } else {
      return fault(Refusal::kOutOfPlace, at);
    }
  }
  return {};
}

}  // namespace

ParseResult parseDataInput(std::string_view text, DataInput& out) {
  std::string_view body = text.substr(std::min(kHead, text.size()));
  body = body.substr(0, body.find(']'));

  const std::size_t open = body.find('"');
  const std::size_t close =
      open == std::string_view::npos ? open : body.find('"', open + 1);
  if (close == std::string_view::npos) return {Refusal::kNoName, 0};
  const std::size_t length = close - open - 1;
  if (length > kMaxNameLength) return fault(Refusal::kNameTooLong, open);

  const std::size_t groups = body.find('(', close + 1);
  if (groups == std::string_view::npos) {
    return fault(Refusal::kNoNode, body.size());
  }

  out.name = {};
  body.copy(out.name.data(), length, open + 1);
  out.nodeCount = 0;
  out.linkCount = 0;
  return parseNodeGroups(body, groups, out);
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

std::string_view refusalPhrase(Refusal refusal) {
  switch (refusal) {
    case Refusal::kNone:
      return "";
    case Refusal::kNotMarked:
      return "is not marked 'U' (after '[')";
    case Refusal::kUnclosed:
      return "has no closing ']'";
    case Refusal::kTooLong:
      return "is longer than 2500 characters";
    case Refusal::kNoName:
      return "has no graph name in double quotes";
    case Refusal::kNameTooLong:
      return "has a graph name longer than 15 characters";
    case Refusal::kNoNode:
      return "has no node in parentheses";
    case Refusal::kBadHeader:
      return "has a node header that is not (1) to (50)";
    case Refusal::kNeighbourAbove50:
      return "has a neighbour number above 50";
    case Refusal::kTooManyLinks:
      return "has more than 624 links";
    case Refusal::kOutOfPlace:
      return "has a character out of place in its node groups";
  }
  return "";
}

}  // namespace ugraph
