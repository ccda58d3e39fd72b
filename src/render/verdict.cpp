#include "render/verdict.h"

namespace ugraph {
namespace {

// Puts the nodes each(onNode) gives, each after a blank: all of them, or
// for a graph of more than kMaxNodes nodes in the listing's shape the
// first kShownNodes and "… (N more)", total being how many there are.
template <class Each>
void putNodeWords(const JudgedGraph& d, ReasonShape shape, int64_t total,
                  Each&& each, ReasonsOut& out) {
  const bool all = shape == ReasonShape::kTrace || d.nodes <= kMaxNodes ||
                   total <= kShownNodes;
  int64_t shown = 0;
  each([&](int32_t a) {
    out.keepRoom();
    out.put(" ");
    out.put(int64_t{a});
    return all || ++shown < kShownNodes;
  });
  if (all) return;
  out.put(" \xE2\x80\xA6 (");
  out.put(total - kShownNodes);
  out.put(" more)");
}

// Puts ,"KEY":[a,b,...] for the nodes each(onNode) gives.
template <std::size_t N, class Each>
void putJsonNodes(const char (&key)[N], Each&& each, ReasonsOut& out) {
  out.keepRoom();
  out.put(key);
  bool first = true;
  each([&](int32_t a) {
    out.keepRoom();
    if (!first) out.put(",");
    first = false;
    out.put(int64_t{a});
    return true;
  });
  out.put("]");
}

// Puts ,"KEY":[a,b,...] for count nodes of a graph of at most kMaxNodes
// nodes, which the line has room for whole.
template <std::size_t N>
void putSmallJsonNodes(const char (&key)[N], const int32_t* nodes,
                       std::size_t count, ReasonsOut& out) {
  out.keepRoom();
  out.put(key);
  out.line().putNodes(nodes, count);
  out.put("]");
}

// The nodes d's walk reached.
int64_t reachedOf(const JudgedGraph& d) {
  return withGraph(d, [](const auto& /*graph*/, const auto& walk) {
    return int64_t{walk.count};
  });
}

// Calls each(onNode) as a list of the nodes of span.
auto eachOf(std::span<const int32_t> nodes) {
  return [nodes](auto&& onNode) {
    for (const int32_t a : nodes) {
      if (!onNode(a)) return;
    }
  };
}

// The verdicts' words in JSON, quotes and the key before them included,
// each in storage of kVerdictRoom bytes so that the line copies it whole.
constexpr std::size_t kVerdictRoom = 48;
struct VerdictText {
  std::array<char, kVerdictRoom> bytes;
  std::size_t length;
};
constexpr std::array<VerdictText, kClassSpellings.size()> kJsonVerdicts = [] {
  constexpr std::string_view kKey = ",\"verdict\":\"";
  std::array<VerdictText, kClassSpellings.size()> texts{};
  for (std::size_t i = 0; i < kClassSpellings.size(); ++i) {
    std::size_t n = 0;
    for (const std::string_view piece :
         {kKey, kClassSpellings[i].words, std::string_view("\"")}) {
      for (const char c : piece) texts[i].bytes[n++] = c;
    }
    texts[i].length = n;
  }
  return texts;
}();

}  // namespace

void writeClassTotals(const ClassTotals& t, Console& console) {
  console.write(t.connected());
  console.write(" connected (");
  writeCount(t.tree, spellingOf(GraphClass::kTree).counted, console);
  console.write(", ");
  console.write(t.cyclic);
  console.write(" ");
  console.write(spellingOf(GraphClass::kConnectedNotTree).counted);
  console.write("), ");
  for (const GraphClass c :
       {GraphClass::kNotConnected, GraphClass::kNoNode, GraphClass::kRefused}) {
    const int64_t count = c == GraphClass::kNotConnected ? t.disconnected
                          : c == GraphClass::kNoNode     ? t.noNode
                                                         : t.refused;
    console.write(count);
    console.write(" ");
    console.write(spellingOf(c).counted);
    console.write(c == GraphClass::kRefused ? "" : ", ");
  }
}

void writeVerdictText(const JudgedGraph& d, ReasonShape shape,
                      ReasonsOut& out) {
  const bool listing = shape == ReasonShape::kListing;
  if (!listing) out.put("Graph is ");
  out.put(classWords(d.verdict));
  if (d.verdict == GraphClass::kNotConnected) {
    out.put(listing ? " (" : "\n");
    out.put(d.parts);
    out.put(listing ? " parts); unreached:" : " parts; unreached:");
    putNodeWords(
        d, shape, d.nodes - reachedOf(d),
        [&](auto&& onNode) { forEachUnreached(d, onNode); }, out);
  } else if (d.verdict == GraphClass::kConnectedNotTree) {
    out.put(listing ? "; cycle:" : "\ncycle:");
    Cycle small;
    const std::span<const int32_t> cycle = cycleOf(d, small);
    putNodeWords(d, shape, static_cast<int64_t>(cycle.size()), eachOf(cycle),
                 out);
  }
  if (!listing) out.put("\n");
}

void putJsonVerdict(const JudgedGraph& d, ReasonsOut& out) {
  const VerdictText& verdict =
      kJsonVerdicts[static_cast<std::size_t>(d.verdict)];
  out.keepRoom();
  out.line().putWithin<kVerdictRoom>({verdict.bytes.data(), verdict.length});
}

void putJsonReasons(const JudgedGraph& d, bool order, ReasonsOut& out) {
  out.keepRoom();
  out.put(",\"components\":");
  out.put(d.parts);
  if (d.lists == nullptr) {
    // A graph of rows: every list fits the line whole.
    const Walk& walk = d.analysis.walk;
    if (order && d.verdict != GraphClass::kNoNode) {
      putSmallJsonNodes(",\"order\":[", walk.order.data() + 1,
                        static_cast<std::size_t>(walk.count), out);
    }
    Cycle nodes;  // [0..count-1]
    std::size_t count = 0;
    if (d.verdict == GraphClass::kNotConnected) {
      forEachUnreached(d, [&](int32_t a) {
        nodes[count++] = a;
        return true;
      });
      putSmallJsonNodes(",\"unreached\":[", nodes.data(), count, out);
    } else if (d.verdict == GraphClass::kConnectedNotTree) {
      count = cycleOf(d, nodes).size();
      putSmallJsonNodes(",\"cycle\":[", nodes.data(), count, out);
    }
    return;
  }
  const ListsWalk& walk = d.lists->walk();
  if (order && d.verdict != GraphClass::kNoNode) {
    putJsonNodes(",\"order\":[",
                 eachOf({walk.order + 1, static_cast<std::size_t>(walk.count)}),
                 out);
  }
  if (d.verdict == GraphClass::kNotConnected) {
    putJsonNodes(
        ",\"unreached\":[", [&](auto&& onNode) { forEachUnreached(d, onNode); },
        out);
  } else if (d.verdict == GraphClass::kConnectedNotTree) {
    Cycle small;
    putJsonNodes(",\"cycle\":[", eachOf(cycleOf(d, small)), out);
  }
}

void writeEntriesExplained(const JudgedGraph& d, Console& console) {
  const int64_t entries = entriesOf(d);
  // A link gives two entries and a self-link one, and d.links counts both.
  const int64_t selfLinks = 2 * d.links - entries;
  const int64_t links = d.links - selfLinks;
  console.write("an entry is a link seen from one end, so ");
  const bool namesLinks = links > 0 || selfLinks == 0;
  if (namesLinks) writeCount(links, "link", console);
  if (selfLinks > 0) {
    if (namesLinks) console.write(" and ");
    writeCount(selfLinks, "self-link", console);
  }
  const bool one = namesLinks ? links == 1 && selfLinks == 0 : selfLinks == 1;
  console.write(one ? " gives " : " give ");
  writeCount(entries, "entry", console, "entries");
  console.write("\n");
  const int64_t n = d.nodes;
  writeCount(entries, "entry", console, "entries");
  console.write(" for ");
  writeCount(n, "node", console);
  console.write("; a tree has 2 \xC3\x97 ");
  console.write(n);
  console.write(" \xE2\x88\x92 2 = ");
  console.write(2 * n - 2);
  console.write(d.verdict == GraphClass::kTree ? ", and no self-link\n"
                                               : ", so this is not one\n");
}

}  // namespace ugraph
