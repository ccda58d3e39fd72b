#include "modes/modes.h"

#include <fcntl.h>

#include <cerrno>
#include <cstring>

#include "batch/report.h"
#include "dialogue/data_file.h"
#include "dialogue/driver.h"

namespace ugraph {

int runDialogue(const Options& /*options*/, Console& console) {
  return runUgraph(console, kDataFileName);
}

int runHelp(const Options& /*options*/, Console& console) {
  writeUsage(console);
  return 0;
}

int runVersion(const Options& /*options*/, Console& console) {
  console.write(
      "ugraph " UGRAPH_VERSION
      "\n"
      "Copyright (C) 2026 The ugraph developers.\n"
      "License MIT: <https://opensource.org/licenses/MIT>.\n"
      "This is free software: you are free to change and redistribute it.\n"
      "There is NO WARRANTY, to the extent permitted by law.\n");
  return 0;
}

int runUsageError(const Options& options, Console& /*console*/) {
  return reportUsage(options.error.data());
}

int runMode(const Options& options, Console& console) {
  const ModeEntry& entry = kModes[static_cast<std::size_t>(options.mode)];
  // A FILE opened while standard output is closed would take its
  // descriptor, and pass for the output itself.
  const int output = console.outputDescriptor();
  if ((modeBit(options.mode) & kReadingModes) != 0 && output >= 0 &&
      fcntl(output, F_GETFD) < 0 && errno == EBADF) {
    report({"cannot write standard output: ", std::strerror(errno)});
    return entry.failedStatus;
  }
  const int status = entry.run(options, console);
  // The console flushes the stream itself and records any failure.
  console.flush();
  const ConsoleFailure failure = console.failure();
  if (failure.kind != ConsoleFailure::Kind::kWrite) return status;
  report({"cannot write standard output: ", std::strerror(failure.error)});
  return entry.failedStatus;
}

}  // namespace ugraph
