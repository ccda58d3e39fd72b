// Feeds arbitrary bytes to the data-input parser and checks that what it
// accepts lies within the format's limits, and that the batch road's
// readings of the same bytes agree with it.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

#include "fuzz/record_checks.h"
#include "input/data_input.h"

using namespace ugraph;

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
