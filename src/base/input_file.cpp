#include "base/input_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace ugraph {
namespace {

FileBlock theBlock;

// True when file and the descriptor output are one regular file, or one
// pipe (as /dev/stdout is when the output goes through one): reading it
// would read the run's own output, or wait on it for ever.
bool isAlsoOutput(std::FILE* file, int output) {
  struct stat in {};
  struct stat out {};
  return fstat(fileno(file), &in) == 0 && fstat(output, &out) == 0 &&
         (S_ISREG(in.st_mode) || S_ISFIFO(in.st_mode)) &&
         in.st_dev == out.st_dev && in.st_ino == out.st_ino;
}

}  // namespace

InputFile::InputFile(const char* name, int output)
    : file_(std::strcmp(name, "-") == 0 ? stdin : std::fopen(name, "r")) {
  if (file_ == nullptr) {
    status_ = Status::of(Status::Kind::kCannotOpen, errno);
  } else if (isAlsoOutput(file_, output)) {
    status_ = Status::of(Status::Kind::kIsOutput);
    if (file_ != stdin) std::fclose(file_);
    file_ = nullptr;
  }
}

InputFile::~InputFile() {
  if (file_ != nullptr && file_ != stdin) std::fclose(file_);
}

FileBlock& InputFile::block() { return theBlock; }

}  // namespace ugraph
