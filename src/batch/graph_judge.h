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
#include "base/file_source.h"
#include "formats/formats.h"
#include "formats/judged_graph.h"
#include "graph/analysis.h"

namespace ugraph {

class GraphJudge {
 public:
  // Reads file in the format given, or, when format is null, the one its
  // start names: the row of the table of formats whose sign is the
  // strongest, the first row when none shows any (see formats.h); only
  // the bytes the rows want are waited for. fileName is the file's name,
  // which some formats are known by. With analyse false, graphs are only
  // checked: one not refused is kWellFormed, its graph and analysis left
  // unset. Its storage is large, so it is static: one judge works at a
  // time. REQUIRES: file open for reading and outliving the judge; no
  // other judge is in use.
  // When console is given, its output is written out before the judge
  // waits for input.
  // Without needs.list, an analysed graph's record holds its name and
  // node count but not its list of links; without needs.starts, a graph
  // not refused has no start.
  GraphJudge(std::FILE* file, bool analyse, const FormatRow* format = nullptr,
             Console* console = nullptr, JudgeNeeds needs = {},
             std::string_view fileName = {});
  // Reads the bytes source hands over, as above; fault, when not 0, is
  // the errno that keeps them from being read (see FileSource::fault), and
  // the judge finds no graph. inArchive: a member of an archive, which
  // no format's sign naming it makes no graph file (see noFormat()).
  GraphJudge(const ByteSource& source, int fault, bool analyse,
             const FormatRow* format, Console* console, JudgeNeeds needs,
             std::string_view fileName, bool inArchive = false);
  ~GraphJudge();
  GraphJudge(const GraphJudge&) = delete;
  GraphJudge& operator=(const GraphJudge&) = delete;

  // The format the file is read in.
  const FormatRow& format() const { return *format_; }
  // Another format that the file's start names, without a header of the
  // one read, for a hint when the file yields nothing; else nullptr.
  const FormatRow* looksLike() const { return looksLike_; }
  // What the file holds when, without --from, its start shows a format
  // ugraph does not read (see foreignFormatOf); empty otherwise. The
  // judge then finds no graph in it.
  std::string_view foreign() const { return foreign_; }
  // A member of an archive whose start no format's sign names: no graph
  // file (a README, a list of metadata), read as nothing.
  bool noFormat() const { return noFormat_; }

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
  // A FILE's bytes, opened for a judge made from it.
  struct Opened {
    ByteSource bytes;
    int fault;
  };
  static Opened open(std::FILE* file);
  GraphJudge(const Opened& opened, bool analyse, const FormatRow* format,
             Console* console, JudgeNeeds needs, std::string_view fileName)
      : GraphJudge(opened.bytes, opened.fault, analyse, format, console, needs,
                   fileName) {}

  // Sets the current graph's verdict, links and parts from its analysis.
  void finishAnalysis();
  void finishLists(const ListsAnalysis& a);
  // Loads the current graph, well-formed, into its record or lists; false
  // when it was refused for memory instead.
  bool load();
  // Loads and analyses the current graph.
  void analyse();

  // What the judge works in beside the catalogue's block.
  // The current graph begins a cache line: its fields, written for every
  // graph, would otherwise fall wherever the record's odd length leaves
  // them, and a store that straddles two lines (or two pages) costs the
  // whole --count of a catalogue a twentieth.
  struct Space {
    DataInputText record;
    alignas(64) JudgedGraph current;
    NeighbourLists lists;
  };
  static Space shared_;

  Space& space_ = shared_;

  // Finds the format the file is read in, and any other its start names.
  void detect(const FormatRow* given, std::string_view fileName);

  BlockReader block_;
  bool ownsSource_ = false;  // made from a FILE: its source is the judge's
  int fault_ = 0;            // the errno of a file that cannot be read as it is
  bool noFormat_ = false;
  bool noSign_ = false;  // no format's sign named the file's start
  const FormatRow* format_ = nullptr;
  const FormatRow* looksLike_ = nullptr;
  std::string_view foreign_;
  bool analyse_;
  JudgeNeeds needs_;
  // The reader of format_, made in room_.
  // In static storage, as one judge works at a time and a small stack
  // has no room for it.
  static ReaderRoom room_;
  GraphReader reader_;
};

}  // namespace ugraph

#endif  // UGRAPH_BATCH_GRAPH_JUDGE_H_
