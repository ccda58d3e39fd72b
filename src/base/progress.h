// One line on standard error that shows how a long read goes: bytes read
// of the total, links a second and the time elapsed, written over in
// place, from the first second on, and cleared when the read ends.
#ifndef UGRAPH_BASE_PROGRESS_H_
#define UGRAPH_BASE_PROGRESS_H_

#include <cstdint>
#include <string_view>

namespace ugraph {

class Progress {
 public:
  // Shows nothing unless on; name is the file's, total its bytes (0 when
  // not known, as of a pipe or a compressed file).
  Progress(bool on, std::string_view name, uint64_t total);
  ~Progress() { clear(); }
  Progress(const Progress&) = delete;
  Progress& operator=(const Progress&) = delete;

  // Tells how far the read is; cheap enough for every few thousand links.
  void tick(uint64_t bytes, uint64_t links) {
    if (on_ && ++ticks_ % 64 == 0) show(bytes, links);
  }
  // Clears the line, if one is shown.
  void clear();

 private:
  void show(uint64_t bytes, uint64_t links);

  bool on_;
  std::string_view name_;
  uint64_t total_;
  uint64_t ticks_ = 0;
  int64_t startNs_ = 0;
  int64_t lastNs_ = 0;
  bool shown_ = false;
};

}  // namespace ugraph

#endif  // UGRAPH_BASE_PROGRESS_H_
