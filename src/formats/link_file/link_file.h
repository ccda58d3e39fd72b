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

#include <pthread.h>

#include <atomic>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/line_scanner.h"
#include "base/progress.h"
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

// A file that holds no graph: Matrix Market's vectors, dense arrays and
// matrices that are not square. An archive's member refused for one of
// these is passed over, as its README is.
inline constexpr Refusal kNotAMatrix = static_cast<Refusal>(kOwnRefusals + 96);
inline constexpr Refusal kArray = static_cast<Refusal>(kOwnRefusals + 97);
inline constexpr Refusal kNotSquare = static_cast<Refusal>(kOwnRefusals + 98);
inline bool namesNoGraph(Refusal refusal) {
  return refusal == kNotAMatrix || refusal == kArray || refusal == kNotSquare;
}

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
  //
  // Why two ways of naming nodes: most files number their nodes densely
  // (0 or 1 to about n), and then node a + 1 stands for id a itself, with
  // one bit an id to mark those that occur, and no table to look ids up
  // in. Ids that spread far past their count (hashes, nine-digit user
  // numbers) are numbered as they are met (NodeIds) instead, from the
  // first id past 2^24 that would make the direct range more than eight
  // times the ids seen; what was taken so far is renumbered once.
  //
  // With more than one job, the links are handed in batches to a second
  // thread that takes them as below, while this one goes on parsing: the
  // same links in the same order, so the same answer.
  void link(uint64_t a, uint64_t b) {
    ++parsed_.links;
    if (skip_) return;
    if (jobs_ > 1) {
      parsed_.batch[parsed_.fill++] = {a, b};
      if (parsed_.fill == kBatchLinks) passBatch();
      return;
    }
    takeLink(a, b);
  }

 private:
  void takeLink(uint64_t a, uint64_t b) {
    int32_t x;
    int32_t y;
    if (declared_) {
      x = static_cast<int32_t>(a);
      y = static_cast<int32_t>(b);
    } else {
      if (direct_ && (a >= directIds_ || b >= directIds_)) {
        widen(a > b ? a : b);
        if (short_) return;
      }
      if (!direct_) return numberLate(a, b);
      x = static_cast<int32_t>(a + 1);
      y = static_cast<int32_t>(b + 1);
      see(a);
      see(b);
    }
    take(x, y);
  }

 protected:
  enum class Road { kCheck, kStream, kWalk };

  // Whether the links taken so far found memory short, or too many
  // nodes: the graph is then refused, at the end of what is read.
  bool shortNow() const {
    return jobs_ > 1 ? stopped_.load(std::memory_order_relaxed) : short_;
  }

  // Reads every line through line(text) (a grammar's), then end(); fills
  // d as graph_reader.h tells. False when the file holds no graph, as
  // holdsGraph() tells at its end, or cannot be read.
  template <class Line, class End, class Holds>
  bool readAll(JudgedGraph& d, Line&& line, End&& end, Holds&& holdsGraph) {
    if (done_) return false;
    done_ = true;
    startGraph(d);
    while (static_cast<uint64_t>(reader_.offset()) < partEnd_ &&
           lines_.next()) {
      progress_.tick(static_cast<uint64_t>(reader_.offset()), parsed_.links);
      if (lines_.notHeld()) return refuseForMemory(d, lines_.length());
      // A last line without its line end may keep the '\r' of CRLF.
      std::string_view text = lines_.text();
      if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
      const LineFault fault = line(text);
      if (!fault.ok()) return refuseLine(d, fault);
      if (inHeader_ && parsed_.links != 0 && !enterBody()) return false;
      // Once the links run short, the rest is only parsed: a line that
      // breaks the format, or a file that cannot be read to its end, is
      // told before what the graph needed, by every road alike.
      if (!ranShort_ && !skip_ && shortNow()) {
        endJobs();
        ranShort_ = skip_ = true;
      }
    }
    endJobs();
    progress_.clear();
    // A file that could not be read to its end is the judge's to report.
    if (reader_.error() != 0) return false;
    // A part after the first is the graph of its lines, whatever they hold;
    // what the whole file must hold is for the merge to check.
    if (part_.index == 0) {
      if (lines_.number() == 0 || !holdsGraph()) return false;
      const LineFault fault = end();
      if (!fault.ok()) return refuseLine(d, fault);
    }
    if (ranShort_) return refuseShort(d);
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

  // Whether only a part of the file is read, of two or more: what the
  // whole file must hold (Matrix Market's count of entries) is then the
  // merge's to check, and every entry is a link.
  bool partial() const { return part_.count > 1; }
  // The file declares `entries` entries (Matrix Market's NNZ), which a
  // reduced graph records.
  void declareEntries(uint64_t entries) { reduced_.entries = entries; }
  // The links read are reduced graphs' (see formats/reduced/): the graph's
  // distinct links and walk order are not known.
  void readsReduced() { fromReduced_ = true; }
  // Whether the graph is read to be reduced (--reduce).
  bool reducing() const { return reduce_; }
  // Tells repeats of joining links by the forest of joins rather than a
  // set of pairs (see LinkForest::keepJoins): faster for links most of
  // which join trees, as reduced graphs' do. REQUIRES: before reading.
  static void tellRepeatsByJoins() { forest_.keepJoins(true); }

 private:
  struct Pair {
    int32_t a;
    int32_t b;
  };
  // Marks id as one that occurs.
  void see(uint64_t id) {
    uint64_t& word = seen_[id >> 6];
    const uint64_t bit = uint64_t{1} << (id & 63);
    takenHot_.seenCount += (word & bit) == 0 ? 1 : 0;
    word |= bit;
  }
  // Calls f(id) for each id of the direct range that occurs, ascending.
  template <class F>
  void forEachSeen(F&& f) const {
    for (uint64_t word = 0; word < directIds_ / 64; ++word) {
      for (uint64_t bits = seen_[word]; bits != 0; bits &= bits - 1) {
        f(word * 64 + static_cast<uint64_t>(std::countr_zero(bits)));
      }
    }
  }
  // Makes the direct range hold id, or leaves it for numbering ids as met.
  void widen(uint64_t id);
  // Numbers the ids seen by ascending value, renumbers what was taken,
  // and goes on numbering ids as they are met.
  void leaveDirect();
  // The ids that occur, ascending, into ids_ (and their ranks), when the
  // graph is built from the direct range.
  bool sortDirect();
  // Takes a link into the forest a few links late: the links in between
  // have their nodes' parents fetched meanwhile, so that the forest waits
  // on memory for several at once rather than for each in turn.
  //
  // Two levels: a node's parent is fetched as its link comes in, and its
  // parent's parent halfway through the wait, when the parent has come.
  void streamLink(int32_t a, int32_t b) {
    forest_.prefetch(a);
    forest_.prefetch(b);
    const Pair& half = late_[(takenHot_.lateAt - kLate / 2) & (kLate - 1)];
    forest_.prefetchParent(half.a);
    forest_.prefetchParent(half.b);
    Pair& slot = late_[takenHot_.lateAt++ & (kLate - 1)];
    if (takenHot_.lateAt > kLate) forest_.link(slot.a, slot.b);
    slot = {a, b};
  }
  void flushLate();
  static constexpr std::size_t kLate = 16;
  // The rings of links taken late lie in static storage, as one file is
  // read at a time and a small stack has no room for them.
  static Pair late_[kLate];

  // Whether links are taken into the forest: on the stream road, and on
  // the walk road when they are reduced graphs', whose links are many
  // times the nodes when they come from many parts. Their walk then walks
  // the forest's joins, a link that closed a cycle and a self-link: the
  // same nodes, parts and unreached nodes, and a cycle of the file's own.
  bool forested() const {
    return road_ == Road::kStream || (road_ == Road::kWalk && fromReduced_);
  }
  // Whether the forest was started: nodes declared, or an id taken.
  bool forestStarted() const {
    return declared_ || directIds_ != 0 || !direct_;
  }
  // Holds, as the walk road's links, what the forest kept; false when the
  // memory cannot be had.
  bool holdForest();
  // Calls f(a, b) for what the forest keeps of the links taken: the joins,
  // fewer than the nodes, the first link that closed a cycle and the first
  // self-link.
  template <class F>
  static void forEachKept(F&& f) {
    forest_.forEachJoin(f);
    if (const uint64_t closing = forest_.closing(); closing != 0) {
      f(static_cast<int32_t>(closing >> 32), static_cast<int32_t>(closing));
    }
    if (const int32_t looped = forest_.selfLinked(); looped != 0) {
      f(looped, looped);
    }
  }

  // Takes link {a, b} by node numbers.
  void take(int32_t a, int32_t b) {
    if (forested()) {
      streamLink(a, b);
    } else if (held_ < heldRoom_) {
      pairs_[held_++] = {a, b};
    } else {
      holdMore(a, b);
    }
  }
  // Numbers link {a, b} by NodeIds a few links late, for the same reason
  // as streamLink: its ids' slots are fetched meanwhile.
  void numberLate(uint64_t a, uint64_t b) {
    ids_.prefetch(a);
    ids_.prefetch(b);
    IdPair& slot = idsLate_[takenHot_.idsAt++ & (kIdsLate - 1)];
    const IdPair old = slot;
    slot = {a, b};
    if (takenHot_.idsAt > kIdsLate) number(old.a, old.b);
  }
  void number(uint64_t a, uint64_t b);
  void flushIdsLate();
  struct IdPair {
    uint64_t a;
    uint64_t b;
  };
  static constexpr std::size_t kIdsLate = 64;
  static IdPair idsLate_[kIdsLate];

  // The batches of links handed from the parsing thread to the taking
  // one: kBatches in a ring, the parser filling parsed_.batch (one of them).
  static constexpr std::size_t kBatchLinks = 16384;
  static constexpr std::size_t kBatches = 4;
  // Hands the batch filled to the taking thread, started on the first,
  // and waits while every batch is full.
  void passBatch();
  // Takes the batches handed over, in order, until the parser ends.
  void takeBatches();
  // Ends the taking thread, once every batch is taken; the batch being
  // filled is taken here.
  void endJobs();
  int64_t jobs_ = 1;
  // What the parsing thread writes for every link, in a cache line of its
  // own: were it beside what the taking thread writes, the two cores would
  // pass the line back and forth for every link.
  struct alignas(64) Parsed {
    uint64_t links = 0;
    IdPair* batch = nullptr;
    std::size_t fill = 0;
  };
  Parsed parsed_;
  // What the taking thread writes for every link, in a cache line of its
  // own for the same reason.
  struct alignas(64) Taken {
    std::size_t lateAt = 0;
    std::size_t idsAt = 0;
    int64_t seenCount = 0;
  };
  Taken takenHot_;
  IdPair* batches_ = nullptr;
  std::size_t batchSizes_[kBatches] = {};
  // The batches passed and taken, and whether the parser has ended, under
  // mutex_; each side waits on changed_ for the other, sleeping rather
  // than spinning, so that on a busy machine the thread that has work
  // gets the core.
  pthread_mutex_t mutex_ = PTHREAD_MUTEX_INITIALIZER;
  pthread_cond_t changed_ = PTHREAD_COND_INITIALIZER;
  std::size_t passed_ = 0;
  std::size_t taken_ = 0;
  bool ended_ = false;
  std::atomic<bool> stopped_{false};
  bool threadStarted_ = false;
  pthread_t thread_{};
  void startGraph(JudgedGraph& d);
  bool growNodes();
  void holdMore(int32_t a, int32_t b);
  uint64_t heldBytes() const;
  bool finish(JudgedGraph& d);
  static bool refuse(JudgedGraph& d, const LineFault& fault, int64_t line);
  // Refuses the graph for the fault of the line read last, placed in the
  // part's own lines; a part after the first that meets it before its
  // first link leaves it to the first part, whose lines those are.
  bool refuseLine(JudgedGraph& d, const LineFault& fault);
  // The line read last gave the file's first link. A part after the first
  // skips to its own lines, or ends when it has none. False when the file
  // cannot be read there.
  bool enterBody();
  // Writes the reduced graph's links (see ReducedLinks).
  static void eachReduced(const void* self, void* state,
                          void (*sink)(void*, uint64_t, uint64_t));
  uint64_t idOf(int32_t node) const;
  bool refuseShort(JudgedGraph& d);
  bool refuseForMemory(JudgedGraph& d, uint64_t need, bool denied = false);

  BlockReader& reader_;
  Progress progress_;
  LineScanner lines_;
  NeighbourLists& lists_;
  Road road_;
  bool analyse_;
  uint64_t maxMemory_;
  std::string_view name_;
  bool done_ = false;
  // Links are only counted: checking only, or after they ran short.
  bool skip_ = false;
  bool ranShort_ = false;
  bool declared_ = false;
  // Memory was past the ceiling, or denied (denied_), while reading.
  bool short_ = false;
  bool denied_ = false;
  int32_t nodes_ = 0;
  // The direct range: ids below directIds_ stand for themselves (see
  // link()); seen_ marks those that occur.
  bool direct_ = true;
  uint64_t directIds_ = 0;
  uint64_t* seen_ = nullptr;
  // The direct range's ids in order, and each id's node (id + 1 at
  // rank_[id + 1]), once the graph is built.
  uint64_t* directSorted_ = nullptr;
  int32_t* directRank_ = nullptr;
  Pair* pairs_ = nullptr;  // the walk road's links, by node numbers
  std::size_t held_ = 0;
  std::size_t heldRoom_ = 0;
  JudgedGraph* current_ = nullptr;
  uint64_t expected_ = UINT64_MAX;
  int64_t expectedAt_ = 0;
  // --reduce: the forest keeps its joins, and the ids their order met.
  bool reduce_ = false;
  ReducedLinks reduced_;
  bool fromReduced_ = false;
  // The part read (count 0: the whole file), whether the file's first link
  // is still to come, the lines before it that a part after the first
  // reads but does not count, and the offset where the part's lines end.
  JudgeNeeds::Part part_;
  bool inHeader_ = false;
  int64_t headerLines_ = 0;
  uint64_t partEnd_ = UINT64_MAX;

 protected:
  alignas(64) static NodeIds ids_;
  alignas(64) static LinkForest forest_;

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
