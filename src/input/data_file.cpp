#include "input/data_file.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string_view>
#include <utility>

#include "input/catalogue.h"
#include "input/data_input.h"

namespace ugraph {
namespace {

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
  // Forgets every data-input noted.
  void reset() {
    stride_ = 1;
    used_ = 0;
    next_ = 1;
  }

  // Counts down to the next data-input to note rather than dividing, as
  // this runs for every data-input listed.
  void note(int64_t number, int64_t offset) {
    if (number != next_) return;
    if (used_ == kSize) {
      // Entry i held data-input 1 + i * stride; entry 2i becomes entry i.
      for (std::size_t i = 0; i < kSize / 2; ++i) offsets_[i] = offsets_[2 * i];
      used_ = kSize / 2;
      stride_ *= 2;
      next_ = 1 + static_cast<int64_t>(used_) * stride_;
      if (number != next_) return;
    }
    offsets_[used_++] = offset;
    next_ += stride_;
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
  int64_t next_ = 1;  // the number of the next data-input to note
  std::array<int64_t, kSize> offsets_;
};

// Lists every data-input, numbered from 1, each followed by an empty line;
// returns how many there are. A '[' whose ']' never comes is listed to the
// end of the file. Stops early when the console fails.
int64_t listCatalogue(CatalogueScanner& scanner, Checkpoints& checkpoints,
                      Console& console) {
  const auto echo = [&](std::string_view text) { console.write(text); };
  DecimalCounter number;
  while (!console.failed() && scanner.next()) {
    checkpoints.note(scanner.number(), scanner.startOffset());
    number.increment();
    console.write(number.text());
    console.write("  [");
    if (!scanner.echo(echo)) {
      console.write("\n\n");
      break;
    }
    console.write("]\n\n");
  }
  return scanner.number();
}

enum class Located { kFound, kUnreadable, kMissing };

// Moves to data-input `choice`, found by the same scan that listed the
// catalogue, from the nearest checkpoint; from the start of the file when
// the checkpoint no longer holds a '[' (the file changed).
Located locate(CatalogueScanner& scanner, const Checkpoints& checkpoints,
               int64_t choice) {
  const auto [number, offset] = checkpoints.before(choice);
  if (!scanner.restart(offset, number - 1)) return Located::kUnreadable;
  if (!scanner.next() || scanner.startOffset() != offset) {
    if (scanner.error() != 0) return Located::kUnreadable;
    scanner.restart(0, 0);
    scanner.next();
  }
  while (scanner.number() < choice && scanner.next()) {
  }
  if (scanner.error() != 0) return Located::kUnreadable;
  return scanner.number() == choice ? Located::kFound : Located::kMissing;
}

void writeRefusal(Refusal refusal, Console& console) {
  if (refusal == Refusal::kNotMarked) {
    console.writeLine(
        "Input-array in file not marked 'U' (after '[') for Ugraph");
  } else {
    console.write("Input-array in file ");
    console.writeLine(refusalPhrase(refusal));
  }
}

Outcome cannotRead(const char* fileName, Console& console) {
  console.write("Cannot read file ");
  console.writeLine(fileName);
  return Outcome::kNothing;
}

// Asks for the data-input to load, 0 to abort.
Outcome askChoice(int64_t count, int64_t& choice, Console& console) {
  return askNumber(
      console, "Input number before the selected data-input (zero to abort):\n",
      0, count, choice, [&] {
        console.write("Number must be between 1 and ");
        console.write(count);
        console.write("\n");
      });
}

// What a reading of the catalogue works in. It is large, so it lives in
// static storage and the program runs on a small stack.
struct ReaderSpace {
  FileBlock block;
  Checkpoints checkpoints;
  DataInputText record;
  DataInput input;
};
ReaderSpace space;

}  // namespace

Outcome readGraphFromDataFile(LinkArray& linkFrom, LinkArray& linkTo,
                              GraphName& name, Console& console,
                              const char* fileName) {
  FilePtr file(std::fopen(fileName, "r"));
  if (!file) {
    console.write("Cannot find file ");
    console.writeLine(fileName);
    return Outcome::kNothing;
  }
  if (isAlsoOutput(file.get(), console.outputDescriptor())) {
    console.write("Cannot read file ");
    console.write(fileName);
    console.writeLine(": it is also the output");
    return Outcome::kNothing;
  }
  // The scanner does its own buffering in large blocks.
  std::setvbuf(file.get(), nullptr, _IONBF, 0);
  CatalogueScanner scanner(file.get(), space.block);
  Checkpoints& checkpoints = space.checkpoints;
  checkpoints.reset();
  const int64_t count = listCatalogue(scanner, checkpoints, console);
  if (console.failed()) return Outcome::kInputEnded;
  if (scanner.error() != 0) return cannotRead(fileName, console);
  int64_t choice = 0;
  if (askChoice(count, choice, console) != Outcome::kDone) {
    return Outcome::kInputEnded;
  }
  if (choice == 0) return Outcome::kNothing;

  switch (locate(scanner, checkpoints, choice)) {
    case Located::kFound:
      break;
    case Located::kUnreadable:
      return cannotRead(fileName, console);
    case Located::kMissing:
      console.write("Cannot find data-input ");
      console.write(choice);
      console.write(" in file ");
      console.writeLine(fileName);
      return Outcome::kNothing;
  }
  const DataInputCopy copy = scanner.copy(space.record);
  const bool unreadable = scanner.error() != 0;
  file.reset();
  if (unreadable) return cannotRead(fileName, console);
  if (copy.refusal != Refusal::kNone) {
    writeRefusal(copy.refusal, console);
    return Outcome::kNothing;
  }

  console.writeLine("Input-data from file is:");
  console.writeLine(copy.text);

  DataInput& input = space.input;
  const ParseResult parsed = parseDataInput(copy.text, input);
  if (parsed.refusal != Refusal::kNone) {
    writeRefusal(parsed.refusal, console);
    return Outcome::kNothing;
  }
  const int32_t entries = storeDataInput(input, linkFrom, linkTo, name);
  return entries > 0 ? Outcome::kDone : Outcome::kNothing;
}

}  // namespace ugraph
