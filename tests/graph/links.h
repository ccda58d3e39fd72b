// Builds and reads back link lists in tests.
#ifndef UGRAPH_TESTS_GRAPH_LINKS_H_
#define UGRAPH_TESTS_GRAPH_LINKS_H_

#include <cstddef>
#include <ostream>
#include <vector>

#include "graph/ugraph.h"

namespace ugraph::testing {

struct Entry {
  int32_t from;
  int32_t to;
  bool operator==(const Entry&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const Entry& e) {
  return os << "(" << e.from << ", " << e.to << ")";
}

// Fills slots 0..k+1 of both arrays: node count n, the entries, sentinel.
inline void setLinks(Ugraph& g, int32_t n, const std::vector<Entry>& entries) {
  g.linkTo[0] = n;
  g.linkFrom[0] = static_cast<int32_t>(entries.size());
  std::size_t i = 1;
  for (const Entry& e : entries) {
    g.linkFrom[i] = e.from;
    g.linkTo[i] = e.to;
    ++i;
  }
  g.linkFrom[i] = 0;
  g.linkTo[i] = 0;
}

// The entries in slots 1..linkFrom[0].
inline std::vector<Entry> entriesOf(const Ugraph& g) {
  std::vector<Entry> entries;
  for (std::size_t i = 1; i <= static_cast<std::size_t>(g.linkFrom[0]); ++i) {
    entries.push_back({g.linkFrom[i], g.linkTo[i]});
  }
  return entries;
}

// The sentinel stands right after the last entry in both arrays.
inline bool sentinelAfterEntries(const Ugraph& g) {
  const auto end = static_cast<std::size_t>(g.linkFrom[0]) + 1;
  return g.linkFrom[end] == 0 && g.linkTo[end] == 0;
}

}  // namespace ugraph::testing

#endif  // UGRAPH_TESTS_GRAPH_LINKS_H_
