#include "app/catalogue_judge.h"

#include "graph/analysis.h"
#include "input/catalogue_file.h"

namespace ugraph {

CatalogueJudge::Space CatalogueJudge::shared_;

CatalogueJudge::CatalogueJudge(std::FILE* file, bool analyse)
    : scanner_(file, CatalogueFile::block()), analyse_(analyse) {
  scanner_.countLines();
}

bool CatalogueJudge::next() {
  if (!scanner_.next()) return false;
  space_.current.number = scanner_.number();
  // A check needs the position of a refused data-input only.
  if (analyse_) space_.current.start = scanner_.start();
  std::string_view text;
  const Status viewed = scanner_.view(space_.record, text);
  if (viewed.ok()) {
    judge(text);
  } else {
    if (scanner_.error() != 0) return false;
    refuse(viewed);
  }
  return true;
}

Status CatalogueJudge::status() const {
  return scanner_.error() == 0
             ? Status{}
             : Status::of(Status::Kind::kReadFailed, scanner_.error());
}

void CatalogueJudge::refuse(const Status& refused) {
  space_.current.verdict = GraphClass::kRefused;
  space_.current.status = refused;
  space_.current.start = scanner_.start();
}

void CatalogueJudge::judge(std::string_view text) {
  const ParseResult parsed = parseDataInput(text, space_.parsed);
  if (parsed.refusal != Refusal::kNone) {
    refuse(Status::refused(parsed.refusal,
                           positionIn(scanner_.start(), text, parsed.at)));
    return;
  }
  space_.current.status = {};
  space_.current.verdict = GraphClass::kWellFormed;
  if (!analyse_) return;
  Ugraph& g = space_.current.graph;
  loadDataInput(space_.parsed, g.linkFrom, g.linkTo, g.name);
  analyseGraph(g, space_.current.analysis);
  space_.current.verdict = space_.current.analysis.verdict;
}

}  // namespace ugraph
