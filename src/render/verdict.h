// The words of verdicts and their reasons, written once for every form that
// shows them: one spelling of each class in each vocabulary, the totals by
// class, and the one writer of a verdict's reasons (its parts and the nodes
// the walk did not reach, or its cycle) in the listing's and the trace's
// text and in JSON. Each form puts the pieces where its own shape wants
// them; what the pieces say comes from here.
#ifndef UGRAPH_RENDER_VERDICT_H_
#define UGRAPH_RENDER_VERDICT_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "base/console.h"
#include "base/line.h"
#include "formats/judged_graph.h"
#include "graph/ugraph.h"

namespace ugraph {

// A set of classes, one bit for each GraphClass.
using ClassSet = uint32_t;
inline constexpr ClassSet classBit(GraphClass c) {
  return ClassSet{1} << static_cast<int>(c);
}

// Writes "1 ONE" or "N MANY" for count; MANY is ONE and "s" unless given.
inline void writeCount(int64_t count, std::string_view one, Console& console,
                       std::string_view many = "") {
  console.write(count);
  console.write(" ");
  console.write(count == 1 || many.empty() ? one : many);
  if (count != 1 && many.empty()) console.write("s");
}

// One class in each vocabulary.
struct ClassSpelling {
  // In the verdict's sentence ("Graph is ..."), the listings, JSON's
  // "verdict" and the drawings.
  std::string_view words;
  // As --select names it and --count's JSON keys it.
  std::string_view name;
  // After a count of such graphs in the totals ("3 with no node"); "tree"
  // takes an s for more than one.
  std::string_view counted;
};

// Each class's spellings, in GraphClass's order.
inline constexpr std::array<ClassSpelling, 6> kClassSpellings = {{
    {"not connected", "disconnected", "not connected"},
    {"connected but not a tree", "cyclic", "cyclic"},
    {"connected and is a tree", "tree", "tree"},
    {"no node", "no-node", "with no node"},
    {"well-formed", "well-formed", "well-formed"},
    {"refused", "refused", "refused"},
}};

constexpr const ClassSpelling& spellingOf(GraphClass c) {
  return kClassSpellings[static_cast<std::size_t>(c)];
}

// The words for a class, the same wherever it is named: "connected and is
// a tree", "connected but not a tree", "not connected" (the verdict lines
// put "Graph is " before them), "no node", "well-formed" and "refused".
constexpr std::string_view classWords(GraphClass c) {
  return spellingOf(c).words;
}

// --select's values, in the order --help names them: each class a graph
// of a file can have, and "connected" for both connected classes.
inline constexpr std::array<GraphClass, 5> kSelectable = {
    GraphClass::kTree, GraphClass::kConnectedNotTree, GraphClass::kNotConnected,
    GraphClass::kNoNode, GraphClass::kRefused};
inline constexpr std::string_view kConnectedName = "connected";
inline constexpr std::array<std::string_view, 6> kSelectNames = {
    spellingOf(kSelectable[0]).name,
    spellingOf(kSelectable[1]).name,
    kConnectedName,
    spellingOf(kSelectable[2]).name,
    spellingOf(kSelectable[3]).name,
    spellingOf(kSelectable[4]).name};
inline constexpr std::array<ClassSet, 6> kSelectClasses = {
    classBit(kSelectable[0]),
    classBit(kSelectable[1]),
    classBit(kSelectable[0]) | classBit(kSelectable[1]),
    classBit(kSelectable[2]),
    classBit(kSelectable[3]),
    classBit(kSelectable[4])};

// How many graphs of a file, or of several, fell in each class.
struct ClassTotals {
  int64_t tree = 0;
  int64_t cyclic = 0;
  int64_t disconnected = 0;
  int64_t noNode = 0;
  int64_t refused = 0;

