// The one interface every format's reader keeps, and the handle through
// which the judge holds whichever reader the table of formats gives.
//
// A reader is a class of its format's folder with a constructor from a
// ReaderSetup and two operations:
//
//   bool next(JudgedGraph& d);
//     Reads the next graph of the file into d: its number and its start
//     (the place its graph begins; see JudgeNeeds::starts), then either
//       - kRefused, with the status naming the first rule it breaks and
//         where the fault lies, or
//       - a class (kTree, kConnectedNotTree, kNotConnected, kNoNode) with
//         d.nodes and d.parts and an empty status, when the reader judged
//         the graph itself, in one pass over its links (see LinkForest),
//         as it may when analysing without JudgeNeeds::walk; or
//       - kWellFormed, with an empty status:
//           * analysing (setup.analyse), the graph loaded as load() loads
//             it; d.nodes is then set by the judge, from the record or the
//             lists, when it analyses the graph;
//           * only checking, d.nodes the node count when the reader knows
//             it before reading the graph whole (a graph line's header),
//             and 0 when it does not (a data-input).
//     False at the end of the file, or when it cannot be read (the block
//     reader's error()).
//   bool load(JudgedGraph& d);
//     Loads d, well-formed and only checked, with d.nodes its node count:
//     into d.graph and d.analysis.rows when its nodes and entries fit the
//     record, else into setup.lists with d.lists pointing at them. False,
//     with d refused for memory, when the lists' memory is past
//     JudgeNeeds::maxMemory or the system denies it.
//
// Memory: a graph's room is the judge's (the record, and the lists, which
// keep their largest size for the next graph); a reader holds its block
// reader's place and what it needs to load the current graph, no more.
//
// Why a handle of function pointers and not virtual functions: the program
// is built without run-time type information and without the C++ run-time
// library, which a pure virtual function would bring back. The handle is
// made once a file; each graph costs one indirect call, which the
// processor predicts as surely as the branch on the format it replaces.
#ifndef UGRAPH_FORMATS_GRAPH_READER_H_
#define UGRAPH_FORMATS_GRAPH_READER_H_

#include <cstddef>
#include <new>
#include <string_view>
#include <type_traits>

#include "base/block_reader.h"
#include "formats/catalogue/data_input.h"
#include "formats/judged_graph.h"
#include "graph/lists.h"

namespace ugraph {

// What a reader is made from: the file's block reader, at the file's start
// or past what detection took, and the judge's room.
struct ReaderSetup {
  BlockReader& reader;
  DataInputText& record;  // a data-input not whole in the block is copied
  NeighbourLists& lists;  // a graph too large for rows
  bool analyse;           // load each well-formed graph, else only check
  JudgeNeeds needs;
  std::string_view fileName;  // the FILE operand, "-" for standard input
};

// The room a reader is made in, inside the judge.
struct alignas(64) ReaderRoom {
  std::byte bytes[1024];
};

// One reader, whatever its format.
class GraphReader {
 public:
  // Makes a Reader from setup in room. REQUIRES: room outlives the handle,
  // and holds no other reader.
  template <class Reader>
  static GraphReader make(ReaderRoom& room, const ReaderSetup& setup) {
    static_assert(sizeof(Reader) <= sizeof(room.bytes));
    static_assert(alignof(Reader) <= alignof(ReaderRoom));
    Reader* const reader = new (room.bytes) Reader(setup);
    return {reader,
            [](void* r, JudgedGraph& d) {
              return static_cast<Reader*>(r)->next(d);
            },
            [](void* r, JudgedGraph& d) {
              return static_cast<Reader*>(r)->load(d);
            },
            [](void* r) { static_cast<Reader*>(r)->~Reader(); }};
  }

  GraphReader() = default;
  bool next(JudgedGraph& d) { return next_(self_, d); }
  bool load(JudgedGraph& d) { return load_(self_, d); }
  // Ends the reader; the handle is then empty.
  void end() {
    if (self_ != nullptr) end_(self_);
    self_ = nullptr;
  }

 private:
  GraphReader(void* self, bool (*nextOf)(void*, JudgedGraph&),
              bool (*loadOf)(void*, JudgedGraph&), void (*endOf)(void*))
      : self_(self), next_(nextOf), load_(loadOf), end_(endOf) {}

  void* self_ = nullptr;
  bool (*next_)(void*, JudgedGraph&) = nullptr;
  bool (*load_)(void*, JudgedGraph&) = nullptr;
  void (*end_)(void*) = nullptr;
};

}  // namespace ugraph

#endif  // UGRAPH_FORMATS_GRAPH_READER_H_
