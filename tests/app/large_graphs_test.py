"""Graphs of more than 50 nodes against networkx and nauty: random graphs
of 51 to 3,000 nodes, dense ones in graph6 and sparse ones with self-links
and repeated links in sparse6, judged by ugraph as networkx judges them
(verdict, parts, unreached nodes, visit order, a true cycle); and what
--convert writes, byte for byte as nauty-copyg writes it across formats,
and as networkx writes it past copyg's reach, up to the 8-byte node count.
Skipped (77) when networkx cannot be imported; the comparison with copyg
is left out when nauty is missing.

usage: large_graphs_test.py UGRAPH
"""
import json
import random
import shutil
import subprocess
import sys

try:
    import networkx as nx
except ImportError as error:
    print(f"skipped: networkx cannot be imported ({error})")
    sys.exit(77)

BIN = sys.argv[1]
rng = random.Random(24)
failures = 0


def run(args, data, tool=None):
    return subprocess.run([tool or BIN] + args, input=data, capture_output=True,
                          check=True).stdout


def fail(message):
    global failures
    failures += 1
    if failures <= 20:
        print("FAIL", message)


def simple(n, links):
    """The graph as an nx.Graph whose neighbours come in ascending order."""
    g = nx.Graph()
    g.add_nodes_from(range(n))
    g.add_edges_from(sorted({(min(a, b), max(a, b)) for a, b in links}))
    return g


def sparse6(n, links):
    """links as sparse6, by their larger node, repeats and self-links kept."""
    k = max(1, (n - 1).bit_length())
    bits = []
    v = 0
    for j, i in sorted((max(a, b), min(a, b)) for a, b in links):
        if j == v:
            bits.append("0")
        elif j == v + 1:
            bits.append("1")
        else:
            bits.append("1" + format(j, f"0{k}b") + "0")
        v = j
        bits.append(format(i, f"0{k}b"))
    text = "".join(bits)
    text += "1" * (-len(text) % 6)
    if n < 63:
        count = bytes([63 + n])
    else:
        count = b"~" + bytes(63 + (n >> s & 63) for s in (12, 6, 0))
    body = bytes(63 + int(text[i:i + 6], 2) for i in range(0, len(text), 6))
    return b":" + count + body + b"\n"


def graph6(g):
    """g as graph6, quicker than networkx for graphs of some hundred nodes."""
    n = g.number_of_nodes()
    adj = [set(g[v]) for v in range(n)]
    bits = "".join("1" if i in adj[j] else "0" for j in range(1, n) for i in range(j))
    bits += "0" * (-len(bits) % 6)
    count = bytes([63 + n]) if n < 63 else b"~" + bytes(63 + (n >> s & 63) for s in (12, 6, 0))
    return count + bytes(63 + int(bits[i:i + 6], 2) for i in range(0, len(bits), 6)) + b"\n"


def verdict(g):
    if g.number_of_nodes() == 0:
        return "no node"
    if not nx.is_connected(g):
        return "not connected"
    return "connected and is a tree" if nx.is_tree(g) else "connected but not a tree"


def check(g, row, name):
    n = g.number_of_nodes()
    if row.get("refused"):
        fail(f"{name}: refused {row['refused']}")
        return
    got = (row["nodes"], row["links"], row["verdict"], row["components"])
    want = (n, g.number_of_edges(), verdict(g), nx.number_connected_components(g))
    if got != want:
        fail(f"{name}: networkx {want}, ugraph {got}")
        return
    if row["verdict"] == "no node":
        return
    order = [a + 1 for a in nx.dfs_preorder_nodes(g, 0)]
    if row["order"] != order:
        fail(f"{name}: the visit order differs from dfs_preorder_nodes")
    if "unreached" in row and row["unreached"] != sorted(set(range(1, n + 1)) - set(order)):
        fail(f"{name}: the unreached nodes differ")
    if "cycle" in row:
        c = [a - 1 for a in row["cycle"]]
        closed = len(c) >= 2 and c[0] == c[-1] and len(set(c[:-1])) == len(c) - 1
        linked = all(g.has_edge(c[i], c[i + 1]) for i in range(len(c) - 1))
        if not (closed and linked):
            fail(f"{name}: {row['cycle']} is no cycle of the graph")


# Dense graphs in graph6, up to 300 nodes.
dense = [nx.gnp_random_graph(rng.randint(51, 300), rng.choice([0.002, 0.01, 0.05, 0.2]),
                             seed=rng.randint(0, 10**6)) for _ in range(150)]
data = b"".join(graph6(g) for g in dense)
if data[:200] != b"".join(nx.to_graph6_bytes(g, header=False) for g in dense[:1])[:200]:
    fail("the test's own graph6 differs from networkx's")
rows = [json.loads(line) for line in run(["--list", "--json", "-"], data).splitlines()]
if len(rows) != len(dense):
    fail(f"graph6: {len(rows)} rows for {len(dense)} graphs")
for i, (g, row) in enumerate(zip(dense, rows)):
    check(g, row, f"graph6 {i + 1}")

# Sparse graphs in sparse6 with self-links and repeats.
sparse = []
lines = []
for _ in range(850):
    n = rng.randint(51, 3000)
    m = rng.randint(0, 2 * n)
    links = [(rng.randrange(n), rng.randrange(n)) for _ in range(m)]
    links += rng.sample(links, min(len(links), rng.randint(0, 20)))  # repeats
    sparse.append(simple(n, links))
    lines.append(sparse6(n, links))
rows = [json.loads(line) for line in run(["--list", "--json", "-"], b"".join(lines)).splitlines()]
for i, (g, row) in enumerate(zip(sparse, rows)):
    check(g, row, f"sparse6 {i + 1}")

# Writing: across formats as nauty-copyg writes, for graphs without
# self-links or repeats; past its reach, as networkx writes.
copyg = shutil.which("nauty-copyg")
written = [nx.gnp_random_graph(rng.randint(51, 2000), rng.choice([0.001, 0.005, 0.02]),
                               seed=rng.randint(0, 10**6)) for _ in range(40)]
s6 = b"".join(nx.to_sparse6_bytes(g, header=False) for g in written)
if copyg:
    g6 = run(["-q", "-g"], s6, copyg)
    for source, target, flag in ((g6, "sparse6", "-s"), (s6, "graph6", "-g")):
        ours = run(["--convert", f"--to={target}", "-"], source)
        theirs = run(["-q", flag], source, copyg)
        if ours != theirs:
            fail(f"--convert --to={target} differs from nauty-copyg {flag}")
else:
    print("nauty-copyg is missing: the comparison with it is left out")
big = [nx.path_graph(5000), nx.gnm_random_graph(20000, 30000, seed=3),
       nx.gnm_random_graph(258050, 2000, seed=4)]
for g in big:
    want = nx.to_sparse6_bytes(g, header=False)
    if run(["--convert", "--to=sparse6", "-"], want) != want:
        fail(f"sparse6 of {g.number_of_nodes()} nodes differs from networkx's")
want = graph6(big[0])
if run(["--convert", "--to=graph6", "-"], nx.to_sparse6_bytes(big[0], header=False)) != want:
    fail("graph6 of 5000 nodes differs")

if failures:
    print(f"{failures} failed")
    sys.exit(1)
print(f"{len(dense) + len(sparse)} graphs judged as networkx judges them; "
      f"{len(written) + len(big)} written as nauty and networkx write them")
