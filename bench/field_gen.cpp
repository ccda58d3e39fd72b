// Writes a random graph as the field publishes it, for the bench's field
// group: a SNAP-style edge list (a '#' header, one link a line, ids in
// 0..n-1 or spread over 0..2^40), Matrix Market or METIS.
//   usage: field_gen NODES LINKS edges|spread|mtx|metis [SEED] > FILE
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(
        stderr, "usage: field_gen NODES LINKS edges|spread|mtx|metis [SEED]\n");
    return 2;
  }
  const uint64_t n = std::strtoull(argv[1], nullptr, 10);
  const uint64_t m = std::strtoull(argv[2], nullptr, 10);
  const char* form = argv[3];
  std::mt19937_64 random(argc > 4 ? std::strtoull(argv[4], nullptr, 10) : 1);
  std::vector<uint32_t> ends(2 * m);
  for (auto& e : ends) e = static_cast<uint32_t>(random() % n);
  static char buffer[1 << 20];
  std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
  if (std::strcmp(form, "edges") == 0 || std::strcmp(form, "spread") == 0) {
    // Spread ids: an odd multiplier is a bijection modulo 2^40.
    const bool spread = form[0] == 's';
    const auto id = [&](uint64_t k) {
      return spread ? (k * 0x9E3779B97F4A7C15ULL + 12345) &
                          ((uint64_t{1} << 40) - 1)
                    : k;
    };
    std::printf("# Undirected graph: random\n# Nodes: %" PRIu64
                " Edges: %" PRIu64 "\n# FromNodeId\tToNodeId\n",
                n, m);
    for (uint64_t i = 0; i < m; ++i) {
      std::printf("%" PRIu64 "\t%" PRIu64 "\n", id(ends[2 * i]),
                  id(ends[2 * i + 1]));
    }
  } else if (std::strcmp(form, "mtx") == 0) {
    std::printf("%%%%MatrixMarket matrix coordinate pattern general\n%" PRIu64
                " %" PRIu64 " %" PRIu64 "\n",
                n, n, m);
    for (uint64_t i = 0; i < m; ++i) {
      std::printf("%u %u\n", ends[2 * i] + 1, ends[2 * i + 1] + 1);
    }
  } else {
    // METIS: each link under both its ends, one line a node.
    std::vector<uint64_t> begin(n + 1);
    for (const uint32_t e : ends) ++begin[e + 1];
    for (uint64_t a = 0; a < n; ++a) begin[a + 1] += begin[a];
    std::vector<uint32_t> list(2 * m);
    std::vector<uint64_t> fill(begin.begin(), begin.end() - 1);
    for (uint64_t i = 0; i < m; ++i) {
      list[fill[ends[2 * i]]++] = ends[2 * i + 1];
      list[fill[ends[2 * i + 1]]++] = ends[2 * i];
    }
    std::printf("%" PRIu64 " %" PRIu64 "\n", n, m);
    for (uint64_t a = 0; a < n; ++a) {
      for (uint64_t k = begin[a]; k < begin[a + 1]; ++k) {
        std::printf(k == begin[a] ? "%u" : " %u", list[k] + 1);
      }
      std::printf("\n");
    }
  }
  return 0;
}
