#include "formats/formats.h"

#include <array>

#include "formats/catalogue/format.h"
#include "formats/dimacs/format.h"
#include "formats/edges/format.h"
#include "formats/graph6/format.h"
#include "formats/metis/format.h"
#include "formats/mtx/format.h"
#include "formats/reduced/format.h"

// A test build may add one row: the header that declares it, and the row.
#ifdef UGRAPH_EXTRA_FORMAT_HEADER
#include UGRAPH_EXTRA_FORMAT_HEADER
#endif

namespace ugraph {
namespace {

constexpr std::array kRows = {
    kCatalogueRow,
    kGraph6Row,
    kSparse6Row,
    kEdgesRow,
    kMtxRow,
    kDimacsRow,
    kMetisRow,
    kReducedRow,
#ifdef UGRAPH_EXTRA_FORMAT_ROW
    UGRAPH_EXTRA_FORMAT_ROW,
#endif
};

constexpr std::array<std::string_view, kRows.size()> kNames = [] {
  std::array<std::string_view, kRows.size()> names{};
  for (std::size_t i = 0; i < kRows.size(); ++i) names[i] = kRows[i].name;
  return names;
}();

// The words of refusals that are no one format's: a graph past what the
// run allows it.
std::string_view commonRefusalPhrase(Refusal refusal) {
  switch (refusal) {
    case Refusal::kOverMemory:
      return "needs more memory than the ceiling allows";
    case Refusal::kTooLargeToTrace:
      return "has more nodes than a trace shows: 1000, or 100 as drawings";
    default:
      return "";
  }
}

}  // namespace

std::span<const FormatRow> formatRows() { return kRows; }

std::span<const std::string_view> formatNames() { return kNames; }

const FormatRow* findFormat(std::string_view name) {
  for (const FormatRow& row : kRows) {
    if (row.name == name) return &row;
  }
  return nullptr;
}

std::string_view firstLineOf(std::string_view text, bool& whole) {
  const std::size_t end = text.find('\n');
  whole = end != std::string_view::npos;
  std::string_view line = text.substr(0, end);
  if (whole && !line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

std::string_view refusalPhrase(Refusal refusal) {
  for (const FormatRow& row : kRows) {
    const std::string_view words = row.phrase(refusal);
    if (!words.empty()) return words;
  }
  return commonRefusalPhrase(refusal);
}

}  // namespace ugraph
