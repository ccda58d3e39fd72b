// Feeds arbitrary bytes to the data-input parser and checks that what it
// accepts lies within the format's limits, and that the batch road's
// readings of the same bytes agree with it, the kernels of one-digit
// groups among them.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

#include "formats/catalogue/data_input.h"
#include "formats/catalogue/digit_groups.h"
#include "fuzz/record_checks.h"
#include "graph/row_parts.h"

using namespace ugraph;

namespace {

// Each kernel this processor runs must read the groups of a well-formed
// data-input, through its ']', as lower, links and nodes say, or leave
// them to the parser.
void checkKernels(std::string_view scanned, const LinkRows& lower,
                  int32_t links, int32_t nodes) {
  const std::size_t open = scanned.find('"', 2);
  const std::size_t close = scanned.find('"', open + 1);
  const std::size_t groups = scanned.find('(', close + 1);
  const std::string_view text =
      scanned.substr(groups, scanned.size() - 1 - groups);
  for (auto k = static_cast<int>(digitKernel());
       k < static_cast<int>(DigitKernel::kNone); ++k) {
    LinkRows read;
    read.fill(~uint64_t{0});
    DigitGroups counts;
    if (!readDigitGroupsWith(static_cast<DigitKernel>(k), text, read, counts)) {
      continue;
    }
    for (std::size_t b = 0; b < read.size(); ++b) {
      fuzz::require(read[b] == (b <= 9 ? lower[b] : ~uint64_t{0}),
                    "a kernel's rows differ");
    }
    fuzz::require(counts.links == links && counts.nodeCount == nodes,
                  "a kernel's counts differ");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  DataInput input;
  const ParseResult result = parseDataInput(text, input);
  // The batch road reads the same text the same way, given as the
  // scanner gives it: through its first ']' after the mark.
  const std::size_t close = text.find(']', 2);
  if (close != std::string_view::npos) {
    const std::string_view scanned = text.substr(0, close + 1);
    const ParseResult checked = checkDataInput(scanned);
    GraphName name{};
    int32_t nodeCount = 0;
    LinkRows rowsRead{};
    const ParseResult read =
        parseDataInputRows(scanned, DataInputGraph{name, nodeCount, rowsRead});
    // And the dialogue's reading of the text cut short before that ']'.
    // It lies in storage of exactly its size, so that a read past its end
    // is seen.
    const std::unique_ptr<char[]> exact(new char[close]);
    scanned.copy(exact.get(), close);
    DataInput unclosed;
    const ParseResult cut = parseDataInput({exact.get(), close}, unclosed);
    fuzz::require(checked.refusal == result.refusal &&
                      checked.at == result.at &&
                      read.refusal == result.refusal && read.at == result.at &&
                      cut.refusal == result.refusal && cut.at == result.at,
                  "readings differ");
    // --count's lower rows, and each kernel that vouches for the groups.
    LinkRows lower{};
    int32_t lowerNodes = 0;
    int32_t lowerLinks = 0;
    const ParseResult lowered = parseDataInputLowerRows(
        scanned, DataInputGraph{name, lowerNodes, lower}, lowerLinks);
    fuzz::require(lowered.refusal == result.refusal && lowered.at == result.at,
                  "lower rows' reading differs");
    if (result.refusal == Refusal::kNone) {
      LinkRows rows;
      markDataInput(input, rows);
      const int32_t links = keepLowerRows(rows, kMaxNodes);
      for (int32_t b = 0; b <= input.nodeCount; ++b) {
        const auto row = static_cast<std::size_t>(b);
        fuzz::require(lower[row] == rows[row], "lower rows differ");
      }
      fuzz::require(lowerLinks == links && lowerNodes == input.nodeCount,
                    "lower rows' counts differ");
      checkKernels(scanned, rows, links, input.nodeCount);
    }
    if (result.refusal == Refusal::kNone) {
      LinkRows rows;
      markDataInput(input, rows);
      LinkRows cutRows;
      markDataInput(unclosed, cutRows);
      fuzz::require(rowsRead == rows && nodeCount == input.nodeCount &&
                        cutRows == rows &&
                        unclosed.nodeCount == input.nodeCount,
                    "rows differ");
    }
  }
  if (result.refusal != Refusal::kNone) return 0;
  fuzz::require(std::memchr(input.name.data(), '\0', kNameSize) != nullptr,
                "name not terminated");
  fuzz::require(0 <= input.linkCount && input.linkCount <= kMaxFileLinks,
                "link count outside 0..624");
  fuzz::require(1 <= input.nodeCount && input.nodeCount <= kMaxNodes,
                "node count outside 1..50");
  for (int32_t i = 0; i < input.linkCount; ++i) {
    const DataInputLink& link = input.links[static_cast<std::size_t>(i)];
    fuzz::require(1 <= link.node && link.node <= input.nodeCount &&
                      1 <= link.neighbour && link.neighbour <= input.nodeCount,
                  "link outside 1..node count");
  }
  return 0;
}
