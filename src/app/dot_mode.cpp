#include <cstdio>

#include "app/catalogue_file.h"
#include "app/catalogue_judge.h"
#include "app/catalogue_modes.h"
#include "app/drawing.h"

namespace ugraph {

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
    writeDrawing(d, console);
    return 0;
  }
  if (judge.error() != 0) return catalogue.complain(judge.error());
  std::fprintf(stderr, "ugraph: %s has no data-input %lld\n", file,
               static_cast<long long>(number));
  return 1;
}

}  // namespace ugraph
