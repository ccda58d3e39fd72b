#include "graph/classify.h"

#include <array>
#include <cstddef>

namespace ugraph {

void walkGraph(const LinkArray& linkFrom, const LinkArray& linkTo,
               const NodeArray& /*firstLink*/, Walk& walk) {
  LinkRows rows;
  markLinkRows(linkFrom, linkTo, rows);
  walkRows(rows, linkTo[0], walk, NoWalkObserver{});
}

GraphClass classifyReached(int64_t reached, int64_t n, int64_t entries) {
  if (reached != n) return GraphClass::kNotConnected;
  // A connected graph on n nodes has at least n - 1 links, each two
  // entries unless it links a node to itself (one entry); so exactly
  // 2n - 2 entries means n - 1 links and no self-link: a tree.
  return 2 * n - entries == 2 ? GraphClass::kTree
                              : GraphClass::kConnectedNotTree;
}

GraphClass classifyWalk(const Walk& walk, int32_t n, int32_t entries) {
  return classifyReached(walk.count, n, entries);
}

}  // namespace ugraph
