// The batch modes: each reads its files of graphs in turn, each once, front
// to back, a catalogue in constant memory and graph lines in memory
// proportional to the largest graph, numbering the graphs of each as the
// dialogue's listing does. Each graph is refused as the dialogue would
// refuse it if it were chosen, or judged by the one analysis: a graph
// without links too, which the dialogue's catalogue road refuses. Output goes
// through console to standard output, complaints to the reporter. Each
// returns the exit status; output that cannot be written is the mode
// table's to report.
#ifndef UGRAPH_BATCH_EACH_GRAPH_H_
#define UGRAPH_BATCH_EACH_GRAPH_H_

#include <unistd.h>

#include <algorithm>
#include <type_traits>

#include "base/console.h"
#include "base/input_file.h"
#include "batch/graph_judge.h"
#include "batch/report.h"
#include "cli/options.h"

namespace ugraph {

// Warns "FILE: no NOUN found" when total is 0, "FILE: every NOUN was
// refused" when all total were; either names --from when the first line
// looks like another format than the one read (looksLike).
void warnIfNothing(const char* file, const char* noun, int64_t total,
                   int64_t refused, const FormatRow* looksLike);

// What every mode that reads a FILE does around its own work: opens file
// ("-": standard input), judges each graph in turn (analysed, or only
// checked) in the format the options give or its start names (what its
// graphs are called goes to noun), and hands it to
// visit(const JudgedGraph&), or to visit(const JudgedGraph&,
// GraphJudge&) when that is how it is called, which returns false to
// stop, while output works. Returns 0 when the file was read to its end or
// visit stopped; 1, having reported it, when it holds a format ugraph does
// not read (see foreignFormatOf); 2, having reported why, when it could not
// be opened or read. A file read to its end that held no graph, or only refused
// ones, is warned of (see warnIfNothing). needs tells what the graphs' records
// hold (see GraphJudge).
template <class Visit>
int forEachJudged(const Options& options, const char* fileName, bool analyse,
                  Console& console, const char*& noun, Visit&& visit,
                  JudgeNeeds needs = {}) {
  const InputFile file(fileName, STDOUT_FILENO);
  if (!file.status().ok()) return reportFileFault(fileName, file.status());
  needs.maxMemory = options.maxMemory;
  GraphJudge judge(file.get(), analyse, options.from, &console, needs,
                   fileName);
  noun = judge.format().noun;
  if (!judge.foreign().empty()) return reportForeign(fileName, judge.foreign());
  int64_t total = 0;
  int64_t refused = 0;
  while (!console.failed() && judge.next()) {
    total = judge.current().number;
    if (judge.current().verdict == GraphClass::kRefused) ++refused;
    bool more = true;
    if constexpr (std::is_invocable_v<Visit, const JudgedGraph&, GraphJudge&>) {
      more = visit(judge.current(), judge);
    } else {
      more = visit(judge.current());
    }
    if (judge.current().warning.refusal != Refusal::kNone) {
      console.flush();  // the warning follows what was written
      reportWarning(fileName, noun, judge.current().number,
                    judge.current().warning);
    }
    if (!more) return 0;
  }
  const Status read = judge.status();
  if (!read.ok()) return reportFileFault(fileName, read);
  if (!console.failed()) {
    console.flush();  // the warning follows what was written
    warnIfNothing(fileName, noun, total, refused, judge.looksLike());
  }
  return 0;
}

// Calls each(file, index) for every FILE operand in turn, while output
// works, and returns the worst exit status it returned: 2 over 1 over 0. A
// file that cannot be read is reported by each and the others are still
// read.
template <class Each>
int forEachFile(const Options& options, Console& console, Each&& each) {
  int worst = 0;
  for (std::size_t i = 0; i < options.files.size() && !console.failed(); ++i) {
    worst = std::max(worst, each(options.files[i], i));
  }
  return worst;
}

// What --dot and --trace do around their own work: find graph N of FILE
// (--dot=N, --trace=N), judged (analysed, or only checked), and hand it to
// show(const JudgedGraph&, GraphJudge&, const char* noun) unless
// it is refused or missing, which is reported; show returns the refusal
// when it cannot show the graph after all (Refusal::kNone when it did).
// Returns 0 when it was shown, 1 when refused or missing, 2 as
// forEachJudged.
template <class Show>
int showGraph(const Options& options, bool analyse, Console& console,
              Show&& show) {
  bool found = false;
  bool refused = false;
  const char* noun = "";
  const char* const file = options.files[0];
  const int status =
      forEachJudged(options, file, analyse, console, noun,
                    [&](const JudgedGraph& d, GraphJudge& judge) {
                      if (d.number < options.dataInput) return true;
                      found = true;
                      refused = d.verdict == GraphClass::kRefused;
                      Status why = d.status;
                      if (!refused) {
                        const Refusal cannot = show(d, judge, noun);
                        refused = cannot != Refusal::kNone;
                        // The judge may have refused it itself, for memory.
                        if (refused && d.verdict != GraphClass::kRefused) {
                          why = Status::refused(cannot, d.start);
                        } else {
                          why = d.status;
                        }
                      }
                      if (refused) {
                        CheckLineBuffer line;
                        reportLine(checkLine(file, noun, d.number, why, line));
                      }
                      return false;
                    });
  if (status != 0) return status;
  if (!found) reportMissing(file, noun, options.dataInput);
  return found && !refused ? 0 : 1;
}

}  // namespace ugraph

#endif  // UGRAPH_BATCH_EACH_GRAPH_H_
