// The reader of a catalogue: its data-inputs in turn, each refused for the
// first rule it breaks, exactly as the dialogue refuses it when chosen, or
// read into the judge's record and rows.
#ifndef UGRAPH_FORMATS_CATALOGUE_READER_H_
#define UGRAPH_FORMATS_CATALOGUE_READER_H_

#include <string_view>

#include "base/block_reader.h"
#include "batch/judged_graph.h"
#include "formats/catalogue/data_input.h"
#include "formats/catalogue/scanner.h"

namespace ugraph {

// A reader of graphs (see judged_graph.h).
class CatalogueReader {
 public:
  // Reads through reader, copying a data-input that does not lie whole in
  // its block into record. With analyse false, data-inputs are only
  // checked, and read when loaded; without starts, one not refused has no
  // start. With lowerRows, rows are lower rows, their links counted (see
  // parseDataInputLowerRows). REQUIRES: reader and record outlive this
  // reader.
  CatalogueReader(BlockReader& reader, DataInputText& record, bool analyse,
                  bool starts, bool lowerRows)
      : reader_(reader),
        scanner_(reader),
        record_(record),
        analyse_(analyse),
        starts_(starts),
        lowerRows_(lowerRows) {}

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
