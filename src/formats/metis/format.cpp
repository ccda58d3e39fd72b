#include "formats/metis/format.h"

namespace ugraph {
namespace metis_format {
namespace {

constexpr Refusal kBadFmt = static_cast<Refusal>(kOwnRefusals + 128);
constexpr Refusal kFewerLines = static_cast<Refusal>(kOwnRefusals + 129);
constexpr Refusal kMoreLines = static_cast<Refusal>(kOwnRefusals + 130);
constexpr Refusal kNoHeader = static_cast<Refusal>(kOwnRefusals + 131);
constexpr Refusal kNoWeight = static_cast<Refusal>(kOwnRefusals + 132);

class Grammar {
 public:
  LineFault line(std::string_view text, LinkFile& file) {
    ++number_;
    if (startsWith(text, '%')) return {};
    if (!headed_) {
      if (isBlankLine(text)) return {};
      return header(text, file);
    }
    // Every line is a node's, an empty one too, up to the n-th.
    if (node_ == nodes_) {
      if (isBlankLine(text)) return {};
      return {kMoreLines, skipBlanks(text, 0), nodes_};
    }
    ++node_;
    std::size_t at = skipBlanks(text, 0);
    uint64_t skipped = 0;
    for (uint64_t k = 0; k < leading_; ++k) {
      const LineFault fault = readNumber(text, at, skipped);
      if (!fault.ok()) return fault;
      at = skipBlanks(text, at);
    }
    while (at < text.size()) {
      const std::size_t from = at;
      uint64_t v = 0;
      LineFault fault = readNumber(text, at, v);
      if (!fault.ok()) return fault;
      if (v == 0 || v > nodes_) return {kNodeOutside, from, v, nodes_};
      at = skipBlanks(text, at);
      if (weighted_) {
        if (at == text.size()) return {kNoWeight, at};
        fault = readNumber(text, at, skipped);
        if (!fault.ok()) return fault;
        at = skipBlanks(text, at);
      }
      file.link(node_, v);
    }
    return {};
  }

  LineFault end(LinkFile& /*file*/) {
    if (!headed_) return {kNoHeader, 0};
    if (node_ < nodes_) return {kFewerLines, 0, node_, nodes_};
    return {};
  }

  bool holdsGraph() const { return headed_; }

 private:
  // "n m [fmt [ncon]]": fmt's digits, right-aligned, say whether a line
  // begins with the node's size and its weights (ncon of them, 1 unless
  // given) and whether each neighbour is followed by the link's weight.
  LineFault header(std::string_view text, LinkFile& file) {
    headed_ = true;
    std::size_t at = skipBlanks(text, 0);
    uint64_t links = 0;
    for (uint64_t* n : {&nodes_, &links}) {
      const LineFault fault = readNumber(text, at, *n);
      if (!fault.ok()) return fault;
      at = skipBlanks(text, at);
    }
    bool sizes = false;
    bool weights = false;
    uint64_t weightCount = 1;
    if (at < text.size()) {
      const std::size_t from = at;
      while (at < text.size() && (text[at] == '0' || text[at] == '1')) ++at;
      const std::size_t digits = at - from;
      if (digits == 0 || digits > 3 ||
          (at < text.size() && !isBlank(text[at]))) {
        return {kBadFmt, from};
      }
      const auto digit = [&](std::size_t fromRight) {
        return digits > fromRight && text[at - 1 - fromRight] == '1';
      };
      weighted_ = digit(0);
      weights = digit(1);
      sizes = digit(2);
      at = skipBlanks(text, at);
      if (at < text.size()) {
        const LineFault fault = readNumber(text, at, weightCount);
        if (!fault.ok()) return fault;
      }
    }
    leading_ = (sizes ? 1 : 0) + (weights ? weightCount : 0);
    file.expectLinks(links, number_);
    return file.declare(nodes_);
  }

  int64_t number_ = 0;
  bool headed_ = false;
  bool weighted_ = false;
  uint64_t leading_ = 0;
  uint64_t nodes_ = 0;
  uint64_t node_ = 0;
};

}  // namespace

bool wantsMore(std::string_view /*start*/, std::size_t /*room*/) {
  return false;
}

// By name alone: "4 4" is as much a METIS header as a link.
Sign sign(std::string_view /*start*/, std::string_view fileName) {
  return nameEndsWith(fileName, ".graph") || nameEndsWith(fileName, ".metis")
             ? Sign::kStrong
             : Sign::kNone;
}

GraphReader open(ReaderRoom& room, const ReaderSetup& setup) {
  return openLinkFile<Grammar>(room, setup);
}

std::string_view phrase(Refusal refusal) {
  if (refusal == kBadFmt) {
    return "has a header whose fmt is not one to three binary digits";
  }
  if (refusal == kFewerLines) {
    return "has {} node lines where its header declares {}";
  }
  if (refusal == kMoreLines) {
    return "has a line past the {} node lines its header declares";
  }
  if (refusal == kNoHeader) return "has no header 'n m [fmt [ncon]]'";
  if (refusal == kNoWeight) {
    return "has a neighbour without the link's weight its header's fmt asks "
           "for";
  }
  return linkFileRefusalPhrase(refusal);
}

}  // namespace metis_format
}  // namespace ugraph
