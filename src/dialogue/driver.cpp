#include "dialogue/driver.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>

#include "base/report.h"
#include "dialogue/classify.h"
#include "dialogue/data_file.h"
#include "dialogue/keyboard.h"
#include "graph/adjacency.h"
#include "graph/normalize.h"
#include "graph/ugraph.h"
#include "render/verdict.h"

namespace ugraph {
namespace {

enum class Source { kKeyboard, kDataFile };

// Each attempt takes two characters: the choice and one more, dropped.
// Returns kOk with the source, or kEnded.
Status askSource(Console& console, Source& source) {
  console.writeLine("Where is the data for the Ugraph?");
  console.writeLine("If it will be typed in on the (K)eyboard, type K");
  console.writeLine("If it is already in the GraphData (F)ile, type F");
  for (;;) {
    const int choice = console.readChar();
    if (choice == Console::kEnd) return Status::of(Status::Kind::kEnded);
    console.readChar();
    if (choice == 'K' || choice == 'k') {
      source = Source::kKeyboard;
      return {};
    }
    if (choice == 'F' || choice == 'f') {
      source = Source::kDataFile;
      return {};
    }
    console.writeLine("Error: enter either K or F");
  }
}

void analyse(Ugraph& graph, Console& console) {
  normalizeLinks(graph.linkFrom, graph.linkTo);
  console.write("Ufile ");
  console.write(std::string_view(graph.name.data()));
  console.write("     ");
  console.write(int64_t{graph.linkTo[0]});
  console.write(" Nodes   ");
  console.write(int64_t{graph.linkFrom[0] / 2});
  console.write(" Links\n");
  buildAdjacencyIndex(graph.linkFrom, graph.linkTo, graph.degree,
                      graph.firstLink);
  const GraphClass verdict =
      classifyGraph(graph.linkFrom, graph.linkTo, graph.firstLink, console);
  console.write("Graph is ");
  console.writeLine(classWords(verdict));
}

Status readGraph(Ugraph& graph, Console& console, const char* dataFileName) {
  Source source = Source::kKeyboard;
  const Status asked = askSource(console, source);
  if (!asked.ok()) return asked;
  if (source == Source::kKeyboard) {
    return readGraphFromKeyboard(graph.linkFrom, graph.linkTo, graph.name,
                                 console);
  }
  return readGraphFromDataFile(graph.linkFrom, graph.linkTo, graph.name,
                               console, dataFileName);
}

// Ends a run whose console input ended or failed: says so where output
// still works, and gives the exit status.
int endEarly(Console& console) {
  const ConsoleFailure failure = console.failure();
  if (failure.kind == ConsoleFailure::Kind::kRead) {
    console.write("Error: cannot read standard input: ");
    console.writeLine(std::strerror(failure.error));
  } else if (failure.kind == ConsoleFailure::Kind::kNone) {
    console.writeLine("Error: input ended before the graph was read");
  }
  return 1;
}

}  // namespace

int runUgraph(Console& console, const char* dataFileName) {
  // The record is large, so it lives on the heap and the program runs on a
  // small stack, beside a large environment. It is left uninitialised on
  // purpose: each field is written by one step before a later step reads
  // it, and a checker of uninitialised reads sees any step that does not.
  const std::unique_ptr<Ugraph, decltype(&std::free)> record(
      static_cast<Ugraph*>(std::malloc(sizeof(Ugraph))), &std::free);
  if (!record) {
    report({"cannot allocate the graph record"});
    return 1;
  }
  Ugraph& graph = *record;
  const Status read = readGraph(graph, console, dataFileName);
  if (read.is(Status::Kind::kEnded) || console.failed()) {
    return endEarly(console);
  }
  if (read.ok()) analyse(graph, console);
  console.readChar();  // the final key wait
  return console.failed() ? endEarly(console) : 0;
}

}  // namespace ugraph
