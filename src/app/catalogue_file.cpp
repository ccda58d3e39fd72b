#include "app/catalogue_file.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "input/block_reader.h"

namespace ugraph {

CatalogueFile::CatalogueFile(const char* name)
    : name_(name),
      file_(std::strcmp(name, "-") == 0 ? stdin : std::fopen(name, "r")) {
  if (file_ == nullptr) {
    openError_ = errno;
    return;
  }
  if (isAlsoOutput(file_, STDOUT_FILENO)) {
    isOutput_ = true;
    if (file_ != stdin) std::fclose(file_);
    file_ = nullptr;
    return;
  }
  // The scanner does its own buffering in large blocks.
  std::setvbuf(file_, nullptr, _IONBF, 0);
}

CatalogueFile::~CatalogueFile() {
  if (file_ != nullptr && file_ != stdin) std::fclose(file_);
}

int CatalogueFile::complain(int error) const {
  std::fprintf(stderr, "ugraph: %s: %s\n", name_,
               isOutput_ ? "input file is output file"
                         : std::strerror(error != 0 ? error : openError_));
  return 2;
}

void writeCheckLine(const char* name, const JudgedDataInput& refused,
                    Console* console) {
  const std::string_view phrase = refusalPhrase(refused.refusal);
  if (console == nullptr) {
    std::fprintf(stderr, "%s:%lld:%lld: data-input %lld %.*s\n", name,
                 static_cast<long long>(refused.refusedAt.line),
                 static_cast<long long>(refused.refusedAt.column),
                 static_cast<long long>(refused.number),
                 static_cast<int>(phrase.size()), phrase.data());
    return;
  }
  console->write(name);
  console->write(":");
  console->write(refused.refusedAt.line);
  console->write(":");
  console->write(refused.refusedAt.column);
  console->write(": data-input ");
  console->write(refused.number);
  console->write(" ");
  console->write(phrase);
  console->write("\n");
}

void writeCount(int64_t count, std::string_view noun, Console& console) {
  console.write(count);
  console.write(" ");
  console.write(noun);
  if (count != 1) console.write("s");
}

}  // namespace ugraph
