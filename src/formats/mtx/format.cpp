#include "formats/mtx/format.h"

namespace ugraph {
namespace mtx_format {
namespace {

constexpr Refusal kNoSize = static_cast<Refusal>(kOwnRefusals + 100);

constexpr std::string_view kBanner = "%%MatrixMarket";

// Whether word, at text[at], is next, in any case, followed by a blank or
// the end; moves at past it when it is.
bool takeWord(std::string_view text, std::size_t& at, std::string_view word) {
  if (text.size() - at < word.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    const char c = text[at + i];
    const char lower = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
    if (lower != word[i]) return false;
  }
  const std::size_t end = at + word.size();
  if (end < text.size() && !isBlank(text[end])) return false;
  at = skipBlanks(text, end);
  return true;
}

bool hasBanner(std::string_view text) {
  std::size_t at = 0;
  return takeWord(text, at, "%%matrixmarket");
}

class Grammar {
 public:
  LineFault line(std::string_view text, LinkFile& file) {
    ++number_;
    if (number_ == 1 && hasBanner(text)) return banner(text);
    std::size_t at = skipBlanks(text, 0);
    if (at == text.size() || text[at] == '%') return {};
    data_ = true;
    if (!sized_) return size(text, at, file);
    ++entries_;
    // A part's entries are counted by the merge, which checks them against
    // the size line; here each is a link.
    if (entries_ > declared_ && !file.partial()) {
      // Counted to the end, to name both numbers.
      if (extraAt_ == 0) extraAt_ = number_;
      return {};
    }
    uint64_t i = 0;
    uint64_t j = 0;
    for (uint64_t* k : {&i, &j}) {
      const std::size_t from = at;
      const LineFault fault = readNumber(text, at, *k);
      if (!fault.ok()) return fault;
      if (*k == 0 || *k > rows_) return {kNodeOutside, from, *k, rows_};
      at = skipBlanks(text, at);
    }
    file.link(i, j);
    return {};
  }

  LineFault end(LinkFile& file) {
    if (!sized_) return {kNoSize, 0};
    if (entries_ != declared_ && !file.partial()) {
      LineFault fault{kEntriesDiffer, 0, entries_, declared_};
      fault.line = extraAt_;
      return fault;
    }
    return {};
  }

  bool holdsGraph() const { return data_; }

 private:
  // "%%MatrixMarket matrix coordinate FIELD SYMMETRY": any field and
  // symmetry, as every stored entry is a link whatever its value.
  static LineFault banner(std::string_view text) {
    std::size_t at = 0;
    takeWord(text, at, "%%matrixmarket");
    if (!takeWord(text, at, "matrix")) return {kNotAMatrix, at};
    if (takeWord(text, at, "array")) return {kArray, 0};
    if (!takeWord(text, at, "coordinate")) return {kArray, at};
    return {};
  }

  LineFault size(std::string_view text, std::size_t at, LinkFile& file) {
    uint64_t counts[3] = {};
    for (uint64_t& n : counts) {
      const LineFault fault = readNumber(text, at, n);
      if (!fault.ok()) return fault;
      at = skipBlanks(text, at);
    }
    if (counts[0] != counts[1]) return {kNotSquare, 0, counts[0], counts[1]};
    rows_ = counts[0];
    declared_ = counts[2];
    sized_ = true;
    file.declareEntries(declared_);
    return file.declare(rows_);
  }

  int64_t number_ = 0;
  bool data_ = false;
  bool sized_ = false;
  uint64_t rows_ = 0;
  uint64_t declared_ = 0;
  uint64_t entries_ = 0;
  int64_t extraAt_ = 0;
};

}  // namespace

bool wantsMore(std::string_view start, std::size_t room) {
  return start.size() < kBanner.size() && start.size() < room &&
         kBanner.starts_with(start);
}

// Its banner, or a name ending ".mtx" (Network Repository's files often
// have a banner of one '%', or none).
Sign sign(std::string_view start, std::string_view fileName) {
  bool whole = false;
  return hasBanner(firstLineOf(start, whole)) || nameEndsWith(fileName, ".mtx")
             ? Sign::kStrong
             : Sign::kNone;
}

GraphReader open(ReaderRoom& room, const ReaderSetup& setup) {
  return openLinkFile<Grammar>(room, setup);
}

std::string_view phrase(Refusal refusal) {
  if (refusal == kNotAMatrix) {
    return "is a Matrix Market object other than a matrix";
  }
  if (refusal == kArray) {
    return "is a dense Matrix Market array, not a coordinate matrix";
  }
  if (refusal == kNotSquare) {
    return "is a matrix of {} rows and {} columns: only a square one is a "
           "graph";
  }
  if (refusal == kEntriesDiffer) {
    return "has {} entries where its size line declares {}";
  }
  if (refusal == kNoSize) return "has no size line 'M N NNZ'";
  return linkFileRefusalPhrase(refusal);
}

}  // namespace mtx_format
}  // namespace ugraph
