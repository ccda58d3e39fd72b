// The table of formats: every format the batch modes read is one row, and
// everything that names formats comes from it: --from's values, --help and
// the completion, detection of a file's format by its start, what one
// graph is called in messages, the words of its refusals and --convert's
// writer. A new format is a folder under formats/ and one row here.
#ifndef UGRAPH_FORMATS_FORMATS_H_
#define UGRAPH_FORMATS_FORMATS_H_

#include <cstddef>
#include <span>
#include <string_view>

#include "base/console.h"
#include "base/status.h"
#include "formats/graph_reader.h"

namespace ugraph {

// What a file's start says of one format: how strongly it names it
// (kNone: not at all), for detection's order.
enum class Sign { kNone, kWeak, kStrong, kHeader };

struct FormatRow {
  std::string_view name;  // its --from value
  // What one of its graphs is called in messages: "data-input", "graph".
  const char* noun;
  // Its words in a hint that a file looks like it ("a catalogue").
  std::string_view looksLike;
  // Whether detection should wait for more of the file than start, the
  // bytes read so far (at most `room`), before it asks sign().
  bool (*wantsMore)(std::string_view start, std::size_t room);
  // How strongly start, the bytes read so far, and the file's name name
  // this format.
  Sign (*sign)(std::string_view start, std::string_view fileName);
  // Makes its reader in room (see graph_reader.h).
  GraphReader (*open)(ReaderRoom& room, const ReaderSetup& setup);
  // The words of the refusals its reader and writer make, as "is ..." or
  // "has ..."; empty for any other refusal.
  std::string_view (*phrase)(Refusal refusal);
  // --convert's writer of one analysed graph in this format, or nullptr;
  // returns the refusal when the format cannot hold the graph.
  Refusal (*write)(const JudgedGraph& d, Console& console);
};

// Every format, in the order --help lists them; the first is the one a
// file is read in when no row's sign is above kNone. Of two rows whose
// signs are equally strong, detection takes the earlier: a file named
// ".mtx" that opens as DIMACS is Matrix Market, one named ".graph" that
// opens as DIMACS is DIMACS, and a catalogue's sign outweighs an edge
// list's lines of numbers.
std::span<const FormatRow> formatRows();
// Their names, in the same order.
std::span<const std::string_view> formatNames();
// The row called name, or nullptr.
const FormatRow* findFormat(std::string_view name);

// The first line of text, without its line end (and a '\r' before it);
// whole tells whether its end was found.
std::string_view firstLineOf(std::string_view text, bool& whole);

// The words of a refusal of any format, as "is ..." or "has ...", from the
// row whose refusal it is; empty for kNone and for refusals of no row.
std::string_view refusalPhrase(Refusal refusal);

}  // namespace ugraph

#endif  // UGRAPH_FORMATS_FORMATS_H_
