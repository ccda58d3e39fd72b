#include "input/data_input.h"

#include <algorithm>
#include <cstddef>

namespace ugraph {
namespace {

constexpr std::size_t kMaxNameLength = kNameSize - 1;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Reads the run of digits at body[p..], advancing p past it; the value
// saturates, so a huge number is simply above every limit.
int32_t readDigits(std::string_view body, std::size_t& p) {
  int64_t value = 0;
  while (p < body.size() && isDigit(body[p])) {
    value = std::min<int64_t>(value * 10 + (body[p] - '0'), INT32_MAX);
    ++p;
  }
  return static_cast<int32_t>(value);
}

// Parses the node groups, body[p..] from the first '(' to the end.
DataInputFault parseNodeGroups(std::string_view body, std::size_t p,
                               DataInput& out) {
  int32_t node = 0;
  while (p < body.size()) {
    const char c = body[p];
    if (c == '(') {
      ++p;
      const std::size_t digits = p;
      node = readDigits(body, p);
      if (p == digits || p == body.size() || body[p] != ')' || node < 1 ||
          node > kMaxNodes) {
        return DataInputFault::kBadHeader;
      }
      ++p;
      out.nodeCount = std::max(out.nodeCount, node);
    } else if (isDigit(c)) {
      const int32_t neighbour = readDigits(body, p);
      if (neighbour == 0) continue;  // a 0 gives no link
      if (neighbour > kMaxNodes) return DataInputFault::kNeighbourAbove50;
      if (out.linkCount == kMaxFileLinks) return DataInputFault::kTooManyLinks;
      out.links[static_cast<std::size_t>(out.linkCount++)] = {node, neighbour};
      out.nodeCount = std::max(out.nodeCount, neighbour);
    } else if (c == ',' || c == ' ') {
      ++p;
    } else {
      return DataInputFault::kOutOfPlace;
    }
  }
  return DataInputFault::kNone;
}

}  // namespace

DataInputFault parseDataInput(std::string_view text, DataInput& out) {
  // The body: what follows '[' and the mark, up to the closing ']'.
  std::string_view body = text.substr(std::min<std::size_t>(2, text.size()));
  body = body.substr(0, body.find(']'));

  const std::size_t open = body.find('"');
  if (open == std::string_view::npos) return DataInputFault::kNoName;
  const std::size_t close = body.find('"', open + 1);
  if (close == std::string_view::npos) return DataInputFault::kNoName;
  const std::size_t length = close - open - 1;
  if (length > kMaxNameLength) return DataInputFault::kNameTooLong;

  const std::size_t groups = body.find('(', close + 1);
  if (groups == std::string_view::npos) return DataInputFault::kNoNode;

  out.name = {};
  body.copy(out.name.data(), length, open + 1);
  out.nodeCount = 0;
  out.linkCount = 0;
  return parseNodeGroups(body, groups, out);
}

std::string_view faultMessage(DataInputFault fault) {
  switch (fault) {
    case DataInputFault::kNone:
      return "";
    case DataInputFault::kNoName:
      return "Input-array in file has no graph name in double quotes";
    case DataInputFault::kNameTooLong:
      return "Input-array in file has a graph name longer than 15 characters";
    case DataInputFault::kNoNode:
      return "Input-array in file has no node in parentheses";
    case DataInputFault::kBadHeader:
      return "Input-array in file has a node header that is not (1) to (50)";
    case DataInputFault::kNeighbourAbove50:
      return "Input-array in file has a neighbour number above 50";
    case DataInputFault::kTooManyLinks:
      return "Input-array in file has more than 624 links";
    case DataInputFault::kOutOfPlace:
      return "Input-array in file has a character out of place in its node "
             "groups";
  }
  return "";
}

}  // namespace ugraph
