#include <cstdio>

#include "app/catalogue_file.h"
#include "app/catalogue_judge.h"
#include "app/catalogue_modes.h"

namespace ugraph {

int runCheck(const char* file, Console& console) {
  const CatalogueFile catalogue(file);
  if (catalogue.get() == nullptr) return catalogue.complain();
  CatalogueJudge judge(catalogue.get(), false);
  int64_t refused = 0;
  while (!console.failed() && judge.next()) {
    const JudgedDataInput& d = judge.current();
    if (d.judgement != Judgement::kRefused) continue;
    ++refused;
    writeCheckLine(file, d, &console);
  }
  if (judge.error() != 0) return catalogue.complain(judge.error());
  const int64_t total = judge.current().number;
  if (total == 0) {
    std::fprintf(stderr, "ugraph: %s: no data-input found\n", file);
  }
  console.write(file);
  console.write(": ");
  writeCount(total, "data-input", console);
  console.write(", ");
  console.write(refused);
  console.write(" refused\n");
  return refused == 0 ? 0 : 1;
}

}  // namespace ugraph
