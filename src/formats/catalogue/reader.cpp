#include "formats/catalogue/reader.h"

namespace ugraph {
namespace {

// Where a data-input is read to: the graph's record and rows.
DataInputGraph readInto(JudgedGraph& d) {
  return {d.graph.name, d.graph.linkTo[0], d.analysis.rows};
}

}  // namespace

bool CatalogueReader::next(JudgedGraph& d) {
  if (!scanner_.next()) return false;
  d.number = scanner_.number();
  // A check needs the position of a refused data-input only.
  if (analyse_ && starts_) d.start = scanner_.start();
  const Status viewed = scanner_.view(record_, text_);
  if (!viewed.ok()) {
    if (reader_.error() != 0) return false;
    refuse(d, viewed);
    return true;
  }
  int32_t links = 0;
  const ParseResult parsed =
      !analyse_    ? checkDataInput(text_)
      : lowerRows_ ? parseDataInputLowerRows(text_, readInto(d), links)
                   : parseDataInputRows(text_, readInto(d));
  d.links = links;
  if (parsed.refusal != Refusal::kNone) {
    refuse(d, Status::refused(parsed.refusal,
                              positionIn(scanner_.start(), text_, parsed.at)));
    return true;
  }
  d.status = {};
  d.verdict = GraphClass::kWellFormed;
  // Only checked, a data-input's node count is not known until it is read.
  // Analysed, the judge takes it from the record: read here, it would wait
  // on the parse, where nothing else does (see countLowerParts).
  if (!analyse_) d.nodes = 0;
  return true;
}

bool CatalogueReader::load(JudgedGraph& d) {
  parseDataInputRows(text_, readInto(d));
  d.nodes = d.graph.linkTo[0];
  return true;
}

void CatalogueReader::refuse(JudgedGraph& d, const Status& refused) {
  d.verdict = GraphClass::kRefused;
  d.status = refused;
  d.start = scanner_.start();
}

}  // namespace ugraph
