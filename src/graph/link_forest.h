// A graph's verdict in one pass over its links, in memory proportional to
// its nodes whatever the number of links: a union-find forest of the nodes,
// and the links that joined two trees of it kept as a set of unordered
// pairs.
//
// Why the pairs: a link between two nodes already in one tree closes a
// cycle, unless it is a repeat, and a repeat of a link that closed a cycle
// changes nothing; only a repeat of a link that joined two trees must be
// told from a new link, and those are at most n - 1. So a graph is a tree
// when it is one tree and no link other than such a repeat, and no
// self-link, was met.
#ifndef UGRAPH_GRAPH_LINK_FOREST_H_
#define UGRAPH_GRAPH_LINK_FOREST_H_

#include <cstddef>
#include <cstdint>

#include "graph/ugraph.h"

namespace ugraph {

class LinkForest {
 public:
  LinkForest() = default;
  LinkForest(const LinkForest&) = delete;
  LinkForest& operator=(const LinkForest&) = delete;
  ~LinkForest();

  // What a forest of n nodes takes at most: 4 bytes a node for its parent
  // and 16 for the set of pairs, kept at most half full. The set grows with
  // the links that join two trees, and is given up once a cycle is found:
  // from then on no repeat needs telling from a new link.
  static uint64_t bytes(int64_t n);

  // Starts a graph of n nodes, each its own tree; storage of an earlier
  // graph is reused when large enough. False, holding nothing, when the
  // memory cannot be had. REQUIRES: 0 <= n <= INT32_MAX.
  bool start(int32_t n);

  // Grows the graph to n nodes, the new ones each their own tree, keeping
  // the links taken; storage grows by doubling. False, with the graph as
  // it was, when the memory cannot be had. REQUIRES: the graph started,
  // its node count <= n <= INT32_MAX.
  bool growTo(int32_t n);

  // The bytes held now.
  uint64_t heldBytes() const {
    return (linkUp_ != nullptr ? 8 : 4) * capacity_ + 8 * slots();
  }

  // Takes link {a, b}; a == b for a self-link, repeats allowed.
  // REQUIRES: a and b in 1..n.
  void link(int32_t a, int32_t b);

  // Renumbers the nodes: node a becomes newOf[a] (0: a was never linked,
  // and is dropped), keeping the trees and the joining links; the graph
  // then has n nodes. False, unchanged, when the memory cannot be had.
  // REQUIRES: newOf maps the linked nodes one to one onto 1..n.
  bool relabel(const int32_t* newOf, int32_t n);

  // Starts fetching what taking a link at a will read first.
  void prefetch(int32_t a) const {
    __builtin_prefetch(parent_ + a);
    // A join reroots at one of the link's ends.
    if (linkUp_ != nullptr) __builtin_prefetch(linkUp_ + a, 1);
  }
  // Starts fetching a's parent's parent, when a has a parent.
  void prefetchParent(int32_t a) const {
    const int32_t up = parent_[a];
    if (up > 0) __builtin_prefetch(parent_ + up);
  }

  // The verdict of the links taken: kNoNode, kTree, kConnectedNotTree or
  // kNotConnected, and the connected parts.
  GraphClass verdict() const;
  int64_t parts() const { return parts_; }
  int32_t nodes() const { return n_; }
  // Whether a link closed a cycle, or was a self-link.
  bool cyclic() const { return cyclic_; }
  // Whether memory to hold the joining links was denied: the verdict is
  // then not to be trusted, and the graph must be refused for memory.
  bool failed() const { return failed_; }

  // Keeps, from the next start() on, what a reduced graph is written from:
  // the links that joined two trees, as a second forest over the same
  // nodes (4 bytes a node more), and the first link that closed a cycle
  // and the first self-link. REQUIRES: before start().
  //
  // Why a second forest: the union-find's parents are no links of the
  // graph, and the joining links must be written as they were. linkUp_[a]
  // is a's neighbour by a joining link on the way to its tree's root in
  // that second forest (0 at the root). A new join {a, b} hangs the
  // smaller tree from the larger: the smaller is first rerooted at its
  // end of the link, by turning round the links on its path to its root,
  // at most the smaller tree's size each time, so O(n log n) in all. A
  // link within one tree then repeats a join exactly when one of its ends
  // is the other's linkUp_: no set of pairs is needed.
  void keepJoins(bool keep) { keepJoins_ = keep; }
  bool keepsJoins() const { return keepJoins_; }
  // Calls f(a, b) for every joining link: a spanning forest of the links
  // taken, fewer than the nodes.
  template <class F>
  void forEachJoin(F&& f) const {
    for (int32_t a = 1; a <= n_; ++a) {
      if (linkUp_[a] != 0) f(a, linkUp_[a]);
    }
  }
  // Whether a is a tree of its own, no link having joined it to another.
  bool alone(int32_t a) const { return parent_[a] == -1; }
  // The first link that closed a cycle other than a self-link (0 when
  // none), as a << 32 | b, and the node of the first self-link (0: none).
  uint64_t closing() const { return closing_; }
  int32_t selfLinked() const { return selfLinked_; }

 private:
  // The root of a's tree, halving the path on the way.
  int32_t find(int32_t a);
  // Whether pair, a key of the set, is in it; inserts it when insert.
  bool pairIn(uint64_t pair, bool insert);
  void growPairs();
  // Gives the joins capacity slots, renumbered by newOf when given.
  bool growJoins(std::size_t capacity, const int32_t* newOf);
  // Takes join {a, b}, a in the smaller tree, into linkUp_.
  void join(int32_t a, int32_t b);
  void release();
  std::size_t slots() const {
    return pairs_ == nullptr ? 0 : std::size_t{1} << (64 - shift_);
  }

  int32_t n_ = 0;
  // parent_[a]: a's parent, or -(its tree's size) for a root.
  int32_t* parent_ = nullptr;
  uint64_t* pairs_ = nullptr;  // 0: an empty slot
  std::size_t capacity_ = 0;   // of parent_, in nodes
  int shift_ = 64;             // 64 - log2 of the pairs' slots
  std::size_t joins_ = 0;      // the pairs held
  // The set of pairs could not grow: the forest cannot judge the graph.
  bool failed_ = false;
  bool keepJoins_ = false;
  // With keepJoins_: the forest of joining links (see keepJoins).
  int32_t* linkUp_ = nullptr;
  uint64_t closing_ = 0;
  int32_t selfLinked_ = 0;
  int64_t parts_ = 0;
  bool cyclic_ = false;
};

}  // namespace ugraph

#endif  // UGRAPH_GRAPH_LINK_FOREST_H_
