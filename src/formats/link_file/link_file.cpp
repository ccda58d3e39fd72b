#include "formats/link_file/link_file.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>

namespace ugraph {

alignas(64) NodeIds LinkFile::ids_;
alignas(64) LinkForest LinkFile::forest_;
LinkFile::Pair LinkFile::late_[kLate];
LinkFile::IdPair LinkFile::idsLate_[kIdsLate];

std::string_view linkFileRefusalPhrase(Refusal refusal) {
  if (refusal == kNotANumber) {
    return "has a field that is not a non-negative decimal number";
  }
  if (refusal == kNumberTooLarge) {
    return "has a number past 18446744073709551615";
  }
  if (refusal == kNodeOutside) return "names node {}, outside 1 to {}";
  if (refusal == kNumberMissing) return "ends where a number is due";
  if (refusal == kLinksDiffer) {
    return "holds {} distinct links where its header declares {}; it is "
           "judged by its lines";
  }
  if (refusal == kOneGraphOnly) {
    return "follows the first graph of its file, and an edge list holds one";
  }
  if (refusal == kLoneNodeForEdges) {
    return "has a node without links, which an edge list cannot hold";
  }
  return "";
}

LineFault readNumber(std::string_view text, std::size_t& at, uint64_t& value,
                     bool any) {
  const std::size_t start = at;
  if (at == text.size()) return {kNumberMissing, at};
  uint64_t v = 0;
  while (at < text.size() && isDigitByte(text[at])) {
    const auto digit = static_cast<uint64_t>(text[at] - '0');
    if (v > (UINT64_MAX - digit) / 10) return {kNumberTooLarge, start};
    v = v * 10 + digit;
    ++at;
  }
  const bool ended = at == text.size() || isBlank(text[at]) ||
                     text[at] == ',' || (any && at > start);
  if (at == start || !ended) return {kNotANumber, start};
  value = v;
  return {};
}

bool isBlankLine(std::string_view text) {
  return skipBlanks(text, 0) == text.size();
}

bool startsWith(std::string_view text, char mark) {
  const std::size_t at = skipBlanks(text, 0);
  return at < text.size() && text[at] == mark;
}

std::string_view graphNameOf(std::string_view fileName) {
  const std::size_t slash = fileName.rfind('/');
  if (slash != std::string_view::npos) fileName.remove_prefix(slash + 1);
  for (const std::string_view suffix : {".gz", ".bz2", ".xz", ".zst"}) {
    if (fileName.size() > suffix.size() && fileName.ends_with(suffix)) {
      fileName.remove_suffix(suffix.size());
      break;
    }
  }
  return fileName;
}

LinkFile::LinkFile(const ReaderSetup& setup)
    : reader_(setup.reader),
      progress_(setup.needs.progress, setup.fileName, setup.needs.totalBytes),
      lines_(setup.reader),
      lists_(setup.lists),
      road_(setup.analyse && !setup.needs.walk    ? Road::kStream
            : !setup.analyse && !setup.needs.load ? Road::kCheck
                                                  : Road::kWalk),
      analyse_(setup.analyse),
      maxMemory_(setup.needs.maxMemory),
      name_(graphNameOf(setup.fileName)),
      reduce_(setup.needs.reduce && road_ == Road::kStream),
      part_(setup.needs.part) {
  forest_.keepJoins(reduce_);
  // Every part reads the lines before the file's first link, whatever its
  // range, so that each knows the nodes and entries the file declares; a
  // part after the first takes no link there, as those lines are the
  // first part's.
  inHeader_ = part_.count != 0;
  // Node 0 has a slot in the forest: what a prefetch reads of the ring
  // before it fills is no stale number of an earlier file.
  std::fill(std::begin(late_), std::end(late_), Pair{0, 0});
  lines_.setLimit(maxMemory_);
  skip_ = road_ == Road::kCheck || part_.index > 0;
  // The stream road's forest waits on memory for every link, as long as
  // parsing takes: a second thread halves it. The walk road's links are
  // only held, faster than they are parsed, so it has one job.
  if (setup.needs.jobs > 1 && road_ == Road::kStream) {
    batches_ = static_cast<IdPair*>(
        std::malloc(kBatches * kBatchLinks * sizeof(IdPair)));
    if (batches_ != nullptr) {
      jobs_ = setup.needs.jobs;
      parsed_.batch = batches_;
    }
  }
}

LinkFile::~LinkFile() {
  endJobs();
  std::free(batches_);
  std::free(pairs_);
  std::free(seen_);
  std::free(directSorted_);
  std::free(directRank_);
}

void LinkFile::startGraph(JudgedGraph& d) {
  current_ = &d;
  d.number = 1;
  d.start = {1, 1};
  d.lists = nullptr;
  d.ids = nullptr;
  d.reduced = nullptr;
  d.fromReduced = false;
  d.warning = {};
  d.fullName = name_;
  const std::size_t shown = std::min(name_.size(), d.graph.name.size() - 1);
  std::copy_n(name_.data(), shown, d.graph.name.data());
  d.graph.name[shown] = '\0';
  ids_.clear(road_ == Road::kWalk || reduce_);
  reduced_.nodes = -1;
}

uint64_t LinkFile::heldBytes() const {
  const uint64_t nodes = declared_ ? 0
                         : direct_ ? directIds_ / 8
                                   : ids_.heldBytes();
  return nodes + (forested() ? forest_.heldBytes() : 0) +
         heldRoom_ * sizeof(Pair);
}

LineFault LinkFile::declare(uint64_t n) {
  if (n > INT32_MAX) return {Refusal::kTooManyNodes, 0};
  declared_ = true;
  nodes_ = static_cast<int32_t>(n);
  if (!forested()) return {};
  reduced_.nodes = nodes_;
  // Kept, the joins take 4 bytes a node more.
  const uint64_t need = LinkForest::bytes(nodes_) +
                        (forest_.keepsJoins() ? 4 * (uint64_t(nodes_) + 1) : 0);
  if (need > maxMemory_ || !forest_.start(nodes_)) {
    short_ = true;
    denied_ = need <= maxMemory_;
  }
  return {};
}

void LinkFile::widen(uint64_t id) {
  constexpr uint64_t kLeast = uint64_t{1} << 16;
  // Ids below 2^24 always stand for themselves: at 4 bytes and a bit an
  // id that is 66 MiB at most, and the ids of a file whose links come in
  // random order spread over their whole range long before their count
  // shows how dense they are. Past it, the range may be at most eight
  // times the ids seen.
  constexpr uint64_t kNear = uint64_t{1} << 24;
  // Node id + 1 must be a node number.
  constexpr uint64_t kMost = uint64_t{1} << 30;
  if (id >= kMost) return leaveDirect();
  const uint64_t want = std::bit_ceil(std::max(id + 1, kLeast));
  const bool far =
      want > kNear && want > 8 * static_cast<uint64_t>(takenHot_.seenCount + 2);
  if (far) return leaveDirect();
  // A bit an id, and in the stream road 4 bytes of the forest, or 8 when
  // it keeps its joins.
  const uint64_t each = !forested() ? 1 : forest_.keepsJoins() ? 65 : 33;
  if (heldBytes() + (want - directIds_) * each / 8 > maxMemory_) {
    short_ = true;
    return;
  }
  auto* const seen = static_cast<uint64_t*>(std::realloc(seen_, want / 8));
  if (seen == nullptr) {
    short_ = denied_ = true;
    return;
  }
  std::memset(seen + directIds_ / 64, 0, (want - directIds_) / 8);
  seen_ = seen;
  if (forested()) {
    const bool started = directIds_ != 0 || forest_.start(0);
    if (!started || !forest_.growTo(static_cast<int32_t>(want))) {
      short_ = denied_ = true;
      return;
    }
  }
  directIds_ = want;
}

void LinkFile::leaveDirect() {
  direct_ = false;
  ids_.clear(road_ == Road::kWalk || reduce_);
  auto* const newOf =
      static_cast<int32_t*>(std::calloc(directIds_ + 2, sizeof(int32_t)));
  if (newOf == nullptr) {
    short_ = denied_ = true;
    return;
  }
  // The ids seen, ascending, take the first numbers.
  forEachSeen([&](uint64_t id) { newOf[id + 1] = ids_.numberOf(id); });
  if (forested() && directIds_ != 0) {
    flushLate();
    if (!forest_.relabel(newOf, ids_.count())) short_ = denied_ = true;
  }
  for (std::size_t i = 0; i < held_; ++i) {
    pairs_[i] = {newOf[pairs_[i].a], newOf[pairs_[i].b]};
  }
  nodes_ = ids_.count();
  std::free(newOf);
  std::free(seen_);
  seen_ = nullptr;
  directIds_ = 0;
}

void LinkFile::number(uint64_t a, uint64_t b) {
  const int32_t x = ids_.numberOf(a);
  const int32_t y = ids_.numberOf(b);
  if (x == 0 || y == 0) {
    short_ = true;
    return;
  }
  if (ids_.count() > nodes_ && !growNodes()) return;
  take(x, y);
}

void LinkFile::flushIdsLate() {
  const std::size_t first =
      takenHot_.idsAt > kIdsLate ? takenHot_.idsAt - kIdsLate : 0;
  for (std::size_t i = first; i < takenHot_.idsAt && !short_; ++i) {
    const IdPair& p = idsLate_[i & (kIdsLate - 1)];
    number(p.a, p.b);
  }
  takenHot_.idsAt = 0;
}

void LinkFile::flushLate() {
  const std::size_t first =
      takenHot_.lateAt > kLate ? takenHot_.lateAt - kLate : 0;
  for (std::size_t i = first; i < takenHot_.lateAt; ++i) {
    const Pair& p = late_[i & (kLate - 1)];
    forest_.link(p.a, p.b);
  }
  // Node 0 has a slot in the forest: the next links' prefetches may read
  // it, and no stale number.
  std::fill(std::begin(late_), std::end(late_), Pair{0, 0});
  takenHot_.lateAt = 0;
}

bool LinkFile::sortDirect() {
  std::free(directRank_);
  std::free(directSorted_);
  directRank_ =
      static_cast<int32_t*>(std::malloc((directIds_ + 1) * sizeof(int32_t)));
  directSorted_ = static_cast<uint64_t*>(std::malloc(
      (static_cast<std::size_t>(takenHot_.seenCount) + 1) * sizeof(uint64_t)));
  if (directRank_ == nullptr || directSorted_ == nullptr) return false;
  int32_t k = 0;
  forEachSeen([&](uint64_t id) {
    directRank_[id + 1] = ++k;
    directSorted_[k] = id;
  });
  return true;
}

bool LinkFile::growNodes() {
  // The forest grows with the ids; what both hold is checked against the
  // ceiling each time the ids' table has doubled.
  const int32_t n = ids_.count();
  if (forested()) {
    const bool started = nodes_ != 0 || forest_.start(0);
    if (!started || !forest_.growTo(n)) {
      short_ = denied_ = true;
      return false;
    }
  }
  nodes_ = n;
  if ((n & (n - 1)) == 0 && heldBytes() > maxMemory_) {
    short_ = true;
    return false;
  }
  return true;
}

void LinkFile::holdMore(int32_t a, int32_t b) {
  const std::size_t room = std::max<std::size_t>(heldRoom_ * 2, 4096);
  if (heldBytes() + (room - heldRoom_) * sizeof(Pair) > maxMemory_) {
    short_ = true;
    return;
  }
  auto* const pairs =
      static_cast<Pair*>(std::realloc(pairs_, room * sizeof(Pair)));
  if (pairs == nullptr) {
    short_ = denied_ = true;
    return;
  }
  pairs_ = pairs;
  heldRoom_ = room;
  pairs_[held_++] = {a, b};
}

bool LinkFile::refuse(JudgedGraph& d, const LineFault& fault, int64_t line) {
  d.verdict = GraphClass::kRefused;
  d.status =
      Status::refused(fault.refusal, {fault.line != 0 ? fault.line : line,
                                      static_cast<int64_t>(fault.at) + 1});
  d.status.need = fault.found;
  d.status.ceiling = fault.declared;
  d.lists = nullptr;
  d.ids = nullptr;
  return true;
}

bool LinkFile::refuseForMemory(JudgedGraph& d, uint64_t need, bool denied) {
  refuse(d, {Refusal::kOverMemory, 0, need, denied ? 0 : maxMemory_},
         lines_.number());
  d.status.at = {lines_.number(), 1};
  // The walk road holds the links, which the one pass does not.
  d.status.onePassNeedsLess = road_ == Road::kWalk && !denied;
  return true;
}

// What the links found short is the graph's, not a line's: it is refused
// at its start, the same for any number of jobs.
bool LinkFile::refuseShort(JudgedGraph& d) {
  if (parsed_.links > kMaxListLinks)
    return refuse(d, {Refusal::kTooManyLineLinks, 0}, 1);
  if (!declared_ && ids_.count() == INT32_MAX) {
    return refuse(d, {Refusal::kTooManyNodes, 0}, 1);
  }
  refuseForMemory(d, std::max(heldBytes(), maxMemory_ + 1), denied_);
  d.status.at = {1, 1};
  return true;
}

void LinkFile::passBatch() {
  if (!threadStarted_) {
    threadStarted_ = pthread_create(
                         &thread_, nullptr,
                         [](void* self) -> void* {
                           static_cast<LinkFile*>(self)->takeBatches();
                           return nullptr;
                         },
                         this) == 0;
    if (!threadStarted_) {
      // Without a second thread, this one takes the links itself.
      jobs_ = 1;
      for (std::size_t i = 0; i < parsed_.fill; ++i)
        takeLink(parsed_.batch[i].a, parsed_.batch[i].b);
      parsed_.fill = 0;
      return;
    }
  }
  pthread_mutex_lock(&mutex_);
  batchSizes_[passed_ % kBatches] = parsed_.fill;
  ++passed_;
  pthread_cond_broadcast(&changed_);
  // The next batch to fill must have been taken.
  while (passed_ - taken_ >= kBatches) pthread_cond_wait(&changed_, &mutex_);
  parsed_.batch = batches_ + passed_ % kBatches * kBatchLinks;
  pthread_mutex_unlock(&mutex_);
  parsed_.fill = 0;
}

void LinkFile::takeBatches() {
  for (std::size_t next = 0;; ++next) {
    pthread_mutex_lock(&mutex_);
    while (passed_ <= next && !ended_) pthread_cond_wait(&changed_, &mutex_);
    const bool none = passed_ <= next;
    const std::size_t size = batchSizes_[next % kBatches];
    pthread_mutex_unlock(&mutex_);
    if (none) return;
    const IdPair* const batch = batches_ + next % kBatches * kBatchLinks;
    for (std::size_t i = 0; i < size && !short_; ++i) {
      takeLink(batch[i].a, batch[i].b);
    }
    if (short_) stopped_.store(true, std::memory_order_relaxed);
    pthread_mutex_lock(&mutex_);
    taken_ = next + 1;
    pthread_cond_broadcast(&changed_);
    pthread_mutex_unlock(&mutex_);
  }
}

void LinkFile::endJobs() {
  if (jobs_ <= 1) return;
  if (threadStarted_) {
    if (parsed_.fill > 0) passBatch();
    pthread_mutex_lock(&mutex_);
    ended_ = true;
    pthread_cond_broadcast(&changed_);
    pthread_mutex_unlock(&mutex_);
    pthread_join(thread_, nullptr);
    threadStarted_ = false;
  } else {
    for (std::size_t i = 0; i < parsed_.fill && !short_; ++i) {
      takeLink(parsed_.batch[i].a, parsed_.batch[i].b);
    }
  }
  parsed_.fill = 0;
  jobs_ = 1;
}

bool LinkFile::holdForest() {
  if (!forestStarted()) return true;
  flushLate();
  const auto room = static_cast<std::size_t>(forest_.nodes()) + 2;
  auto* const pairs =
      static_cast<Pair*>(std::realloc(pairs_, room * sizeof(Pair)));
  if (pairs == nullptr) return false;
  pairs_ = pairs;
  heldRoom_ = room;
  held_ = 0;
  forEachKept([&](int32_t a, int32_t b) { pairs_[held_++] = {a, b}; });
  return true;
}

bool LinkFile::refuseLine(JudgedGraph& d, const LineFault& fault) {
  const int64_t line = lines_.number();
  if (part_.index > 0 && inHeader_) {
    endJobs();
    inHeader_ = false;
    headerLines_ = line;
    return finish(d);
  }
  refuse(d, fault, line);
  d.status.at.line -= headerLines_;
  if (reduce_) {
    endJobs();
    reduced_.lines = line - headerLines_;
    reduced_.links = parsed_.links;
    reduced_.forEach = nullptr;
    d.reduced = &reduced_;
  }
  return true;
}

bool LinkFile::enterBody() {
  inHeader_ = false;
  const auto headerEnd = static_cast<uint64_t>(reader_.offset());
  partEnd_ = std::max(part_.end, headerEnd);
  if (part_.index == 0) return true;
  headerLines_ = lines_.number();
  parsed_.links = 0;
  skip_ = road_ == Road::kCheck;
  const uint64_t start = std::max(part_.start, headerEnd);
  if (start >= partEnd_) {
    partEnd_ = 0;  // no line of the file is this part's
    return true;
  }
  return start == headerEnd || reader_.seek(static_cast<int64_t>(start));
}

uint64_t LinkFile::idOf(int32_t node) const {
  if (declared_) return static_cast<uint64_t>(node);
  if (direct_) return static_cast<uint64_t>(node) - 1;
  return ids_.metAt(node);
}

void LinkFile::eachReduced(const void* self, void* state,
                           void (*sink)(void*, uint64_t, uint64_t)) {
  const LinkFile& f = *static_cast<const LinkFile*>(self);
  const auto put = [&](int32_t a, int32_t b) {
    sink(state, f.idOf(a), f.idOf(b));
  };
  if (!f.forestStarted()) return;
  forEachKept(put);
  // A node of ids whose only links are self-links keeps one, so that it
  // stays a node.
  const int32_t looped = forest_.selfLinked();
  for (int32_t a = 1; a <= forest_.nodes(); ++a) {
    if (a == looped || !forest_.alone(a) || f.declared_) continue;
    const auto id = static_cast<uint64_t>(a) - 1;
    const bool occurs = !f.direct_ || (f.seen_[id >> 6] >> (id & 63) & 1) != 0;
    if (occurs) put(a, a);
  }
}

void LinkFile::warn(Refusal words, int64_t line) {
  current_->warning = Status::refused(words, {line, 1});
}

bool LinkFile::finish(JudgedGraph& d) {
  if (parsed_.links > kMaxListLinks) {
    return refuse(d, {Refusal::kTooManyLineLinks, 0}, lines_.number());
  }
  d.status = {};
  endJobs();
  flushIdsLate();
  if (short_) return refuseShort(d);
  const bool direct = !declared_ && direct_;
  if (direct) nodes_ = static_cast<int32_t>(takenHot_.seenCount);
  if (road_ == Road::kWalk && forested() && !holdForest()) {
    return refuseForMemory(d, heldBytes() + 8 * (uint64_t(nodes_) + 2), true);
  }
  if (road_ == Road::kStream) {
    const bool started = forestStarted();
    if (started) flushLate();
    if (started && forest_.failed()) {
      return refuseForMemory(d, heldBytes(), true);
    }
    // In the direct range, the ids that never occur are trees of their
    // own: they are not nodes of the graph.
    const int64_t parts =
        !started ? 0
        : direct ? forest_.parts() - (forest_.nodes() - takenHot_.seenCount)
                 : forest_.parts();
    d.nodes = nodes_;
    d.parts = parts;
    d.verdict = nodes_ == 0        ? GraphClass::kNoNode
                : parts != 1       ? GraphClass::kNotConnected
                : forest_.cyclic() ? GraphClass::kConnectedNotTree
                                   : GraphClass::kTree;
    d.links = 0;  // not told from repeats in one pass
    d.fromReduced = fromReduced_;
    if (reduce_) {
      reduced_.lines = lines_.number() - headerLines_;
      reduced_.links = parsed_.links;
      reduced_.forEach = eachReduced;
      reduced_.self = this;
      d.reduced = &reduced_;
    }
    return true;
  }
  d.verdict = GraphClass::kWellFormed;
  d.fromReduced = fromReduced_;
  d.nodes = road_ == Road::kCheck && !declared_ ? 0 : nodes_;
  if (road_ == Road::kWalk && analyse_) load(d);
  return true;
}

bool LinkFile::load(JudgedGraph& d) {
  if (road_ != Road::kWalk) return true;
  // Ids are numbered by ascending value, so that the walk starts at the
  // smallest and takes neighbours in ascending order.
  const bool direct = !declared_ && direct_;
  if (direct ? !sortDirect() : !declared_ && !ids_.sortIds()) {
    refuseForMemory(d, heldBytes() + 12 * uint64_t(nodes_), true);
    return false;
  }
  const int32_t* const rank = declared_ ? nullptr
                              : direct  ? directRank_
                                        : ids_.rank();
  const uint64_t fixed = heldBytes() + listsBytes(nodes_, 0);
  if (fixed > maxMemory_) {
    refuseForMemory(d, fixed);
    return false;
  }
  if (!lists_.startGraph(nodes_)) {
    refuseForMemory(d, fixed, true);
    return false;
  }
  const uint64_t maxEntries = (maxMemory_ - fixed) / kBytesPerEntry;
  const auto each = [&](auto&& sink) {
    if (rank == nullptr) {
      for (std::size_t i = 0; i < held_; ++i) sink(pairs_[i].a, pairs_[i].b);
    } else {
      for (std::size_t i = 0; i < held_; ++i) {
        sink(rank[pairs_[i].a], rank[pairs_[i].b]);
      }
    }
  };
  if (!lists_.build(each, maxEntries)) {
    const auto entries = static_cast<uint64_t>(lists_.entries());
    refuseForMemory(d, fixed + entries * kBytesPerEntry, entries <= maxEntries);
    return false;
  }
  d.lists = &lists_;
  d.ids = declared_ ? nullptr : direct ? directSorted_ : ids_.sorted();
  if (expected_ != UINT64_MAX &&
      static_cast<uint64_t>(lists_.links()) != expected_) {
    d.warning = Status::refused(kLinksDiffer, {expectedAt_, 1});
    d.warning.need = static_cast<uint64_t>(lists_.links());
    d.warning.ceiling = expected_;
  }
  return true;
}

}  // namespace ugraph
