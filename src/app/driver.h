// The main driver: one whole run of the dialogue, from the source question
// to the final key wait.
#ifndef UGRAPH_APP_DRIVER_H_
#define UGRAPH_APP_DRIVER_H_

#include "console/console.h"
#include "graph/ugraph.h"

namespace ugraph {

// The steps of a run after which an observer sees the record.
enum class Step { kRead, kNormalized, kIndexed, kClassified };

// Watches a run step by step, for checks that need the record itself.
class StepObserver {
 public:
  virtual ~StepObserver() = default;
  // Called with the record as the step left it; kRead only when the reader
  // delivered a graph, kClassified with the verdict.
  virtual void after(Step step, const Ugraph& graph, GraphClass verdict) = 0;
};

// Asks where the graph comes from (K or k: the keyboard; F or f: the data
// file dataFileName), reads it, normalises, summarises, indexes and tests
// it, prints the verdict and reads one last character. A data file read
// that yields no graph skips to that last read. Returns the exit status:
// 1 when input ended before the graph was read (after saying so), else 0.
// An observer, when given, is called after each step.
int runUgraph(Console& console, const char* dataFileName,
              StepObserver* observer = nullptr);

}  // namespace ugraph

#endif  // UGRAPH_APP_DRIVER_H_
