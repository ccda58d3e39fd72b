#include "formats/edges/format.h"

namespace ugraph {
namespace edges_format {
namespace {

constexpr Refusal kOneId = static_cast<Refusal>(kOwnRefusals + 64);
constexpr Refusal kNoSides = static_cast<Refusal>(kOwnRefusals + 65);
constexpr Refusal kLooksLikeMetis = static_cast<Refusal>(kOwnRefusals + 66);

// Moves at past what parts two fields: blanks and tabs, with at most one
// comma among them.
std::size_t skipSeparator(std::string_view text, std::size_t at) {
  at = skipBlanks(text, at);
  if (at < text.size() && text[at] == ',') at = skipBlanks(text, at + 1);
  return at;
}

// The fields of a line, parted as skipSeparator parts them, counted up to
// 5; whether every one begins with a byte that is not a digit.
struct Fields {
  int count = 0;
  bool named = true;
  // Column names: two fields or more, none of them a number.
  bool header() const { return named && count >= 2; }
};
Fields fieldsOf(std::string_view text) {
  Fields f;
  for (std::size_t at = skipSeparator(text, 0); at < text.size() && f.count < 5;
       at = skipSeparator(text, at)) {
    f.named = f.named && !isDigitByte(text[at]);
    ++f.count;
    while (at < text.size() && !isBlank(text[at]) && text[at] != ',') ++at;
  }
  return f;
}

// The words after a comment's mark, past blanks.
std::string_view commentWords(std::string_view text) {
  const std::size_t at = skipBlanks(text, skipBlanks(text, 0) + 1);
  return {text.data() + at, text.size() - at};
}

class Grammar {
 public:
  LineFault line(std::string_view text, LinkFile& file) {
    ++number_;
    std::size_t at = skipBlanks(text, 0);
    if (at == text.size()) return {};
    if (text[at] == '#' || text[at] == '%') {
      comment(text);
      return {};
    }
    if (!data_) {
      // The first line that is no comment may name the columns.
      data_ = true;
      const Fields fields = fieldsOf(text);
      if (fields.header()) return {};
      firstFields_ = fields.count;
      firstLine_ = number_;
    } else if (looked_ < kLooks) {
      ++looked_;
      const int count = fieldsOf(text).count;
      if (later_ == 0) later_ = count;
      varies_ = varies_ || count != later_;
    }
    if (bipartite_ && !sides_) return {kNoSides, at};
    uint64_t a = 0;
    uint64_t b = 0;
    const std::size_t first = at;
    LineFault fault = readNumber(text, at, a);
    if (!fault.ok()) return fault;
    at = skipSeparator(text, at);
    if (at == text.size()) {
      suggestMetis(file);
      return {kOneId, first};
    }
    const std::size_t second = at;
    fault = readNumber(text, at, b);
    if (!fault.ok()) return fault;
    if (bipartite_) {
      // The right-hand side is numbered after the left.
      if (b > UINT64_MAX - left_) return {kNumberTooLarge, second};
      b += left_;
    }
    file.link(a, b);
    return {};
  }

  LineFault end(LinkFile& file) {
    suggestMetis(file);
    return {};
  }

  bool holdsGraph() const { return data_; }

 private:
  // Looks at this many lines after the first for the shape of METIS.
  static constexpr int kLooks = 1000;

  // KONECT's comments: "% bip ..." first declares two sides, which the
  // second line "% m n1 n2" numbers.
  void comment(std::string_view text) {
    const std::string_view words = commentWords(text);
    if (number_ == 1 && text[skipBlanks(text, 0)] == '%' &&
        words.starts_with("bip") && (words.size() == 3 || isBlank(words[3]))) {
      bipartite_ = true;
    } else if (number_ == 2 && bipartite_) {
      uint64_t numbers[3] = {};
      std::size_t at = 0;
      for (uint64_t& n : numbers) {
        if (!readNumber(words, at, n).ok()) return;
        at = skipBlanks(words, at);
      }
      left_ = numbers[1];
      sides_ = true;
    }
  }

  // A first line of two to four numbers, then lines of varying length,
  // is a METIS header and its nodes' lines more likely than links.
  void suggestMetis(LinkFile& file) const {
    if (firstFields_ >= 2 && firstFields_ <= 4 && varies_) {
      file.warn(kLooksLikeMetis, firstLine_);
    }
  }

  int64_t number_ = 0;
  bool data_ = false;
  bool bipartite_ = false;
  bool sides_ = false;
  uint64_t left_ = 0;
  int firstFields_ = 0;
  int64_t firstLine_ = 0;
  int later_ = 0;
  int looked_ = 0;
  bool varies_ = false;
};

}  // namespace

// The first line that is no comment, and the next when that one names
// columns.
bool wantsMore(std::string_view start, std::size_t room) {
  if (!wantsDataLines(start, room, 1)) {
    bool header = false;
    forEachDataLine(start, [&](std::string_view line) {
      header = fieldsOf(line).header();
      return false;
    });
    return header && wantsDataLines(start, room, 2);
  }
  return start.size() < room;
}

// Lines of two or more ids, after a line of column names if there is one.
Sign sign(std::string_view start, std::string_view /*fileName*/) {
  bool links = false;
  bool first = true;
  forEachDataLine(start, [&](std::string_view line) {
    const Fields fields = fieldsOf(line);
    if (first && fields.header()) {
      first = false;
      return true;
    }
    std::size_t at = skipBlanks(line, 0);
    uint64_t id = 0;
    links = readNumber(line, at, id).ok();
    at = skipSeparator(line, at);
    links = links && readNumber(line, at, id).ok();
    return false;
  });
  return links ? Sign::kWeak : Sign::kNone;
}

GraphReader open(ReaderRoom& room, const ReaderSetup& setup) {
  return openLinkFile<Grammar>(room, setup);
}

std::string_view phrase(Refusal refusal) {
  if (refusal == kOneId) return "has one id where a link needs two";
  if (refusal == kNoSides) {
    return "is bipartite ('% bip') without the second line '% m n1 n2' "
           "that numbers its sides";
  }
  if (refusal == kLooksLikeMetis) {
    return "looks like METIS: a header of two to four numbers, then lines "
           "of varying length; read it with --from=metis if it is one";
  }
  return linkFileRefusalPhrase(refusal);
}

}  // namespace edges_format
}  // namespace ugraph
