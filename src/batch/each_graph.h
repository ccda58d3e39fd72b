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
#include "base/file_source.h"
#include "base/input_file.h"
#include "batch/graph_judge.h"
#include "batch/merge.h"
#include "batch/report.h"
#include "cli/options.h"
#include "formats/link_file/link_file.h"

namespace ugraph {

// What forEachInput has opened for the name it calls each with.
struct OpenInput {
  const char* name = nullptr;
  ByteSource bytes;
  int fault = 0;
  bool member = false;  // of an archive
  // The format it is read in whatever --from says (parts merged), or null.
  const FormatRow* format = nullptr;
};
inline OpenInput openInput;

// The cores this process may run on.
int64_t usableCores();

// The size of the regular file bytes reads as it is, else 0.
uint64_t plainSize(const ByteSource& bytes);

// Writes the check line of refused graph number to standard error. Its
// buffer lives in this call's own frame, not in the caller's, which a
// drawn trace holds while it walks.
void reportRefused(const char* file, const char* noun, int64_t number,
                   const Status& why);

// "ARCHIVE:MEMBER", in storage that lasts until the next call.
const char* memberName(const char* archive, std::string_view member);

// The status of a member of an archive that holds no graph: the mode
// writes nothing of it (as for any status but 0), and the exit status
// stays as it is (as it is below 0).
inline constexpr int kPassedOver = -1;

// Writes "ugraph: NAME: passed over: WHY" for a member of an archive that
// holds no graph; returns kPassedOver.
int reportPassedOver(const char* name, std::string_view why);

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
// be opened or read; kPassedOver for an archive's member that is no graph. A
// file read to its end that held no graph, or only refused ones, is warned of
// (see warnIfNothing). needs tells what the graphs' records hold (see
// GraphJudge).
//
// REQUIRES: called from forEachInput's each (as forEachFile and showGraph
// call it), for the name each was given: the file is read as opened there.
template <class Visit>
int forEachJudged(const Options& options, const char* fileName, bool analyse,
                  Console& console, const char*& noun, Visit&& visit,
                  JudgeNeeds needs = {}) {
  needs.maxMemory = options.maxMemory;
  needs.jobs = options.jobs != 0 ? options.jobs : usableCores();
  needs.progress = options.progress > 0 ||
                   (options.progress < 0 && isatty(STDERR_FILENO) == 1);
  const OpenInput& input = openInput;
  needs.totalBytes = input.member ? 0 : plainSize(input.bytes);
  GraphJudge judge(input.bytes, input.fault, analyse,
                   input.format != nullptr ? input.format : options.from,
                   &console, needs, fileName, input.member);
  noun = judge.format().noun;
  if (!judge.foreign().empty()) return reportForeign(fileName, judge.foreign());
  if (judge.noFormat())
    return reportPassedOver(fileName, "no format ugraph reads");
  int64_t total = 0;
  int64_t refused = 0;
  while (!console.failed() && judge.next()) {
    const JudgedGraph& d = judge.current();
    // A member of an archive that is no graph is passed over.
    if (input.member && d.verdict == GraphClass::kRefused &&
        namesNoGraph(d.status.refusal)) {
      return reportPassedOver(fileName, refusalWords(d.status));
    }
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

// Opens file, and calls each(name, index) for it, or for each member of
// it when it is an archive, named "FILE:MEMBER", as if that were a FILE
// operand; index counts the calls from first. Returns the worst exit
// status each returned (2 over 1 over 0), or 2 for an archive that could
// not be read to its end.
template <class Each>
int forEachInput(const char* name, std::size_t& index, Each&& each) {
  InputFile file(name, STDOUT_FILENO);
  if (!file.status().ok()) {
    ++index;  // it counts as a file, for what comes after it
    return reportFileFault(name, file.status());
  }
  FileSource source(fileno(file.get()));
  if (!source.isArchive()) {
    openInput = {name, source.fault() == 0 ? source.bytes() : ByteSource{},
                 source.fault(), false};
    const int status = each(name, index++);
    openInput = {};
    return status;
  }
  int worst = 0;
  while (source.nextMember()) {
    const char* const member = memberName(name, source.memberName());
    openInput = {member, source.memberBytes(), 0, true};
    worst = std::max(worst, each(member, index++));
    openInput = {};
  }
  if (source.error() != 0) {
    worst = std::max(worst,
                     reportFileFault(name, Status::of(Status::Kind::kReadFailed,
                                                      source.error())));
  }
  return worst;
}

// Calls each(file, index) for every FILE operand in turn (see
// forEachInput), while output works, and returns the worst exit status it
// returned: 2 over 1 over 0. A file that cannot be read is reported by
// each and the others are still read.
//
// With --merge, the FILEs are one graph's reduced parts, and each is called
// once, for that graph (see mergeParts), named by its file's path.
template <class Each>
int forEachFile(const Options& options, Console& console, Each&& each) {
  if (options.merge) {
    MergedInput merged;
    const int checked =
        mergeParts(options.files, options.mode != Mode::kReduce, merged);
    if (checked != 0) return checked;
    openInput = {merged.name, merged.bytes, 0, false, merged.format};
    const int status = each(merged.name, 0);
    openInput = {};
    return status;
  }
  int worst = 0;
  std::size_t index = 0;
  for (std::size_t i = 0; i < options.files.size() && !console.failed(); ++i) {
    worst = std::max(worst, forEachInput(options.files[i], index, each));
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
//
// The graphs of an archive's members are counted in order, as one file's.
template <class Show>
int showGraph(const Options& options, bool analyse, Console& console,
              Show&& show) {
  bool found = false;
  bool refused = false;
  const char* noun = "";
  int64_t before = 0;  // the graphs of the members before
  std::size_t index = 0;
  const int status =
      forEachInput(options.files[0], index, [&](const char* file, std::size_t) {
        if (found) return 0;
        int64_t last = 0;
        const int read = forEachJudged(
            options, file, analyse, console, noun,
            [&](const JudgedGraph& d, GraphJudge& judge) {
              last = d.number;
              if (before + d.number < options.dataInput) return true;
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
              if (refused) reportRefused(file, noun, d.number, why);
              return false;
            });
        before += last;
        return read;
      });
  if (status != 0 && !found) return status;
  if (!found) reportMissing(options.files[0], noun, options.dataInput);
  return found && !refused ? 0 : 1;
}

}  // namespace ugraph

#endif  // UGRAPH_BATCH_EACH_GRAPH_H_
