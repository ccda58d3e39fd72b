// What the formats of one graph a file share: edge lists, Matrix Market,
// METIS and DIMACS each give their links a line at a time through a
// grammar of their own, and one reader makes a graph of them, by one of
// three roads:
//
//   - checking only (--check): the lines are parsed and nothing is kept;
//   - the stream road (analysing without the walk, as --count does): each
//     link is taken once into a union-find forest (LinkForest), in memory
//     proportional to the nodes whatever the number of links;
//   - the walk road (anything that shows links or the walk): the links are
//     held, 8 bytes each, and built into neighbour lists, which the one
//     walk walks.
//
// A format that numbers its nodes 1..n itself declares n; one whose links
// name nodes by ids of their own (edge lists) has them numbered by
// ascending id (NodeIds), and the writers print each node's id.
#ifndef UGRAPH_FORMATS_LINK_FILE_LINK_FILE_H_
#define UGRAPH_FORMATS_LINK_FILE_LINK_FILE_H_

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/line_scanner.h"
#include "base/status.h"
#include "formats/graph_reader.h"
#include "formats/judged_graph.h"
#include "formats/link_file/node_ids.h"
#include "graph/link_forest.h"
#include "graph/lists.h"

namespace ugraph {

// Refusals of every format of one graph a file. A phrase's "{}" is filled
// with the numbers the refusal names: Status::need, then Status::ceiling.
inline constexpr Refusal kNotANumber = static_cast<Refusal>(kOwnRefusals + 32);
inline constexpr Refusal kNumberTooLarge =
    static_cast<Refusal>(kOwnRefusals + 33);
inline constexpr Refusal kNodeOutside = static_cast<Refusal>(kOwnRefusals + 34);
inline constexpr Refusal kNumberMissing =
    static_cast<Refusal>(kOwnRefusals + 35);
// A warning: a header's count of links that the lines do not hold.
inline constexpr Refusal kLinksDiffer = static_cast<Refusal>(kOwnRefusals + 36);
// What an edge list cannot hold, written by --convert.
inline constexpr Refusal kOneGraphOnly =
    static_cast<Refusal>(kOwnRefusals + 37);
inline constexpr Refusal kLoneNodeForEdges =
    static_cast<Refusal>(kOwnRefusals + 38);

// The words of those refusals; empty for any other.
std::string_view linkFileRefusalPhrase(Refusal refusal);

// What a grammar finds wrong with a line, or at the end of the file.
struct LineFault {
  Refusal refusal = Refusal::kNone;
  std::size_t at = 0;  // the fault's byte in the line, from 0
  uint64_t found = 0;  // numbers the refusal names
  uint64_t declared = 0;
  int64_t line = 0;  // the fault's line when not the one read last
  bool ok() const { return refusal == Refusal::kNone; }
};

// The bytes that part the fields of a line: blanks and tabs.
inline bool isBlank(char c) { return c == ' ' || c == '\t'; }
inline std::size_t skipBlanks(std::string_view text, std::size_t at) {
  while (at < text.size() && isBlank(text[at])) ++at;
  return at;
}
inline bool isDigitByte(char c) { return c >= '0' && c <= '9'; }

// Reads the decimal number at text[at], digits up to a blank, a tab, a
// comma or the line's end (or, when any is true, up to any other byte),
// into value, and moves at past it. Refuses a field that is no number
// (kNotANumber, or kNumberMissing at the line's end) or past 2^64 - 1.
LineFault readNumber(std::string_view text, std::size_t& at, uint64_t& value,
                     bool any = false);

// Whether text, the line's bytes from 0, holds only blanks; whether its
// first byte that is not one is `mark`.
bool isBlankLine(std::string_view text);
bool startsWith(std::string_view text, char mark);

// The graph's name: fileName's base name without a compression suffix.
std::string_view graphNameOf(std::string_view fileName);

// The part of the reader that no grammar changes. Grammars call declare()
// and link().
class LinkFile {
 public:
  explicit LinkFile(const ReaderSetup& setup);
  LinkFile(const LinkFile&) = delete;
  LinkFile& operator=(const LinkFile&) = delete;

  // The nodes are 1..n, as the file numbers them. Refuses more than
  // INT32_MAX nodes, or a forest the memory ceiling does not allow.
  // REQUIRES: at most once, before any link.
  LineFault declare(uint64_t n);
  bool declared() const { return declared_; }
  int64_t declaredNodes() const { return nodes_; }

