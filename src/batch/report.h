// What the batch modes report of files and their graphs: faults of a
// file, a graph missing, and the check line of a refused graph, with the
// words of its refusal. Written through the one reporter (base/report.h).
#ifndef UGRAPH_BATCH_REPORT_H_
#define UGRAPH_BATCH_REPORT_H_

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string_view>

#include "base/report.h"
#include "base/status.h"

namespace ugraph {

// Writes "ugraph: FILE has no NOUN N", for a graph asked for by number.
void reportMissing(const char* file, const char* noun, int64_t number);

// Writes "ugraph: FILE: <why>" for a catalogue that could not be opened or
// read (the system's reason) or that is also the output. Returns the exit
// status for it, 2.
int reportFileFault(const char* file, const Status& fault);

// Reports that file holds what (see foreignFormatOf), a format ugraph does
// not read, naming the formats it reads and --from. Returns 1: the file
// is refused as a whole.
int reportForeign(const char* file, std::string_view what);

// The words for why a graph is refused: refusalPhrase(refused.refusal),
// with the amounts a refusal for memory names ("needs at least 3 GiB of
// memory, over the ceiling of 2 GiB"). Valid until the next call.
// REQUIRES: refused is kRefused.
std::string_view refusalWords(const Status& refused);

// Writes bytes into out as a size a person reads at once: a whole number
// of GiB, MiB or KiB when it is one, else the largest of them that it
// reaches, with one decimal, rounded up; below 1 KiB in bytes. Returns the
// text.
std::string_view sizeText(uint64_t bytes, std::array<char, 32>& out);

// Writes "FILE:LINE:COLUMN: warning: NOUN N PHRASE" for graph number's
// warning (see JudgedGraph::warning).
void reportWarning(const char* file, const char* noun, int64_t number,
                   const Status& warning);

// Room for one check line: a path, the numbers and the longest phrase.
using CheckLineBuffer = std::array<char, 4400>;

// The check line of refused graph number, written into buffer:
// "FILE:LINE:COLUMN: NOUN N PHRASE" and a line end, the noun "data-input"
// or "graph"; kind, when given, stands before the noun ("warning: ").
// REQUIRES: refused is kRefused.
std::string_view checkLine(const char* file, const char* noun, int64_t number,
                           const Status& refused, CheckLineBuffer& buffer,
                           const char* kind = "");

}  // namespace ugraph

#endif  // UGRAPH_BATCH_REPORT_H_
