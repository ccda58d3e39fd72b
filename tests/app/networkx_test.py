"""networkx as a second reader and writer of graph6 and sparse6: random
simple graphs written by networkx are judged by ugraph as networkx judges
them, and what ugraph writes networkx reads back as the same graph.
Skipped (77) when networkx cannot be imported.

usage: networkx_test.py UGRAPH
"""
import json
import random
import subprocess
import sys

try:
    import networkx as nx
except ImportError as error:
    print(f"skipped: networkx cannot be imported ({error})")
    sys.exit(77)

BIN = sys.argv[1]
rng = random.Random(6)
# A one-node graph with a self-link is left out: networkx misreads it.
graphs = [nx.gnp_random_graph(rng.randint(1, 50), rng.choice([0.02, 0.05, 0.2]),
                              seed=rng.randint(0, 10**6)) for _ in range(400)]


def run(args, data):
    return subprocess.run([BIN] + args, input=data, capture_output=True,
                          check=True).stdout


def verdict(g):
    if g.number_of_nodes() == 0:
        return "no node"
    if not nx.is_connected(g):
        return "not connected"
    return "connected and is a tree" if nx.is_tree(g) else "connected but not a tree"


failures = 0
for form, write in (("graph6", nx.to_graph6_bytes), ("sparse6", nx.to_sparse6_bytes)):
    data = b"".join(write(g, header=False) for g in graphs)
    rows = [json.loads(line) for line in run(["--list", "--json", f"--from={form}", "-"], data).splitlines()]
    for g, row in zip(graphs, rows):
        want = (g.number_of_nodes(), g.number_of_edges(), verdict(g))
        got = (row["nodes"], row["links"], row["verdict"])
        if want != got:
            print(f"FAIL {form}: networkx {want}, ugraph {got}")
            failures += 1
    back = run(["--convert", f"--from={form}", f"--to={form}", "-"], data)
    for g, line in zip(graphs, back.splitlines()):
        h = (nx.from_graph6_bytes if form == "graph6" else nx.from_sparse6_bytes)(line)
        if sorted(h.edges()) != sorted(g.edges()) or len(h) != len(g):
            print(f"FAIL {form} written: networkx reads another graph back")
            failures += 1
print(f"{len(graphs)} graphs agree with networkx in graph6 and sparse6"
      if failures == 0 else f"{failures} disagreements")
sys.exit(1 if failures else 0)
