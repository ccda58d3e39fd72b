#include "app/driver.h"

#include <cstdint>
#include <string_view>

#include "graph/adjacency.h"
#include "graph/classify.h"
#include "graph/normalize.h"
#include "graph/ugraph.h"
#include "input/data_file.h"
#include "input/keyboard.h"

namespace ugraph {
namespace {

enum class Source { kKeyboard, kDataFile, kInputEnded };

// Each attempt takes two characters: the choice and one more, dropped.
Source askSource(Console& console) {
  console.writeLine("Where is the data for the Ugraph?");
  console.writeLine("If it will be typed in on the (K)eyboard, type K");
  console.writeLine("If it is already in the GraphData (F)ile, type F");
  for (;;) {
    const int choice = console.readChar();
    if (choice == Console::kEnd) return Source::kInputEnded;
    console.readChar();
    if (choice == 'K' || choice == 'k') return Source::kKeyboard;
    if (choice == 'F' || choice == 'f') return Source::kDataFile;
    console.writeLine("Error: enter either K or F");
  }
}

std::string_view verdictLine(GraphClass verdict) {
  switch (verdict) {
    case GraphClass::kTree:
      return "Graph is connected and is a tree";
    case GraphClass::kConnectedNotTree:
      return "Graph is connected but not a tree";
    case GraphClass::kNotConnected:
      break;
  }
  return "Graph is not connected";
}

// Tells the observer, if there is one, what a step left.
void report(StepObserver* observer, Step step, const Ugraph& graph,
            GraphClass verdict = GraphClass::kNotConnected) {
  if (observer != nullptr) observer->after(step, graph, verdict);
}

void analyse(Ugraph& graph, Console& console, StepObserver* observer) {
  report(observer, Step::kRead, graph);
  normalizeLinks(graph.linkFrom, graph.linkTo);
  report(observer, Step::kNormalized, graph);
  console.write("Ufile ");
  console.write(std::string_view(graph.name.data()));
  console.write("     ");
  console.write(int64_t{graph.linkTo[0]});
  console.write(" Nodes   ");
  console.write(int64_t{graph.linkFrom[0] / 2});
  console.write(" Links\n");
  buildAdjacencyIndex(graph.linkFrom, graph.linkTo, graph.degree,
                      graph.firstLink);
  report(observer, Step::kIndexed, graph);
  const GraphClass verdict =
      classifyGraph(graph.linkFrom, graph.linkTo, graph.firstLink, console);
  report(observer, Step::kClassified, graph, verdict);
  console.writeLine(verdictLine(verdict));
}

}  // namespace

int runUgraph(Console& console, const char* dataFileName,
              StepObserver* observer) {
  // Needs no initial contents: each field is written by one step before a
  // later step reads it.
  Ugraph graph;
  bool haveGraph = false;
  bool inputEnded = false;
  switch (askSource(console)) {
    case Source::kKeyboard:
      haveGraph = readGraphFromKeyboard(graph.linkFrom, graph.linkTo,
                                        graph.name, console);
      inputEnded = !haveGraph;
      break;
    case Source::kDataFile: {
      const int32_t entries = readGraphFromDataFile(
          graph.linkFrom, graph.linkTo, graph.name, console, dataFileName);
      haveGraph = entries > 0;
      inputEnded = entries == kInputEnded;
      break;
    }
    case Source::kInputEnded:
      inputEnded = true;
      break;
  }
  if (inputEnded) {
    console.writeLine("Error: input ended before the graph was read");
    return 1;
  }
  if (haveGraph) analyse(graph, console, observer);
  console.readChar();  // the final key wait
  return 0;
}

}  // namespace ugraph
