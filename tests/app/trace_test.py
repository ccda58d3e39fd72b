"""--trace against the walk's own rules, from its JSON alone: for random
graphs (trees, cycles, parts, self-links, one node), the graph event's
links are walked by the rules here and every event must be the one the
rules give, with the neighbours passed over and the nodes finished; the
verdict's components, cycle and unreached nodes must hold for those links.
The text trace must say each event in its words.

usage: trace_test.py UGRAPH
"""
import json
import os
import random
import subprocess
import sys
import tempfile

BIN = sys.argv[1]
rng = random.Random(20)
graphs = []
for _ in range(150):
    n = rng.randint(1, 12)
    links = {tuple(sorted((rng.randint(1, n), rng.randint(1, n))))
             for _ in range(rng.randint(0, 2 * n))}
    graphs.append((n, links))
for n in (1, 5, 9):  # trees: each node linked to an earlier one
    graphs.append((n, {(rng.randint(1, b - 1), b) for b in range(2, n + 1)}))


def data_input(n, links):
    groups = {}
    for a, b in sorted(links):
        groups.setdefault(a, []).append(b)
    text = " ".join(f"({a}) " + " ".join(map(str, bs)) for a, bs in groups.items())
    return f'[U "r", {text} ({n})]'


def walk(n, links):
    """The events of the walk from node 1 by its rules."""
    neighbours = {a: set() for a in range(1, n + 1)}
    for a, b in links:
        neighbours[a].add(b)
        neighbours[b].add(a)
    order, finished, events = [], set(), []

    def reach(node):
        order.append(node)
        events.append({"event": "reach", "node": node, "order": list(order)})

    reach(1)
    pointer = 1
    while True:
        node = order[pointer - 1]
        left = sorted(neighbours[node] - set(order))
        nxt = left[0] if left else None
        passed = sorted(b for b in neighbours[node] if nxt is None or b < nxt)
        events.append({"event": "examine", "node": node, "next": nxt,
                       "passed": passed})
        if nxt is not None:
            finished.discard(node)
            reach(nxt)
            pointer = len(order)
            continue
        finished.add(node)
        pointer -= 1
        back = order[pointer - 1] if pointer > 0 else None
        events.append({"event": "back", "node": back,
                       "finished": back in finished})
        if back is None:
            return events, neighbours


def parts(n, neighbours):
    seen, count = set(), 0
    for start in range(1, n + 1):
        if start in seen:
            continue
        count += 1
        stack = [start]
        seen.add(start)
        while stack:
            for b in neighbours[stack.pop()] - seen:
                seen.add(b)
                stack.append(b)
    return count


def sentence(e):
    """An event in the text trace's words, without the order column."""
    if e["event"] == "reach":
        return f"reach {e['node']}"
    if e["event"] == "back":
        if e["node"] is None:
            return "back to slot 0: the walk is over"
        return f"back to {e['node']}" + (
            " (finished: nothing left to reach)" if e["finished"] else "")
    passed = [str(b) for b in e["passed"]]
    said = ""
    if passed:
        said = (", ".join(passed[:-1]) + " and " if len(passed) > 1 else "")
        said += passed[-1] + " already reached; "
    tail = ("nothing left to reach" if e["next"] is None
            else f"{e['next']} is not yet reached")
    return f"examine {e['node']}: {said}{tail}"


def check(events, text):
    graph, verdict = events[0], events[-1]
    assert graph["event"] == "graph" and verdict["event"] == "verdict"
    n = graph["nodes"]
    links = [tuple(pair) for pair in graph["links"]]
    assert all(a <= b for a, b in links) and links == sorted(set(links)), links
    expected, neighbours = walk(n, links)
    for got, want in zip(events[1:-1], expected):
        assert got == want, (got, want)
    assert len(events) - 2 == len(expected), "the walk's length"
    order = max((e["order"] for e in expected if e["event"] == "reach"), key=len)
    assert verdict["reached"] == len(order)
    assert verdict["components"] == parts(n, neighbours)
    if verdict["verdict"] == "not connected":
        assert verdict["unreached"] == sorted(set(range(1, n + 1)) - set(order))
    cycle = verdict.get("cycle")
    assert (cycle is not None) == (verdict["verdict"] == "connected but not a tree")
    if cycle:
        assert cycle[0] == cycle[-1] and len(set(cycle[:-1])) == len(cycle) - 1
        steps = [tuple(sorted(p)) for p in zip(cycle, cycle[1:])]
        assert all(s in links for s in steps), (cycle, links)
        assert len(cycle) == 2 or len(set(steps)) == len(steps), cycle
    if verdict["reached"] == n:
        self_links = sum(a == b for a, b in links)
        said = [f"{len(links) - self_links} link" + "s" * (len(links) - self_links != 1)]
        if self_links:
            said = said * (len(links) > self_links) + [
                f"{self_links} self-link" + "s" * (self_links != 1)]
        one = said in (["1 link"], ["1 self-link"])
        entries = verdict["entries"]
        line = (f"an entry is a link seen from one end, so {' and '.join(said)} "
                f"{'gives' if one else 'give'} {entries} entr{'y' if entries == 1 else 'ies'}")
        assert line in text.splitlines(), line
    lines = text.splitlines()[1:1 + len(expected)]
    said = [line.split("  ")[0] for line in lines]
    assert said == [sentence(e) for e in expected], (said, expected)


work = tempfile.mkdtemp()
catalogue = os.path.join(work, "graphs.txt")
with open(catalogue, "w") as f:
    f.write("\n".join(data_input(n, links) for n, links in graphs) + "\n")
failures = 0
for number, (n, links) in enumerate(graphs, 1):
    run = lambda *more: subprocess.run(  # noqa: E731
        [BIN, f"--trace={number}", *more, catalogue], capture_output=True,
        check=True, text=True).stdout
    try:
        check([json.loads(line) for line in run("--json").splitlines()], run())
    except AssertionError as error:
        print(f"FAIL graph {number} {data_input(n, links)}: {error}")
        failures += 1
os.remove(catalogue)
os.rmdir(work)
print(f"{len(graphs)} walks replayed" if not failures else f"{failures} failures")
sys.exit(1 if failures else 0)
