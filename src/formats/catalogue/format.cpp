#include "formats/catalogue/format.h"

#include "base/line.h"
#include "formats/catalogue/reader.h"
#include "graph/ugraph.h"

namespace ugraph {
namespace catalogue_format {

// A catalogue begins anywhere in its text, so it waits for nothing and is
// the reading a file falls back on.
bool wantsMore(std::string_view /*start*/, std::size_t /*room*/) {
  return false;
}

// The sign in the first block hints at a data-input, though it is no
// proof: detection weighs it against the other formats' signs, and it
// outweighs an edge list's lines of numbers, which a catalogue's free text
// may hold. A lone '['
// says nothing, as graph lines hold it too.
Sign sign(std::string_view start, std::string_view /*fileName*/) {
  return hasCatalogueSign(start) ? Sign::kWeak : Sign::kNone;
}

GraphReader open(ReaderRoom& room, const ReaderSetup& setup) {
  return GraphReader::make<CatalogueReader>(room, setup);
}

}  // namespace catalogue_format

bool hasCatalogueSign(std::string_view text) {
  for (std::size_t at = text.find('['); at != std::string_view::npos;
       at = text.find('[', at + 1)) {
    if (at + 2 < text.size() && (text[at + 1] == 'U' || text[at + 1] == 'u') &&
        (text[at + 2] == ' ' || text[at + 2] == '"')) {
      return true;
    }
  }
  return false;
}

std::string_view catalogueRefusalPhrase(Refusal refusal) {
  switch (refusal) {
    case Refusal::kNotMarked:
      return "is not marked 'U' (after '[')";
    case Refusal::kUnclosed:
      return "has no closing ']'";
    case Refusal::kTooLong:
      return "is longer than 2500 characters";
    case Refusal::kNoName:
      return "has no graph name in double quotes";
    case Refusal::kNameTooLong:
      return "has a graph name longer than 15 bytes";
    case Refusal::kNulInName:
      return "has a NUL byte in its graph name";
    case Refusal::kNoNode:
      return "has no node in parentheses";
    case Refusal::kBadHeader:
      return "has a node header that is not (1) to (50)";
    case Refusal::kNeighbourAbove50:
      return "has a neighbour number above 50";
    case Refusal::kTooManyLinks:
      return "has more than 624 links";
    case Refusal::kOutOfPlace:
      return "has a character out of place in its node groups";
    case Refusal::kNoNodeToWrite:
      return "has no node, which a catalogue cannot hold";
    case Refusal::kOverCatalogue:
      return "is past a data-input's limits of 624 links and 2500 characters";
    case Refusal::kOver50ForCatalogue:
      return "has more than 50 nodes, which a catalogue cannot hold";
    default:
      return "";
  }
}

namespace {

// The room a data-input is built in: large, so it lives in static
// storage.
LineRoom dataInputRoom;

}  // namespace

Refusal writeDataInput(const JudgedGraph& d, Console& console) {
  const Ugraph& g = d.graph;
  const int32_t n = d.nodes;
  if (n == 0) return Refusal::kNoNodeToWrite;
  if (n > kMaxNodes) return Refusal::kOver50ForCatalogue;
  if (d.links > kMaxFileLinks) return Refusal::kOverCatalogue;
  Line w(dataInputRoom);
  w.put("[U \"");
  if (g.name[0] != '\0') {
    w.put(std::string_view(g.name.data()));
  } else {
    w.put("g");
    w.put(d.number);
  }
  w.put("\"");
  int32_t header = 0;
  for (std::size_t i = 1; g.linkFrom[i] != 0; ++i) {
    const int32_t a = g.linkFrom[i];
    if (a > g.linkTo[i]) continue;
    if (a != header) {
      header = a;
      w.put(", (");
      w.put(int64_t{a});
      w.put(")");
    }
    w.put(",");
    w.put(int64_t{g.linkTo[i]});
  }
  if (header != n) {
    w.put(", (");
    w.put(int64_t{n});
    w.put(")");
  }
  w.put("]");
  if (w.text().size() > kMaxDataInputLength) return Refusal::kOverCatalogue;
  w.put("\n");
  w.writeTo(console);
  return Refusal::kNone;
}

}  // namespace ugraph
