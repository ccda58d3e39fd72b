// Feeds arbitrary bytes to the data-input parser and checks that what it
// accepts lies within the format's limits, and that the batch road's
// readings of the same bytes agree with it.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "fuzz/record_checks.h"
#include "input/data_input.h"

using namespace ugraph;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  DataInput input;
  const ParseResult result = parseDataInput(text, input);
  // The batch road reads the same text the same way.
  const ParseResult checked = checkDataInput(text);
  GraphName name{};
  int32_t nodeCount = 0;
  LinkRows rowsRead{};
  const DataInputGraph graph{name, nodeCount, rowsRead};
  const ParseResult read = parseDataInputRows(text, graph);
  fuzz::require(checked.refusal == result.refusal && checked.at == result.at &&
                    read.refusal == result.refusal && read.at == result.at,
                "batch reading differs");
  if (result.refusal != Refusal::kNone) return 0;
  LinkRows rows;
  markDataInput(input, rows);
  fuzz::require(rowsRead == rows && nodeCount == input.nodeCount,
                "batch rows differ");
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
