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

// Where the reasons of a verdict are written: a Line whose text goes to a
// console whenever it nears full, so that a list of any length fits.
class ReasonsOut {
 public:
  ReasonsOut(Line& line, Console& console) : line_(line), console_(console) {}
  template <class Text>
  void put(const Text& text) {
    line_.put(text);
  }
  // Makes room for a key or a node and what closes the line.
  void keepRoom() {
    constexpr std::size_t kKept = 64;
    if (line_.text().size() > Line::kRoom - kKept) line_.writeTo(console_);
  }
  Line& line() { return line_; }

 private:
  Line& line_;
  Console& console_;
};

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

// Writes the verdict's words and then its reasons in shape: for a graph
// not connected, its parts and the nodes its walk did not reach; for a
// connected graph that is no tree, one cycle (see cycleOf); nothing more
// for any other. REQUIRES: d analysed and not refused.
void writeVerdictText(const JudgedGraph& d, ReasonShape shape, ReasonsOut& out);

// The two halves of a verdict in JSON: ,"verdict":"WORDS"; then
// ,"components":P, the visit order as ,"order":[...] when order is true
// (there is none without nodes), and ,"unreached":[...] or ,"cycle":[...]
// as writeVerdictText tells them. REQUIRES: d analysed and not refused.
void putJsonVerdict(const JudgedGraph& d, ReasonsOut& out);
void putJsonReasons(const JudgedGraph& d, bool order, ReasonsOut& out);

// Writes both halves, and between them what extra(out) writes.
template <class Extra>
void writeVerdictJson(const JudgedGraph& d, bool order, ReasonsOut& out,
                      Extra&& extra) {
  putJsonVerdict(d, out);
  extra(out);
  putJsonReasons(d, order, out);
}
inline void writeVerdictJson(const JudgedGraph& d, bool order,
                             ReasonsOut& out) {
  putJsonVerdict(d, out);
  putJsonReasons(d, order, out);
}

// Writes "an entry is a link seen from one end, so 2 links and 1 self-link
// give 5 entries\n" and "5 entries for 3 nodes; a tree has 2 × 3 − 2 = 4,
// so this is not one\n" (or ", and no self-link"): why a connected graph
// is or is not a tree. REQUIRES: d analysed, with its list of links, and
// connected.
void writeEntriesExplained(const JudgedGraph& d, Console& console);

}  // namespace ugraph

#endif  // UGRAPH_RENDER_VERDICT_H_
