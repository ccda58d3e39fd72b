#include "formats/reduced/header.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <cstring>

namespace ugraph {
namespace {

// Whether word is next at text[at], followed by a blank or the line's end;
// moves at past it and the blanks after it when it is.
bool takeWord(std::string_view text, std::size_t& at, std::string_view word) {
  if (text.size() - at < word.size() ||
      std::memcmp(text.data() + at, word.data(), word.size()) != 0) {
    return false;
  }
  const std::size_t end = at + word.size();
  if (end < text.size() && !isBlank(text[end])) return false;
  at = skipBlanks(text, end);
  return true;
}

// A decimal number, or '-' for none (none stays as it is).
bool takeNumber(std::string_view text, std::size_t& at, uint64_t& value) {
  if (at < text.size() && text[at] == '-') {
    at = skipBlanks(text, at + 1);
    return true;
  }
  if (!readNumber(text, at, value).ok()) return false;
  at = skipBlanks(text, at);
  return true;
}

bool takeSigned(std::string_view text, std::size_t& at, int64_t& value) {
  uint64_t v = 0;
  if (!readNumber(text, at, v, true).ok() || v > INT64_MAX) return false;
  value = static_cast<int64_t>(v);
  return true;
}

// Whether two spans come in the order of their first parts.
int byFirst(const void* a, const void* b) {
  const auto& x = *static_cast<const PartSpan*>(a);
  const auto& y = *static_cast<const PartSpan*>(b);
  return x.first < y.first ? -1 : x.first > y.first ? 1 : 0;
}

// Span b, which begins where a ends, joined to a.
void join(PartSpan& a, const PartSpan& b) {
  if (a.refusal == Refusal::kNone && b.refusal != Refusal::kNone) {
    a.refusal = b.refusal;
    a.line = a.lines + b.line;
    a.column = b.column;
    a.found = b.found;
    a.declared = b.declared;
  }
  a.last = b.last;
  a.lines += b.lines;
  a.links += b.links;
}

}  // namespace

ReducedHeader::~ReducedHeader() { std::free(spans_); }

void ReducedHeader::clear() {
  known_ = formatKnown_ = false;
  identity_ = {};
  pathLength_ = formatLength_ = 0;
  nodes_ = -1;
  entries_ = UINT64_MAX;
  foreign_ = 0;
  spanCount_ = 0;
}

LineFault ReducedHeader::readLine(std::string_view text, std::size_t source) {
  std::size_t at = skipBlanks(text, skipBlanks(text, 0) + 1);
  if (takeWord(text, at, "file")) return readFile(text, at, source);
  if (takeWord(text, at, "format")) return readFormat(text, at, source);
  if (takeWord(text, at, "parts")) return readParts(text, at, source);
  return {};
}

LineFault ReducedHeader::readFile(std::string_view text, std::size_t at,
                                  std::size_t source) {
  FileIdentity identity;
  const std::size_t from = at;
  constexpr std::string_view kDigest = "fnv1a64:";
  if (!takeNumber(text, at, identity.size) ||
      text.size() - at < kDigest.size() ||
      std::memcmp(text.data() + at, kDigest.data(), kDigest.size()) != 0) {
    return {kNotReducedLine, from};
  }
  at += kDigest.size();
  const auto parsed = std::from_chars(
      text.data() + at, text.data() + text.size(), identity.digest, 16);
  if (parsed.ec != std::errc()) return {kNotReducedLine, at};
  at = skipBlanks(text, static_cast<std::size_t>(parsed.ptr - text.data()));
  if (known_) {
    if (identity.size == identity_.size && identity.digest == identity_.digest)
      return {};
    foreign_ = source;
    return {kForeignPart, from};
  }
  known_ = true;
  identity_ = identity;
  pathLength_ = std::min(text.size() - at, sizeof(path_));
  std::memcpy(path_, text.data() + at, pathLength_);
  return {};
}

LineFault ReducedHeader::readFormat(std::string_view text, std::size_t at,
                                    std::size_t source) {
  const std::size_t from = at;
  std::size_t end = at;
  while (end < text.size() && !isBlank(text[end])) ++end;
  const std::string_view name(text.data() + at, end - at);
  at = skipBlanks(text, end);
  uint64_t nodes = UINT64_MAX;
  uint64_t entries = UINT64_MAX;
  if (name.empty() || name.size() > sizeof(format_) ||
      !takeWord(text, at, "nodes") || !takeNumber(text, at, nodes) ||
      !takeWord(text, at, "entries") || !takeNumber(text, at, entries) ||
      (nodes != UINT64_MAX && nodes > INT32_MAX)) {
    return {kNotReducedLine, from};
  }
  const int64_t n = nodes == UINT64_MAX ? -1 : static_cast<int64_t>(nodes);
  if (formatKnown_) {
    if (name == format() && n == nodes_ && entries == entries_) return {};
    foreign_ = source;
    return {kForeignPart, from};
  }
  formatKnown_ = true;
  formatLength_ = name.size();
  std::memcpy(format_, name.data(), name.size());
  nodes_ = n;
  entries_ = entries;
  return {};
}

LineFault ReducedHeader::readParts(std::string_view text, std::size_t at,
                                   std::size_t source) {
  PartSpan span;
  span.source = source;
  const std::size_t from = at;
  const auto expect = [&](char c) {
    if (at >= text.size() || text[at] != c) return false;
    ++at;
    return true;
  };
  uint64_t links = 0;
  const bool read = takeSigned(text, at, span.first) && expect('-') &&
                    takeSigned(text, at, span.last) && expect('/') &&
                    takeSigned(text, at, span.count) &&
                    (at = skipBlanks(text, at), takeWord(text, at, "lines")) &&
                    takeSigned(text, at, span.lines) &&
                    (at = skipBlanks(text, at), takeWord(text, at, "links")) &&
                    takeNumber(text, at, links);
  if (!read || span.first > span.last || span.last >= span.count) {
    return {kNotReducedLine, from};
  }
  span.links = links;
  if (takeWord(text, at, "refused")) {
    uint64_t rule = 0;
    const bool placed =
        takeNumber(text, at, rule) && takeSigned(text, at, span.line) &&
        (at = skipBlanks(text, at), takeSigned(text, at, span.column)) &&
        (at = skipBlanks(text, at), takeNumber(text, at, span.found)) &&
        takeNumber(text, at, span.declared);
    if (!placed || rule == 0 || rule > INT32_MAX)
      return {kNotReducedLine, from};
    span.refusal = static_cast<Refusal>(rule);
  }
  if (!add(span)) return {Refusal::kOverMemory, from};
  return {};
}

void ReducedHeader::setFile(const FileIdentity& identity, std::string_view path,
                            std::string_view format, int64_t nodes,
                            uint64_t entries) {
  clear();
  known_ = formatKnown_ = true;
  identity_ = identity;
  pathLength_ = std::min(path.size(), sizeof(path_));
  std::memcpy(path_, path.data(), pathLength_);
  formatLength_ = std::min(format.size(), sizeof(format_));
  std::memcpy(format_, format.data(), formatLength_);
  nodes_ = nodes;
  entries_ = entries;
}

bool ReducedHeader::add(const PartSpan& span) {
  if (spanCount_ == spanRoom_) {
    const std::size_t room = std::max<std::size_t>(16, 2 * spanRoom_);
    auto* const spans =
        static_cast<PartSpan*>(std::realloc(spans_, room * sizeof(PartSpan)));
    if (spans == nullptr) return false;
    spans_ = spans;
    spanRoom_ = room;
  }
  spans_[spanCount_++] = span;
  return true;
}

SpanProblem ReducedHeader::settle(bool whole) {
  if (spanCount_ > 1) std::qsort(spans_, spanCount_, sizeof(PartSpan), byFirst);
  // Sorted by their first parts, a span overlaps the one before that
  // reaches furthest, if any.
  std::size_t furthest = 0;
  for (std::size_t i = 0; i < spanCount_; ++i) {
    const PartSpan& span = spans_[i];
    if (span.count != spans_[0].count) {
      return {kMixedSplit, span, spans_[0]};
    }
    if (i > 0 && spans_[furthest].last >= span.first) {
      PartSpan both = span;
      both.last = std::min(span.last, spans_[furthest].last);
      return {kPartTwice, both, spans_[furthest]};
    }
    if (i == 0 || span.last > spans_[furthest].last) furthest = i;
  }
  std::size_t kept = 0;
  for (std::size_t i = 0; i < spanCount_; ++i) {
    const PartSpan& span = spans_[i];
    if (kept > 0 && spans_[kept - 1].last + 1 == span.first) {
      join(spans_[kept - 1], span);
    } else {
      spans_[kept++] = span;
    }
  }
  spanCount_ = kept;
  if (!whole) return {};
  SpanProblem problem;
  if (kept == 0) {
    problem.refusal = kPartMissing;  // part 0 of 1
    return problem;
  }
  forEachGap([&](const PartSpan& gap) {
    problem = {kPartMissing, gap, {}};
    return false;
  });
  return problem;
}

void ReducedHeader::write(Console& console) const {
  const auto number = [&](uint64_t value) {
    if (value == UINT64_MAX) {
      console.write("-");
    } else {
      console.writeId(value);
    }
  };
  console.write(kReducedMark);
  console.write("\n# file ");
  number(identity_.size);
  char digest[17];
  const auto hex =
      std::to_chars(digest, digest + sizeof(digest), identity_.digest, 16);
  console.write(" fnv1a64:");
  console.write(
      std::string_view(digest, static_cast<std::size_t>(hex.ptr - digest)));
  console.write(" ");
  // The path is told on one line: a line end in it would end the header.
  for (std::size_t i = 0; i < pathLength_; ++i) {
    const char c = path_[i];
    console.write(
        std::string_view(c == '\n' || c == '\r' ? "?" : &path_[i], 1));
  }
  console.write("\n# format ");
  console.write(format());
  console.write(" nodes ");
  number(nodes_ < 0 ? UINT64_MAX : static_cast<uint64_t>(nodes_));
  console.write(" entries ");
  number(entries_);
  console.write("\n");
  const auto put = [&](std::string_view words, int64_t value) {
    console.write(words);
    console.write(value);
  };
  for (std::size_t i = 0; i < spanCount_; ++i) {
    const PartSpan& s = spans_[i];
    put("# parts ", s.first);
    put("-", s.last);
    put("/", s.count);
    put(" lines ", s.lines);
    console.write(" links ");
    console.writeId(s.links);
    if (s.refusal != Refusal::kNone) {
      put(" refused ", static_cast<int64_t>(s.refusal));
      put(" ", s.line);
      put(" ", s.column);
      console.write(" ");
      console.writeId(s.found);
      console.write(" ");
      console.writeId(s.declared);
    }
    console.write("\n");
  }
}

void writeReducedLink(uint64_t a, uint64_t b, Console& console) {
  console.writeId(a);
  console.write(" ");
  console.writeId(b);
  console.write("\n");
}

}  // namespace ugraph
