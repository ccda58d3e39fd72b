// Judges every graph of a file in one pass, front to back: every
// data-input of a catalogue, or every line of graph6 or sparse6. Each is
// refused for the first rule it breaks, exactly as the dialogue refuses a
// data-input when it is chosen, or loaded and analysed as the dialogue
// analyses it. A catalogue is read in constant memory; a graph line in
// memory proportional to its graph, up to a ceiling. The batch modes read
// their input through this type.
#ifndef UGRAPH_BATCH_GRAPH_JUDGE_H_
#define UGRAPH_BATCH_GRAPH_JUDGE_H_

#include <cstdint>
#include <cstdio>

#include "base/block_reader.h"
#include "batch/judged_graph.h"
#include "formats/catalogue/reader.h"
#include "formats/graph6/reader.h"
#include "graph/analysis.h"

namespace ugraph {

// What a file's first line looks like, for a warning when the file yields
// nothing: graph lines in a catalogue, or a catalogue read as lines.
enum class FirstLine { kFits, kLooksLikeLines, kLooksLikeCatalogue };

class GraphJudge {
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
  GraphJudge(std::FILE* file, bool analyse, const InputFormat* format = nullptr,
             Console* console = nullptr, JudgeNeeds needs = {});

  // The reading the file is read in.
  InputFormat format() const { return format_; }
  // Whether the first line looks like another format than the one read.
  FirstLine firstLine() const { return firstLine_; }

  // Judges the next graph; false when the file is over or cannot be read
  // (status()).
  bool next();
  const JudgedGraph& current() const { return space_.current; }
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
    JudgedGraph& d = space_.current;
    if (d.lists != nullptr) {
      finishLists(analyseLists(*d.lists, observer));
    } else {
      analyseRows(d.graph, d.analysis, observer);
      finishAnalysis();
    }
  }

  // Walks the current graph again as its analysis did, telling observer
  // every step; the walk it leaves is the same.
  // REQUIRES: the current graph analysed and not refused.
  template <class Observer>
  void walkAgain(Observer&& observer) {
    JudgedGraph& d = space_.current;
    if (d.lists != nullptr) {
      walkFromNode1(*d.lists, d.lists->walk(), observer);
    } else {
      walkRows(d.analysis.rows, d.graph.linkTo[0], d.analysis.walk, observer);
    }
  }

 private:
  // Sets the current graph's verdict, links and parts from its analysis.
  void finishAnalysis();
  void finishLists(const ListsAnalysis& a);
  // Loads the current graph, well-formed, into its record or lists; false
  // when it was refused for memory instead.
  bool load();
  // Loads and analyses the current graph.
  void analyse();

  // What the judge works in beside the catalogue's block.
  struct Space {
    DataInputText record;
    JudgedGraph current;
    NeighbourLists lists;
  };
  static Space shared_;

  Space& space_ = shared_;

  BlockReader reader_;
  InputFormat format_ = InputFormat::kCatalogue;
  FirstLine firstLine_ = FirstLine::kFits;
  bool analyse_;
  JudgeNeeds needs_;
  // One reader a format; format_ names the one the file is read with.
  CatalogueReader catalogue_;
  LineReader lines_;
};

}  // namespace ugraph

#endif  // UGRAPH_BATCH_GRAPH_JUDGE_H_
