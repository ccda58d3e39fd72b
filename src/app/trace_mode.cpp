#include "app/catalogue_modes.h"
#include "app/trace_forms.h"
#include "app/trace_steps.h"

namespace ugraph {

TellerSpace tellerSpace;

namespace {

// Tells form the walk of g, walked once more.
template <class Form>
void tell(CatalogueJudge& judge, const TracedGraph& g, Form&& form) {
  form.start();
  if (g.d.nodes != 0) {
    StepTeller<std::decay_t<Form>> teller(g.d, form);
    judge.walkAgain(teller);
  }
  form.finish(walkOf(g.d));
}

}  // namespace

int runTrace(const Options& options, Console& console) {
  const OutputFormat to = options.to;
  const bool drawn = to == OutputFormat::kDot || to == OutputFormat::kHtml;
  return showGraph(
      options, false, console,
      [&](const JudgedDataInput& d, CatalogueJudge& judge, const char* noun) {
        if (d.nodes > (drawn ? kMaxDrawnNodes : kMaxTracedNodes)) {
          return Refusal::kTooLargeToTrace;
        }
        judge.analyseWith(NoWalkObserver{});
        if (d.verdict == GraphClass::kRefused) return d.status.refusal;
        const TracedGraph g{d, noun};
        if (options.json) {
          tell(judge, g, JsonTrace(g, console));
        } else if (to == OutputFormat::kDot) {
          // The frames name the number of steps, and the longest sentence
          // sets their width: the walk is walked once to count them.
          StepCount count;
          if (d.nodes != 0) {
            StepTeller<StepCount> teller(d, count);
            judge.walkAgain(teller);
          }
          tell(judge, g, FrameTrace(g, count, console));
        } else if (to == OutputFormat::kHtml) {
          tell(judge, g, PageTrace(g, console));
        } else {
          tell(judge, g, TextTrace(g, console));
        }
        return Refusal::kNone;
      });
}

}  // namespace ugraph
