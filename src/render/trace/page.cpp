#include <string_view>

#include "render/drawing.h"
#include "render/escape.h"
#include "render/trace/forms.h"

namespace ugraph {
namespace {

// The page asks for nothing beyond itself: its policy forbids every load
// but its own inline style and script.
constexpr std::string_view kHead = R"page(<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta http-equiv="Content-Security-Policy" content="default-src 'none'; style-src 'unsafe-inline'; script-src 'unsafe-inline'">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>)page";

// Each node's state shows twice: by colour, and by its outline (dashed
// when not reached, a ring around the current one, hatched when finished).
constexpr std::string_view kStyle = R"page(</title>
<style>
body { font: 15px/1.45 system-ui, sans-serif; margin: 1em 1.5em; color: #1b1b1b; background: #fff; }
h1 { font-size: 1.3em; margin: 0 0 .2em; }
#heading { margin: 0 0 1em; color: #444; }
main { display: flex; flex-wrap: wrap; gap: 1.5em; align-items: flex-start; }
#stage { order: -1; }
#graph { width: min(92vw, 560px); height: auto; border: 1px solid #ddd; background: #fcfcfc; }
#side { flex: 1 1 24em; max-width: 44em; }
#controls { display: flex; flex-wrap: wrap; gap: .4em; align-items: center; }
#controls button { font: inherit; min-width: 2.6em; padding: .25em .5em; }
#slider { flex: 1 1 12em; }
#status { font-size: 1.1em; min-height: 3em; margin: .6em 0; }
#counter { font-weight: bold; font-variant-numeric: tabular-nums; margin-right: .6em; }
#strip { display: flex; flex-wrap: wrap; gap: 3px; list-style: none; padding: 0; margin: .4em 0 1em; }
#strip li { min-width: 2.1em; height: 2.6em; border: 1px solid #999; text-align: center; font-variant-numeric: tabular-nums; }
#strip li::before { content: attr(data-slot); display: block; font-size: 10px; color: #777; }
#strip li.pointer { border: 3px solid #7a4b00; background: #ffd23f; font-weight: bold; }
#code { background: #f5f5f5; padding: .5em; margin: 0 0 1em; white-space: pre-wrap; }
#code .line { display: block; padding: 0 .3em; }
#code .line.now { background: #ffd23f; outline: 1px solid #7a4b00; }
#checks { background: #eef6ee; padding: .5em; white-space: pre-wrap; }
#legend { display: flex; flex-wrap: wrap; gap: .3em 1.2em; list-style: none; padding: 0; font-size: .9em; }
#legend li { display: flex; align-items: center; gap: .3em; }
.link { fill: none; stroke: #a8a8a8; stroke-width: 1.5; }
.link.tree { stroke: #1d3f8f; stroke-width: 5; }
.link.passed { stroke: #d9730d; stroke-width: 2.5; stroke-dasharray: 7 5; }
.link.cycle { stroke: #d00000; stroke-width: 5; stroke-dasharray: none; }
.node text { font-size: 13px; text-anchor: middle; dominant-baseline: central; }
.node .disc { stroke-width: 2; }
.node .ring { fill: none; stroke: none; }
[data-state=unreached] .disc { fill: #fff; stroke: #8a8a8a; stroke-dasharray: 4 3; }
[data-state=unreached] text { fill: #6a6a6a; }
[data-state=reached] .disc { fill: #cfe0ff; stroke: #1d3f8f; }
[data-state=current] .disc { fill: #ffd23f; stroke: #7a4b00; stroke-width: 3; }
[data-state=current] .ring { stroke: #7a4b00; stroke-width: 3; }
[data-state=finished] .disc { fill: url(#hatch); stroke: #303030; }
[data-state=finished] text { font-weight: bold; paint-order: stroke; stroke: #fff; stroke-width: 3px; }
</style>
</head>
<body>
<header>
<h1>The walk through )page";

constexpr std::string_view kControls = R"page(</p>
</header>
<main>
<section id="side">
<div id="controls" role="toolbar" aria-label="steps">
<button id="first" type="button" aria-label="first step" title="first step (Home)">|&#x25C0;</button>
<button id="prev" type="button" aria-label="previous step" title="previous step (&#x2190;)">&#x25C0;</button>
<button id="play" type="button" aria-label="play" title="play or pause (Space)">&#x25B6;&#xFE0E; play</button>
<button id="next" type="button" aria-label="next step" title="next step (&#x2192;)">&#x25B6;</button>
<button id="last" type="button" aria-label="last step" title="last step (End)">&#x25B6;|</button>
<label>speed <input id="speed" type="range" min="1" max="10" value="4"></label>
<input id="slider" type="range" min="0" value="0" aria-label="step">
</div>
<p id="status" aria-live="polite"><span id="counter"></span> <span id="sentence"></span></p>
<div>the visit order, the pointer on its slot:</div>
<ol id="strip" aria-label="visit order"></ol>
<pre id="code"><span class="line">reach node 1 into slot 1, the pointer on it</span><span class="line">repeat</span><span class="line">  examine the node at the pointer:</span><span class="line">    a neighbour not yet reached? reach the smallest into the next slot, the pointer on it</span><span class="line">    none left? step the pointer back one slot</span><span class="line">until the pointer is on slot 0</span><span class="line">check: all n nodes reached? a tree has 2n &#x2212; 2 entries and no self-link</span></pre>
<div id="end" hidden><pre id="checks">)page";

constexpr std::string_view kLegend = R"page(</pre></div>
<ul id="legend">
<li><svg width="26" height="26" aria-hidden="true"><g class="node" data-state="unreached" transform="translate(13,13)"><circle class="disc" r="9"/></g></svg> not reached (dashed)</li>
<li><svg width="26" height="26" aria-hidden="true"><g class="node" data-state="reached" transform="translate(13,13)"><circle class="disc" r="9"/></g></svg> reached</li>
<li><svg width="26" height="26" aria-hidden="true"><g class="node" data-state="current" transform="translate(13,13)"><circle class="ring" r="12"/><circle class="disc" r="8"/></g></svg> current (ringed)</li>
<li><svg width="26" height="26" aria-hidden="true"><g class="node" data-state="finished" transform="translate(13,13)"><circle class="disc" r="9"/></g></svg> finished: nothing left (hatched)</li>
<li><svg width="30" height="14" aria-hidden="true"><path class="link tree" d="M2 7H28"/></svg> tree link</li>
<li><svg width="30" height="14" aria-hidden="true"><path class="link passed" d="M2 7H28"/></svg> passed over: leads to a node already reached</li>
<li><svg width="30" height="14" aria-hidden="true"><path class="link cycle" d="M2 7H28"/></svg> the cycle</li>
</ul>
</section>
<section id="stage">
)page";

constexpr std::string_view kDefs =
    R"page(<defs><pattern id="hatch" width="6" height="6" patternUnits="userSpaceOnUse" patternTransform="rotate(45)"><rect width="6" height="6" fill="#c8c8c8"/><line x1="1" y1="0" x2="1" y2="6" stroke="#5a5a5a" stroke-width="2"/></pattern></defs>
<g id="links">
)page";

// The steps replayed: the state at step K is what the first K steps made
// of the graph before the walk, so any step can be shown at once, in
// either direction, from the steps alone.
constexpr std::string_view kScript = R"page(<script>
"use strict";
(() => {
  const T = STEPS.length;
  const $ = (id) => document.getElementById(id);
  const nodes = [...document.querySelectorAll("#nodes .node")];
  const links = new Map();
  for (const p of document.querySelectorAll("#links .link")) {
    links.set(p.dataset.a + "-" + p.dataset.b, p);
  }
  const link = (a, b) => links.get(Math.min(a, b) + "-" + Math.max(a, b));
  const slots = [];
  for (let i = 0; i <= nodes.length; i++) {
    const li = document.createElement("li");
    li.dataset.slot = i;
    slots.push(li);
    $("strip").append(li);
  }
  const lines = [...document.querySelectorAll("#code .line")];
  const slider = $("slider");
  slider.max = T;
  let shown = -1;
  let timer = 0;

  function stateAt(k) {
    const s = { reached: new Set(), finished: new Set(), order: [], tree: [],
                passed: [], current: 0, slot: -1, line: -1 };
    for (let i = 0; i < k; i++) {
      const [, kind, node, slot, x, ...passed] = STEPS[i];
      if (kind === 0) {
        s.reached.add(node);
        s.order.push(node);
        if (x !== 0) s.tree.push([x, node]);
        s.line = node === 1 ? 0 : 3;
      } else if (kind === 1) {
        if (x === 0) s.finished.add(node);
        for (const b of passed) s.passed.push([node, b]);
        s.line = 2;
      } else {
        s.line = node === 0 ? 5 : 4;
      }
      s.current = node;
      s.slot = slot;
    }
    if (k === T && T > 0) s.line = 6;
    return s;
  }

  function show(k, keepHash) {
    k = Math.max(0, Math.min(T, k | 0));
    const s = stateAt(k);
    for (const g of nodes) {
      const a = +g.dataset.node;
      const state = !s.reached.has(a) ? "unreached"
                  : a === s.current ? "current"
                  : s.finished.has(a) ? "finished" : "reached";
      g.dataset.state = state;
      g.querySelector("title").textContent = "node " + a + ": " + state;
    }
    for (const p of links.values()) p.setAttribute("class", "link");
    for (const [a, b] of s.passed) link(a, b).classList.add("passed");
    for (const [a, b] of s.tree) {
      link(a, b).classList.remove("passed");
      link(a, b).classList.add("tree");
    }
    if (k === T) {
      for (let i = 1; i < CYCLE.length; i++) {
        link(CYCLE[i - 1], CYCLE[i]).classList.add("cycle");
      }
    }
    slots.forEach((li, i) => {
      li.textContent = i >= 1 && i <= s.order.length ? s.order[i - 1] : "";
      li.classList.toggle("pointer", i === s.slot);
    });
    lines.forEach((line, i) => line.classList.toggle("now", i === s.line));
    $("counter").textContent = k + " / " + T;
    $("sentence").textContent = k > 0 ? STEPS[k - 1][0]
      : T > 0 ? "the graph before the walk: step on with \u2192 or the buttons"
      : "no node to start a walk from";
    $("end").hidden = k !== T;
    slider.value = k;
    shown = k;
    if (!keepHash) {
      try { history.replaceState(null, "", "#step=" + k); } catch (e) {}
    }
  }

  function stop() {
    clearInterval(timer);
    timer = 0;
    $("play").innerHTML = "&#x25B6;&#xFE0E; play";
    $("play").setAttribute("aria-label", "play");
  }
  function play() {
    if (shown >= T) show(0);
    $("play").innerHTML = "&#x23F8;&#xFE0E; pause";
    $("play").setAttribute("aria-label", "pause");
    clearInterval(timer);
    timer = setInterval(() => {
      show(shown + 1);
      if (shown >= T) stop();
    }, 2000 / +$("speed").value);
  }
  const step = (k) => { stop(); show(k); };
  $("first").onclick = () => step(0);
  $("prev").onclick = () => step(shown - 1);
  $("next").onclick = () => step(shown + 1);
  $("last").onclick = () => step(T);
  $("play").onclick = () => (timer ? stop() : play());
  $("speed").oninput = () => { if (timer) play(); };
  slider.oninput = () => step(+slider.value);
  document.addEventListener("keydown", (e) => {
    if (e.altKey || e.ctrlKey || e.metaKey) return;
    const onRange = e.target instanceof HTMLInputElement;
    const keys = { ArrowRight: shown + 1, ArrowLeft: shown - 1, Home: 0, End: T };
    if (e.key in keys && !onRange) {
      step(keys[e.key]);
    } else if (e.key === " " && !(e.target instanceof HTMLButtonElement)) {
      timer ? stop() : play();
    } else {
      return;
    }
    e.preventDefault();
  });
  const fromHash = () => {
    const m = /^#step=(\d+)$/.exec(location.hash);
    show(m ? +m[1] : 0, true);
  };
  window.addEventListener("hashchange", fromHash);
  fromHash();
})();
</script>
</body>
</html>
)page";

// The ring around the current node.
constexpr int32_t kRingRadius = CircleLayout::kNodeRadius + 5;

void writePoint(std::string_view before, Point p, Console& console) {
  writeNumber(before, p.x, console);
  writeNumber(" ", p.y, console);
}

void writeLinkPath(const CircleLayout& layout, int32_t a, int32_t b,
                   Console& console) {
  writeNumber("<path class=\"link\" data-a=\"", a, console);
  writeNumber("\" data-b=\"", b, console);
  if (a == b) {
    const Loop loop = layout.loop(a);
    writePoint("\" d=\"M", loop.from, console);
    writePoint(" C", loop.control1, console);
    writePoint(" ", loop.control2, console);
    writePoint(" ", loop.to, console);
  } else {
    writePoint("\" d=\"M", layout.at(a), console);
    writePoint(" Q", layout.bend(a, b), console);
    writePoint(" ", layout.at(b), console);
  }
  console.write("\"/>\n");
}

}  // namespace

void PageTrace::start() {
  const JudgedGraph& d = g_.d;
  console_.write(kHead);
  console_.write("The walk through ");
  writeGraphName(g_, console_, writeHtmlText);
  console_.write(kStyle);
  writeGraphName(g_, console_, writeHtmlText);
  console_.write("</h1>\n<p id=\"heading\">");
  writeHeading(g_, console_, writeHtmlText);
  console_.write(kControls);
  // The checks and verdict wait in the page until the end shows them;
  // they are known before the walk is told.
  writeChecks(g_, walkOf(d), console_);
  console_.write(kLegend);
  const int32_t side = layout_.side();
  writeNumber("<svg id=\"graph\" viewBox=\"0 0 ", side, console_);
  writeNumber(" ", side, console_);
  writeNumber("\" width=\"", side, console_);
  writeNumber("\" height=\"", side, console_);
  console_.write("\" role=\"img\" aria-label=\"the graph\">\n");
  console_.write(kDefs);
  forEachLinkOf(
      d, [&](int32_t a, int32_t b) { writeLinkPath(layout_, a, b, console_); });
  console_.write("</g>\n<g id=\"nodes\">\n");
  for (int32_t a = 1; a <= d.nodes; ++a) {
    const Point p = layout_.at(a);
    writeNumber("<g class=\"node\" data-node=\"", a, console_);
    console_.write("\" data-state=\"unreached\"");
    writeNumber(" transform=\"translate(", p.x, console_);
    writeNumber(",", p.y, console_);
    writeNumber(")\"><title>node ", a, console_);
    writeNumber("</title><circle class=\"ring\" r=\"", kRingRadius, console_);
    writeNumber("\"/><circle class=\"disc\" r=\"", CircleLayout::kNodeRadius,
                console_);
    writeNumber("\"/><text>", a, console_);
    console_.write("</text></g>\n");
  }
  console_.write(
      "</g>\n</svg>\n</section>\n</main>\n<script>\nconst STEPS = [\n");
}

void PageTrace::step(const TraceStep& s, const WalkView& walk) {
  console_.write("[\"");
  writeSentence(s, console_);
  writeNumber("\",", static_cast<int64_t>(s.kind), console_);
  writeNumber(",", s.node, console_);
  writeNumber(",", s.slot, console_);
  switch (s.kind) {
    case StepKind::kReach:
      writeNumber(",", walk.parent[s.node], console_);
      break;
    case StepKind::kExamine:
      writeNumber(",", s.next, console_);
      for (const int32_t b : s.passed) writeNumber(",", b, console_);
      break;
    case StepKind::kBack:
      console_.write(s.finished ? ",1" : ",0");
      break;
  }
  console_.write("],\n");
}

void PageTrace::finish(const WalkView& /*walk*/) {
  console_.write("];\nconst CYCLE = [");
  if (g_.d.verdict == GraphClass::kConnectedNotTree) {
    Cycle small;
    const char* separator = "";
    for (const int32_t a : cycleOf(g_.d, small)) {
      writeNumber(separator, a, console_);
      separator = ",";
    }
  }
  console_.write("];\n</script>\n");
  console_.write(kScript);
}

}  // namespace ugraph
