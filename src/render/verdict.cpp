#include "render/verdict.h"

namespace ugraph {

using namespace verdict_detail;

void writeClassTotals(const ClassTotals& t, Console& console) {
  console.write(t.connected());
  console.write(" connected (");
  writeCount(t.tree, spellingOf(GraphClass::kTree).counted, console);
  console.write(", ");
  console.write(t.cyclic);
  console.write(" ");
  console.write(spellingOf(GraphClass::kConnectedNotTree).counted);
  console.write("), ");
  const auto put = [&](int64_t count, GraphClass c) {
    console.write(count);
    console.write(" ");
    console.write(spellingOf(c).counted);
  };
  put(t.disconnected, GraphClass::kNotConnected);
  console.write(", ");
  put(t.noNode, GraphClass::kNoNode);
  console.write(", ");
  put(t.refused, GraphClass::kRefused);
}

namespace {

// The room the lists of a large graph are written through.
LineRoom largeRoom;

}  // namespace

void verdict_detail::putLargeJsonReasons(const JudgedGraph& d, bool order,
                                         Console& console) {
  Line line(largeRoom);
  const ListsWalk& walk = d.lists->walk();
  if (order && d.verdict != GraphClass::kNoNode) {
    putJsonNodes(d, ",\"order\":[",
                 eachOf({walk.order + 1, static_cast<std::size_t>(walk.count)}),
                 line, console);
  }
  if (d.verdict == GraphClass::kNotConnected) {
    putJsonNodes(
        d, ",\"unreached\":[",
        [&](auto&& onNode) { forEachUnreached(d, onNode); }, line, console);
  } else if (d.verdict == GraphClass::kConnectedNotTree) {
    Cycle small;
    putJsonNodes(d, ",\"cycle\":[", eachOf(cycleOf(d, small)), line, console);
  }
  line.writeTo(console);
}

void writeEntriesExplained(const JudgedGraph& d, Console& console) {
  const int64_t entries = entriesOf(d);
  // A link gives two entries and a self-link one, and d.links counts both.
  const int64_t selfLinks = 2 * d.links - entries;
  const int64_t links = d.links - selfLinks;
  console.write("an entry is a link seen from one end, so ");
  const bool namesLinks = links > 0 || selfLinks == 0;
  if (namesLinks) writeCount(links, "link", console);
  if (selfLinks > 0) {
    if (namesLinks) console.write(" and ");
    writeCount(selfLinks, "self-link", console);
  }
  const bool one = namesLinks ? links == 1 && selfLinks == 0 : selfLinks == 1;
  console.write(one ? " gives " : " give ");
  writeCount(entries, "entry", console, "entries");
  console.write("\n");
  const int64_t n = d.nodes;
  writeCount(entries, "entry", console, "entries");
  console.write(" for ");
  writeCount(n, "node", console);
  console.write("; a tree has 2 \xC3\x97 ");
  console.write(n);
  console.write(" \xE2\x88\x92 2 = ");
  console.write(2 * n - 2);
  console.write(d.verdict == GraphClass::kTree ? ", and no self-link\n"
                                               : ", so this is not one\n");
}

}  // namespace ugraph
