#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "base/bytes.h"
#include "base/line.h"
#include "batch/each_graph.h"
#include "modes/modes.h"
#include "render/escape.h"
#include "render/verdict.h"

namespace ugraph {
namespace {

// Column widths of the text listing; a wider value pushes the rest right.
constexpr std::size_t kNumberWidth = 4;
constexpr std::size_t kNameWidth = kNameSize - 1;
constexpr std::size_t kCountWidth = 5;

// A graph's name, up to its NUL: found among the record's 16 bytes at
// once rather than by a call of strlen.
std::string_view nameOf(const GraphName& name) {
  return {name.data(), findByte({name.data(), name.size()}, '\0')};
}

// The rooms the lines of the listings are built in: large, so they live
// in static storage.
LineRoom textRoom;
LineRoom jsonRoom;

class TextList {
 public:
  // heading, when given, is the name of the file, written before its rows,
  // after a blank line unless it is the first.
  TextList(Console& console, const char* heading, bool first)
      : console_(console), heading_(heading), first_(first) {}

  // Counts d, and writes its line when shown.
  void add(const JudgedGraph& d, bool selected) {
    writeHeader();
    totals_.add(d.verdict);
    if (!selected) return;
    Line line(textRoom);
    line.putRight(d.number, kNumberWidth);
    line.put("  ");
    if (d.verdict == GraphClass::kRefused) {
      writeRefused(d, line);
      return;
    }
    const std::string_view name = nameOf(d.graph.name);
    std::size_t shown = name.size();
    if (isPlainText(name)) {
      line.putWithin<kNameSize>(name);
    } else {
      line.writeTo(console_);
      shown = writeDisplayText(name, console_);
    }
    line.putBlanks(kNameWidth - std::min(shown, kNameWidth) + 2);
    line.putRight(d.nodes, kCountWidth);
    line.put("  ");
    // Reduced parts keep no count of distinct links.
    if (d.fromReduced) {
      line.putBlanks(kCountWidth - 1);
      line.put("-");
    } else {
      line.putRight(d.links, kCountWidth);
    }
    line.put("  ");
    writeVerdictText(d, ReasonShape::kListing, line, console_);
    line.put("\n");
    line.writeTo(console_);
  }

  void finish(int64_t total, const char* noun) {
    writeHeader();
    writeCount(total, noun, console_);
    console_.write(": ");
    writeClassTotals(totals_, console_);
    console_.write("\n");
  }

 private:
  // The heading and the column titles, once, when the catalogue has been
  // read that far.
  void writeHeader() {
    if (headerWritten_) return;
    headerWritten_ = true;
    if (heading_ != nullptr) {
      console_.write(first_ ? "==> " : "\n==> ");
      writeDisplayText(heading_, console_);
      console_.write(" <==\n");
    }
    console_.write("   N  NAME             NODES  LINKS  VERDICT\n");
  }

  void writeRefused(const JudgedGraph& d, Line& line) {
    line.put("-");
    line.putBlanks(kNameWidth + kCountWidth);
    line.put("-");
    line.putBlanks(1 + kCountWidth);
    line.put("-  refused: ");
    line.put(refusalWords(d.status));
    line.put(" (line ");
    line.put(d.status.at.line);
    line.put(", column ");
    line.put(d.status.at.column);
    line.put(")\n");
    line.writeTo(console_);
  }

  Console& console_;
  const char* heading_;
  bool first_;
  bool headerWritten_ = false;
  ClassTotals totals_;
};

void writeJsonRefused(const JudgedGraph& d, Line& line, Console& console) {
  line.put(",\"refused\":{\"rule\":");
  line.writeTo(console);
  writeJsonString(refusalWords(d.status), console);
  line.put(",\"line\":");
  line.put(d.status.at.line);
  line.put(",\"column\":");
  line.put(d.status.at.column);
  line.put("}}\n");
  line.writeTo(console);
}

// Writes d's JSON object; file, when given, as its first key.
void writeJson(const JudgedGraph& d, const char* file, Console& console) {
  Line line(jsonRoom);
  if (file != nullptr) {
    console.write("{\"file\":");
    writeJsonString(file, console);
    line.put(",\"number\":");
  } else {
    line.put("{\"number\":");
  }
  line.put(d.number);
  line.put(",\"line\":");
  line.put(d.start.line);
  if (d.verdict == GraphClass::kRefused) {
    writeJsonRefused(d, line, console);
    return;
  }
  line.put(",\"name\":");
  const std::string_view name =
      d.fullName.empty() ? nameOf(d.graph.name) : d.fullName;
  if (d.fullName.empty() && isPlainText(name)) {
    line.put("\"");
    line.putWithin<kNameSize>(name);
    line.put("\"");
  } else {
    line.writeTo(console);
    writeJsonString(name, console);
  }
  line.put(",\"nodes\":");
  line.put(int64_t{d.nodes});
  line.put(",\"links\":");
  if (d.fromReduced) {
    line.put("null");
  } else {
    line.put(d.links);
  }
  // Nor the walk's order, which depends on every link.
  writeVerdictJson(d, !d.fromReduced, line, console);
  line.put("}\n");
  line.writeTo(console);
}

// Lists the graphs of file as runList does; named, when it is one of
// several, by a heading line, or in each JSON object. Returns its status.
int listFile(const Options& options, const char* file, bool named, bool first,
             Console& console) {
  std::optional<TextList> text;
  if (!options.json) text.emplace(console, named ? file : nullptr, first);
  int64_t total = 0;
  int64_t refused = 0;
  const char* noun = "";
  const int status = forEachJudged(
      options, file, true, console, noun,
      [&](const JudgedGraph& d) {
        total = d.number;
        if (d.verdict == GraphClass::kRefused) ++refused;
        const bool shown = (options.select & classBit(d.verdict)) != 0;
        if (text) {
          text->add(d, shown);
        } else if (shown) {
          writeJson(d, named ? file : nullptr, console);
        }
        return true;
      },
      JudgeNeeds{.list = false, .starts = options.json});
  if (status != 0) return status;
  if (text) text->finish(total, noun);
  return refused == 0 ? 0 : 1;
}

}  // namespace

int runList(const Options& options, Console& console) {
  const bool named = options.files.size() > 1 && !options.merge;
  return forEachFile(options, console, [&](const char* file, std::size_t i) {
    // A member of an archive is named as a FILE of several is.
    return listFile(options, file, named || openInput.member, i == 0, console);
  });
}

}  // namespace ugraph
