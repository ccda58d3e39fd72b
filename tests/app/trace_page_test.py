"""--trace --to=html in a real browser: headless Chromium opens pages made
for random graphs (trees, cyclic, not connected, a self-link, one node; a
catalogue and graph6 lines) at several #step=K, and for 0 nodes (where
no line of the walk's rules is marked), and the page's state at
step K must be the one the JSON trace gives: the step counter, the
sentence (the text trace's line), the pointer's slot and each node's
state (a node stepped back to once finished is both current and
finished, as its sentence says). On the positions the pages hold, and
those of the sample catalogue's tree, cycle, two parts and 50-node wheel:
no two nodes overlap, no link passes over a node it does not touch, a
tree stands in rows by depth from node 1, and the wheel's hub lies inside
its rim. Screenshots at several steps must be drawn, not blank. Skipped
(77) without Chromium.

usage: trace_page_test.py UGRAPH CATALOGUE
"""
import json
import os
import random
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib

BIN, CATALOGUE = sys.argv[1], sys.argv[2]
browser = shutil.which("chromium") or shutil.which("chromium-browser")
if not browser:
    print("skipped: chromium is not installed")
    sys.exit(77)
rng = random.Random(26)
work = tempfile.mkdtemp()


def browse(*arguments):
    return subprocess.run(
        [browser, "--headless=new", "--no-sandbox", "--disable-gpu",
         "--no-first-run", f"--user-data-dir={work}/profile", *arguments],
        capture_output=True, text=True, timeout=120)


def expected(events, k):
    """The page's state after the first k steps, replayed from the JSON."""
    order, finished, current, slot = [], set(), None, None
    for e in events[1:1 + k]:
        current = e["node"]
        if e["event"] == "reach":
            order = e["order"]
            slot = len(order)
        elif e["event"] == "examine":
            slot = order.index(current) + 1
            if e["next"] is None:
                finished.add(current)
        else:
            slot = order.index(current) + 1 if current else 0
    states = {}
    for a in range(1, events[0]["nodes"] + 1):
        states[a] = ("unreached" if a not in order
                     else "current finished" if a == current and a in finished
                     else "current" if a == current
                     else "finished" if a in finished else "reached")
    return slot, states


def page_state(dom):
    counter = re.search(r'<span id="counter">([^<]*)</span>', dom).group(1)
    sentence = re.search(r'<span id="sentence">([^<]*)</span>', dom).group(1)
    pointer = re.findall(r'<li data-slot="(\d+)" class="pointer">', dom)
    states = {int(a): s for a, s in re.findall(
        r'<g class="node" data-node="(\d+)" data-state="([\w ]+)"', dom)}
    end = re.search(r'<div id="end"( hidden="")?>', dom).group(1) is None
    return counter, sentence, int(pointer[0]) if pointer else None, states, end


def marked_rules(dom):
    """The lines of the walk's rules marked as the current one."""
    return re.findall(r'<span class="line now">([^<]*)</span>', dom)


