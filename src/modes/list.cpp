#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "base/bytes.h"
#include "base/line.h"
#include "batch/each_graph.h"
#include "modes/modes.h"
#include "render/escape.h"

namespace ugraph {
namespace {

// Column widths of the text listing; a wider value pushes the rest right.
constexpr std::size_t kNumberWidth = 4;
constexpr std::size_t kNameWidth = kNameSize - 1;
constexpr std::size_t kCountWidth = 5;

// The text listing shows at most this many nodes of a list for a graph
// of more than kMaxNodes nodes, and says how many more there are.
constexpr int64_t kShownNodes = 10;

// Writes the nodes that each(onNode) gives, total of them, each after a
// blank: all of them for a graph of at most kMaxNodes nodes, else the
// first kShownNodes and "… (N more)".
template <class Each>
void putShortList(const JudgedGraph& d, int64_t total, Each&& each,
                  Line& line) {
  const bool all = d.nodes <= kMaxNodes || total <= kShownNodes;
  int64_t shown = 0;
  each([&](int32_t a) {
    line.put(" ");
    line.put(int64_t{a});
    return all || ++shown < kShownNodes;
  });
  if (all) return;
  line.put(" \xE2\x80\xA6 (");
  line.put(total - kShownNodes);
  line.put(" more)");
}

// A graph's name, up to its NUL: found among the record's 16 bytes at
// once rather than by a call of strlen.
std::string_view nameOf(const GraphName& name) {
  return {name.data(), findByte({name.data(), name.size()}, '\0')};
}

// The nodes d's walk reached.
int64_t reachedOf(const JudgedGraph& d) {
  return withGraph(d, [](const auto& /*graph*/, const auto& walk) {
    return int64_t{walk.count};
  });
}

// The per-outcome counts of the closing line, in its order.
constexpr std::array<GraphClass, 5> kOutcomes = {
    GraphClass::kTree, GraphClass::kConnectedNotTree, GraphClass::kNotConnected,
    GraphClass::kNoNode, GraphClass::kRefused};

// The rooms the lines of the listings are built in: large, so they live
// in static storage.
LineRoom textRoom;
LineRoom jsonRoom;

class TextList {
 public:
  // heading, when given, is the name of the file, written before its rows,
  // after a blank line unless it is the first.
  TextList(Console& console, const char* heading, bool first)
      : console_(console), heading_(heading), first_(first) {}

  // Counts d, and writes its line when shown.
  void add(const JudgedGraph& d, bool selected) {
    writeHeader();
    ++counts_[slotOf(d.verdict)];
    if (!selected) return;
    Line line(textRoom);
    line.putRight(d.number, kNumberWidth);
    line.put("  ");
    if (d.verdict == GraphClass::kRefused) {
      writeRefused(d, line);
      return;
    }
    const std::string_view name = nameOf(d.graph.name);
    std::size_t shown = name.size();
    if (isPlainText(name)) {
      line.putWithin<kNameSize>(name);
    } else {
      line.writeTo(console_);
      shown = writeDisplayText(name, console_);
    }
    line.putBlanks(kNameWidth - std::min(shown, kNameWidth) + 2);
    line.putRight(d.nodes, kCountWidth);
    line.put("  ");
    line.putRight(d.links, kCountWidth);
    line.put("  ");
    line.put(classWords(d.verdict));
    if (d.verdict == GraphClass::kNotConnected) {
      line.put(" (");
      line.put(d.parts);
      line.put(" parts); unreached:");
      const int64_t unreached = d.nodes - reachedOf(d);
      putShortList(
          d, unreached, [&](auto&& onNode) { forEachUnreached(d, onNode); },
          line);
    } else if (d.verdict == GraphClass::kConnectedNotTree) {
      line.put("; cycle:");
      Cycle small;
      const std::span<const int32_t> cycle = cycleOf(d, small);
      putShortList(
          d, static_cast<int64_t>(cycle.size()),
          [&](auto&& onNode) {
            for (const int32_t a : cycle) {
              if (!onNode(a)) return;
            }
          },
          line);
    }
    line.put("\n");
    line.writeTo(console_);
  }

  void finish(int64_t total, const char* noun) {
    writeHeader();
    writeCount(total, noun, console_);
    for (std::size_t i = 0; i < kOutcomes.size(); ++i) {
      console_.write(i == 0 ? ": " : ", ");
      console_.write(counts_[i]);
      console_.write(" ");
      console_.write(classWords(kOutcomes[i]));
    }
    console_.write("\n");
  }

