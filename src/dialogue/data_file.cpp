#include "dialogue/data_file.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>

#include "base/input_file.h"
#include "dialogue/number_answer.h"
#include "formats/catalogue/data_input.h"
#include "formats/catalogue/format.h"
#include "formats/catalogue/scanner.h"

namespace ugraph {
namespace {

// A count kept as its decimal digits, for a number written at every step
// of a long run: adding one touches only the digits that change. The
// digits are followed by a fixed text, so that both are written as one.
class DecimalCounter {
 public:
  void increment() {
    for (std::size_t i = kLast;; --i) {
      if (text_[i] != '9') {
        ++text_[i];
        return;
      }
      text_[i] = '0';
      if (i == start_) {
        text_[--start_] = '1';
        return;
      }
    }
  }
  // The count and the text after it.
  std::string_view text() const {
    return {text_.data() + start_, text_.size() - start_};
  }

 private:
  static constexpr std::size_t kLast = 19;  // the units digit
  std::array<char, kLast + 4> text_{'0', '0', '0', '0', '0', '0', '0', '0',
                                    '0', '0', '0', '0', '0', '0', '0', '0',
                                    '0', '0', '0', '0', ' ', ' ', '['};
  std::size_t start_ = kLast;  // the count starts at 0
};

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
      // Data-input 1 + kSize * stride, the one to note now, is entry
      // kSize / 2 at twice the stride: next_ stays as it is.
      used_ = kSize / 2;
      stride_ *= 2;
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
    console.write(number.text());  // "N  ["
    if (!scanner.echo(echo)) {
      console.write("\n\n");
      break;
    }
    console.write("]\n\n");
  }
  return scanner.number();
}

// Moves to data-input `choice`, found by the same scan that listed the
// catalogue, from the nearest checkpoint; from the start of the file when
// the checkpoint no longer holds a '[' (the file changed). Returns kOk,
// kReadFailed or kMissing.
Status locate(CatalogueScanner& scanner, const Checkpoints& checkpoints,
              int64_t choice) {
  const auto [number, offset] = checkpoints.before(choice);
  const Status unreadable = Status::of(Status::Kind::kReadFailed);
  if (!scanner.restart(offset, number - 1)) return unreadable;
  if (!scanner.next() || scanner.startOffset() != offset) {
    if (scanner.error() != 0) return unreadable;
    scanner.restart(0, 0);
    scanner.next();
  }
  while (scanner.number() < choice && scanner.next()) {
  }
  if (scanner.error() != 0) return unreadable;
  return scanner.number() == choice ? Status{}
                                    : Status::of(Status::Kind::kMissing);
}

void writeRefusal(Refusal refusal, Console& console) {
  if (refusal == Refusal::kNotMarked) {
    console.writeLine(
        "Input-array in file not marked 'U' (after '[') for Ugraph");
  } else {
    console.write("Input-array in file ");
    console.writeLine(catalogueRefusalPhrase(refusal));
  }
}

// Says why the catalogue gives no graph; returns kNothing, or why itself
// when there is nothing to say (the user aborted, or input ended).
Status cannotLoad(const Status& why, const char* fileName, int64_t choice,
                  Console& console) {
  using Kind = Status::Kind;
  if (why.is(Kind::kRefused)) {
    writeRefusal(why.refusal, console);
  } else if (why.is(Kind::kMissing)) {
    console.write("Cannot find data-input ");
    console.write(choice);
    console.write(" in file ");
    console.writeLine(fileName);
  } else if (why.is(Kind::kCannotOpen) || why.is(Kind::kIsOutput) ||
             why.is(Kind::kReadFailed)) {
    console.write(why.is(Kind::kCannotOpen) ? "Cannot find file "
                                            : "Cannot read file ");
    console.write(fileName);
    console.writeLine(why.is(Kind::kIsOutput) ? ": it is also the output" : "");
  } else {
    return why;
  }
  return Status::of(Kind::kNothing);
}

// Asks for the data-input to load, 0 to abort.
Status askChoice(int64_t count, int64_t& choice, Console& console) {
  return askNumber(
      console, "Input number before the selected data-input (zero to abort):\n",
      0, count, choice, [&] {
        console.write("Number must be between 1 and ");
        console.write(count);
        console.write("\n");
      });
}

// What a reading of the catalogue works in beside the catalogue's block.
// It is large, so it lives in static storage and the program runs on a
// small stack.
struct ReaderSpace {
  Checkpoints checkpoints;
  DataInputText record;
  DataInput input;
};
ReaderSpace space;

// Lists the catalogue, asks for a choice and leaves scanner at the chosen
// data-input. Returns kOk; kNothing when the user aborts; kEnded; or the
// catalogue's failure, for the caller to word.
Status choose(CatalogueScanner& scanner, Console& console, int64_t& choice) {
  Checkpoints& checkpoints = space.checkpoints;
  checkpoints.reset();
  const int64_t count = listCatalogue(scanner, checkpoints, console);
  if (console.failed()) return Status::of(Status::Kind::kEnded);
  if (scanner.error() != 0) return Status::of(Status::Kind::kReadFailed);
  const Status answered = askChoice(count, choice, console);
  if (!answered.ok()) return answered;
  if (choice == 0) return Status::of(Status::Kind::kNothing);
  return locate(scanner, checkpoints, choice);
}

}  // namespace

Status readGraphFromDataFile(LinkArray& linkFrom, LinkArray& linkTo,
                             GraphName& name, Console& console,
                             const char* fileName) {
  int64_t choice = 0;
  std::string_view text;
  {
    const InputFile file(fileName, console.outputDescriptor());
    if (!file.status().ok()) {
      return cannotLoad(file.status(), fileName, choice, console);
    }
    BlockReader reader(file.get(), InputFile::block());
    CatalogueScanner scanner(reader);
    Status chosen = choose(scanner, console, choice);
    if (chosen.ok()) {
      chosen = scanner.copy(space.record, text);
      if (scanner.error() != 0) chosen = Status::of(Status::Kind::kReadFailed);
    }
    if (!chosen.ok()) return cannotLoad(chosen, fileName, choice, console);
  }

  console.writeLine("Input-data from file is:");
  console.writeLine(text);

  DataInput& input = space.input;
  const ParseResult parsed = parseDataInput(text, input);
  if (parsed.refusal != Refusal::kNone) {
    writeRefusal(parsed.refusal, console);
    return Status::of(Status::Kind::kNothing);
  }
  const int32_t entries = storeDataInput(input, linkFrom, linkTo, name);
  return entries > 0 ? Status{} : Status::of(Status::Kind::kNothing);
}

}  // namespace ugraph
