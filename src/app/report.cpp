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

std::string_view sizeText(uint64_t bytes, std::array<char, 32>& out) {
  constexpr uint64_t kKiB = 1024;
  int length = 0;
  if (bytes % (kKiB * kKiB * kKiB) == 0 && bytes != 0) {
    length = std::snprintf(out.data(), out.size(), "%llu GiB",
                           static_cast<unsigned long long>(bytes >> 30));
  } else if (bytes % (kKiB * kKiB) == 0 && bytes != 0) {
    length = std::snprintf(out.data(), out.size(), "%llu MiB",
                           static_cast<unsigned long long>(bytes >> 20));
  } else if (bytes % kKiB == 0 || bytes < kKiB) {
    length = bytes < kKiB
                 ? std::snprintf(out.data(), out.size(), "%llu bytes",
                                 static_cast<unsigned long long>(bytes))
                 : std::snprintf(out.data(), out.size(), "%llu KiB",
                                 static_cast<unsigned long long>(bytes >> 10));
  } else {
    const int shift = bytes >= (kKiB << 20)   ? 30
                      : bytes >= (kKiB << 10) ? 20
                                              : 10;
    const uint64_t unit = uint64_t{1} << shift;
    // Tenths of the unit, rounded up, without overflow for any size.
    const uint64_t tenths =
        bytes / unit * 10 + ((bytes % unit) * 10 + unit - 1) / unit;
    length = std::snprintf(out.data(), out.size(), "%llu.%llu %s",
                           static_cast<unsigned long long>(tenths / 10),
                           static_cast<unsigned long long>(tenths % 10),
                           shift == 30   ? "GiB"
                           : shift == 20 ? "MiB"
                                         : "KiB");
  }
  return {out.data(), static_cast<std::size_t>(std::max(length, 0))};
}

std::string_view refusalWords(const Status& refused) {
  if (refused.refusal != Refusal::kOverMemory) {
    return refusalPhrase(refused.refusal);
  }
  static std::array<char, 160> words;
  std::array<char, 32> need;
  std::array<char, 32> ceiling;
  sizeText(refused.need, need);  // each text ends with a NUL
  sizeText(refused.ceiling, ceiling);
  const int length =
      refused.ceiling == 0
          ? std::snprintf(words.data(), words.size(),
                          "needs at least %s of memory, more than the system "
                          "gives",
                          need.data())
          : std::snprintf(words.data(), words.size(),
                          "needs at least %s of memory, over the ceiling of "
                          "%s (--max-memory)",
                          need.data(), ceiling.data());
  return {words.data(), static_cast<std::size_t>(std::max(length, 0))};
}

std::string_view checkLine(const char* file, const char* noun, int64_t number,
                           const Status& refused, CheckLineBuffer& buffer) {
  const std::string_view phrase = refusalWords(refused);
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
