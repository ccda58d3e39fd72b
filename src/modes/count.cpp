#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <tuple>

#include "batch/each_graph.h"
#include "graph/row_parts.h"
#include "modes/modes.h"
#include "render/escape.h"
#include "render/verdict.h"

namespace ugraph {
namespace {

// How many graphs have each number of connected parts. The small numbers
// are counted in place; the others, rare, in a sorted list that grows.
class PartsHistogram {
 public:
  PartsHistogram() = default;
  ~PartsHistogram() { std::free(large_); }
  PartsHistogram(const PartsHistogram&) = delete;
  PartsHistogram& operator=(const PartsHistogram&) = delete;

  // Adds count graphs of parts parts; false when memory for it is denied.
  bool add(int64_t parts, int64_t count) {
    if (parts < static_cast<int64_t>(small_.size())) {
      small_[static_cast<std::size_t>(parts)] += count;
      return true;
    }
    std::size_t i = 0;
    while (i < size_ && large_[i].parts < parts) ++i;
    if (i < size_ && large_[i].parts == parts) {
      large_[i].count += count;
      return true;
    }
    if (size_ == room_) {
      const std::size_t room = room_ == 0 ? 16 : 2 * room_;
      auto* grown =
          static_cast<Entry*>(std::realloc(large_, room * sizeof(Entry)));
      if (grown == nullptr) return false;
      large_ = grown;
      room_ = room;
    }
    std::memmove(large_ + i + 1, large_ + i, (size_ - i) * sizeof(Entry));
    large_[i] = {parts, count};
    ++size_;
    return true;
  }

  // Adds every count of other; false as add.
  bool add(const PartsHistogram& other) {
    bool added = true;
    other.forEach([&](int64_t parts, int64_t count) {
      added = added && add(parts, count);
    });
    return added;
  }

  // Calls f(parts, count) for each number of parts that occurs, ascending.
  template <class F>
  void forEach(F&& f) const {
    for (std::size_t parts = 0; parts < small_.size(); ++parts) {
      if (small_[parts] != 0) f(static_cast<int64_t>(parts), small_[parts]);
    }
    for (std::size_t i = 0; i < size_; ++i) f(large_[i].parts, large_[i].count);
  }

 private:
  struct Entry {
    int64_t parts;
    int64_t count;
  };
  std::array<int64_t, kMaxNodes + 1> small_{};
  Entry* large_ = nullptr;
  std::size_t size_ = 0;
  std::size_t room_ = 0;
};

// The totals of one file, or of all.
struct Totals {
  int64_t graphs = 0;
  ClassTotals classes;
  PartsHistogram components;

  // Adds a graph of the verdict and parts given; false when memory for the
  // totals is denied.
  bool add(GraphClass verdict, int64_t parts) {
    ++graphs;
    classes.add(verdict);
    return verdict == GraphClass::kRefused || components.add(parts, 1);
  }

  bool add(const JudgedGraph& d) { return add(d.verdict, d.parts); }

  bool add(const Totals& t) {
    graphs += t.graphs;
    classes.add(t.classes);
    return components.add(t.components);
  }
};

// Counts each graph of rows one graph late. Counting a graph's parts is a
// chain of steps, each waiting on the one before, at the end of the chain
// that reads it; kept until the next graph has been read, its count is
// worked out while that graph is read, rather than the reading waiting
// for it.
class LateRowCounts {
 public:
  // Counts into t the graph kept before, and keeps d: well-formed, of rows,
  // not yet counted (see JudgeNeeds::walk). False when memory for the
  // totals is denied.
  bool keep(const JudgedGraph& d, Totals& t) {
    const bool added = flush(t);
    nodes_ = d.nodes;
    links_ = d.links;
    // A small graph's rows are copied kFixed at once: a copy of fixed size
    // needs no call.
    const auto rows = static_cast<std::size_t>(nodes_) + 1;
    std::copy_n(d.analysis.rows.begin(), rows <= kFixed ? kFixed : rows,
                rows_.begin());
    kept_ = true;
    return added;
  }

