#include "batch/each_graph.h"
#include "modes/modes.h"
#include "render/trace/forms.h"
#include "render/trace/steps.h"

namespace ugraph {

TellerSpace tellerSpace;

namespace {

// Tells form each step of d's walk, walked once more; a graph without
// nodes has none.
template <class Form>
void tellSteps(GraphJudge& judge, const JudgedGraph& d, Form& form) {
  if (d.nodes == 0) return;
  StepTeller<Form> teller(d, form);
  judge.walkAgain(teller);
}

// Tells form the walk of g, from its start to its finish.
template <class Form>
void tell(GraphJudge& judge, const TracedGraph& g, Form&& form) {
  form.start();
  tellSteps(judge, g.d, form);
  form.finish(walkOf(g.d));
}

}  // namespace

const char* traceRules(const Options& options, KeySet given) {
  if ((given & keyBit(OptionKey::kTo)) == 0) return nullptr;
  if (options.to != OutputFormat::kDot && options.to != OutputFormat::kHtml) {
    return "--trace takes --to=dot or --to=html only";
  }
  if (options.json) {
    return options.to == OutputFormat::kDot
               ? "--json and --to=dot exclude each other"
               : "--json and --to=html exclude each other";
  }
  return nullptr;
}

int runTrace(const Options& options, Console& console) {
  const OutputFormat to = options.to;
  const bool drawn = to == OutputFormat::kDot || to == OutputFormat::kHtml;
  return showGraph(
      options, false, console,
      [&](const JudgedGraph& d, GraphJudge& judge, const char* noun) {
        // A reader that knows the node count before it reads the graph
        // says so at once, and the graph is not loaded in vain; one that
        // does not knows it once the graph is loaded.
        const int32_t most = drawn ? kMaxDrawnNodes : kMaxTracedNodes;
        if (d.nodes > most) return Refusal::kTooLargeToTrace;
        judge.analyseWith(NoWalkObserver{});
        if (d.verdict == GraphClass::kRefused) return d.status.refusal;
        if (d.nodes > most) return Refusal::kTooLargeToTrace;
        const TracedGraph g{d, noun};
        if (options.json) {
          tell(judge, g, JsonTrace(g, console));
        } else if (to == OutputFormat::kDot) {
          // The frames name the number of steps, and the longest sentence
          // sets their width: the walk is walked once to count them.
          StepCount count;
          tellSteps(judge, d, count);
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
