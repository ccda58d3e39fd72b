#include "batch/each_graph.h"

#include <sched.h>
#include <sys/stat.h>

namespace ugraph {

int64_t usableCores() {
  cpu_set_t cores;
  if (sched_getaffinity(0, sizeof(cores), &cores) != 0) return 1;
  return std::max(CPU_COUNT(&cores), 1);
}

uint64_t plainSize(const ByteSource& bytes) {
  struct stat s {};
  if (bytes.descriptor < 0 || fstat(bytes.descriptor, &s) != 0 ||
      !S_ISREG(s.st_mode)) {
    return 0;
  }
  return static_cast<uint64_t>(s.st_size);
}

void reportRefused(const char* file, const char* noun, int64_t number,
                   const Status& why) {
  CheckLineBuffer line;
  reportLine(checkLine(file, noun, number, why, line));
}

const char* memberName(const char* archive, std::string_view member) {
  static std::array<char, 8192> name;
  const int length =
      std::snprintf(name.data(), name.size(), "%s:%.*s", archive,
                    static_cast<int>(member.size()), member.data());
  (void)length;
  return name.data();
}

int reportPassedOver(const char* name, std::string_view why) {
  report({name, ": passed over: ", why});
  return kPassedOver;
}

void warnIfNothing(const char* file, const char* noun, int64_t total,
                   int64_t refused, const FormatRow* looksLike) {
  if (total != 0 && refused != total) return;
  std::array<std::string_view, 5> hint = {};
  if (looksLike != nullptr) {
    hint = {"; its first line looks like ", looksLike->looksLike,
            " (--from=", looksLike->name, ")"};
  }
  const std::string_view what = total == 0 ? ": no " : ": every ";
  const std::string_view end = total == 0 ? " found" : " was refused";
  report({file, what, noun, end, hint[0], hint[1], hint[2], hint[3], hint[4]});
}

}  // namespace ugraph
