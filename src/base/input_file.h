// A catalogue file open for reading: the one place the program opens a
// catalogue, and the one block that every read of it works in.
#ifndef UGRAPH_BASE_INPUT_FILE_H_
#define UGRAPH_BASE_INPUT_FILE_H_

#include <cstdio>

#include "base/block_reader.h"
#include "base/status.h"

namespace ugraph {

class InputFile {
 public:
  // Opens name for reading; "-" is standard input. A file that is also the
  // open descriptor `output` is not read: reading it would read back what
  // was written to it, without end.
  InputFile(const char* name, int output);
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  // kOk when open; else kCannotOpen (with errno) or kIsOutput.
  const Status& status() const { return status_; }
  // The open file, or nullptr unless status() is kOk.
  std::FILE* get() const { return file_; }

  // The block a reader of the catalogue works in. It is large, so it lives
  // in static storage; one catalogue is read at a time.
  static FileBlock& block();

 private:
  std::FILE* file_;
  Status status_;
};

}  // namespace ugraph

#endif  // UGRAPH_BASE_INPUT_FILE_H_
