// The looks of links and nodes in every Graphviz graph the program writes,
// a drawing of a graph and each frame of its trace, standing once so that
// the two draw a tree link, a cycle or an unreached node alike.
#ifndef UGRAPH_RENDER_DOT_STYLES_H_
#define UGRAPH_RENDER_DOT_STYLES_H_

#include <array>
#include <cstddef>
#include <string_view>

namespace ugraph {

enum class LinkLook {
  kPlain,
  kTree,          // a tree link of the walk: heavier
  kTreeOnCycle,   // a tree link on the cycle shown
  kCycle,         // the link that closes the cycle shown
  kCycleInFrame,  // the same in a frame, where it must stand out from the
                  // links passed over
  kPassedOver,    // a link whose far end an examination passed over
};

// What ends a link's statement in that look: its attributes in brackets,
// then ";\n".
constexpr std::string_view linkEnd(LinkLook look) {
  constexpr std::array<std::string_view, 6> kEnds = {
      ";\n",
      " [style=bold, penwidth=2.5];\n",
      " [style=bold, penwidth=2.5, color=red];\n",
      " [color=red];\n",
      " [color=red, penwidth=2];\n",
      " [style=dashed, color=darkorange];\n"};
  return kEnds[static_cast<std::size_t>(look)];
}

// The look of a link of a finished walk: on a tree path or not, on the
// cycle shown or not.
constexpr LinkLook linkLook(bool tree, bool cycle) {
  if (tree) return cycle ? LinkLook::kTreeOnCycle : LinkLook::kTree;
  return cycle ? LinkLook::kCycle : LinkLook::kPlain;
}

// The attributes of nodes by their state in the walk.
inline constexpr std::string_view kUnreachedNode = "style=dashed, color=grey";
inline constexpr std::string_view kCurrentNode =
    "style=filled, fillcolor=gold, penwidth=3";
inline constexpr std::string_view kFinishedNode =
    "style=filled, fillcolor=grey80";
inline constexpr std::string_view kReachedNode =
    "style=filled, fillcolor=lightblue";

}  // namespace ugraph

#endif  // UGRAPH_RENDER_DOT_STYLES_H_
