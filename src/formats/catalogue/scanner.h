// The catalogue scanner: the one scan of the graph data file that finds its
// data-inputs. A data-input starts at a '[' and runs to the first ']' after
// it; data-inputs are numbered from 1 in file order, and free text between
// them is passed over. Listing, locating a chosen data-input and checking
// a whole catalogue all scan through this type, so a number means the same
// data-input everywhere.
#ifndef UGRAPH_FORMATS_CATALOGUE_SCANNER_H_
#define UGRAPH_FORMATS_CATALOGUE_SCANNER_H_

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string_view>

#include "base/block_reader.h"
#include "formats/catalogue/data_input.h"

namespace ugraph {

class CatalogueScanner {
 public:
  // Scans what reader reads. REQUIRES: reader outlives the scanner, and
  // nothing else reads through it meanwhile.
  explicit CatalogueScanner(BlockReader& reader) : reader_(reader) {}

  // Makes start() and copy() give lines and columns; without it they give
  // line 1, column 1.
  // REQUIRES: nothing has been scanned yet.
  void countLines() { reader_.countLines(); }

  // Passes over the rest of the current data-input and the free text after
  // it to the next '['. Returns false at the end of the file, or when it
  // cannot be read (error()).
  bool next();

  // The current data-input's number, from 1 (0 before the first).
  int64_t number() const { return number_; }
  // The offset of the current data-input's '['.
  int64_t startOffset() const { return startOffset_; }
  // Where the current data-input's '[' stands: the lines are counted up to
  // it only when this is asked for.
  FilePosition start() {
    return reader_.countingLines() ? reader_.pinned() : FilePosition{};
  }

  // Hands every byte after the current data-input's '[' up to its ']' to
  // sink(std::string_view) in pieces. Returns false when the file ended
  // before the ']'. REQUIRES: nothing of the data-input read yet.
  template <class Sink>
  bool echo(Sink&& sink) {
    open_ = false;
    return reader_.copyThrough(']', sink);
  }

  // Copies the current data-input into record as it is loaded: the mark
  // must be 'U' or 'u', and a ']' must close it within kMaxDataInputLength
  // characters. Returns kOk with text set to '[' through ']' in record,
  // the mark stored as 'U'; or kRefused for kNotMarked, kUnclosed or
  // kTooLong, with where the fault lies.
  // REQUIRES: nothing of the data-input read yet.
  Status copy(DataInputText& record, std::string_view& text);

  // Checks the current data-input as copy() does and gives the same
  // outcome, except that text may be a view of the scanner's block (valid
  // until the next call) with the mark as it stands in the file. Falls
  // back on copy() when the whole data-input is not in the block.
  // REQUIRES: nothing of the data-input read yet.
  Status view(DataInputText& record, std::string_view& text);

  // Goes back to offset, where data-input number + 1 is expected to start;
  // false when the file cannot seek. Lines are not counted from then on.
  bool restart(int64_t offset, int64_t number);

  // The errno of a read that failed, else 0.
  int error() const { return reader_.error(); }

 private:
  FilePosition markPosition();

  BlockReader& reader_;
  int64_t number_ = 0;
  int64_t startOffset_ = 0;
  bool open_ = false;  // the current data-input's ']' is still unread
};

// Where byte `at` of a data-input's text lies in the file, given where its
// '[' (byte 0) lies. REQUIRES: at <= text.size().
FilePosition positionIn(const FilePosition& start, std::string_view text,
                        std::size_t at);

}  // namespace ugraph

#endif  // UGRAPH_FORMATS_CATALOGUE_SCANNER_H_
