"""--trace against the walk's own rules: for random graphs, the JSON events
are replayed step by step from the graph's links and must be exactly the
steps of the walk; the reach events must give --list's visit order, and
the verdict its verdict. With Graphviz, the frames must render.

usage: trace_test.py UGRAPH
"""
import json
import os
import random
import shutil
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


def data_input(n, links):
    groups = {}
    for a, b in sorted(links):
        groups.setdefault(a, []).append(b)
    text = " ".join(f"({a}) " + " ".join(map(str, bs)) for a, bs in groups.items())
    return f'[U "r", {text} ({n})]'


def replay(n, links, events):
    """Walks the graph by the rules and checks each event against it."""
    neighbours = {a: set() for a in range(1, n + 1)}
    for a, b in links:
        neighbours[a].add(b)
        neighbours[b].add(a)
    order, pointer, expected = [], 0, 1
    for event in events[:-1]:
        kind, node = event["event"], event["node"]
        if kind == "reach":
            assert node == expected and node not in order, event
            order.append(node)
            pointer = len(order)
            assert event["order"] == order, event
        elif kind == "examine":
            assert node == order[pointer - 1], event
            left = sorted(neighbours[node] - set(order))
            assert event["next"] == (left[0] if left else None), event
            expected = event["next"]
        else:
            assert kind == "back" and expected is None, event
            pointer -= 1
            assert node == (order[pointer - 1] if pointer > 0 else None), event
    assert pointer == 0 or not links, "the walk did not end at slot 0"
    return order


work = tempfile.mkdtemp()
catalogue = os.path.join(work, "graphs.txt")
with open(catalogue, "w") as f:
    f.write("\n".join(data_input(n, links) for n, links in graphs) + "\n")
listed = [json.loads(line) for line in subprocess.run(
    [BIN, "--list", "--json", catalogue], capture_output=True, check=True,
    text=True).stdout.splitlines()]
failures = 0
for number, ((n, links), row) in enumerate(zip(graphs, listed), 1):
    events = [json.loads(line) for line in subprocess.run(
        [BIN, f"--trace={number}", "--json", catalogue], capture_output=True,
        check=True, text=True).stdout.splitlines()]
    try:
        order = replay(n, links, events)
        verdict = events[-1]
        assert verdict["event"] == "verdict" and verdict["verdict"] == row["verdict"]
        assert order == row["order"], (order, row)
    except AssertionError as error:
        print(f"FAIL graph {number} {data_input(n, links)}: {error}")
        failures += 1

if shutil.which("dot"):
    for number in (1, 2, 3):
        frames = subprocess.run([BIN, f"--trace={number}", "--to=dot", catalogue],
                                capture_output=True, check=True).stdout
        count = frames.count(b"\ngraph ") + frames.startswith(b"graph ")
        subprocess.run(["dot", "-Tpng", "-O"], input=frames, cwd=work, check=True)
        pngs = [f for f in os.listdir(work) if f.endswith(".png")]
        if len(pngs) != count:
            print(f"FAIL graph {number}: {count} frames, {len(pngs)} pictures")
            failures += 1
        for f in pngs:
            os.remove(os.path.join(work, f))
shutil.rmtree(work)
print(f"{len(graphs)} walks replayed" if not failures else f"{failures} failures")
sys.exit(1 if failures else 0)
