#include "app/report.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>

#include "input/data_input.h"

namespace ugraph {

void report(std::initializer_list<std::string_view> pieces) {
  std::fputs("ugraph: ", stderr);
  for (const std::string_view piece : pieces) {
    std::fwrite(piece.data(), 1, piece.size(), stderr);
  }
  std::fputc('\n', stderr);
}

void reportMissing(const char* file, const char* noun, int64_t number) {
  std::array<char, 20> digits{};
  const char* const end =
      std::to_chars(digits.data(), digits.data() + digits.size(), number).ptr;
  report({file,
          " has no ",
          noun,
          " ",
          {digits.data(), static_cast<std::size_t>(end - digits.data())}});
}

void reportLine(std::string_view line) {
  std::fwrite(line.data(), 1, line.size(), stderr);
}

int reportUsage(const char* problem) {
  report({problem});
  reportLine("Try 'ugraph --help' for more information.\n");
  return 2;
}

int reportFileFault(const char* file, const Status& fault) {
  report({file, ": ",
          fault.is(Status::Kind::kIsOutput) ? "input file is output file"
                                            : std::strerror(fault.error)});
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
