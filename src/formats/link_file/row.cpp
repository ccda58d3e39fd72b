#include "formats/link_file/row.h"

#include "base/line.h"

namespace ugraph {

bool wantsDataLines(std::string_view start, std::size_t room,
                    std::size_t lines) {
  if (start.size() >= room) return false;
  std::size_t seen = 0;
  forEachDataLine(start, [&](std::string_view) { return ++seen < lines; });
  return seen < lines;
}

bool nameEndsWith(std::string_view fileName, std::string_view suffix) {
  const std::string_view name = graphNameOf(fileName);
  return name.size() > suffix.size() && name.ends_with(suffix);
}

namespace {

// The room the edge list's lines are built in: large, so it lives in
// static storage.
LineRoom edgeRoom;

}  // namespace

Refusal writeEdgeList(const JudgedGraph& d, Console& console) {
  if (d.number > 1) return kOneGraphOnly;
  bool lone = false;
  withGraph(d, [&](const auto& graph, const auto& /*walk*/) {
    for (int32_t a = 1; a <= d.nodes && !lone; ++a) {
      bool any = false;
      graph.forEachNeighbour(a, [&](int32_t) {
        any = true;
        return false;
      });
      lone = !any;
    }
  });
  if (lone) return kLoneNodeForEdges;
  Line line(edgeRoom);
  forEachLinkOf(d, [&](int32_t a, int32_t b) {
    if (line.text().size() > Line::kRoom - 64) line.writeTo(console);
    line.put(int64_t{a});
    line.put(" ");
    line.put(int64_t{b});
    line.put("\n");
  });
  line.writeTo(console);
  return Refusal::kNone;
}

}  // namespace ugraph
