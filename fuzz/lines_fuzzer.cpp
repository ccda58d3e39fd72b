// Feeds arbitrary bytes as a graph6 or sparse6 file (the first byte picks
// which) and checks that every graph of it is judged as its catalogue form
// is: --convert --to=catalogue writes the graphs that a data-input can
// hold, the catalogue road judges what it wrote, and name gN, node and
// link counts, verdict and visit order must match graph N's. Each graph
// must also come back unchanged from its own format's encoder, and the
// first graph that can be drawn is traced in every form of the trace.
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "batch/each_graph.h"
#include "formats/catalogue/format.h"
#include "formats/graph6/format.h"
#include "formats/graph6/graph6.h"
#include "fuzz/record_checks.h"
#include "graph/row_parts.h"
#include "modes/modes.h"
#include "render/trace/steps.h"

using namespace ugraph;

namespace {

constexpr int64_t kCompared = 64;

std::string temporary(const char* name) {
  static const std::string dir = [] {
    char path[] = "/tmp/ugraph-lines-fuzz-XXXXXX";
    fuzz::require(mkdtemp(path) != nullptr, "no temporary folder");
    return std::string(path);
  }();
  return dir + "/" + name;
}

struct Seen {
  int64_t number;
  GraphClass verdict;
  int32_t nodes;
  int64_t links;
  std::vector<int32_t> order;
};

// What a judged graph of either size is seen as.
Seen seen(const JudgedGraph& d) {
  Seen s{d.number, d.verdict, d.nodes, d.links, {}};
  withGraph(d, [&](const auto& /*graph*/, const auto& walk) {
    const WalkView view = WalkView::of(walk);
    s.order.assign(view.order + 1, view.order + 1 + view.count);
  });
  return s;
}

// Judges file in format, keeping the first graphs that are not refused.
std::vector<Seen> judgeLines(const std::string& file, const FormatRow* format,
                             LineFormat lines) {
  std::FILE* in = std::fopen(file.c_str(), "r");
  fuzz::require(in != nullptr, "cannot read a file just written");
  std::vector<Seen> all;
  {
    GraphJudge judge(in, true, format);
    while (judge.next() && judge.current().number <= kCompared) {
      const JudgedGraph& d = judge.current();
      if (d.verdict == GraphClass::kRefused) continue;
      all.push_back(seen(d));
      // A graph of lists comes back from its line in the lists target.
      if (d.lists != nullptr) continue;
      GraphLine out;
      std::string_view line = encodeGraphLine(d.graph, lines, out);
      if (line.empty()) continue;  // graph6 holds no self-link
      line.remove_suffix(1);
      int32_t n = 0;
      LinkRows rows;
      fuzz::require(decodeGraphLine(line, n, rows).refusal == Refusal::kNone &&
                        n == d.graph.linkTo[0] &&
                        entriesIn(rows) == d.graph.linkFrom[0],
                    "a graph does not come back from its own format");
      // The count road: lower rows straight from the line, and the parts
      // grown over them, agree with the rows and the walk.
      LinkRows lower;
      LineHead head;
      fuzz::require(readLineHead(line, head).refusal == Refusal::kNone,
                    "a line written cannot be read");
      const int32_t links = decodeLowerRows(line, head, lower);
      LinkRows kept = d.analysis.rows;
      fuzz::require(
          keepLowerRows(kept, n) == links && links == d.links &&
              std::equal(kept.begin(), kept.begin() + n + 1, lower.begin()),
          "the lower rows differ from the rows");
      const RowCounts counts = countLowerParts(lower, n);
      fuzz::require(classifyRowCounts(counts, n, links) == d.verdict &&
                        counts.parts == d.parts &&
                        (n == 0 || counts.reached == d.analysis.walk.count),
                    "the count road differs from the walk");
    }
  }
  std::fclose(in);
  return all;
}

// Traces graph g of file in every form, into nothing: each must show it.
void traceInEveryForm(const std::string& file, const Seen& g) {
  std::FILE* nowhere = std::fopen("/dev/null", "w");
  fuzz::require(nowhere != nullptr, "cannot open /dev/null");
  const std::array<const char*, 1> files = {file.c_str()};
  for (const OutputFormat to :
       {OutputFormat::kCatalogue, OutputFormat::kDot, OutputFormat::kHtml}) {
    for (const bool json : {false, true}) {
      if (json && to != OutputFormat::kCatalogue) continue;
      Console console(STDIN_FILENO, nowhere);
      Options o;
      o.mode = Mode::kTrace;
      o.dataInput = g.number;
      o.files = files;
      o.from = &kGraph6Row;
      o.to = to;
      o.json = json;
      fuzz::require(runTrace(o, console) == 0, "a graph judged is not traced");
    }
  }
  std::fclose(nowhere);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const bool sparse6 = (data[0] & 1) != 0;
  const std::string lines = temporary("lines");
  std::FILE* file = std::fopen(lines.c_str(), "w");
  fuzz::require(file != nullptr, "cannot write the input");
  std::fwrite(data + 1, 1, size - 1, file);
  std::fclose(file);

  const FormatRow* const format = &kGraph6Row;
  const std::vector<Seen> graphs = judgeLines(
      lines, format, sparse6 ? LineFormat::kSparse6 : LineFormat::kGraph6);

  // The walk of a graph that can be drawn, in every form of the trace.
  if (!graphs.empty() && graphs[0].nodes <= kMaxDrawnNodes) {
    traceInEveryForm(lines, graphs[0]);
  }

  const std::string catalogue = temporary("catalogue");
  std::FILE* out = std::fopen(catalogue.c_str(), "w");
  fuzz::require(out != nullptr, "cannot write the catalogue");
  {
    Console console(STDIN_FILENO, out);
    Options o;
    o.mode = Mode::kConvert;
    const std::array<const char*, 1> files = {lines.c_str()};
    o.files = files;
    o.from = format;
    o.to = OutputFormat::kCatalogue;
    // The refusals it reports are not what is checked here.
    const int saved = dup(STDERR_FILENO);
    std::FILE* quiet = std::fopen("/dev/null", "w");
    fuzz::require(saved >= 0 && quiet != nullptr, "cannot quiet stderr");
    dup2(fileno(quiet), STDERR_FILENO);
    runConvert(o, console);
    dup2(saved, STDERR_FILENO);
    close(saved);
    std::fclose(quiet);
  }
  std::fclose(out);

  // Data-input gN of the catalogue is graph N of the lines.
  std::size_t next = 0;
  std::FILE* in = std::fopen(catalogue.c_str(), "r");
  fuzz::require(in != nullptr, "cannot read the catalogue");
  {
    GraphJudge judge(in, true, &kCatalogueRow);
    while (judge.next()) {
      const JudgedGraph& d = judge.current();
      fuzz::require(d.verdict != GraphClass::kRefused,
                    "a written data-input is refused");
      const int64_t number = std::atoll(d.graph.name.data() + 1);
      while (next < graphs.size() && graphs[next].number < number) ++next;
      if (next == graphs.size()) break;  // past the graphs compared
      const Seen& g = graphs[next];
      const Seen c = seen(d);
      fuzz::require(g.number == number && g.verdict == c.verdict &&
                        g.nodes == c.nodes && g.links == c.links &&
                        g.order == c.order,
                    "a graph and its catalogue form are judged apart");
    }
  }
  std::fclose(in);
  return 0;
}
