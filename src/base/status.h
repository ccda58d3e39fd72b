// The one result type of the input layer and the modes: how a step ended,
// the errno when the system gave one, and where in the input a fault lies
// when it has a place there.
#ifndef UGRAPH_BASE_STATUS_H_
#define UGRAPH_BASE_STATUS_H_

#include <cstdint>

namespace ugraph {

// A place in a file: the 1-based line and column (in bytes) of a byte. A
// line ends at '\n'.
struct FilePosition {
  int64_t line = 1;
  int64_t column = 1;
};

// Why a data-input is refused, in the order the checks are made: the mark,
// the copy of its text, then the rules of the format, which parseDataInput
// checks left to right.
enum class Refusal {
  kNone,
  kNotMarked,         // the byte after '[' is not 'U' or 'u'
  kUnclosed,          // no ']' before the end of the file
  kTooLong,           // longer than kMaxDataInputLength
  kNoName,            // no double quote, or no second one
  kNameTooLong,       // more than 15 bytes between the quotes
  kNulInName,         // a NUL byte between the quotes
  kNoNode,            // no '(' after the name
  kBadHeader,         // '(' not followed by digits and ')', or not 1..50
  kNeighbourAbove50,  // a neighbour number above kMaxNodes
  kTooManyLinks,      // a nonzero neighbour number past kMaxFileLinks
  kOutOfPlace,        // any other character in the node groups
  // A graph6 or sparse6 line, checked left to right.
  kDigraph,           // a digraph6 line, '&' first
  kBadByte,           // a byte outside 63..126
  kOver50Nodes,       // a node count above kMaxNodes, where rows must hold it
  kTooManyNodes,      // a node count above 2^31 - 1
  kTooManyLineLinks,  // more than kMaxListLinks links, repeats counted
  kLineTooShort,      // fewer bytes than its node count needs
  kLineTooLong,       // graph6: more bytes than its node count needs
  kHeaderNotFirst,    // a header on a line after the first
  kOverMemory,        // more memory than the ceiling (Status::need, ceiling)
  // A graph that cannot be written in the format asked for.
  kNoNodeToWrite,       // a catalogue cannot hold a graph without nodes
  kOverCatalogue,       // past 624 links or 2500 characters as a data-input
  kOver50ForCatalogue,  // a catalogue holds at most 50 nodes
  kTooLargeToTrace,     // past the trace's node limit
  kSelfLinkForGraph6,   // graph6 cannot hold a self-link
};

// A format may name refusals of its own, numbered from here, and give
// their words in its row of the table of formats.
inline constexpr int kOwnRefusals = 256;

struct Status {
  enum class Kind {
    kOk,          // the step got what it asked for
    kNothing,     // it has nothing to hand on, and has said why
    kEnded,       // console input ended, or the console failed, first
    kCannotOpen,  // a file could not be opened (error)
    kIsOutput,    // a file to read is also the program's output
    kReadFailed,  // a file could not be read, or read again (error)
    kRefused,     // a data-input breaks a rule (refusal, at)
    kMissing,     // the data-input asked for is not in the file
  };

  Kind kind = Kind::kOk;
  int error = 0;                     // the errno, where the system gave one
  Refusal refusal = Refusal::kNone;  // kRefused only
  FilePosition at;                   // kRefused only: where the fault lies
  // kOverMemory only: the bytes the graph needs (at least), and the
  // ceiling they pass, or 0 when the system would not give them. A
  // format's refusal that names numbers: the numbers, in turn.
  uint64_t need = 0;
  uint64_t ceiling = 0;
  // kOverMemory only: the one pass of --count would need less, as it
  // holds no links.
  bool onePassNeedsLess = false;

  bool ok() const { return kind == Kind::kOk; }
  bool is(Kind k) const { return kind == k; }
  static Status of(Kind k, int error = 0) {
    return {k, error, {}, {}, 0, 0, false};
  }
  static Status refused(Refusal refusal, const FilePosition& at) {
    return {Kind::kRefused, 0, refusal, at, 0, 0, false};
  }
};

}  // namespace ugraph

#endif  // UGRAPH_BASE_STATUS_H_
