#include <sys/stat.h>

#include <cerrno>

#include "base/file_part.h"
#include "base/report.h"
#include "batch/each_graph.h"
#include "formats/reduced/format.h"
#include "modes/modes.h"

namespace ugraph {
namespace {

// The header of the reduced graph written; in static storage, as it holds
// a path.
ReducedHeader written;

// Whether input is a regular file read as it is, which can be cut.
bool cuttable(const OpenInput& input) {
  struct stat s {};
  return input.bytes.state == nullptr && input.bytes.descriptor >= 0 &&
         fstat(input.bytes.descriptor, &s) == 0 && S_ISREG(s.st_mode);
}

// The span of the part read, with the refusal its lines met.
PartSpan spanOf(const Options& options, const JudgedGraph& d) {
  PartSpan span;
  span.first = span.last = options.part.index;
  span.count = options.part.count == 0 ? 1 : options.part.count;
  span.lines = d.reduced->lines;
  span.links = d.reduced->links;
  if (d.verdict == GraphClass::kRefused) {
    span.refusal = d.status.refusal;
    span.line = d.status.at.line;
    span.column = d.status.at.column;
    span.found = d.status.need;
    span.declared = d.status.ceiling;
  }
  return span;
}

// Writes d reduced, after the header its parts' lines make.
void writeReduced(const ReducedHeader& header, const JudgedGraph& d,
                  Console& console) {
  header.write(console);
  if (d.verdict == GraphClass::kRefused || d.reduced->forEach == nullptr) {
    return;
  }
  d.reduced->forEachLink(
      [&](uint64_t a, uint64_t b) { writeReducedLink(a, b, console); });
}

// Tells that a part's lines break a rule, which the merge will place in
// the whole file.
void warnPart(const char* file, const Options& options, const Status& why) {
  char place[96];
  const int length = std::snprintf(
      place, sizeof(place), ": part %lld/%lld, its line %lld, column %lld: ",
      static_cast<long long>(options.part.index),
      static_cast<long long>(options.part.count),
      static_cast<long long>(why.at.line),
      static_cast<long long>(why.at.column));
  report(
      {file,
       std::string_view(place, static_cast<std::size_t>(std::max(length, 0))),
       "graph 1 ", refusalWords(why),
       "; kept in the part, --merge tells its line in the file"});
}

// identity: the file's, when it is a regular file read as it is.
int reduceJudged(const Options& options, const char* file, const JudgedGraph& d,
                 GraphJudge& judge, const FileIdentity& identity,
                 Console& console) {
  const bool merged = &judge.format() == &kReducedRow;
  if (d.reduced == nullptr || (merged && d.verdict == GraphClass::kRefused)) {
    if (d.verdict == GraphClass::kRefused) {
      reportRefused(file, judge.format().noun, d.number, d.status);
      return 1;
    }
    report({file, ": holds graphs of ", judge.format().looksLike,
            "; --reduce reads a file of one graph"});
    return 2;
  }
  const ReducedLinks& r = *d.reduced;
  if (!merged && options.part.count > 1 && judge.format().name == "metis") {
    report({file,
            ": is METIS, whose nodes are numbered by their lines, which a "
            "part cannot tell; --convert --to=edges it first"});
    return 2;
  }
  if (merged) {
    writeReduced(reduced_format::lastHeader(), d, console);
    return 0;
  }
  written.setFile(identity, file, judge.format().name, r.nodes, r.entries);
  if (!written.add(spanOf(options, d))) {
    report({"cannot allocate memory for the reduced graph"});
    return 2;
  }
  writeReduced(written, d, console);
  if (d.verdict != GraphClass::kRefused) return 0;
  if (options.part.count > 1) {
    warnPart(file, options, d.status);
    return 0;
  }
  reportRefused(file, judge.format().noun, d.number, d.status);
  return 1;
}

int reduceFile(const Options& options, const char* file, Console& console) {
  const OpenInput& input = openInput;
  JudgeNeeds needs{.list = false, .starts = false, .walk = false};
  needs.reduce = true;
  // A regular file read as it is has an identity, and may be cut.
  const bool regular = !input.member && cuttable(input);
  FileIdentity identity;
  if (regular && !identify(input.bytes.descriptor, identity)) {
    return reportFileFault(file, Status::of(Status::Kind::kReadFailed, errno));
  }
  if (options.part.count != 0) {
    if (!regular) {
      report({file,
              ": cannot be cut into parts: it is compressed, in an archive "
              "or no regular file; decompress it, or save it, to a file and "
              "cut that (pieces that 'split' wrote are files of their own, "
              "whose parts do not merge)"});
      return 2;
    }
    needs.part = {options.part.index, options.part.count, 0, 0};
    if (!lineRangeOf(input.bytes.descriptor, identity.size, options.part.index,
                     options.part.count, needs.part.start, needs.part.end)) {
      return reportFileFault(file,
                             Status::of(Status::Kind::kReadFailed, errno));
    }
  }
  const char* noun = "";
  int status = 1;  // until a graph is written
  const int read = forEachJudged(
      options, file, true, console, noun,
      [&](const JudgedGraph& d, GraphJudge& judge) {
        status = reduceJudged(options, file, d, judge, identity, console);
        return false;
      },
      needs);
  return read != 0 ? read : status;
}

}  // namespace

const char* reduceRules(const Options& options, KeySet given) {
  if (options.merge && (given & keyBit(OptionKey::kPart)) != 0) {
    return "--part and --merge exclude each other";
  }
  if (!options.merge && options.files.size() > 1) {
    return "--reduce reads one FILE; with --merge, the reduced parts of one "
           "graph";
  }
  return nullptr;
}

int runReduce(const Options& options, Console& console) {
  return forEachFile(options, console, [&](const char* file, std::size_t) {
    if (openInput.member && options.part.count == 0) {
      report({file, ": is a member of an archive; extract it to reduce it"});
      return 2;
    }
    return reduceFile(options, file, console);
  });
}

}  // namespace ugraph
