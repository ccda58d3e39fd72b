#include "modes/modes.h"

#include <fcntl.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "base/kernels.h"
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
  // The kernels this processor runs, fastest first: the first is used
  // unless UGRAPH_KERNEL names another.
  console.write("Kernels on this processor:");
  const char* separator = " ";
  for (std::size_t i = kKernelNames.size(); i-- > 0;) {
    if (!kernelRuns(static_cast<Kernel>(i))) continue;
    console.write(separator);
    console.write(kKernelNames[i]);
    separator = ", ";
  }
  console.write(" (UGRAPH_KERNEL picks one)\n");
  return 0;
}

namespace {

// Forces the kernel UGRAPH_KERNEL names, if it names one; false, having
// said why, when it names none this processor runs.
bool takeKernel() {
  const char* const name = std::getenv("UGRAPH_KERNEL");
  if (name == nullptr || *name == '\0') return true;
  switch (forceKernelNamed(name)) {
    case KernelNamed::kTaken:
      return true;
    case KernelNamed::kUnknown:
      report({"UGRAPH_KERNEL: unknown kernel '", name, "'; valid: ",
              kKernelNames[0], ", ", kKernelNames[1], ", ", kKernelNames[2]});
      return false;
    case KernelNamed::kNotRun:
      report({"UGRAPH_KERNEL: this processor cannot run ", name});
      return false;
  }
  return false;
}

}  // namespace

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
  // Only the modes that read FILEs run a kernel; the dialogue reads no
  // environment.
  if (entry.readsFiles && !takeKernel()) return 2;
  const int status = entry.run(options, console);
  // The console flushes the stream itself and records any failure.
  console.flush();
  const ConsoleFailure failure = console.failure();
  if (failure.kind != ConsoleFailure::Kind::kWrite) return status;
  report({"cannot write standard output: ", std::strerror(failure.error)});
  return entry.failedStatus;
}

}  // namespace ugraph
