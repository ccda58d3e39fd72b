#include "base/report.h"

#include <cstdio>

namespace ugraph {

void report(std::initializer_list<std::string_view> pieces) {
  std::fputs("ugraph: ", stderr);
  for (const std::string_view piece : pieces) {
    // An empty piece may have no bytes at all to point at.
    if (!piece.empty()) std::fwrite(piece.data(), 1, piece.size(), stderr);
  }
  std::fputc('\n', stderr);
}

void reportLine(std::string_view line) {
  std::fwrite(line.data(), 1, line.size(), stderr);
}

int reportUsage(const char* problem) {
  report({problem});
  reportLine("Try 'ugraph --help' for more information.\n");
  return 2;
}

}  // namespace ugraph
