#include "app/output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace ugraph {

int finishOutput(Console& console, int status, int failedStatus) {
  console.flush();
  ConsoleFailure failure = console.failure();
  if (failure.kind != ConsoleFailure::Kind::kWrite) {
    errno = 0;
    if (std::fflush(stdout) == 0 && std::ferror(stdout) == 0) return status;
    failure.error = errno != 0 ? errno : EIO;
  }
  std::fprintf(stderr, "ugraph: cannot write standard output: %s\n",
               std::strerror(failure.error));
  return failedStatus;
}

}  // namespace ugraph
