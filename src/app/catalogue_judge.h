// Judges every data-input of a catalogue in one pass, front to back, in
// constant memory: each is refused for the first rule it breaks, exactly as
// the dialogue refuses it when it is chosen, or loaded, normalised, indexed
// and walked as the dialogue analyses it. The batch modes read the
// catalogue through this type.
#ifndef UGRAPH_APP_CATALOGUE_JUDGE_H_
#define UGRAPH_APP_CATALOGUE_JUDGE_H_

#include <cstdint>
#include <cstdio>

#include "graph/analysis.h"
#include "graph/ugraph.h"
#include "input/block_reader.h"
#include "input/catalogue.h"
#include "input/data_input.h"

namespace ugraph {

// One data-input as the batch modes see it.
struct JudgedDataInput {
  int64_t number = 0;
  FilePosition start;  // its '[' (with analyse false: when refused only)
  GraphClass verdict = GraphClass::kRefused;
  // kRefused for a refused data-input: the rule it breaks and where the
  // fault lies. kOk otherwise.
  Status status;
  // The rest unless refused. The graph as the dialogue analyses it, after
  // its summary line: name, node count linkTo[0], normalised entries.
  Ugraph graph;
  Analysis analysis;
};

class CatalogueJudge {
 public:
  // With analyse false, data-inputs are only checked: one not refused is
  // kWellFormed, its graph and walk left unset. Its storage is large, so it
  // is static: one judge works at a time.
  // REQUIRES: as for CatalogueScanner; no other judge is in use.
  CatalogueJudge(std::FILE* file, bool analyse);

  // Judges the next data-input; false when the catalogue is over or cannot
  // be read (status()).
  bool next();
  const JudgedDataInput& current() const { return space_.current; }
  // kReadFailed, with the errno, once the catalogue could not be read;
  // else kOk.
  Status status() const;

 private:
  void judge(std::string_view text);
  void refuse(const Status& refused);

  // What the judge works in beside the catalogue's block.
  struct Space {
    DataInputText record;
    DataInput parsed;
    JudgedDataInput current;
  };
  static Space shared_;

  Space& space_ = shared_;

  CatalogueScanner scanner_;
  bool analyse_;
};

}  // namespace ugraph

#endif  // UGRAPH_APP_CATALOGUE_JUDGE_H_
