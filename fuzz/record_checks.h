// Invariants of the graph record after each step of a run, checked by the
// fuzz targets. A broken invariant prints what broke and aborts.
#ifndef UGRAPH_FUZZ_RECORD_CHECKS_H_
#define UGRAPH_FUZZ_RECORD_CHECKS_H_

#include <cstddef>
#include <string_view>

#include "app/driver.h"
#include "console/console.h"
#include "graph/ugraph.h"

namespace ugraph::fuzz {

// Aborts with `what` when ok is false.
void require(bool ok, const char* what);

// Checks what `step` must leave in the record. After kClassified it also
// checks the verdict against a walk of its own.
void checkRecord(Step step, const Ugraph& graph, GraphClass verdict);

// Checks what the walk printed: nothing when the graph is not connected,
// else the header for n and a permutation of 1..n, each with a blank.
void checkVisitOrder(std::string_view printed, int32_t n, GraphClass verdict);

// Checks the record after every step, and what the walk printed through
// console to the in-memory stream whose *buffer and *size open_memstream
// keeps.
class RecordChecker : public StepObserver {
 public:
  RecordChecker(Console& console, const char* const* buffer,
                const std::size_t* size)
      : console_(console), buffer_(buffer), size_(size) {}

  void after(Step step, const Ugraph& graph, GraphClass verdict) override;

 private:
  Console& console_;
  const char* const* buffer_;
  const std::size_t* size_;
  std::size_t walkStart_ = 0;
};

}  // namespace ugraph::fuzz

#endif  // UGRAPH_FUZZ_RECORD_CHECKS_H_
