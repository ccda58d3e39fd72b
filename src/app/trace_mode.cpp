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
        // The walk is walked first to count its steps, which the frames
        // name, and the longest sentence, which sets their width.
        StepCount count;
        if (d.nodes != 0) {
          StepTeller<StepCount> teller(d, count);
          judge.walkAgain(teller);
        }
        const TracedGraph g{d, noun, count.steps};
        if (options.json) {
          tell(judge, g, JsonTrace(g, console));
        } else if (to == OutputFormat::kDot) {
          tell(judge, g, FrameTrace(g, count.longest, console));
        } else if (to == OutputFormat::kHtml) {
          tell(judge, g, PageTrace(g, console));
        } else {
          tell(judge, g, TextTrace(g, console));
        }
        return Refusal::kNone;
      });
}

}  // namespace ugraph
