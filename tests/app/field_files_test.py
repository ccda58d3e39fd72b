"""Real files from the field, one a format (see field/SOURCES.md), judged by
ugraph as networkx judges them: nodes, distinct links, verdict and parts,
by the walk (--list --json) and by the one pass (--count --json). networkx
reads none of METIS, DIMACS or Matrix Market's symmetric entries as these
files hold them, so a small parser here builds each graph; the Matrix
Market file is read by scipy too when it can be imported. Compressed
forms give the answers of their plain form, when the tool that makes them
is there. Skipped (77) without networkx.

usage: field_files_test.py UGRAPH FIELD_DIR
"""
import json
import os
import shutil
import subprocess
import sys
import tempfile

try:
    import networkx as nx
except ImportError as error:
    print(f"skipped: networkx cannot be imported ({error})")
    sys.exit(77)

BIN, FIELD = sys.argv[1], sys.argv[2]
failures = 0


def fail(message):
    global failures
    failures += 1
    print("FAIL", message)


def edges_graph(path):
    g = nx.Graph()
    with open(path) as f:
        for line in f:
            fields = line.split()
            if not fields or fields[0][0] in "#%":
                continue
            g.add_edge(int(fields[0]), int(fields[1]))
    return g


def metis_graph(path):
    g = nx.Graph()
    with open(path) as f:
        lines = [l for l in f.read().split("\n") if not l.strip().startswith("%")]
    n = int(lines[0].split()[0])
    g.add_nodes_from(range(1, n + 1))
    for i, line in enumerate(lines[1:n + 1], start=1):
        for v in line.split():
            g.add_edge(i, int(v))
    return g


def dimacs_graph(path):
    g = nx.Graph()
    with open(path) as f:
        for line in f:
            fields = line.split()
            if fields and fields[0] == "p":
                g.add_nodes_from(range(1, int(fields[2]) + 1))
            elif fields and fields[0] in ("e", "a"):
                g.add_edge(int(fields[1]), int(fields[2]))
    return g


def mtx_graph(path):
    g = nx.Graph()
    with open(path) as f:
        lines = [l for l in f if l.strip() and not l.startswith("%")]
    n = int(lines[0].split()[0])
    g.add_nodes_from(range(1, n + 1))
    for line in lines[1:]:
        i, j = line.split()[:2]
        g.add_edge(int(i), int(j))
    return g


def verdict(g):
    if g.number_of_nodes() == 0:
        return "no node"
    if not nx.is_connected(g):
        return "not connected"
    return "connected and is a tree" if nx.is_tree(g) else "connected but not a tree"


def ugraph(*args):
    result = subprocess.run([BIN, *args], capture_output=True, text=True)
    if result.returncode != 0:
        fail(f"{args}: status {result.returncode}: {result.stderr}")
    return result.stdout


def check(name, path, g):
    want = {"nodes": g.number_of_nodes(), "links": g.number_of_edges(),
            "verdict": verdict(g),
            "components": nx.number_connected_components(g)}
    listed = json.loads(ugraph("--list", "--json", path))
    got = {key: listed[key] for key in want}
    if got != want:
        fail(f"{name}: --list --json gives {got}, networkx {want}")
    if listed["order"][0] != min(g.nodes):
        fail(f"{name}: the walk starts at {listed['order'][0]}, not the smallest id")
    counted = json.loads(ugraph("--count", "--json", path))
    if counted["components"] != {str(want["components"]): 1}:
        fail(f"{name}: --count gives components {counted['components']}")
    return listed


real = [("facebook_combined.txt", edges_graph), ("4elt.graph", metis_graph),
        ("myciel3.col", dimacs_graph), ("karate.mtx", mtx_graph)]
for name, parse in real:
    path = os.path.join(FIELD, name)
    check(name, path, parse(path))

try:
    import scipy.io
    m = scipy.io.mmread(os.path.join(FIELD, "karate.mtx"))
    g = nx.Graph()
    g.add_nodes_from(range(1, m.shape[0] + 1))
    g.add_edges_from((int(i) + 1, int(j) + 1) for i, j in zip(m.row, m.col))
    check("karate.mtx by scipy", os.path.join(FIELD, "karate.mtx"), g)
except ImportError:
    print("scipy cannot be imported: karate.mtx checked by the parser alone")

# Compressed forms give the answers of their plain form.
with tempfile.TemporaryDirectory() as tmp:
    for name, _ in real:
        plain = ugraph("--list", "--json", os.path.join(FIELD, name))
        for suffix, tool in ((".gz", "gzip"), (".bz2", "bzip2"),
                             (".xz", "xz"), (".zst", "zstd")):
            if shutil.which(tool) is None:
                print(f"{tool} missing: its form is not checked")
                continue
            packed = os.path.join(tmp, name + suffix)
            with open(os.path.join(FIELD, name), "rb") as src, open(packed, "wb") as out:
                subprocess.run([tool, "-c"], stdin=src, stdout=out, check=True)
            got = ugraph("--list", "--json", packed)
            if got != plain:
                fail(f"{name}{suffix} gives {got[:200]}, not {plain[:200]}")
            with open(packed, "rb") as src:
                piped = subprocess.run([BIN, "--list", "--json", "--from",
                                        "metis" if name.endswith(".graph") else
                                        "mtx" if name.endswith(".mtx") else
                                        "dimacs" if name.endswith(".col") else
                                        "edges", "-"],
                                       stdin=src, capture_output=True, text=True)
            if piped.stdout.replace('"-"', "") != plain.replace(f'"{name}"', ""):
                fail(f"{name}{suffix} from a pipe gives {piped.stdout[:200]}")

sys.exit(1 if failures else 0)
