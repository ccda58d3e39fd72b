// Feeds arbitrary bytes as a catalogue to the batch road and checks, for
// each of its first data-inputs, that the batch outcome is what the
// dialogue gives for that choice over the same bytes: the same refusal, or
// the same name, counts, verdict and visit order.
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "base/decompressor.h"
#include "batch/graph_judge.h"
#include "dialogue/classify.h"
#include "dialogue/data_file.h"
#include "formats/catalogue/format.h"
#include "fuzz/record_checks.h"
#include "graph/adjacency.h"
#include "graph/normalize.h"

using namespace ugraph;

namespace {

constexpr int64_t kCompared = 16;  // each comparison lists the whole file

const std::string& catalogue() {
  static const std::string path = [] {
    char dir[] = "/tmp/ugraph-batch-fuzz-XXXXXX";
    fuzz::require(mkdtemp(dir) != nullptr, "no temporary folder");
    return std::string(dir) + "/GraphDataFile2.txt";
  }();
  return path;
}

// What the dialogue does with choice `number`: the reader's outcome, the
// record, and everything printed (the listing, then what followed).
struct Dialogue {
  Status::Kind read = Status::Kind::kNothing;
  Ugraph graph;
  std::string printed;
  GraphClass verdict = GraphClass::kNotConnected;
  std::string walkLines;  // what classifyGraph printed
};

void runDialogue(int64_t number, Dialogue& d) {
  const std::string answer = std::to_string(number) + "\n";
  const int in = memfd_create("stdin", 0);
  fuzz::require(write(in, answer.data(), answer.size()) ==
                    static_cast<ssize_t>(answer.size()),
                "cannot write the answer");
  lseek(in, 0, SEEK_SET);
  char* output = nullptr;
  std::size_t size = 0;
  std::FILE* out = open_memstream(&output, &size);
  std::size_t walkStart = 0;
  {
    Console console(in, out);
    Ugraph& g = d.graph;
    d.read = readGraphFromDataFile(g.linkFrom, g.linkTo, g.name, console,
                                   catalogue().c_str())
                 .kind;
    if (d.read == Status::Kind::kOk) {
      normalizeLinks(g.linkFrom, g.linkTo);
      buildAdjacencyIndex(g.linkFrom, g.linkTo, g.degree, g.firstLink);
      console.flush();
      walkStart = size;
      d.verdict = classifyGraph(g.linkFrom, g.linkTo, g.firstLink, console);
    }
  }
  std::fclose(out);
  d.printed.assign(output, size);
  d.walkLines = d.read == Status::Kind::kOk ? d.printed.substr(walkStart) : "";
  std::free(output);
  close(in);
}

bool endsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() &&
         text.substr(text.size() - end.size()) == end;
}

std::string refusalLine(Refusal refusal) {
  if (refusal == Refusal::kNotMarked) {
    return "Input-array in file not marked 'U' (after '[') for Ugraph\n";
  }
  return "Input-array in file " + std::string(catalogueRefusalPhrase(refusal)) +
         "\n";
}

GraphClass classOf(GraphClass j) {
  if (j == GraphClass::kTree) return GraphClass::kTree;
  if (j == GraphClass::kConnectedNotTree) return GraphClass::kConnectedNotTree;
  return GraphClass::kNotConnected;
}

void compare(const JudgedGraph& batch) {
  static Dialogue d;
  runDialogue(batch.number, d);
  if (batch.verdict == GraphClass::kRefused) {
    fuzz::require(d.read == Status::Kind::kNothing &&
                      endsWith(d.printed, refusalLine(batch.status.refusal)),
                  "the dialogue does not refuse as the batch does");
    return;
  }
  const Ugraph& g = batch.graph;
  fuzz::require(std::string_view(d.graph.name.data()) == g.name.data() &&
                    d.graph.linkTo[0] == g.linkTo[0],
                "the dialogue loads another name or node count");
  // The dialogue refuses a data-input without links, which the batch modes
  // judge as the keyboard road does.
  if (g.linkFrom[0] == 0) {
    fuzz::require(d.read == Status::Kind::kNothing && d.graph.linkFrom[0] == 0,
                  "the dialogue finds links where the batch found none");
    fuzz::require(
        batch.verdict ==
            (g.linkTo[0] == 1 ? GraphClass::kTree : GraphClass::kNotConnected),
        "a graph without links is misjudged");
    return;
  }
  fuzz::require(d.read == Status::Kind::kOk &&
                    d.graph.linkFrom[0] / 2 == g.linkFrom[0] / 2,
                "the dialogue loads another link count");
  fuzz::require(d.verdict == classOf(batch.verdict),
                "the dialogue gives another verdict");
  if (d.verdict == GraphClass::kNotConnected) return;
  std::string order =
      "Path connecting all " + std::to_string(g.linkTo[0]) + " nodes:\n";
  for (int32_t i = 1; i <= batch.analysis.walk.count; ++i) {
    order +=
        std::to_string(batch.analysis.walk.order[static_cast<std::size_t>(i)]);
    order += ' ';
  }
  fuzz::require(d.walkLines == order + "\n",
                "the dialogue prints another visit order");
}

// Keeps the nodes a walk reaches, in the order it reports them.
struct ReachOrder : NoWalkObserver {
  std::vector<int32_t> order;
  template <class AnyWalk>
  void reach(int32_t node, const AnyWalk& /*walk*/) {
    order.push_back(node);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  // Bytes that open with a compression's mark are read by the batch road
  // as what they hold, and by the dialogue as they are: no pair to compare.
  if (compressionOf({reinterpret_cast<const char*>(data), size}) !=
      Compression::kNone) {
    return 0;
  }
  std::FILE* file = std::fopen(catalogue().c_str(), "w");
  fuzz::require(file != nullptr, "cannot write the catalogue");
  std::fwrite(data, 1, size, file);
  std::fclose(file);

  file = std::fopen(catalogue().c_str(), "r");
  fuzz::require(file != nullptr, "cannot read the catalogue");
  // The dialogue reads the catalogue through the same block as the judge,
  // so the judgements are taken first and compared after.
  static std::vector<JudgedGraph> judged;
  judged.clear();
  {
    // The dialogue reads every file as a catalogue, whatever its start.
    GraphJudge judge(file, false, &kCatalogueRow);
    while (judge.next() && judge.current().number <= kCompared) {
      // Analysed as --trace analyses: its reach events are the visit order.
      ReachOrder reached;
      if (judge.current().verdict == GraphClass::kWellFormed) {
        judge.analyseWith(reached);
        const Walk& walk = judge.current().analysis.walk;
        fuzz::require(
            reached.order.size() == static_cast<std::size_t>(walk.count) &&
                std::equal(reached.order.begin(), reached.order.end(),
                           walk.order.begin() + 1),
            "the reach events are not the visit order");
        // A trace walks it again, and must be told the same walk.
        ReachOrder again;
        judge.walkAgain(again);
        fuzz::require(again.order == reached.order,
                      "the walk walked again is another");
      }
      judged.push_back(judge.current());
    }
    fuzz::require(judge.status().ok(), "the catalogue could not be read");
  }
  std::fclose(file);
  for (const JudgedGraph& batch : judged) compare(batch);
  return 0;
}
