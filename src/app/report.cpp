#include "app/report.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "input/data_input.h"

namespace ugraph {

void reportMessage(std::string_view message) {
  std::fprintf(stderr, "ugraph: %.*s\n", static_cast<int>(message.size()),
               message.data());
}

void reportLine(std::string_view line) {
  std::fwrite(line.data(), 1, line.size(), stderr);
}

int reportUsage(const char* problem) {
  report("%s", problem);
  reportLine("Try 'ugraph --help' for more information.\n");
  return 2;
}

int reportFileFault(const char* file, const Status& fault) {
  report("%s: %s", file,
         fault.is(Status::Kind::kIsOutput) ? "input file is output file"
                                           : std::strerror(fault.error));
  return 2;
}

std::string_view checkLine(const char* file, const char* noun, int64_t number,
                           const Status& refused, CheckLineBuffer& buffer) {
  const std::string_view phrase = refusalPhrase(refused.refusal);
  const int length = std::snprintf(
      buffer.data(), buffer.size(), "%s:%lld:%lld: %s %lld %.*s\n", file,
      static_cast<long long>(refused.at.line),
      static_cast<long long>(refused.at.column), noun,
      static_cast<long long>(number), static_cast<int>(phrase.size()),
      phrase.data());
  const auto written = static_cast<std::size_t>(std::max(length, 0));
  return {buffer.data(), std::min(written, buffer.size() - 1)};
}

}  // namespace ugraph