 private:
  static std::size_t slotOf(GraphClass j) {
    return static_cast<std::size_t>(
        std::find(kOutcomes.begin(), kOutcomes.end(), j) - kOutcomes.begin());
  }

  // The heading and the column titles, once, when the catalogue has been
  // read that far.
  void writeHeader() {
    if (headerWritten_) return;
    headerWritten_ = true;
    if (heading_ != nullptr) {
      console_.write(first_ ? "==> " : "\n==> ");
      writeDisplayText(heading_, console_);
      console_.write(" <==\n");
    }
    console_.write("   N  NAME             NODES  LINKS  VERDICT\n");
  }

  void writeRefused(const JudgedGraph& d, Line& line) {
    line.put("-");
    line.putBlanks(kNameWidth + kCountWidth);
    line.put("-");
    line.putBlanks(1 + kCountWidth);
    line.put("-  refused: ");
    line.put(refusalWords(d.status));
    line.put(" (line ");
    line.put(d.status.at.line);
    line.put(", column ");
    line.put(d.status.at.column);
    line.put(")\n");
    line.writeTo(console_);
  }

  Console& console_;
  const char* heading_;
  bool first_;
  bool headerWritten_ = false;
  std::array<int64_t, kOutcomes.size() + 1> counts_{};
};

// Puts ,"KEY":[a,b,...] for the count nodes at nodes, of a graph of at
// most kMaxNodes nodes: the line has room for them.
template <std::size_t N>
void putJsonNodes(const char (&key)[N], const int32_t* nodes, std::size_t count,
                  Line& line) {
  line.put(key);
  line.putNodes(nodes, count);
  line.put("]");
}

// Puts ,"KEY":[a,b,...] for the nodes each(onNode) gives, of a graph of
// any size, writing the line out to console whenever it nears full: it
// then always has room for the key, a node and what closes the line.
template <std::size_t N, class Each>
void putJsonNodesOf(const char (&key)[N], Each&& each, Line& line,
                    Console& console) {
  constexpr std::size_t kKept = 64;  // a key, a node, "]}\n" and more
  if (line.text().size() > Line::kRoom - kKept) line.writeTo(console);
  line.put(key);
  bool first = true;
  each([&](int32_t a) {
    if (line.text().size() > Line::kRoom - kKept) line.writeTo(console);
    if (!first) line.put(",");
    first = false;
    line.put(int64_t{a});
    return true;
  });
  line.put("]");
}

void writeJsonRefused(const JudgedGraph& d, Line& line, Console& console) {
  line.put(",\"refused\":{\"rule\":");
  line.writeTo(console);
  writeJsonString(refusalWords(d.status), console);
  line.put(",\"line\":");
  line.put(d.status.at.line);
  line.put(",\"column\":");
  line.put(d.status.at.column);
  line.put("}}\n");
  line.writeTo(console);
}

// The verdicts' words in JSON, quotes and the key before them included,
// each in storage of kVerdictRoom bytes.
constexpr std::size_t kVerdictRoom = 48;
struct VerdictText {
  std::array<char, kVerdictRoom> bytes;
  std::size_t length;
};
constexpr std::array<VerdictText, 4> kJsonVerdicts = [] {
  constexpr std::array<std::string_view, 4> kTexts = {
      ",\"verdict\":\"not connected\"",
      ",\"verdict\":\"connected but not a tree\"",
      ",\"verdict\":\"connected and is a tree\"", ",\"verdict\":\"no node\""};
  std::array<VerdictText, 4> texts{};
  for (std::size_t i = 0; i < kTexts.size(); ++i) {
    std::copy(kTexts[i].begin(), kTexts[i].end(), texts[i].bytes.begin());
    texts[i].length = kTexts[i].size();
  }
  return texts;
}();
std::string_view jsonVerdict(GraphClass c) {
  const VerdictText& text = kJsonVerdicts[static_cast<std::size_t>(c)];
  return {text.bytes.data(), text.length};
}

// The order and the unreached nodes or the cycle of a graph of rows.
void writeJsonLists(const JudgedGraph& d, Line& line) {
  const Walk& walk = d.analysis.walk;
  if (d.verdict != GraphClass::kNoNode) {
    putJsonNodes(",\"order\":[", walk.order.data() + 1,
                 static_cast<std::size_t>(walk.count), line);
  }
  Cycle nodes;  // [0..count-1]
  std::size_t count = 0;
  if (d.verdict == GraphClass::kNotConnected) {
    forEachUnreached(d, [&](int32_t a) {
      nodes[count++] = a;
      return true;
    });
    putJsonNodes(",\"unreached\":[", nodes.data(), count, line);
  } else if (d.verdict == GraphClass::kConnectedNotTree) {
    count = cycleOf(d, nodes).size();
    putJsonNodes(",\"cycle\":[", nodes.data(), count, line);
  }
}

// The same for a graph of lists, of any size, written out to console in
// pieces with a line of its own: the caller's line stays its own, which
// the compiler can then keep in registers (see Line).
// REQUIRES: the caller's line in jsonRoom written out.
void writeLargeJsonLists(const JudgedGraph& d, Console& console) {
  Line line(jsonRoom);
  const auto eachOf = [](std::span<const int32_t> nodes) {
    return [nodes](auto&& onNode) {
      for (const int32_t a : nodes) onNode(a);
    };
  };
  const ListsWalk& walk = d.lists->walk();
  if (d.verdict != GraphClass::kNoNode) {
    putJsonNodesOf(
        ",\"order\":[",
        eachOf({walk.order + 1, static_cast<std::size_t>(walk.count)}), line,
        console);
  }
  if (d.verdict == GraphClass::kNotConnected) {
    putJsonNodesOf(
        ",\"unreached\":[", [&](auto&& onNode) { forEachUnreached(d, onNode); },
        line, console);
  } else if (d.verdict == GraphClass::kConnectedNotTree) {
    Cycle small;
    putJsonNodesOf(",\"cycle\":[", eachOf(cycleOf(d, small)), line, console);
  }
  line.writeTo(console);
}

// Writes d's JSON object; file, when given, as its first key.
void writeJson(const JudgedGraph& d, const char* file, Console& console) {
  Line line(jsonRoom);
  if (file != nullptr) {
    console.write("{\"file\":");
    writeJsonString(file, console);
    line.put(",\"number\":");
  } else {
    line.put("{\"number\":");
  }
  line.put(d.number);
  line.put(",\"line\":");
  line.put(d.start.line);
  if (d.verdict == GraphClass::kRefused) {
    writeJsonRefused(d, line, console);
    return;
  }
  line.put(",\"name\":");
  const std::string_view name = nameOf(d.graph.name);
  if (isPlainText(name)) {
    line.put("\"");
    line.putWithin<kNameSize>(name);
    line.put("\"");
  } else {
    line.writeTo(console);
    writeJsonString(name, console);
  }
  line.put(",\"nodes\":");
  line.put(int64_t{d.nodes});
  line.put(",\"links\":");
  line.put(d.links);
  line.putWithin<kVerdictRoom>(jsonVerdict(d.verdict));
  line.put(",\"components\":");
  line.put(d.parts);
  if (d.lists != nullptr) {
    line.writeTo(console);
    writeLargeJsonLists(d, console);
  } else {
    writeJsonLists(d, line);
  }
  line.put("}\n");
  line.writeTo(console);
}

// Lists the graphs of file as runList does; named, when it is one of
// several, by a heading line, or in each JSON object. Returns its status.
int listFile(const Options& options, const char* file, bool named, bool first,
             Console& console) {
  std::optional<TextList> text;
  if (!options.json) text.emplace(console, named ? file : nullptr, first);
  int64_t total = 0;
  int64_t refused = 0;
  const char* noun = "";
  const int status = forEachJudged(
      options, file, true, console, noun,
      [&](const JudgedGraph& d) {
        total = d.number;
        if (d.verdict == GraphClass::kRefused) ++refused;
        const bool shown = (options.select & classBit(d.verdict)) != 0;
        if (text) {
          text->add(d, shown);
        } else if (shown) {
          writeJson(d, named ? file : nullptr, console);
        }
        return true;
      },
      JudgeNeeds{.list = false, .starts = options.json});
  if (status != 0) return status;
  if (text) text->finish(total, noun);
  return refused == 0 ? 0 : 1;
}

}  // namespace

int runList(const Options& options, Console& console) {
  const bool named = options.files.size() > 1;
  return forEachFile(options, console, [&](const char* file, std::size_t i) {
    return listFile(options, file, named, i == 0, console);
  });
}

}  // namespace ugraph
