// Judges every graph of a file in one pass, front to back: every
// data-input of a catalogue, or every line of graph6 or sparse6. Each is
// refused for the first rule it breaks, exactly as the dialogue refuses a
// data-input when it is chosen, or loaded and analysed as the dialogue
// analyses it. A catalogue is read in constant memory; a graph line in
// memory proportional to its graph, up to a ceiling. The batch modes read
// their input through this type.
#ifndef UGRAPH_APP_CATALOGUE_JUDGE_H_
#define UGRAPH_APP_CATALOGUE_JUDGE_H_

#include <cstdint>
#include <cstdio>
#include <span>

#include "graph/analysis.h"
#include "graph/lists.h"
#include "graph/ugraph.h"
#include "input/block_reader.h"
#include "input/catalogue.h"
#include "input/data_input.h"
#include "input/graph6.h"
#include "input/graph_lines.h"

namespace ugraph {

// The readings of a file of graphs: a catalogue, or graph lines, graph6
// and sparse6 mixed, each line's first byte naming its format.
enum class InputFormat { kCatalogue, kGraphLines };

// The memory a graph line may take unless --max-memory says otherwise.
inline constexpr uint64_t kDefaultMaxMemory = uint64_t{4} << 30;

// One graph as the batch modes see it: a data-input, or a line.
struct JudgedDataInput {
  int64_t number = 0;
  // Its '[' or its line's first byte (with analyse false, or without
  // JudgeNeeds::starts: of a data-input only when refused).
  FilePosition start;
  GraphClass verdict = GraphClass::kRefused;
  // kRefused for a refused data-input: the rule it breaks and where the
  // fault lies. kOk otherwise.
  Status status;
  // The rest unless refused: its node count, distinct links (a self-link
  // counting as one) and connected parts (once analysed).
  int32_t nodes = 0;
  int64_t links = 0;
  int64_t parts = 0;
  // A graph of at most kMaxNodes nodes whose entries the record holds: the
  // graph as the dialogue analyses it, after its summary line (name, node
  // count linkTo[0], normalised entries), and its analysis.
  Ugraph graph;
  Analysis analysis;
  // Any other graph, of a graph line: its lists and walk; graph.name is
  // then empty and the rest of graph and analysis unset.
  NeighbourLists* lists = nullptr;
};

// Calls f(graph, walk) with d's graph as the walk sees it (a RowsGraph or
// NeighbourLists) and its walk (a Walk or ListsWalk), and returns what f
// returns. REQUIRES: d analysed.
template <class F>
decltype(auto) withGraph(const JudgedDataInput& d, F&& f) {
  if (d.lists != nullptr) {
    return f(static_cast<const NeighbourLists&>(*d.lists), d.lists->walk());
  }
  return f(RowsGraph(d.analysis.rows, d.graph.linkTo[0]), d.analysis.walk);
}

// Finds the cycle of d as findCycleIn does, into small for a graph of rows
// and into the lists' own room otherwise. Returns its nodes.
std::span<const int32_t> cycleOf(const JudgedDataInput& d, Cycle& small);

// What the batch modes need of an analysed graph beyond its verdict.
struct JudgeNeeds {
  // The record's list of links; the analysis's rows hold the links anyway.
  bool list = true;
  // Where each graph starts; a refused one's fault is placed regardless.
  bool starts = true;
  // The most memory a graph line may take: the line held, its lists and
  // its walk (see listsBytes).
  uint64_t maxMemory = kDefaultMaxMemory;
};

// What a file's first line looks like, for a warning when the file yields
// nothing: graph lines in a catalogue, or a catalogue read as lines.
enum class FirstLine { kFits, kLooksLikeLines, kLooksLikeCatalogue };

class CatalogueJudge {
 public:
  // Reads file in the format given, or, when format is null, the one its
  // start names: graph lines after a header (">>graph6<<" or
  // ">>sparse6<<"), or when its first line is a graph line (see
  // startsGraphLines), else a catalogue. Graph lines may begin with
  // either header whichever format is given. With analyse false, graphs are
  // only checked: one not refused is kWellFormed, its graph and analysis left
  // unset. Its storage is large, so it is static: one judge works at a
  // time. REQUIRES: file open for reading and outliving the judge; no
  // other judge is in use.
  // When console is given, its output is written out before the judge
  // waits for input.
  // Without needs.list, an analysed graph's record holds its name and
  // node count but not its list of links; without needs.starts, a graph
  // not refused has no start.
  CatalogueJudge(std::FILE* file, bool analyse,
                 const InputFormat* format = nullptr,
                 Console* console = nullptr, JudgeNeeds needs = {});

  // The reading the file is read in.
  InputFormat format() const { return format_; }
  // Whether the first line looks like another format than the one read.
  FirstLine firstLine() const { return firstLine_; }

  // Judges the next graph; false when the file is over or cannot be read
  // (status()).
  bool next();
  const JudgedDataInput& current() const { return space_.current; }
  // kReadFailed, with the errno, once the catalogue could not be read;
  // else kOk.
  Status status() const;

  // Loads and analyses the current graph, telling observer every step of
  // its walk (see NoWalkObserver), and sets its verdict.
  // REQUIRES: the judge only checks, and the current graph is kWellFormed.
  // When the graph's memory cannot be had after all, it is refused for
  // that instead.
  template <class Observer>
  void analyseWith(Observer&& observer) {
    if (!load()) return;
    JudgedDataInput& d = space_.current;
    if (d.lists != nullptr) {
      finishLists(analyseLists(*d.lists, observer));
    } else {
      analyseRows(d.graph, d.analysis, observer);
      finishAnalysis();
    }
  }

 private:
  bool nextDataInput();
  bool nextLine();
  // Reads the current line's graph, which needs more than rows: into the
  // lists when build, else only to count what it needs. False, having
  // refused it, when that is past the ceiling or cannot be had.
  bool readLarge(bool build);
  // Refuses the current line for the memory it needs: past the ceiling,
  // or denied by the system.
  void refuseForMemory(uint64_t need, bool denied = false);
  // Sets the current graph's verdict, links and parts from its analysis.
  void finishAnalysis();
  void finishLists(const ListsAnalysis& a);
  void judge(std::string_view text);
  void refuse(const Status& refused);
  // Where a data-input is read to: the current graph's record and rows.
  DataInputGraph readInto();
  // Loads the current graph, well-formed, into its record or lists; false
  // when it was refused for memory instead.
  bool load();
  // Loads and analyses the current graph.
  void analyse();

  // What the judge works in beside the catalogue's block.
  struct Space {
    DataInputText record;
    JudgedDataInput current;
    NeighbourLists lists;
  };
  static Space shared_;

  Space& space_ = shared_;

  BlockReader reader_;
  CatalogueScanner scanner_;
  LineScanner lines_;
  InputFormat format_ = InputFormat::kCatalogue;
  FirstLine firstLine_ = FirstLine::kFits;
  // The current line's front, and whether its graph is too large for
  // rows and read into the lists.
  LineHead head_;
  bool large_ = false;
  // The current data-input's text, while the judge is at it: one only
  // checked is parsed again when it is analysed.
  std::string_view text_;
  bool analyse_;
  JudgeNeeds needs_;
};

}  // namespace ugraph

#endif  // UGRAPH_APP_CATALOGUE_JUDGE_H_