  int64_t connected() const { return tree + cyclic; }
  // Counts one more graph of class c; a graph only checked (kWellFormed)
  // counts nowhere.
  void add(GraphClass c) {
    switch (c) {
      case GraphClass::kTree:
        ++tree;
        break;
      case GraphClass::kConnectedNotTree:
        ++cyclic;
        break;
      case GraphClass::kNotConnected:
        ++disconnected;
        break;
      case GraphClass::kNoNode:
        ++noNode;
        break;
      case GraphClass::kRefused:
        ++refused;
        break;
      case GraphClass::kWellFormed:
        break;
    }
  }
  void add(const ClassTotals& other) {
    tree += other.tree;
    cyclic += other.cyclic;
    disconnected += other.disconnected;
    noNode += other.noNode;
    refused += other.refused;
  }
};

// Writes "10 connected (6 trees, 4 cyclic), 2 not connected, 0 with no
// node, 1 refused".
void writeClassTotals(const ClassTotals& t, Console& console);

// Calls each(key, value) for the totals as JSON keys them, in their
// order: "tree", "cyclic", "connected", "disconnected", "no-node",
// "refused".
template <class Each>
void forEachClassTotal(const ClassTotals& t, Each&& each) {
  each(spellingOf(GraphClass::kTree).name, t.tree);
  each(spellingOf(GraphClass::kConnectedNotTree).name, t.cyclic);
  each(kConnectedName, t.connected());
  each(spellingOf(GraphClass::kNotConnected).name, t.disconnected);
  each(spellingOf(GraphClass::kNoNode).name, t.noNode);
  each(spellingOf(GraphClass::kRefused).name, t.refused);
}

// Makes room in line for a key or a node and what closes the line,
// writing what it holds to console when it nears full, so that a list of
// any length fits.
inline void keepRoom(Line& line, Console& console) {
  constexpr std::size_t kKept = 64;
  if (line.text().size() > Line::kRoom - kKept) line.writeTo(console);
}

// The shapes the reasons are written in.
enum class ReasonShape {
  // On the listing's line, after the verdict's words: " (P parts);
  // unreached: a b" or "; cycle: a b a", a list of more than kShownNodes
  // nodes of a graph larger than the record shortened to its first
  // kShownNodes and "… (N more)".
  kListing,
  // A line of the trace's checks after "Graph is ...": "P parts;
  // unreached: a b\n" or "cycle: a b a\n", every node shown.
  kTrace,
};

// The listing shows at most this many nodes of a list for a graph of more
// than kMaxNodes nodes, and says how many more there are.
inline constexpr int64_t kShownNodes = 10;

// The writers of a verdict's reasons are inline: a listing writes one for
// every graph into a line it keeps in registers (see Line), which a call
// would make it store and load again.
namespace verdict_detail {

// Puts the nodes each(onNode) gives, each after a blank: all of them, or
// for a graph of more than kMaxNodes nodes in the listing's shape the
// first kShownNodes and "… (N more)", total being how many there are.
template <class Each>
void putNodeWords(const JudgedGraph& d, ReasonShape shape, int64_t total,
                  Each&& each, Line& line, Console& console) {
  const bool all = shape == ReasonShape::kTrace || d.nodes <= kMaxNodes ||
                   total <= kShownNodes;
  int64_t shown = 0;
  each([&](int32_t a) {
    keepRoom(line, console);
    line.put(" ");
    line.putId(nodeIdOf(d, a));
    return all || ++shown < kShownNodes;
  });
  if (all) return;
  line.put(" \xE2\x80\xA6 (");
  line.put(total - kShownNodes);
  line.put(" more)");
}

// Puts ,"KEY":[a,b,...] for the nodes of d each(onNode) gives.
template <std::size_t N, class Each>
void putJsonNodes(const JudgedGraph& d, const char (&key)[N], Each&& each,
                  Line& line, Console& console) {
  keepRoom(line, console);
  line.put(key);
  bool first = true;
  each([&](int32_t a) {
    keepRoom(line, console);
    if (!first) line.put(",");
    first = false;
    line.putId(nodeIdOf(d, a));
    return true;
  });
  line.put("]");
}

// Puts ,"KEY":[a,b,...] for count nodes of a graph of at most kMaxNodes
// nodes, which the line has room for whole. Inlined by force: GCC leaves
// it a call of its own, and the listing's line then lives in memory.
template <std::size_t N>
[[gnu::always_inline]] inline void putSmallJsonNodes(const char (&key)[N],
                                                     const int32_t* nodes,
                                                     std::size_t count,
                                                     Line& line) {
  line.put(key);
  line.putNodes(nodes, count);
  line.put("]");
}

// The nodes d's walk reached.
inline int64_t reachedOf(const JudgedGraph& d) {
  return withGraph(d, [](const auto& /*graph*/, const auto& walk) {
    return int64_t{walk.count};
  });
}

// Calls each(onNode) as a list of the nodes of span.
inline auto eachOf(std::span<const int32_t> nodes) {
  return [nodes](auto&& onNode) {
    for (const int32_t a : nodes) {
      if (!onNode(a)) return;
    }
  };
}

// The verdicts' words in JSON, quotes and the key before them included,
// each in storage of kVerdictRoom bytes so that the line copies it whole.
constexpr std::size_t kVerdictRoom = 48;
struct VerdictText {
  std::array<char, kVerdictRoom> bytes;
  std::size_t length;
};
constexpr std::array<VerdictText, kClassSpellings.size()> kJsonVerdicts = [] {
  constexpr std::string_view kKey = ",\"verdict\":\"";
  std::array<VerdictText, kClassSpellings.size()> texts{};
  for (std::size_t i = 0; i < kClassSpellings.size(); ++i) {
    std::size_t n = 0;
    for (const std::string_view piece :
         {kKey, kClassSpellings[i].words, std::string_view("\"")}) {
      for (const char c : piece) texts[i].bytes[n++] = c;
    }
    texts[i].length = n;
  }
  return texts;
}();

// The reasons of a graph of lists, every list of any length, written to
// console through a line of their own: the caller's line is written out
// first and stays its own, which the compiler can then keep in registers
// (see Line), as no call sees it.
void putLargeJsonReasons(const JudgedGraph& d, bool order, Console& console);

}  // namespace verdict_detail

// Writes the verdict's words and then its reasons in shape: for a graph
// not connected, its parts and the nodes its walk did not reach; for a
// connected graph that is no tree, one cycle (see cycleOf); nothing more
// for any other. REQUIRES: d analysed and not refused.
inline void writeVerdictText(const JudgedGraph& d, ReasonShape shape,
                             Line& line, Console& console) {
  using namespace verdict_detail;
  const bool listing = shape == ReasonShape::kListing;
  if (!listing) line.put("Graph is ");
  line.put(classWords(d.verdict));
  if (d.verdict == GraphClass::kNotConnected) {
    line.put(listing ? " (" : "\n");
    line.put(d.parts);
    line.put(listing ? " parts); unreached:" : " parts; unreached:");
    putNodeWords(
        d, shape, d.nodes - reachedOf(d),
        [&](auto&& onNode) { forEachUnreached(d, onNode); }, line, console);
  } else if (d.verdict == GraphClass::kConnectedNotTree) {
    line.put(listing ? "; cycle:" : "\ncycle:");
    Cycle small;
    const std::span<const int32_t> cycle = cycleOf(d, small);
    putNodeWords(d, shape, static_cast<int64_t>(cycle.size()), eachOf(cycle),
                 line, console);
  }
  if (!listing) line.put("\n");
}

// The two halves of a verdict in JSON: ,"verdict":"WORDS"; then
// ,"components":P, the visit order as ,"order":[...] when order is true
// (there is none without nodes), and ,"unreached":[...] or ,"cycle":[...]
// as writeVerdictText tells them. REQUIRES: d analysed and not refused;
// line holds no more than a JSON object's head, so that the verdict and a
// graph of rows fit whole (a graph of lists has a line of its own).
inline void putJsonVerdict(const JudgedGraph& d, Line& line) {
  using namespace verdict_detail;
  const VerdictText& verdict =
      kJsonVerdicts[static_cast<std::size_t>(d.verdict)];
  line.putWithin<kVerdictRoom>({verdict.bytes.data(), verdict.length});
}

inline void putJsonReasons(const JudgedGraph& d, bool order, Line& line,
                           Console& console) {
  using namespace verdict_detail;
  line.put(",\"components\":");
  line.put(d.parts);
  if (d.lists == nullptr) {
    // A graph of rows: every list fits the line whole.
    const Walk& walk = d.analysis.walk;
    if (order && d.verdict != GraphClass::kNoNode) {
      putSmallJsonNodes(",\"order\":[", walk.order.data() + 1,
                        static_cast<std::size_t>(walk.count), line);
    }
    Cycle nodes;  // [0..count-1]
    std::size_t count = 0;
    if (d.verdict == GraphClass::kNotConnected) {
      forEachUnreached(d, [&](int32_t a) {
        nodes[count++] = a;
        return true;
      });
      putSmallJsonNodes(",\"unreached\":[", nodes.data(), count, line);
    } else if (d.verdict == GraphClass::kConnectedNotTree) {
      count = cycleOf(d, nodes).size();
      putSmallJsonNodes(",\"cycle\":[", nodes.data(), count, line);
    }
    return;
  }
  line.writeTo(console);
  putLargeJsonReasons(d, order, console);
}

// Writes both halves, and between them what extra(line) writes.
template <class Extra>
void writeVerdictJson(const JudgedGraph& d, bool order, Line& line,
                      Console& console, Extra&& extra) {
  putJsonVerdict(d, line);
  extra(line);
  putJsonReasons(d, order, line, console);
}
inline void writeVerdictJson(const JudgedGraph& d, bool order, Line& line,
                             Console& console) {
  putJsonVerdict(d, line);
  putJsonReasons(d, order, line, console);
}

// Writes "an entry is a link seen from one end, so 2 links and 1 self-link
// give 5 entries\n" and "5 entries for 3 nodes; a tree has 2 × 3 − 2 = 4,
// so this is not one\n" (or ", and no self-link"): why a connected graph
// is or is not a tree. REQUIRES: d analysed, with its list of links, and
// connected.
void writeEntriesExplained(const JudgedGraph& d, Console& console);

}  // namespace ugraph

#endif  // UGRAPH_RENDER_VERDICT_H_
