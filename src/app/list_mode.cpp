#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "app/catalogue_modes.h"
#include "app/escape.h"
#include "app/line.h"
#include "input/bytes.h"

namespace ugraph {
namespace {

// Column widths of the text listing; a wider value pushes the rest right.
constexpr std::size_t kNumberWidth = 4;
constexpr std::size_t kNameWidth = kNameSize - 1;
constexpr std::size_t kCountWidth = 5;

// Calls onNode(int32_t) for each node the walk did not reach, ascending.
template <class OnNode>
void forEachUnreached(const JudgedDataInput& d, OnNode&& onNode) {
  for (int32_t a = 1; a <= d.graph.linkTo[0]; ++a) {
    if (d.analysis.walk.rank[static_cast<std::size_t>(a)] == 0) onNode(a);
  }
}

// Calls onNode(int32_t) for each node of the cycle found in the graph.
template <class OnNode>
void forEachCycleNode(const JudgedDataInput& d, OnNode&& onNode) {
  Cycle cycle;
  const std::size_t length =
      findCycle(d.analysis.rows, d.graph.linkTo[0], d.analysis.walk, cycle);
  for (std::size_t i = 0; i < length; ++i) onNode(cycle[i]);
}

// A graph's name, up to its NUL: found among the record's 16 bytes at
// once rather than by a call of strlen.
std::string_view nameOf(const GraphName& name) {
  return {name.data(), findByte({name.data(), name.size()}, '\0')};
}

// The per-outcome counts of the closing line, in its order.
constexpr std::array<GraphClass, 5> kOutcomes = {
    GraphClass::kTree, GraphClass::kConnectedNotTree, GraphClass::kNotConnected,
    GraphClass::kNoLink, GraphClass::kRefused};

// The lines of the listings are built in one of these: large, so they
// live in static storage.
Line textLine;
Line jsonLine;

class TextList {
 public:
  explicit TextList(Console& console) : console_(console) {}

  // Counts d, and writes its line when shown.
  void add(const JudgedDataInput& d, bool selected) {
    writeHeader();
    ++counts_[slotOf(d.verdict)];
    if (!selected) return;
    Line& line = textLine;
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
    line.putRight(d.graph.linkTo[0], kCountWidth);
    line.put("  ");
    line.putRight(d.analysis.links, kCountWidth);
    line.put("  ");
    line.put(classWords(d.verdict));
    if (d.verdict == GraphClass::kNotConnected) {
      line.put("; unreached:");
      forEachUnreached(d, [&](int32_t a) { putNode(a, line); });
    } else if (d.verdict == GraphClass::kConnectedNotTree) {
      line.put("; cycle:");
      forEachCycleNode(d, [&](int32_t a) { putNode(a, line); });
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

  // The column titles, once, when the catalogue has been read that far.
  void writeHeader() {
    if (headerWritten_) return;
    headerWritten_ = true;
    console_.write("   N  NAME             NODES  LINKS  VERDICT\n");
  }

  void writeRefused(const JudgedDataInput& d, Line& line) {
    line.put("-");
    line.putBlanks(kNameWidth + kCountWidth);
    line.put("-");
    line.putBlanks(1 + kCountWidth);
    line.put("-  refused: ");
    line.put(refusalPhrase(d.status.refusal));
    line.put(" (line ");
    line.put(d.status.at.line);
    line.put(", column ");
    line.put(d.status.at.column);
    line.put(")\n");
    line.writeTo(console_);
  }

  static void putNode(int32_t node, Line& line) {
    line.put(" ");
    line.put(int64_t{node});
  }

  Console& console_;
  bool headerWritten_ = false;
  std::array<int64_t, kOutcomes.size() + 1> counts_{};
};

// Puts ,"KEY":[a,b,...] for the count nodes at nodes.
template <std::size_t N>
void putJsonNodes(const char (&key)[N], const int32_t* nodes, std::size_t count,
                  Line& line) {
  line.put(key);
  line.putNodes(nodes, count);
  line.put("]");
}

void writeJsonRefused(const JudgedDataInput& d, Line& line, Console& console) {
  line.put(",\"refused\":{\"rule\":");
  line.writeTo(console);
  writeJsonString(refusalPhrase(d.status.refusal), console);
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
      ",\"verdict\":\"connected and is a tree\"", ",\"verdict\":\"no link\""};
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

void writeJson(const JudgedDataInput& d, Console& console) {
  Line& line = jsonLine;
  line.put("{\"number\":");
  line.put(d.number);
  line.put(",\"line\":");
  line.put(d.start.line);
  if (d.verdict == GraphClass::kRefused) {
    writeJsonRefused(d, line, console);
    return;
  }
  const Ugraph& g = d.graph;
  line.put(",\"name\":");
  const std::string_view name = nameOf(g.name);
  if (isPlainText(name)) {
    line.put("\"");
    line.putWithin<kNameSize>(name);
    line.put("\"");
  } else {
    line.writeTo(console);
    writeJsonString(name, console);
  }
  line.put(",\"nodes\":");
  line.put(int64_t{g.linkTo[0]});
  line.put(",\"links\":");
  line.put(int64_t{d.analysis.links});
  line.putWithin<kVerdictRoom>(jsonVerdict(d.verdict));
  const Walk& walk = d.analysis.walk;
  if (d.verdict != GraphClass::kNoLink) {
    putJsonNodes(",\"order\":[", walk.order.data() + 1,
                 static_cast<std::size_t>(walk.count), line);
  }
  std::array<int32_t, kMaxNodes + 1> nodes;  // [0..count-1]
  std::size_t count = 0;
  if (d.verdict == GraphClass::kNotConnected) {
    forEachUnreached(d, [&](int32_t a) { nodes[count++] = a; });
    putJsonNodes(",\"unreached\":[", nodes.data(), count, line);
  } else if (d.verdict == GraphClass::kConnectedNotTree) {
    forEachCycleNode(d, [&](int32_t a) { nodes[count++] = a; });
    putJsonNodes(",\"cycle\":[", nodes.data(), count, line);
  }
  line.put("}\n");
  line.writeTo(console);
}

}  // namespace

int runList(const Options& options, Console& console) {
  std::optional<TextList> text;
  if (!options.json) text.emplace(console);
  int64_t total = 0;
  int64_t refused = 0;
  const char* noun = "";
  const int status = forEachJudged(
      options, true, console, noun,
      [&](const JudgedDataInput& d) {
        total = d.number;
        if (d.verdict == GraphClass::kRefused) ++refused;
        const bool shown = (options.select & classBit(d.verdict)) != 0;
        if (text) {
          text->add(d, shown);
        } else if (shown) {
          writeJson(d, console);
        }
        return true;
      },
      JudgeNeeds{.list = false, .starts = options.json});
  if (status != 0) return status;
  if (text) text->finish(total, noun);
  return refused == 0 ? 0 : 1;
}

}  // namespace ugraph
