#include <cstdio>
#include <cstring>
#include <string_view>

#include "app/catalogue_file.h"
#include "app/catalogue_judge.h"
#include "app/catalogue_modes.h"
#include "app/escape.h"

namespace ugraph {
namespace {

void writeNode(int32_t node, std::string_view attributes, Console& console) {
  console.write("  ");
  console.write(int64_t{node});
  console.write(attributes);
  console.write(";\n");
}

// Every node, dashed when the walk did not reach it; every link once, from
// its smaller node, bold when it is a tree link of the walk.
void writeDot(const JudgedDataInput& d, Console& console) {
  const Ugraph& g = d.graph;
  const Walk& walk = d.walk;
  console.write("graph ");
  writeDotString(std::string_view(g.name.data()), console);
  console.write(" {\n");
  for (int32_t a = 1; a <= g.linkTo[0]; ++a) {
    const bool reached = walk.rank[static_cast<std::size_t>(a)] != 0;
    writeNode(a, reached ? "" : " [style=dashed]", console);
  }
  for (std::size_t i = 1; g.linkFrom[i] != 0; ++i) {
    const int32_t a = g.linkFrom[i];
    const int32_t b = g.linkTo[i];
    if (a > b) continue;
    const bool tree =
        a != b && (walk.parent[static_cast<std::size_t>(b)] == a ||
                   walk.parent[static_cast<std::size_t>(a)] == b);
    console.write("  ");
    console.write(int64_t{a});
    console.write(" -- ");
    console.write(int64_t{b});
    console.write(tree ? " [style=bold];\n" : ";\n");
  }
  console.write("}\n");
}

}  // namespace

int runDot(const char* file, int64_t number, Console& console) {
  const CatalogueFile catalogue(file);
  if (catalogue.get() == nullptr) return catalogue.complain();
  CatalogueJudge judge(catalogue.get(), true);
  while (judge.next()) {
    const JudgedDataInput& d = judge.current();
    if (d.number < number) continue;
    if (d.judgement == Judgement::kRefused) {
      writeCheckLine(file, d, nullptr);
      return 1;
    }
    writeDot(d, console);
    return 0;
  }
  if (judge.error() != 0) return catalogue.complain(judge.error());
  std::fprintf(stderr, "ugraph: %s has no data-input %lld\n", file,
               static_cast<long long>(number));
  return 1;
}

}  // namespace ugraph
