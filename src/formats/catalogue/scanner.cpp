#include "formats/catalogue/scanner.h"

#include <span>

#include "base/bytes.h"

namespace ugraph {

bool CatalogueScanner::next() {
  if (open_ && !reader_.skipThrough(']')) return false;
  open_ = false;
  if (!reader_.skipThrough('[')) return false;
  ++number_;
  startOffset_ = reader_.offset() - 1;  // the '[' just read
  if (reader_.countingLines()) reader_.pin(startOffset_);
  open_ = true;
  return true;
}

// The mark stands right after the '[', which never ends a line.
FilePosition CatalogueScanner::markPosition() {
  FilePosition at = start();
  ++at.column;
  return at;
}

Status CatalogueScanner::copy(DataInputText& record, std::string_view& text) {
  const int mark = reader_.get();
  if (mark != 'U' && mark != 'u') {
    if (mark == ']') open_ = false;
    return Status::refused(Refusal::kNotMarked,
                           mark == EOF ? start() : markPosition());
  }

  constexpr std::size_t kHead = 2;  // '[' and the mark
  record[0] = '[';
  record[1] = 'U';
  bool closed = false;
  const std::size_t copied = reader_.readUntil(
      ']', std::span(record).subspan(kHead, kMaxDataInputLength - kHead),
      closed);
  if (!closed) {
    // A full record is too long if anything at all follows it; when that
    // is the ']', the data-input ends there.
    const bool full = copied == kMaxDataInputLength - kHead;
    const int after = full ? reader_.get() : EOF;
    if (after == ']') open_ = false;
    return Status::refused(
        after == EOF ? Refusal::kUnclosed : Refusal::kTooLong, start());
  }
  open_ = false;
  const std::size_t length = kHead + copied + 1;
  record[length - 1] = ']';
  record[length] = '\0';
  text = std::string_view(record.data(), length);
  return {};
}

Status CatalogueScanner::view(DataInputText& record, std::string_view& text) {
  text = reader_.takeThrough(']', kMaxDataInputLength);
  if (text.empty()) return copy(record, text);
  open_ = false;
  if (text[1] != 'U' && text[1] != 'u') {
    return Status::refused(Refusal::kNotMarked, markPosition());
  }
  return {};
}

bool CatalogueScanner::restart(int64_t offset, int64_t number) {
  number_ = number;
  open_ = false;
  return reader_.seek(offset);
}

FilePosition positionIn(const FilePosition& start, std::string_view text,
                        std::size_t at) {
  std::size_t lastEnd = at;  // the last line end before byte at, if any
  FilePosition p = start;
  p.line += countByte(text.substr(0, at), '\n', lastEnd);
  p.column = lastEnd == at ? start.column + static_cast<int64_t>(at)
                           : static_cast<int64_t>(at - lastEnd);
  return p;
}

}  // namespace ugraph
