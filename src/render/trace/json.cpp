#include <string_view>

#include "render/escape.h"
#include "render/trace/forms.h"
#include "render/verdict.h"

namespace ugraph {
namespace {

// Writes key and the nodes onNode(f) is called with, as a JSON array.
template <class ForEach>
void writeNodes(std::string_view key, const TracedGraph& g, ForEach&& forEach,
                Console& console) {
  console.write(key);
  const char* separator = "[";
  forEach([&](int32_t a) {
    writeNode(separator, g, a, console);
    separator = ",";
    return true;
  });
  console.write(*separator == '[' ? "[]" : "]");
}

// The room the verdict's event is built in: large, so it lives in static
// storage.
LineRoom verdictRoom;

}  // namespace

void JsonTrace::start() {
  const JudgedGraph& d = g_.d;
  console_.write("{\"event\":\"graph\",\"name\":");
  writeJsonString(
      d.fullName.empty() ? std::string_view(d.graph.name.data()) : d.fullName,
      console_);
  writeNumber(",\"nodes\":", d.nodes, console_);
  console_.write(",\"links\":[");
  const char* separator = "[";
  forEachLinkOf(d, [&](int32_t a, int32_t b) {
    writeNode(separator, g_, a, console_);
    writeNode(",", g_, b, console_);
    console_.write("]");
    separator = ",[";
  });
  console_.write("]}\n");
}

void JsonTrace::step(const TraceStep& s, const WalkView& walk) {
  switch (s.kind) {
    case StepKind::kReach:
      writeNode("{\"event\":\"reach\",\"node\":", g_, s.node, console_);
      writeNodes(
          ",\"order\":", g_,
          [&](auto&& onNode) {
            for (int32_t i = 1; i <= walk.count; ++i) onNode(walk.order[i]);
          },
          console_);
      break;
    case StepKind::kExamine:
      writeNode("{\"event\":\"examine\",\"node\":", g_, s.node, console_);
      console_.write(",\"next\":");
      if (s.next == 0) {
        console_.write("null");
      } else {
        writeNode("", g_, s.next, console_);
      }
      writeNodes(
          ",\"passed\":", g_,
          [&](auto&& onNode) {
            for (const int32_t a : s.passed) onNode(a);
          },
          console_);
      break;
    case StepKind::kBack:
      console_.write("{\"event\":\"back\",\"node\":");
      if (s.node == 0) {
        console_.write("null");
      } else {
        writeNode("", g_, s.node, console_);
      }
      console_.write(s.finished ? ",\"finished\":true" : ",\"finished\":false");
      break;
  }
  console_.write("}\n");
}

void JsonTrace::finish(const WalkView& walk) {
  const JudgedGraph& d = g_.d;
  Line line(verdictRoom);
  line.put("{\"event\":\"verdict\"");
  writeVerdictJson(d, false, line, console_, [&](Line& l) {
    l.put(",\"reached\":");
    l.put(int64_t{d.nodes == 0 ? 0 : walk.count});
    l.put(",\"nodes\":");
    l.put(int64_t{d.nodes});
    l.put(",\"entries\":");
    l.put(entriesOf(d));
  });
  line.put("}\n");
  line.writeTo(console_);
}

}  // namespace ugraph
