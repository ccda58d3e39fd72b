#include "batch/merge.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/file_part.h"
#include "base/report.h"
#include "batch/report.h"
#include "formats/reduced/format.h"

namespace ugraph {
namespace {

// The headers of the parts, read before the parts are; the path the
// merged graph is named by outlives them.
ReducedHeader headers;
char mergedName[4096];

// "K/N", or "K/N to L/N", as --part names parts.
std::string_view partsText(const PartSpan& span) {
  static char text[96];
  const auto first = static_cast<long long>(span.first);
  const auto last = static_cast<long long>(span.last);
  const auto count = static_cast<long long>(span.count);
  const int length =
      span.last == span.first
          ? std::snprintf(text, sizeof(text), "part %lld/%lld is", first, count)
          : std::snprintf(text, sizeof(text),
                          "parts %lld/%lld to %lld/%lld are", first, count,
                          last, count);
  return {text, static_cast<std::size_t>(std::max(length, 0))};
}

// Reads the header lines of file number source: false, reported, when it
// cannot be read or is no reduced graph of the first's file.
bool readHeader(const char* file, std::size_t source) {
  std::FILE* const in = std::fopen(file, "re");
  if (in == nullptr) {
    reportFileFault(file, Status::of(Status::Kind::kCannotOpen, errno));
    return false;
  }
  char* line = nullptr;
  std::size_t room = 0;
  bool marked = false;
  bool read = true;
  for (ssize_t length; (length = getline(&line, &room, in)) > 0;) {
    std::string_view text(line, static_cast<std::size_t>(length));
    if (text.back() == '\n') text.remove_suffix(1);
    if (!marked) {
      marked = text == kReducedMark;
      if (!marked) break;
      continue;
    }
    if (text.empty() || text[0] != '#') break;
    const LineFault fault = headers.readLine(text, source);
    if (fault.refusal == kForeignPart) {
      report({file, ": is a part of another file than ", mergedName,
              " (its size, digest or format differ)"});
      read = false;
      break;
    }
    if (!fault.ok()) {
      report({file, ": has a header line that cannot be read: ", text});
      read = false;
      break;
    }
  }
  if (!marked && read) {
    report({file, ": is no reduced graph; --reduce writes them"});
    read = false;
  }
  std::free(line);
  std::fclose(in);
  return read;
}

// Reports the parts missing between the spans, settled: the first ten gaps
// and how many more.
void reportMissing() {
  int64_t told = 0;
  int64_t more = 0;
  headers.forEachGap([&](const PartSpan& gap) {
    if (told++ < 10) {
      report({partsText(gap), " missing"});
    } else {
      more += gap.last - gap.first + 1;
    }
    return true;
  });
  if (more > 0) {
    char text[32];
    const int length =
        std::snprintf(text, sizeof(text), "%lld", static_cast<long long>(more));
    report({"and ", std::string_view(text, static_cast<std::size_t>(length)),
            " parts more are missing"});
  }
}

}  // namespace

int mergeParts(std::span<const char* const> files, bool whole,
               MergedInput& merged) {
  headers.clear();
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (std::strcmp(files[i], "-") == 0) {
      report({"-: --merge reads parts from files, not standard input"});
      return 2;
    }
    if (!readHeader(files[i], i)) return 2;
    if (i == 0) {
      const std::string_view path = headers.path();
      const std::size_t length = std::min(path.size(), sizeof(mergedName) - 1);
      std::memcpy(mergedName, path.data(), length);
      mergedName[length] = '\0';
    }
  }
  const SpanProblem problem = headers.settle(whole);
  if (problem.refusal == kMixedSplit) {
    report({files[problem.span.source],
            ": is a part of a split in another number of parts than ",
            files[problem.other.source], "'s; merge the parts of one split"});
    return 2;
  }
  if (problem.refusal == kPartTwice) {
    report({partsText(problem.span), " given twice: by ",
            files[problem.other.source], " and by ",
            files[problem.span.source]});
    return 2;
  }
  if (headers.spanCount() == 0) {
    report({files[0], ": names no part"});
    return 2;
  }
  if (problem.refusal == kPartMissing) {
    reportMissing();
    return 2;
  }
  merged = {mergedName, concatenated(files.data(), files.size()), &kReducedRow};
  return 0;
}

}  // namespace ugraph