def layout_faults(html, kind):
    """What breaks the layout's promises in a page's drawing: nodes that
    overlap, links that pass over a node they do not touch, and for a tree
    its rows by depth, for the wheel its hub inside its rim."""
    faults = []
    radius = int(re.search(r'<circle class="disc" r="(\d+)"', html).group(1))
    at = {int(a): (int(x), int(y)) for a, x, y in re.findall(
        r'data-node="(\d+)"[^>]* transform="translate\((-?\d+),(-?\d+)\)"', html)}
    links = [(int(a), int(b), d) for a, b, d in re.findall(
        r'<path class="link[^"]*" data-a="(\d+)" data-b="(\d+)" d="([^"]*)"', html)]
    apart = lambda p, q: ((p[0] - q[0]) ** 2 + (p[1] - q[1]) ** 2) ** 0.5  # noqa: E731
    for a in at:
        for b in at:
            if a < b and apart(at[a], at[b]) < 2 * radius:
                faults.append(f"nodes {a} and {b} overlap")
    for a, b, d in links:
        if a == b:
            continue
        numbers = list(map(int, re.findall(r"-?\d+", d)))
        p, c, q = numbers[0:2], numbers[2:4], numbers[4:6]
        for k in at:
            if k in (a, b):
                continue
            for step in range(129):
                t = step / 128
                point = [(1 - t) ** 2 * p[i] + 2 * t * (1 - t) * c[i] + t * t * q[i]
                         for i in (0, 1)]
                if apart(point, at[k]) < radius:
                    faults.append(f"link {a}-{b} passes over node {k}")
                    break
    neighbours = {a: set() for a in at}
    for a, b, _ in links:
        neighbours[a].add(b)
        neighbours[b].add(a)
    if kind == "tree":
        depth, queue = {1: 0}, [1]
        for a in queue:
            for b in sorted(neighbours[a]):
                if b not in depth:
                    depth[b] = depth[a] + 1
                    queue.append(b)
        rows = {}
        for a, k in depth.items():
            rows.setdefault(k, set()).add(at[a][1])
        if any(len(ys) != 1 for ys in rows.values()):
            faults.append(f"a row of the tree is not level: {rows}")
        ys = [min(rows[k]) for k in sorted(rows)]
        if ys != sorted(set(ys)):
            faults.append(f"the tree's rows are not by depth: {ys}")
    if kind == "wheel":
        rim = [at[a] for a in at if a != 1]
        middle = [sum(p[i] for p in rim) / len(rim) for i in (0, 1)]
        if apart(at[1], middle) >= min(apart(p, middle) for p in rim):
            faults.append("the wheel's hub is not inside its rim")
    return faults


def screenshot_faults(page, k):
    """Whether a screenshot of the page at step k is drawn: many colours,
    not one."""
    shot = os.path.join(work, "shot.png")
    if os.path.exists(shot):
        os.remove(shot)
    browse(f"--screenshot={shot}", "--window-size=1280,900",
           f"file://{page}#step={k}")
    data = open(shot, "rb").read() if os.path.exists(shot) else b""
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        return ["no screenshot"]
    width, height, depth, colour = struct.unpack(">IIBB", data[16:26])
    chunks, at = b"", 8
    while at < len(data):
        length, name = struct.unpack(">I4s", data[at:at + 8])
        if name == b"IDAT":
            chunks += data[at + 8:at + 8 + length]
        at += length + 12
    pixels = zlib.decompress(chunks)
    row = len(pixels) // height
    # Unfiltered bytes of every row but its filter byte: a blank page is
    # one value repeated, after any filter.
    values = {b for r in range(height) for b in pixels[r * row + 1:(r + 1) * row]}
    if len(values) < 20:
        return [f"the screenshot ({width}x{height}) is blank: {len(values)} values"]
    return []


def graphs():
    def tree(n):
        return {(rng.randint(1, b - 1), b) for b in range(2, n + 1)}
    made = [("tree", 9, tree(9)), ("one node", 1, set()),
            ("self-link", 4, tree(4) | {(3, 3)}),
            ("cyclic", 8, tree(8) | {(2, 7), (4, 8)}),
            ("not connected", 10, tree(6) | {(7, 8), (8, 9)})]
    return made


def data_input(n, links):
    groups = {}
    for a, b in sorted(links):
        groups.setdefault(min(a, b), []).append(max(a, b))
    text = " ".join(f"({a}) " + " ".join(map(str, bs)) for a, bs in groups.items())
    return f'[U "g", {text} ({n})]'


made = graphs()
catalogue = os.path.join(work, "graphs.txt")
with open(catalogue, "w") as f:
    f.write("\n".join(data_input(n, links) for _, n, links in made) + "\n")
