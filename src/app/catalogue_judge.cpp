#include "app/catalogue_judge.h"

#include "graph/adjacency.h"
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
  space_.current.judgement = Judgement::kRefused;
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
  space_.current.judgement = Judgement::kWellFormed;
  if (!analyse_) return;
  Ugraph& g = space_.current.graph;
  const int32_t entries =
      storeDataInput(space_.parsed, g.linkFrom, g.linkTo, g.name);
  buildAdjacencyIndex(g.linkFrom, g.linkTo, g.degree, g.firstLink);
  walkGraph(g.linkFrom, g.linkTo, g.firstLink, space_.current.walk);
  if (entries == 0) {
    space_.current.judgement = Judgement::kNoLink;
    return;
  }
  switch (classifyWalk(space_.current.walk, g.linkTo[0], g.linkFrom[0])) {
    case GraphClass::kTree:
      space_.current.judgement = Judgement::kTree;
      break;
    case GraphClass::kConnectedNotTree:
      space_.current.judgement = Judgement::kConnectedNotTree;
      break;
    case GraphClass::kNotConnected:
      space_.current.judgement = Judgement::kNotConnected;
      break;
  }
}

std::string_view judgementWords(Judgement judgement) {
  switch (judgement) {
    case Judgement::kRefused:
      return "refused";
    case Judgement::kWellFormed:
      return "well-formed";
    case Judgement::kNoLink:
      return "no link";
    case Judgement::kTree:
      return "connected and is a tree";
    case Judgement::kConnectedNotTree:
      return "connected but not a tree";
    case Judgement::kNotConnected:
      break;
  }
  return "not connected";
}

}  // namespace ugraph
