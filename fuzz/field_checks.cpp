#include "fuzz/field_checks.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>

#include "batch/graph_judge.h"
#include "fuzz/record_checks.h"

namespace ugraph::fuzz {
namespace {

struct Outcome {
  bool any = false;
  GraphClass verdict = GraphClass::kRefused;
  Status status;
  int64_t nodes = 0;
  int64_t parts = 0;
};

Outcome judge(int fd, const char* format, bool analyse, JudgeNeeds needs) {
  lseek(fd, 0, SEEK_SET);
  std::FILE* file = fdopen(dup(fd), "r");
  require(file != nullptr, "cannot open the input");
  Outcome out;
  {
    GraphJudge judge(file, analyse, findFormat(format), nullptr, needs, format);
    if (judge.next()) {
      const JudgedGraph& d = judge.current();
      out = {true, d.verdict, d.status, d.nodes, d.parts};
      require(!judge.next(), "a file of one graph gave two");
    }
  }
  std::fclose(file);
  return out;
}

}  // namespace

void checkFieldFile(const uint8_t* data, std::size_t size, const char* format) {
  const int fd = memfd_create("field", 0);
  require(fd >= 0, "no memory file");
  require(write(fd, data, size) == static_cast<ssize_t>(size), "short write");
  JudgeNeeds needs;
  needs.maxMemory = uint64_t{8} << 20;
  needs.list = false;
  const Outcome walk = judge(fd, format, true, needs);
  needs.walk = false;
  const Outcome stream = judge(fd, format, true, needs);
  needs.load = false;
  const Outcome checked = judge(fd, format, false, needs);
  close(fd);
  require(walk.any == stream.any && walk.any == checked.any,
          "the roads disagree on whether the file holds a graph");
  if (!walk.any) return;
  const bool memory = walk.status.refusal == Refusal::kOverMemory ||
                      stream.status.refusal == Refusal::kOverMemory;
  if (memory) return;  // the roads need different amounts
  require(walk.status.refusal == checked.status.refusal &&
              walk.status.at.line == checked.status.at.line &&
              walk.status.at.column == checked.status.at.column,
          "checking refuses other than the walk");
  require(walk.status.refusal == stream.status.refusal,
          "the one pass refuses other than the walk");
  if (walk.verdict == GraphClass::kRefused) return;
  require(walk.verdict == stream.verdict, "the roads' verdicts differ");
  require(walk.nodes == stream.nodes, "the roads' node counts differ");
  require(walk.parts == stream.parts, "the roads' parts differ");
}

}  // namespace ugraph::fuzz