lines = os.path.join(work, "graphs.g6")
subprocess.run([BIN, "--convert", "--to=graph6", "--select=tree,disconnected",
                catalogue], stdout=open(lines, "w"), check=True)
walks = [(kind, catalogue, i) for i, (kind, _, _) in enumerate(made, 1)]
walks += [("graph6 line", lines, 1), ("graph6 line", lines, 3)]

failures = 0
for kind, source, number in walks:
    run = lambda *more: subprocess.run(  # noqa: E731
        [BIN, f"--trace={number}", *more, source], capture_output=True,
        check=True, text=True).stdout
    events = [json.loads(line) for line in run("--json").splitlines()]
    said = [line.split("  ")[0] for line in run().splitlines()[1:]]
    page = os.path.join(work, f"page{number}.html")
    with open(page, "w") as f:
        f.write(run("--to=html"))
    for fault in layout_faults(open(page).read(), "tree" if kind == "tree" else ""):
        print(f"FAIL {kind} ({source} {number}): {fault}")
        failures += 1
    total = len(events) - 2
    for k in sorted({0, 1, rng.randint(1, total), total}):
        dom = browse("--dump-dom", f"file://{page}#step={k}").stdout
        try:
            counter, sentence, pointer, states, end = page_state(dom)
            slot, want = expected(events, k)
            assert counter == f"{k} / {total}", counter
            assert k == 0 or sentence == said[k - 1], (sentence, said[k - 1])
            assert pointer == slot, (pointer, slot)
            assert states == want, (states, want)
            assert end == (k == total), "the checks show at the last step only"
        except (AssertionError, AttributeError) as error:
            print(f"FAIL {kind} ({source} {number}) at step {k}: {error}")
            failures += 1

# The graph of 0 nodes has no step: its page shows its verdict at once.
empty = os.path.join(work, "empty.g6")
with open(empty, "w") as f:
    f.write("?\n")
with open(os.path.join(work, "empty.html"), "w") as f:
    f.write(subprocess.run([BIN, "--trace=1", "--to=html", empty], check=True,
                           capture_output=True, text=True).stdout)
dom = browse("--dump-dom", f"file://{work}/empty.html").stdout
state = page_state(dom)
if state != ("0 / 0", "no node to start a walk from", None, {}, True):
    print(f"FAIL the page of the graph of 0 nodes: {state}")
    failures += 1
if marked_rules(dom):
    print(f"FAIL the page of the graph of 0 nodes marks {marked_rules(dom)}")
    failures += 1

# The sample catalogue's tree, cycle, two parts and wheel: the layout
# keeps its promises, and screenshots at several steps are drawn.
for number, kind, steps in ((5, "tree", (0, 11, 37)), (6, "cyclic", (5, 20)),
                            (7, "disconnected", (4, 11)), (13, "wheel", (0, 40, 199))):
    page = os.path.join(work, f"sample{number}.html")
    with open(page, "w") as f:
        f.write(subprocess.run([BIN, f"--trace={number}", "--to=html", CATALOGUE],
                               check=True, capture_output=True, text=True).stdout)
    faults = layout_faults(open(page).read(), kind)
    for k in steps:
        faults += [f"at step {k}: {fault}" for fault in screenshot_faults(page, k)]
    for fault in faults:
        print(f"FAIL the sample's {kind} graph: {fault}")
        failures += 1

# At step 11 of the tree, the sentence and the drawing agree that node 4
# is current and finished.
dom = browse("--dump-dom", f"file://{work}/sample5.html#step=11").stdout
counter, sentence, _, states, _ = page_state(dom)
if (sentence, states.get(4)) != ("back to 4 (finished: nothing left to reach)",
                                 "current finished"):
    print(f"FAIL the tree at step 11: {sentence!r} with node 4 {states.get(4)!r}")
    failures += 1
shutil.rmtree(work)
print(f"{failures} failures" if failures else f"{len(walks)} pages checked step by step")
sys.exit(1 if failures else 0)
