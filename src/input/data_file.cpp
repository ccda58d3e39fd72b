#include "input/data_file.h"

#include <array>
#include <cstddef>
#include <cstdio>
#include <memory>
#include <string_view>
#include <utility>

#include "graph/normalize.h"
#include "input/block_reader.h"
#include "input/data_input.h"

namespace ugraph {
namespace {

// A data-input from its '[' through its ']' is at most this long.
constexpr std::size_t kMaxDataInputLength = 2500;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Where some data-inputs begin, so the chosen one is found without reading
// the whole file again: the offset of the '[' of data-inputs 1, 1 + stride,
// 1 + 2 * stride and so on. When the table fills, every other entry is
// dropped and the stride doubles, so it holds any catalogue and the search
// from the nearest entry reads at most stride data-inputs.
class Checkpoints {
 public:
  void note(int64_t number, int64_t offset) {
    if ((number - 1) % stride_ != 0) return;
    if (used_ == kSize) {
      for (std::size_t i = 0; i < kSize / 2; ++i) offsets_[i] = offsets_[2 * i];
      used_ = kSize / 2;
      stride_ *= 2;
      if ((number - 1) % stride_ != 0) return;
    }
    offsets_[used_++] = offset;
  }

  // The nearest noted data-input at or before `number`: its number and the
  // offset of its '['. REQUIRES: number is at least 1 and was noted or
  // passed while listing.
  std::pair<int64_t, int64_t> before(int64_t number) const {
    const auto slot = static_cast<std::size_t>((number - 1) / stride_);
    return {static_cast<int64_t>(slot) * stride_ + 1, offsets_[slot]};
  }

 private:
  static constexpr std::size_t kSize = 1024;
  int64_t stride_ = 1;
  std::size_t used_ = 0;
  std::array<int64_t, kSize> offsets_;
};

// Lists every data-input, numbered from 1, each followed by an empty line;
// returns how many there are. A '[' whose ']' never comes is listed to the
// end of the file.
int64_t listCatalogue(BlockReader& file, Checkpoints& checkpoints,
                      Console& console) {
  const auto echo = [&](std::string_view text) { console.write(text); };
  int64_t count = 0;
  while (file.skipThrough('[')) {
    ++count;
    checkpoints.note(count, file.offset() - 1);
    console.write(count);
    console.write("  [");
    const bool closed = file.copyThrough(']', echo);
    console.writeLine(closed ? "]\n" : "\n");
    if (!closed) break;
  }
  return count;
}

// Asks until the answer is 0 or a number in 1..count; kInputEnded when
// console input ended first.
int32_t askChoice(int64_t count, Console& console) {
  for (;;) {
    console.writeLine(
        "Input number before the selected data-input (zero to abort):");
    const FormattedInt answer = console.readInt();
    if (answer.kind == FormattedInt::Kind::kEnd) return kInputEnded;
    if (answer.kind == FormattedInt::Kind::kNotANumber) {
      console.discardLine();
    } else {
      console.readChar();  // the character after the number
      if (answer.isIn(0, count)) return answer.value;
    }
    console.write("Number must be between 1 and ");
    console.write(count);
    console.write("\n");
  }
}

// Moves to just after the '[' of data-input `choice`, found by the same scan
// that listed the catalogue, from the nearest checkpoint; from the start of
// the file when the checkpoint no longer holds a '[' (the file changed).
// Returns false when the file no longer has the data-input.
bool seekDataInput(BlockReader& file, const Checkpoints& checkpoints,
                   int32_t choice) {
  auto [number, offset] = checkpoints.before(choice);
  if (!file.seek(offset) || file.get() != '[') {
    number = 1;
    file.rewind();
  } else {
    file.seek(offset);
  }
  for (int64_t i = number; i < choice; ++i) {
    if (!file.skipThrough('[') || !file.skipThrough(']')) return false;
  }
  return file.skipThrough('[');
}

// Copies what follows the mark through the closing ']' into record after
// its first two places, then a NUL. Returns the data-input's length, or 0
// after printing why it could not be copied.
std::size_t copyDataInput(BlockReader& file,
                          std::array<char, kMaxDataInputLength + 1>& record,
                          Console& console) {
  constexpr std::size_t kHead = 2;  // '[' and the mark
  bool closed = false;
  const std::size_t copied = file.readUntil(
      ']', std::span(record).subspan(kHead, kMaxDataInputLength - kHead),
      closed);
  if (closed) {
    const std::size_t length = kHead + copied + 1;
    record[length - 1] = ']';
    record[length] = '\0';
    return length;
  }
  const bool full = copied == kMaxDataInputLength - kHead;
  if (full && file.get() != EOF) {
    console.writeLine("Input-array in file is longer than 2500 characters");
  } else {
    console.writeLine("Input-array in file has no closing ']'");
  }
  return 0;
}

// Stores the links of a parsed data-input in the order read, then the same
// links reversed, and normalises them. Returns the normalised entry count.
int32_t storeLinks(const DataInput& input, LinkArray& linkFrom,
                   LinkArray& linkTo, GraphName& name) {
  name = input.name;
  const auto j = static_cast<std::size_t>(input.linkCount);
  for (std::size_t k = 1; k <= j; ++k) {
    const DataInputLink& link = input.links[k - 1];
    linkFrom[k] = link.node;
    linkTo[k] = link.neighbour;
    linkFrom[j + k] = link.neighbour;
    linkTo[j + k] = link.node;
  }
  linkFrom[2 * j + 1] = 0;
  linkTo[2 * j + 1] = 0;
  linkFrom[0] = static_cast<int32_t>(2 * j);
  linkTo[0] = input.nodeCount;
  normalizeLinks(linkFrom, linkTo);
  return linkFrom[0];
}

}  // namespace

int32_t readGraphFromDataFile(LinkArray& linkFrom, LinkArray& linkTo,
                              GraphName& name, Console& console,
                              const char* fileName) {
  FilePtr file(std::fopen(fileName, "r"));
  if (!file) {
    console.write("Cannot find file ");
    console.writeLine(fileName);
    return 0;
  }
  // The reader does its own buffering in large blocks.
  std::setvbuf(file.get(), nullptr, _IONBF, 0);
  BlockReader reader(file.get());

  Checkpoints checkpoints;
  const int64_t count = listCatalogue(reader, checkpoints, console);
  const int32_t choice = askChoice(count, console);
  if (choice <= 0) return choice;  // 0 aborts; or input ended

  const bool found = seekDataInput(reader, checkpoints, choice);
  const int mark = found ? reader.get() : EOF;
  if (mark != 'U' && mark != 'u') {
    console.writeLine(
        "Input-array in file not marked 'U' (after '[') for Ugraph");
    return 0;
  }
  std::array<char, kMaxDataInputLength + 1> record;
  record[0] = '[';
  record[1] = 'U';  // a lower-case mark is stored as 'U'
  const std::size_t length = copyDataInput(reader, record, console);
  file.reset();
  if (length == 0) return 0;

  const std::string_view text(record.data(), length);
  console.writeLine("Input-data from file is:");
  console.writeLine(text);

  DataInput input;
  const DataInputFault fault = parseDataInput(text, input);
  if (fault != DataInputFault::kNone) {
    console.writeLine(faultMessage(fault));
    return 0;
  }
  return storeLinks(input, linkFrom, linkTo, name);
}

}  // namespace ugraph
