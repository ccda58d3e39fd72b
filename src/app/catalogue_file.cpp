#include "app/catalogue_file.h"

#include <cerrno>
#include <cstring>

namespace ugraph {

CatalogueFile::CatalogueFile(const char* name)
    : name_(name),
      file_(std::strcmp(name, "-") == 0 ? stdin : std::fopen(name, "r")) {
  if (file_ == nullptr) {
    openError_ = errno;
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
               std::strerror(error != 0 ? error : openError_));
  return 2;
}

std::string checkLine(const char* name, const JudgedDataInput& refused) {
  return std::string(name) + ':' + std::to_string(refused.refusedAt.line) +
         ':' + std::to_string(refused.refusedAt.column) + ": data-input " +
         std::to_string(refused.number) + ' ' +
         std::string(refusalPhrase(refused.refusal)) + '\n';
}

}  // namespace ugraph
