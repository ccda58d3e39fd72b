#include "formats/graph6/reader.h"

namespace ugraph {

LineReader::LineReader(const ReaderSetup& setup)
    : lines_(setup.reader),
      lists_(setup.lists),
      analyse_(setup.analyse),
      lowerRows_(!setup.needs.walk),
      maxMemory_(setup.needs.maxMemory) {
  lines_.setLimit(maxMemory_);
  const std::size_t header = headerLength(setup.reader.peeked());
  setup.reader.skip(header);
  lines_.setHeader(header);
}

bool LineReader::next(JudgedGraph& d) {
  if (!lines_.next()) return false;
  d.number = lines_.number();
  d.start = {lines_.number(), 1};
  d.lists = nullptr;
  if (lines_.notHeld()) {
    // A line the ceiling allows that was not held was denied its room.
    refuseForMemory(d, lines_.length(), lines_.length() <= maxMemory_);
    return true;
  }
  const std::string_view text = lines_.text();
  if (headerLength(text) != 0) {
    refuse(d, Status::refused(Refusal::kHeaderNotFirst, d.start));
    return true;
  }
  const ParseResult parsed = readLineHead(text, head_);
  if (parsed.refusal != Refusal::kNone) {
    refuse(d, Status::refused(
                  parsed.refusal,
                  {lines_.number(),
                   static_cast<int64_t>(lines_.shift() + parsed.at) + 1}));
    return true;
  }
  // A graph of a few nodes is held as rows, as a data-input is, unless it
  // has more entries than the record holds: only n * n entries (a link to
  // every node, itself too) can, so only then are they counted.
  large_ = head_.n > kMaxNodes;
  if (!large_ && lowerRows_) {
    d.links = decodeLowerRows(text, head_, d.analysis.rows);
    d.graph.linkTo[0] = head_.n;
  } else if (!large_) {
    decodeRows(text, head_, d.analysis.rows);
    d.graph.linkTo[0] = head_.n;
    large_ = head_.n * head_.n > kMaxEntries &&
             entriesIn(d.analysis.rows, head_.n) > kMaxEntries;
  }
  if (large_ && analyse_ && lowerRows_) {
    judgeInOnePass(d);
    return true;
  }
  if (large_ && !readLarge(d, analyse_)) return true;
  d.status = {};
  d.verdict = GraphClass::kWellFormed;
  d.nodes = head_.n;
  return true;
}

bool LineReader::load(JudgedGraph& d) { return !large_ || readLarge(d, true); }

bool LineReader::readLarge(JudgedGraph& d, bool build) {
  const std::string_view text = lines_.text();
  const auto each = [&](auto&& sink) { forEachLineLink(text, head_, sink); };
  const uint64_t fixed = lines_.length() + listsBytes(head_.n, 0);
  if (fixed > maxMemory_) {
    refuseForMemory(d, fixed);
    return false;
  }
  const uint64_t maxEntries = (maxMemory_ - fixed) / kBytesPerEntry;
  if (!build) {
    // Only checked: what the lists would need is counted, not had.
    uint64_t entries = 0;
    uint64_t links = 0;
    each([&](int32_t a, int32_t b) {
      entries += a == b ? 1 : 2;
      ++links;
    });
    if (links > kMaxListLinks) {
      refuseForLinks(d);
      return false;
    }
    if (entries > maxEntries) {
      refuseForMemory(d, fixed + entries * kBytesPerEntry);
      return false;
    }
    return true;
  }
  if (!lists_.startGraph(head_.n)) {
    refuseForMemory(d, fixed, true);
    return false;
  }
  if (!lists_.build(each, maxEntries)) {
    if (lists_.linksAsked() > kMaxListLinks) {
      refuseForLinks(d);
      return false;
    }
    const auto entries = static_cast<uint64_t>(lists_.entries());
    refuseForMemory(d, fixed + entries * kBytesPerEntry, entries <= maxEntries);
    return false;
  }
  d.lists = &lists_;
  return true;
}

void LineReader::judgeInOnePass(JudgedGraph& d) {
  const uint64_t need = lines_.length() + LinkForest::bytes(head_.n);
  if (need > maxMemory_) return refuseForMemory(d, need);
  if (!forest_.start(head_.n)) return refuseForMemory(d, need, true);
  uint64_t links = 0;
  forEachLineLink(lines_.text(), head_, [&](int32_t a, int32_t b) {
    forest_.link(a, b);
    ++links;
  });
  if (links > kMaxListLinks) return refuseForLinks(d);
  if (forest_.failed()) return refuseForMemory(d, need, true);
  d.status = {};
  d.verdict = forest_.verdict();
  d.nodes = head_.n;
  d.parts = forest_.parts();
  d.links = 0;  // not told from repeats in one pass
}

void LineReader::refuseForMemory(JudgedGraph& d, uint64_t need, bool denied) {
  Status refused = Status::refused(Refusal::kOverMemory, {lines_.number(), 1});
  refused.need = need;
  refused.ceiling = denied ? 0 : maxMemory_;
  refuse(d, refused);
}

void LineReader::refuseForLinks(JudgedGraph& d) {
  refuse(d, Status::refused(Refusal::kTooManyLineLinks, {lines_.number(), 1}));
}

void LineReader::refuse(JudgedGraph& d, const Status& refused) {
  d.verdict = GraphClass::kRefused;
  d.status = refused;
  d.lists = nullptr;
}

}  // namespace ugraph
