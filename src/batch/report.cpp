#include "batch/report.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <utility>

#include "base/decompressor.h"
#include "formats/formats.h"

namespace ugraph {

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

int reportFileFault(const char* file, const Status& fault) {
  std::string_view why = fault.is(Status::Kind::kIsOutput)
                             ? "input file is output file"
                             : std::strerror(fault.error);
  if (fault.error == kDecompressionFault && !decompressionFault().empty()) {
    why = decompressionFault();
  }
  report({file, ": ", why});
  return 2;
}

int reportForeign(const char* file, std::string_view what) {
  std::array<char, 256> names{};
  std::size_t length = 0;
  const auto append = [&](std::string_view text) {
    const std::size_t room = std::min(text.size(), names.size() - length);
    std::memcpy(names.data() + length, text.data(), room);
    length += room;
  };
  for (const std::string_view name : formatNames()) {
    if (length != 0) append(", ");
    append(name);
  }
  const bool compressed = what.ends_with("compressed data");
  report({file,
          ": holds ",
          what,
          ", which ugraph does not read",
          compressed ? "; decompress it first" : "",
          "; it reads ",
          {names.data(), length},
          " (choose one with --from=FORMAT)"});
  return 1;
}

std::string_view sizeText(uint64_t bytes, std::array<char, 32>& out) {
  static constexpr std::array<std::pair<int, const char*>, 3> kUnits = {
      {{30, "GiB"}, {20, "MiB"}, {10, "KiB"}}};
  int length = -1;
  // The largest unit that holds it whole, as a ceiling is given ...
  for (const auto& [shift, name] : kUnits) {
    if (length < 0 && bytes != 0 && bytes % (uint64_t{1} << shift) == 0) {
      length =
          std::snprintf(out.data(), out.size(), "%llu %s",
                        static_cast<unsigned long long>(bytes >> shift), name);
    }
  }
  // ... else the largest it reaches, in tenths rounded up, without
  // overflow for any size.
  for (const auto& [shift, name] : kUnits) {
    const uint64_t unit = uint64_t{1} << shift;
    if (length < 0 && bytes >= unit) {
      const uint64_t tenths =
          bytes / unit * 10 + ((bytes % unit) * 10 + unit - 1) / unit;
      length =
          std::snprintf(out.data(), out.size(), "%llu.%llu %s",
                        static_cast<unsigned long long>(tenths / 10),
                        static_cast<unsigned long long>(tenths % 10), name);
    }
  }
  if (length < 0) {
    length = std::snprintf(out.data(), out.size(), "%llu bytes",
                           static_cast<unsigned long long>(bytes));
  }
  return {out.data(), static_cast<std::size_t>(std::max(length, 0))};
}

std::string_view refusalWords(const Status& refused) {
  static std::array<char, 400> words;
  if (refused.refusal != Refusal::kOverMemory) {
    const std::string_view phrase = refusalPhrase(refused.refusal);
    if (phrase.find('{') == std::string_view::npos) return phrase;
    // A phrase's marks "{}" take the numbers the refusal names, in turn.
    std::size_t length = 0;
    int filled = 0;
    for (std::size_t i = 0; i < phrase.size() && length + 24 < words.size();
         ++i) {
      if (phrase[i] == '{' && i + 1 < phrase.size() && phrase[i + 1] == '}') {
        const uint64_t value = filled++ == 0 ? refused.need : refused.ceiling;
        length = static_cast<std::size_t>(
            std::to_chars(words.data() + length, words.data() + words.size(),
                          value)
                .ptr -
            words.data());
        ++i;
      } else {
        words[length++] = phrase[i];
      }
    }
    return {words.data(), length};
  }
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
                          "%s (--max-memory)%s",
                          need.data(), ceiling.data(),
                          refused.onePassNeedsLess
                              ? "; --count, which holds no links, needs less"
                              : "");
  return {words.data(), static_cast<std::size_t>(std::max(length, 0))};
}

void reportWarning(const char* file, const char* noun, int64_t number,
                   const Status& warning) {
  CheckLineBuffer buffer;
  reportLine(checkLine(file, noun, number, warning, buffer, "warning: "));
}

std::string_view checkLine(const char* file, const char* noun, int64_t number,
                           const Status& refused, CheckLineBuffer& buffer,
                           const char* kind) {
  const std::string_view phrase = refusalWords(refused);
  const int length = std::snprintf(
      buffer.data(), buffer.size(), "%s:%lld:%lld: %s%s %lld %.*s\n", file,
      static_cast<long long>(refused.at.line),
      static_cast<long long>(refused.at.column), kind, noun,
      static_cast<long long>(number), static_cast<int>(phrase.size()),
      phrase.data());
  const auto written = static_cast<std::size_t>(std::max(length, 0));
  return {buffer.data(), std::min(written, buffer.size() - 1)};
}

}  // namespace ugraph
