#include "render/drawing.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "render/dot_styles.h"
#include "render/escape.h"
#include "render/verdict.h"

namespace ugraph {
namespace {

// The key of the link {a, b}, the same both ways round.
uint64_t linkKey64(int32_t a, int32_t b) {
  const auto low = static_cast<uint64_t>(std::min(a, b));
  const auto high = static_cast<uint64_t>(std::max(a, b));
  return low << 32 | high;
}

void writeHead(const JudgedGraph& d, Console& console) {
  console.write("graph ");
  writeDotString(std::string_view(d.graph.name.data()), console);
  console.write(" {\n  label=");
}

void writeLink(const JudgedGraph& d, int32_t a, int32_t b, bool tree,
               bool cycle, Console& console) {
  console.write("  ");
  console.writeId(nodeIdOf(d, a));
  console.write(" -- ");
  console.writeId(nodeIdOf(d, b));
  console.write(linkEnd(linkLook(tree, cycle)));
}

}  // namespace

CycleLinks::CycleLinks(const JudgedGraph& d) {
  if (d.verdict != GraphClass::kConnectedNotTree) return;
  Cycle small;
  const std::span<const int32_t> cycle = cycleOf(d, small);
  if (cycle.size() < 2) return;
  count_ = cycle.size() - 1;
  if (count_ > small_.size()) {
    held_ = static_cast<uint64_t*>(std::malloc(count_ * sizeof(uint64_t)));
    // Without room for them the links are drawn, only not in red.
    if (held_ == nullptr) count_ = 0;
  }
  uint64_t* const keys = held_ != nullptr ? held_ : small_.data();
  for (std::size_t i = 0; i < count_; ++i) {
    keys[i] = linkKey64(cycle[i], cycle[i + 1]);
  }
  std::sort(keys, keys + count_);
}

CycleLinks::~CycleLinks() { std::free(held_); }

bool CycleLinks::has(int32_t a, int32_t b) const {
  const uint64_t* const keys = held_ != nullptr ? held_ : small_.data();
  return std::binary_search(keys, keys + count_, linkKey64(a, b));
}

void writeDrawing(const JudgedGraph& d, Console& console) {
  const WalkView walk = walkOf(d);
  writeHead(d, console);
  writeDotLabel(std::string_view(d.graph.name.data()), classWords(d.verdict),
                console);
  console.write(";\n  labelloc=t;\n");
  for (int32_t a = 1; a <= d.nodes; ++a) {
    const bool reached = walk.rank[a] != 0;
    console.write("  ");
    console.writeId(nodeIdOf(d, a));
    if (reached) {
      console.write(";\n");
    } else {
      console.write(" [");
      console.write(kUnreachedNode);
      console.write("];\n");
    }
  }
  const CycleLinks cycle(d);
  forEachLinkOf(d, [&](int32_t a, int32_t b) {
    writeLink(d, a, b, isTreeLink(walk, a, b), cycle.has(a, b), console);
  });
  console.write("}\n");
}

}  // namespace ugraph
