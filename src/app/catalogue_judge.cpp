#include "app/catalogue_judge.h"

#include "graph/adjacency.h"

namespace ugraph {

CatalogueJudge::CatalogueJudge(std::FILE* file, FileBlock& block, bool analyse)
    : scanner_(file, block), analyse_(analyse) {
  scanner_.countLines();
}

bool CatalogueJudge::next() {
  if (!scanner_.next()) return false;
  current_.number = scanner_.number();
  // A check needs the position of a refused data-input only.
  if (analyse_) current_.start = scanner_.start();
  const DataInputCopy copy = scanner_.view(record_);
  if (copy.refusal == Refusal::kNone) {
    judge(copy.text);
  } else {
    if (scanner_.error() != 0) return false;
    refuse(copy.refusal, copy.at);
  }
  return true;
}

void CatalogueJudge::refuse(Refusal refusal, const FilePosition& at) {
  current_.judgement = Judgement::kRefused;
  current_.refusal = refusal;
  current_.start = scanner_.start();
  current_.refusedAt = at;
}

void CatalogueJudge::judge(std::string_view text) {
  const ParseResult parsed = parseDataInput(text, parsed_);
  if (parsed.refusal != Refusal::kNone) {
    refuse(parsed.refusal, positionIn(scanner_.start(), text, parsed.at));
    return;
  }
  current_.refusal = Refusal::kNone;
  current_.judgement = Judgement::kWellFormed;
  if (!analyse_) return;
  Ugraph& g = current_.graph;
  const int32_t entries = storeDataInput(parsed_, g.linkFrom, g.linkTo, g.name);
  buildAdjacencyIndex(g.linkFrom, g.linkTo, g.degree, g.firstLink);
  walkGraph(g.linkFrom, g.linkTo, g.firstLink, current_.walk);
  if (entries == 0) {
    current_.judgement = Judgement::kNoLink;
    return;
  }
  switch (classifyWalk(current_.walk, g.linkTo[0], g.linkFrom[0])) {
    case GraphClass::kTree:
      current_.judgement = Judgement::kTree;
      break;
    case GraphClass::kConnectedNotTree:
      current_.judgement = Judgement::kConnectedNotTree;
      break;
    case GraphClass::kNotConnected:
      current_.judgement = Judgement::kNotConnected;
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
