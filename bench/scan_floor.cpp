// The floor for a catalogue scan: reads the file named by argv[1] in 64 KiB
// blocks and finds every '[' and the ']' after it with memchr, as the
// listing must, and prints only how many it found. No output per
// data-input, no numbering, no copying.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const int fd = open(argv[1], O_RDONLY);
  if (fd < 0) return 2;
  static char block[1 << 16];
  char want = '[';
  long found = 0;
  for (ssize_t n; (n = read(fd, block, sizeof block)) > 0;) {
    const char* p = block;
    const char* const end = block + n;
    while (const void* hit = std::memchr(p, want, static_cast<size_t>(end - p))) {
      p = static_cast<const char*>(hit) + 1;
      found += want == ']';
      want = want == '[' ? ']' : '[';
    }
  }
  std::printf("%ld\n", found);
  return 0;
}
