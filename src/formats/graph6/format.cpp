#include "formats/graph6/format.h"

#include "formats/catalogue/format.h"
#include "formats/graph6/graph6.h"
#include "formats/graph6/reader.h"

namespace ugraph {
namespace graph6_format {
namespace {

// Whether start may yet grow into a header: it is shorter than one and
// begins it.
bool mayBeHeader(std::string_view start) {
  return start.size() < kSparse6Header.size() &&
         (kGraph6Header.substr(0, start.size()) == start ||
          kSparse6Header.substr(0, start.size()) == start);
}

// Writes d as a line of format, or refuses it for a self-link in graph6.
Refusal writeLine(const JudgedGraph& d, LineFormat format, Console& console) {
  const bool written =
      withGraph(d, [&](const auto& graph, const auto& /*walk*/) {
        return encodeGraph(graph, format, [&](std::string_view piece) {
          console.write(piece);
        });
      });
  return written ? Refusal::kNone : Refusal::kSelfLinkForGraph6;
}

}  // namespace

// Only as many bytes as tell whether a header is there are waited for;
// without one, the first line decides, and it is waited for only until a
// byte shows that it is no graph line, or the room is full.
bool wantsMore(std::string_view start, std::size_t room) {
  if (mayBeHeader(start)) return true;
  bool whole = false;
  const std::string_view line = firstLineOf(start, whole);
  return headerLength(start) == 0 && !whole && mayBeGraphLine(line) &&
         start.size() < room;
}

// A single word of letters is graph6 for as far as it goes ("Graphs" is
// one of 8 nodes), so a catalogue's sign anywhere in start outweighs it:
// no graph line holds a blank or a '"'.
Sign sign(std::string_view start, std::string_view /*fileName*/) {
  if (headerLength(start) != 0) return Sign::kHeader;
  bool whole = false;
  return startsGraphLines(firstLineOf(start, whole)) && !hasCatalogueSign(start)
             ? Sign::kStrong
             : Sign::kNone;
}

Sign noSign(std::string_view /*start*/, std::string_view /*fileName*/) {
  return Sign::kNone;
}

GraphReader open(ReaderRoom& room, const ReaderSetup& setup) {
  return GraphReader::make<LineReader>(room, setup);
}

Refusal writeGraph6(const JudgedGraph& d, Console& console) {
  return writeLine(d, LineFormat::kGraph6, console);
}

Refusal writeSparse6(const JudgedGraph& d, Console& console) {
  return writeLine(d, LineFormat::kSparse6, console);
}

}  // namespace graph6_format

std::string_view lineRefusalPhrase(Refusal refusal) {
  switch (refusal) {
    case Refusal::kDigraph:
      return "is a digraph6 line: a directed graph";
    case Refusal::kBadByte:
      return "has a byte outside 63 to 126";
    case Refusal::kOver50Nodes:
      return "has more than 50 nodes";
    case Refusal::kLineTooShort:
      return "is too short for its node count";
    case Refusal::kLineTooLong:
      return "is too long for its node count";
    case Refusal::kTooManyNodes:
      return "has more than 2147483647 nodes";
    case Refusal::kTooManyLineLinks:
      return "has more than 2147483647 links";
    case Refusal::kHeaderNotFirst:
      return "holds a header, which only the first line may";
    case Refusal::kSelfLinkForGraph6:
      return "has a self-link, which graph6 cannot hold";
    default:
      return "";
  }
}

}  // namespace ugraph
