"use strict";
(() => {
  const T = STEPS.length;
  const $ = (id) => document.getElementById(id);
  const nodes = [...document.querySelectorAll("#nodes .node")];
  // What each node is called: its id in its file, or its number.
  const names = new Map(nodes.map((g) => [+g.dataset.node, g.dataset.name]));
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
      // A node stepped back to once finished is both, as its sentence says.
      const state = !s.reached.has(a) ? "unreached"
                  : a === s.current && s.finished.has(a) ? "current finished"
                  : a === s.current ? "current"
                  : s.finished.has(a) ? "finished" : "reached";
      g.dataset.state = state;
      g.querySelector("title").textContent =
        "node " + names.get(a) + ": " + state.replace(" ", " and ");
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
      li.textContent =
        i >= 1 && i <= s.order.length ? names.get(s.order[i - 1]) : "";
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
