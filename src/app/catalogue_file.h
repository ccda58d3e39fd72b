// A catalogue named on the command line, open for one batch mode.
#ifndef UGRAPH_APP_CATALOGUE_FILE_H_
#define UGRAPH_APP_CATALOGUE_FILE_H_

#include <cstdio>

#include "app/catalogue_judge.h"
#include "console/console.h"

namespace ugraph {

class CatalogueFile {
 public:
  // Opens name for reading, unbuffered by stdio; "-" is standard input.
  // A file that is also standard output counts as not opened.
  explicit CatalogueFile(const char* name);
  ~CatalogueFile();
  CatalogueFile(const CatalogueFile&) = delete;
  CatalogueFile& operator=(const CatalogueFile&) = delete;

  // The open file, or nullptr when it could not be opened (complain()).
  std::FILE* get() const { return file_; }

  // Writes "ugraph: NAME: <the system's reason>" on standard error, for
  // the errno of the failed open or, when given, of a failed read (or
  // "input file is output file"); returns the exit status for it, 2.
  int complain(int error = 0) const;

 private:
  const char* name_;
  std::FILE* file_;
  int openError_ = 0;
  bool isOutput_ = false;
};

// Writes "NAME:LINE:COLUMN: data-input N PHRASE" and a line end, for a
// refused data-input: through console, or to standard error without one.
void writeCheckLine(const char* name, const JudgedDataInput& refused,
                    Console* console);

// Writes "1 NOUN" or "N NOUNs" for count.
void writeCount(int64_t count, std::string_view noun, Console& console);

}  // namespace ugraph

#endif  // UGRAPH_APP_CATALOGUE_FILE_H_
