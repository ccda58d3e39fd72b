#include "app/output.h"

#include <cstdio>
#include <cstring>

namespace ugraph {

int finishOutput(Console& console, int status, int failedStatus) {
  // The console flushes the stream itself and records any failure.
  console.flush();
  const ConsoleFailure failure = console.failure();
  if (failure.kind != ConsoleFailure::Kind::kWrite) return status;
  std::fprintf(stderr, "ugraph: cannot write standard output: %s\n",
               std::strerror(failure.error));
  return failedStatus;
}

}  // namespace ugraph