  // Counts into t the graph kept, if there is one; false as keep.
  bool flush(Totals& t) {
    if (!kept_) return true;
    kept_ = false;
    const RowCounts counts = countLowerParts(rows_, nodes_);
    return t.add(classifyRowCounts(counts, nodes_, links_), counts.parts);
  }

 private:
  static constexpr std::size_t kFixed = 16;
  static_assert(kFixed <= std::tuple_size_v<LinkRows>);
  LinkRows rows_{};
  int32_t nodes_ = 0;
  int64_t links_ = 0;
  bool kept_ = false;
};

// Writes "BEFOREK/NAFTER" for the part --part names, nothing without one.
void writePart(const RunPart& part, std::string_view before,
               std::string_view after, Console& console) {
  if (part.count == 0) return;
  console.write(before);
  console.write(part.index);
  console.write("/");
  console.write(part.count);
  console.write(after);
}

// "FILE: 13 data-inputs: 10 connected (6 trees, 4 cyclic), 2 not
// connected, 0 with no node, 1 refused"; file null: "total".
void writeText(const char* file, const Options& options, const char* noun,
               const Totals& t, Console& console) {
  if (file == nullptr) {
    console.write("total");
  } else {
    writeDisplayText(file, console);
    writePart(options.part, " (part ", ")", console);
  }
  console.write(": ");
  writeCount(t.graphs, noun, console);
  console.write(": ");
  writeClassTotals(t.classes, console);
  console.write("\n");
}

// One JSON object; file null: "file":null.
void writeJson(const char* file, const Options& options, const Totals& t,
               Console& console) {
  console.write("{\"file\":");
  if (file == nullptr) {
    console.write("null");
  } else {
    writeJsonString(file, console);
    writePart(options.part, ",\"part\":\"", "\"", console);
  }
  const auto put = [&](std::string_view key, int64_t value) {
    console.write(",\"");
    console.write(key);
    console.write("\":");
    console.write(value);
  };
  put("graphs", t.graphs);
  forEachClassTotal(t.classes, put);
  console.write(",\"components\":{");
  bool first = true;
  t.components.forEach([&](int64_t parts, int64_t count) {
    console.write(first ? "\"" : ",\"");
    first = false;
    console.write(parts);
    console.write("\":");
    console.write(count);
  });
  console.write("}}\n");
}

void write(const char* file, const Options& options, const char* noun,
           const Totals& t, Console& console) {
  if (options.json) {
    writeJson(file, options, t, console);
  } else {
    writeText(file, options, noun, t, console);
  }
}

int reportOnePart(const char* file) {
  report({file,
          ": holds one graph, which --part would count once a part; "
          "--reduce --part cuts it, and --merge reads the parts as one"});
  return 2;
}

int reportNoMemory() {
  report({"cannot allocate memory for the totals"});
  return 2;
}

}  // namespace

int runCount(const Options& options, Console& console) {
  Totals all;
  const int status =
      forEachFile(options, console, [&](const char* file, std::size_t) {
        Totals t;
        LateRowCounts late;
        const char* noun = "";
        bool counted = true;
        bool onePart = false;
        const int read = forEachJudged(
            options, file, true, console, noun,
            [&](const JudgedGraph& d) {
              // --part names a share of many graphs: a graph of its own
              // file would be counted once a share.
              if (options.part.count != 0 && !d.fullName.empty()) {
                onePart = true;
                return false;
              }
              counted = d.verdict == GraphClass::kWellFormed ? late.keep(d, t)
                                                             : t.add(d);
              return counted;
            },
            JudgeNeeds{.list = false, .starts = false, .walk = false});
        counted = counted && late.flush(t);
        if (onePart) return reportOnePart(file);
        if (!counted) return reportNoMemory();
        if (read != 0) return read;
        write(file, options, noun, t, console);
        if (!all.add(t)) return reportNoMemory();
        return t.classes.refused == 0 ? 0 : 1;
      });
  if (options.files.size() > 1 && !options.merge && !console.failed()) {
    write(nullptr, options, "graph", all, console);
  }
  return status;
}

}  // namespace ugraph
