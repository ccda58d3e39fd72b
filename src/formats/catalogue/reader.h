// The reader of a catalogue: its data-inputs in turn, each refused for the
// first rule it breaks, exactly as the dialogue refuses it when chosen, or
// read into the judge's record and rows.
#ifndef UGRAPH_FORMATS_CATALOGUE_READER_H_
#define UGRAPH_FORMATS_CATALOGUE_READER_H_

#include <string_view>

#include "base/block_reader.h"
#include "formats/catalogue/data_input.h"
#include "formats/catalogue/scanner.h"
#include "formats/graph_reader.h"

namespace ugraph {

// A reader of graphs (see graph_reader.h).
class CatalogueReader {
 public:
  // Reads through setup.reader, copying a data-input that does not lie
  // whole in its block into setup.record. Without needs.starts, one not
  // refused has no start. Without needs.walk, rows are lower rows, their
  // links counted (see parseDataInputLowerRows).
  explicit CatalogueReader(const ReaderSetup& setup)
      : reader_(setup.reader),
        scanner_(setup.reader),
        record_(setup.record),
        analyse_(setup.analyse),
        starts_(setup.needs.starts),
        lowerRows_(!setup.needs.walk) {}

  bool next(JudgedGraph& d);
  bool load(JudgedGraph& d);

 private:
  void refuse(JudgedGraph& d, const Status& refused);

  BlockReader& reader_;
  CatalogueScanner scanner_;
  DataInputText& record_;
  // The current data-input's text, while the judge is at it: one only
  // checked is parsed again when it is loaded.
  std::string_view text_;
  bool analyse_;
  bool starts_;
  bool lowerRows_;
};

}  // namespace ugraph

#endif  // UGRAPH_FORMATS_CATALOGUE_READER_H_
