#include "base/progress.h"

#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>

#include "base/descriptor.h"

namespace ugraph {
namespace {

int64_t nowNs() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return int64_t{t.tv_sec} * 1000000000 + t.tv_nsec;
}

constexpr int64_t kSecond = 1000000000;

double mib(uint64_t bytes) { return static_cast<double>(bytes) / (1 << 20); }

}  // namespace

Progress::Progress(bool on, std::string_view name, uint64_t total)
    : on_(on), name_(name), total_(total) {
  if (on_) startNs_ = lastNs_ = nowNs();
}

void Progress::show(uint64_t bytes, uint64_t links) {
  const int64_t now = nowNs();
  // From the first second on, four times a second.
  if (now - startNs_ < kSecond || now - lastNs_ < kSecond / 4) return;
  lastNs_ = now;
  const double seconds = static_cast<double>(now - startNs_) / kSecond;
  std::array<char, 512> line;
  const int length =
      total_ != 0
          ? std::snprintf(line.data(), line.size(),
                          "\rugraph: %.*s: %.1f of %.1f MiB, %.1f M links/s, "
                          "%.0f s\x1b[K",
                          static_cast<int>(name_.size()), name_.data(),
                          mib(bytes), mib(total_),
                          static_cast<double>(links) / seconds / 1e6, seconds)
          : std::snprintf(line.data(), line.size(),
                          "\rugraph: %.*s: %.1f MiB, %.1f M links/s, %.0f s"
                          "\x1b[K",
                          static_cast<int>(name_.size()), name_.data(),
                          mib(bytes),
                          static_cast<double>(links) / seconds / 1e6, seconds);
  if (length > 0) {
    writeAll(STDERR_FILENO, line.data(),
             std::min(static_cast<std::size_t>(length), line.size() - 1));
    shown_ = true;
  }
}

void Progress::clear() {
  if (!shown_) return;
  shown_ = false;
  writeAll(STDERR_FILENO, "\r\x1b[K", 4);
}

}  // namespace ugraph