  // Takes link {a, b} (a == b: a self-link), by the file's ids; declared,
  // the grammar has checked them within 1..n.
  void link(uint64_t a, uint64_t b) {
    ++links_;
    if (road_ == Road::kCheck) return;
    int32_t x;
    int32_t y;
    if (declared_) {
      x = static_cast<int32_t>(a);
      y = static_cast<int32_t>(b);
    } else {
      x = ids_.numberOf(a);
      y = ids_.numberOf(b);
      if (x == 0 || y == 0) {
        short_ = true;
        return;
      }
      if (ids_.count() > nodes_ && !growNodes()) return;
    }
    if (road_ == Road::kStream) {
      forest_.link(x, y);
    } else if (held_ < heldRoom_) {
      pairs_[held_++] = {x, y};
    } else {
      holdMore(x, y);
    }
  }

 protected:
  enum class Road { kCheck, kStream, kWalk };

  // Reads every line through line(text) (a grammar's), then end(); fills
  // d as graph_reader.h tells. False when the file holds no graph, as
  // holdsGraph() tells at its end, or cannot be read.
  template <class Line, class End, class Holds>
  bool readAll(JudgedGraph& d, Line&& line, End&& end, Holds&& holdsGraph) {
    if (done_) return false;
    done_ = true;
    startGraph(d);
    while (lines_.next()) {
      if (lines_.notHeld()) return refuseForMemory(d, lines_.length());
      // A last line without its line end may keep the '\r' of CRLF.
      std::string_view text = lines_.text();
      if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
      const LineFault fault = line(text);
      if (!fault.ok()) return refuse(d, fault, lines_.number());
      if (short_) return refuseShort(d);
    }
    // A file that could not be read to its end is the judge's to report.
    if (reader_.error() != 0) return false;
    if (lines_.number() == 0 || !holdsGraph()) return false;
    const LineFault fault = end();
    if (!fault.ok()) return refuse(d, fault, lines_.number());
    return finish(d);
  }

 public:
  // Builds the lists of a graph held on the walk road; false, with d
  // refused, when their memory cannot be had.
  bool load(JudgedGraph& d);

  // Warns with the graph of words of the grammar's (as a refusal's) at
  // column 1 of line.
  void warn(Refusal words, int64_t line);
  // The header at line declares m links: when the graph is built, a count
  // of distinct links other than m is warned of (kLinksDiffer).
  void expectLinks(uint64_t m, int64_t line) {
    expected_ = m;
    expectedAt_ = line;
  }
  int64_t lineNumber() const { return lines_.number(); }

 private:
  struct Pair {
    int32_t a;
    int32_t b;
  };
  void startGraph(JudgedGraph& d);
  bool growNodes();
  void holdMore(int32_t a, int32_t b);
  uint64_t heldBytes() const;
  bool finish(JudgedGraph& d);
  bool refuse(JudgedGraph& d, const LineFault& fault, int64_t line);
  bool refuseShort(JudgedGraph& d);
  bool refuseForMemory(JudgedGraph& d, uint64_t need, bool denied = false);

  BlockReader& reader_;
  LineScanner lines_;
  NeighbourLists& lists_;
  Road road_;
  bool analyse_;
  uint64_t maxMemory_;
  std::string_view name_;
  bool done_ = false;
  bool declared_ = false;
  // Memory was past the ceiling, or denied (denied_), while reading.
  bool short_ = false;
  bool denied_ = false;
  int32_t nodes_ = 0;
  uint64_t links_ = 0;
  Pair* pairs_ = nullptr;  // the walk road's links, by node numbers
  std::size_t held_ = 0;
  std::size_t heldRoom_ = 0;
  JudgedGraph* current_ = nullptr;
  uint64_t expected_ = UINT64_MAX;
  int64_t expectedAt_ = 0;

 protected:
  static NodeIds ids_;
  static LinkForest forest_;

 public:
  ~LinkFile();
};

// A reader of one graph a file (see graph_reader.h), of a Grammar with
//   LineFault line(std::string_view text, LinkFile& file);
//   LineFault end(LinkFile& file);   // at the file's end
//   bool holdsGraph() const;         // any line but comments and blanks
template <class Grammar>
class LinkFileReader : public LinkFile {
 public:
  explicit LinkFileReader(const ReaderSetup& setup) : LinkFile(setup) {}
  bool next(JudgedGraph& d) {
    return readAll(
        d, [&](std::string_view text) { return grammar_.line(text, *this); },
        [&] { return grammar_.end(*this); },
        [&] { return grammar_.holdsGraph(); });
  }

 private:
  Grammar grammar_;
};

}  // namespace ugraph

#endif  // UGRAPH_FORMATS_LINK_FILE_LINK_FILE_H_
