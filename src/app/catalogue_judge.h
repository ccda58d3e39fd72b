// Judges every graph of a file in one pass, front to back, in constant
// memory: every data-input of a catalogue, or every line of graph6 or
// sparse6. Each is refused for the first rule it breaks, exactly as the
// dialogue refuses a data-input when it is chosen, or loaded and analysed
// as the dialogue analyses it. The batch modes read their input through
// this type.
#ifndef UGRAPH_APP_CATALOGUE_JUDGE_H_
#define UGRAPH_APP_CATALOGUE_JUDGE_H_

#include <cstdint>
#include <cstdio>

#include "graph/analysis.h"
#include "graph/ugraph.h"
#include "input/block_reader.h"
#include "input/catalogue.h"
#include "input/data_input.h"
#include "input/graph_lines.h"

namespace ugraph {

// The formats a file of graphs may be in.
enum class InputFormat { kCatalogue, kGraph6, kSparse6 };

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
  // The rest unless refused. The graph as the dialogue analyses it, after
  // its summary line: name, node count linkTo[0], normalised entries.
  Ugraph graph;
  Analysis analysis;
};

// What the batch modes need of an analysed graph beyond its verdict.
struct JudgeNeeds {
  // The record's list of links; the analysis's rows hold the links anyway.
  bool list = true;
  // Where each graph starts; a refused one's fault is placed regardless.
  bool starts = true;
};

class CatalogueJudge {
 public:
  // Reads file in the format given, or, when format is null, the one its
  // header names: graph6 after ">>graph6<<", sparse6 after ">>sparse6<<",
  // else a catalogue. A header of the other format than the one given is
  // skipped, and its line refused. With analyse false, graphs are only
  // checked: one not refused is kWellFormed, its graph and analysis left
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

  // The format the file is read in.
  InputFormat format() const { return format_; }

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
  template <class Observer>
  void analyseWith(Observer&& observer) {
    load();
    analyseRows(space_.current.graph, space_.current.analysis, observer);
    space_.current.verdict = space_.current.analysis.verdict;
  }

 private:
  bool nextDataInput();
  bool nextLine();
  void judge(std::string_view text);
  void refuse(const Status& refused);
  // Where a data-input is read to: the current graph's record and rows.
  DataInputGraph readInto();
  // Loads the current graph, well-formed, into its record.
  void load();
  // Loads and analyses the current graph.
  void analyse();

  // What the judge works in beside the catalogue's block.
  struct Space {
    DataInputText record;
    JudgedDataInput current;
  };
  static Space shared_;

  Space& space_ = shared_;

  BlockReader reader_;
  CatalogueScanner scanner_;
  LineScanner lines_;
  InputFormat format_ = InputFormat::kCatalogue;
  bool otherHeader_ = false;  // the first line follows the wrong header
  // The current data-input's text, while the judge is at it: one only
  // checked is parsed again when it is analysed.
  std::string_view text_;
  bool analyse_;
  JudgeNeeds needs_;
};

}  // namespace ugraph

#endif  // UGRAPH_APP_CATALOGUE_JUDGE_H_
