// The graph record shared by every step of a run.
//
// The links are an edge list held in two parallel arrays. Slot 0 of
// `linkFrom` holds the entry count k and slot 0 of `linkTo` the node count n;
// entries stand in slots 1..k of both arrays and a 0 sentinel follows the
// last one in slot k+1. Node numbers start at 1, so 0 is never a node and
// slot 0 of every per-node array is not a node either.
#ifndef UGRAPH_GRAPH_UGRAPH_H_
#define UGRAPH_GRAPH_UGRAPH_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace ugraph {

// Nodes are 1..kMaxNodes.
inline constexpr int32_t kMaxNodes = 50;
// Slots of each link array: the count, the entries and the sentinel.
inline constexpr std::size_t kLinkSlots = 2501;
// Entries the link arrays hold: every slot less slot 0 and the sentinel.
inline constexpr int32_t kMaxEntries = static_cast<int32_t>(kLinkSlots) - 2;
// Characters of a name, NUL included.
inline constexpr std::size_t kNameSize = 16;

using LinkArray = std::array<int32_t, kLinkSlots>;
using NodeArray = std::array<int32_t, kMaxNodes + 1>;
using GraphName = std::array<char, kNameSize>;

struct Ugraph {
  GraphName name;       // NUL-terminated
  NodeArray degree;     // degree[a]: entries whose from-node is a
  NodeArray firstLink;  // firstLink[a]: position of node a's first entry
  LinkArray linkTo;     // slot 0: node count n
  LinkArray linkFrom;   // slot 0: entry count k
};

// What is known of a graph: the verdict of the connectivity and tree test,
// kNoNode for the graph of 0 nodes (no walk can start; the batch modes give
// it a class of its own, the dialogue calls it not connected), and for a graph
// still to be read, kRefused when it breaks its format or kWellFormed when
// it was only checked.
enum class GraphClass : int32_t {
  kNotConnected,
  kConnectedNotTree,
  kTree,
  kNoNode,
  kWellFormed,
  kRefused,
};

}  // namespace ugraph

#endif  // UGRAPH_GRAPH_UGRAPH_H_
