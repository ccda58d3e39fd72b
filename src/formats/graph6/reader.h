// The reader of graph lines, graph6 and sparse6 mixed: each line refused
// for the first rule it breaks, or read into the judge's rows when its
// graph is small, into neighbour lists otherwise, in memory up to a
// ceiling.
#ifndef UGRAPH_FORMATS_GRAPH6_READER_H_
#define UGRAPH_FORMATS_GRAPH6_READER_H_

#include <cstddef>
#include <cstdint>

#include "base/block_reader.h"
#include "base/line_scanner.h"
#include "formats/graph6/graph6.h"
#include "formats/graph_reader.h"
#include "graph/link_forest.h"

namespace ugraph {

// A reader of graphs (see graph_reader.h).
class LineReader {
 public:
  // Reads through setup.reader, past a header at its start, a large graph
  // into setup.lists. Only checking, a large graph is read when loaded.
  // needs.maxMemory bounds what a line, its lists and its walk may take
  // (see listsBytes). Without needs.walk, a small graph's rows are lower
  // rows (see keepLowerRows), and a large graph, analysed, is judged in
  // one pass over its links (see LinkForest), never built as lists: its
  // class, node count and parts are set, its links not counted.
  explicit LineReader(const ReaderSetup& setup);

  bool next(JudgedGraph& d);
  bool load(JudgedGraph& d);

 private:
  // Reads the current line's graph, which needs more than rows: into the
  // lists when build, else only to count what it needs. False, having
  // refused it, when that is past the ceiling or cannot be had, or the
  // graph has more than kMaxListLinks links.
  bool readLarge(JudgedGraph& d, bool build);
  // Judges the current line's large graph in one pass, or refuses it for
  // the memory its forest needs or for more than kMaxListLinks links.
  void judgeInOnePass(JudgedGraph& d);
  // Refuses the current line for the memory it needs: past the ceiling,
  // or denied by the system.
  void refuseForMemory(JudgedGraph& d, uint64_t need, bool denied = false);
  // Refuses a graph of more than kMaxListLinks links, at column 1 of its
  // line.
  void refuseForLinks(JudgedGraph& d);
  static void refuse(JudgedGraph& d, const Status& refused);

  LineScanner lines_;
  NeighbourLists& lists_;
  LinkForest forest_;
  // The current line's front, and whether its graph is too large for
  // rows and read into the lists.
  LineHead head_;
  bool large_ = false;
  bool analyse_;
  bool lowerRows_;
  uint64_t maxMemory_;
};

}  // namespace ugraph

#endif  // UGRAPH_FORMATS_GRAPH6_READER_H_
