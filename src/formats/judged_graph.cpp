#include "formats/judged_graph.h"

namespace ugraph {

std::span<const int32_t> cycleOf(const JudgedGraph& d, Cycle& small) {
  int32_t* const room =
      d.lists != nullptr ? d.lists->cycleRoom() : small.data();
  const std::size_t length =
      withGraph(d, [&](const auto& graph, const auto& walk) {
        return findCycleIn(graph, walk, room);
      });
  return {room, length};
}

}  // namespace ugraph
