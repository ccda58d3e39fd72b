#include <array>
#include <charconv>
#include <string_view>

#include "app/catalogue_modes.h"
#include "app/drawing.h"
#include "input/graph6.h"

namespace ugraph {
namespace {

// Gathers a data-input's text, and whether it outgrew a data-input.
class DataInputWriter {
 public:
  void put(std::string_view text) {
    if (length_ + text.size() > kMaxDataInputLength) {
      overflow_ = true;
      return;
    }
    text.copy(text_.data() + length_, text.size());
    length_ += text.size();
  }
  void put(int64_t value) {
    std::array<char, 20> digits{};
    char* const end = std::to_chars(digits.begin(), digits.end(), value).ptr;
    put({digits.data(), static_cast<std::size_t>(end - digits.data())});
  }
  void clear() {
    length_ = 0;
    overflow_ = false;
  }
  bool overflow() const { return overflow_; }
  std::string_view text() const { return {text_.data(), length_}; }

 private:
  DataInputText text_;
  std::size_t length_ = 0;
  bool overflow_ = false;
};

// The one writer: large, so it lives in static storage.
DataInputWriter writer;

// Writes d as one catalogue line: each link under its smaller node, the
// nodes and their neighbours ascending, and a closing group (n) that keeps
// the node count. Returns the refusal when a data-input cannot hold it.
Refusal writeDataInput(const JudgedDataInput& d, Console& console) {
  const Ugraph& g = d.graph;
  const int32_t n = g.linkTo[0];
  if (n == 0) return Refusal::kNoNodeToWrite;
  if (d.analysis.links > kMaxFileLinks) return Refusal::kOverCatalogue;
  DataInputWriter& w = writer;
  w.clear();
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
  if (w.overflow()) return Refusal::kOverCatalogue;
  console.write(w.text());
  console.write("\n");
  return Refusal::kNone;
}

// Writes d in format; returns the refusal when the format cannot hold it.
Refusal write(const JudgedDataInput& d, OutputFormat format, Console& console) {
  switch (format) {
    case OutputFormat::kCatalogue:
      return writeDataInput(d, console);
    case OutputFormat::kDot:
      writeDrawing(d, console);
      return Refusal::kNone;
    case OutputFormat::kGraph6:
    case OutputFormat::kSparse6:
      break;
  }
  GraphLine line;
  const std::string_view text =
      encodeGraphLine(d.graph,
                      format == OutputFormat::kGraph6 ? LineFormat::kGraph6
                                                      : LineFormat::kSparse6,
                      line);
  if (text.empty()) return Refusal::kSelfLinkForGraph6;
  console.write(text);
  return Refusal::kNone;
}

}  // namespace

int runConvert(const Options& options, Console& console) {
  bool refused = false;
  const char* noun = "";
  CheckLineBuffer line;
  const auto refuse = [&](const JudgedDataInput& d, const Status& why) {
    refused = true;
    reportLine(checkLine(options.file, noun, d.number, why, line));
  };
  const int status = forEachJudged(
      options, true, console, noun, [&](const JudgedDataInput& d) {
        if (d.verdict == GraphClass::kRefused) {
          refuse(d, d.status);
        } else if ((options.select & classBit(d.verdict)) != 0) {
          const Refusal cannot = write(d, options.to, console);
          if (cannot != Refusal::kNone) {
            refuse(d, Status::refused(cannot, d.start));
          }
        }
        return true;
      });
  if (status != 0) return status;
  return refused ? 1 : 0;
}

}  // namespace ugraph
