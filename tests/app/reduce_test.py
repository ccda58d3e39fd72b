"""One graph over many machines, through the real binary: random graphs in
each format that can be cut, split in 1 to 16 parts, each part reduced by
its own run in a random order, merged flat (--list --json, --count --json
--merge) and in a tree of merges (--reduce --merge), give the single run's
answers; bad sets of parts and files that cannot be cut are refused by
name; the Slurm recipe parses (bash -n). With "peers": networkx reads a
reduced graph as an edge list, and GNU parallel splits a file in 8, merged
to the single run's answers (skipped, 77, without them).

usage: reduce_test.py UGRAPH SLURM_SCRIPT [peers]
"""
import gzip
import json
import os
import random
import shutil
import subprocess
import sys
import tempfile

BIN, SLURM = sys.argv[1], sys.argv[2]
failures = 0


def fail(message):
    global failures
    failures += 1
    print("FAIL", message)


def run(*args, stdin=None):
    done = subprocess.run([BIN, *args], capture_output=True, text=True, input=stdin)
    return done.returncode, done.stdout, done.stderr


def write(path, text):
    with open(path, "w") as f:
        f.write(text)
    return path


def draw(rng):
    """A random graph as text in a random format that can be cut."""
    n = rng.randint(1, 40)
    links = [(rng.randint(1, n), rng.randint(1, n)) for _ in range(rng.randint(0, 2 * n))]
    if rng.random() < 0.3:  # a tree, its first link repeated at the end
        links = [(b, rng.randint(1, b - 1)) for b in range(2, n + 1)]
        links += links[:1]
    form = rng.choice(["edges", "mtx", "dimacs"])
    if form == "edges":
        body = "".join("%d %d\n" % (a * 7919, b * 7919) for a, b in links)
        return form, "# SNAP-style\n" + body
    if form == "mtx":
        head = "%%%%MatrixMarket matrix coordinate pattern symmetric\n%d %d %d\n" % (n, n, len(links))
        return form, head + "".join("%d %d\n" % ab for ab in links)
    return form, "c random\np edge %d %d\n" % (n, len(links)) + "".join("e %d %d\n" % ab for ab in links)


def single(path):
    _, listed, _ = run("--list", "--json", path)
    _, counted, _ = run("--count", "--json", path)
    if not listed:
        return None  # a file of comments holds no graph
    return json.loads(listed), json.loads(counted)


def merged(paths, path):
    code, listed, err = run("--list", "--json", "--merge", *paths)
    if code not in (0, 1):
        fail("--merge of %s: status %d: %s" % (path, code, err))
        return None, None
    _, counted, _ = run("--count", "--json", "--merge", *paths)
    return json.loads(listed), json.loads(counted)


def same(path, whole, parts):
    (wl, wc), (ml, mc) = whole, parts
    if ml is None:
        return
    # The merged row is the single run's but for the distinct links and the
    # walk's order, which reduction keeps neither of, and any cycle.
    for key in ("verdict", "nodes", "components", "unreached", "refused", "name"):
        if wl.get(key) != ml.get(key):
            fail("%s: %s %r, merged %r" % (path, key, wl.get(key), ml.get(key)))
    if "refused" not in wl and ml.get("links") is not None:
        fail("%s: merged links %r, not null" % (path, ml.get("links")))
    if "order" in ml:
        fail("%s: merged JSON has an order" % path)
    for key in ("graphs", "tree", "cyclic", "connected", "disconnected", "refused", "components"):
        if wc.get(key) != mc.get(key):
            fail("%s: count %s %r, merged %r" % (path, key, wc.get(key), mc.get(key)))


def random_rounds(folder, rng, rounds):
    for r in range(rounds):
        form, text = draw(rng)
        if r % 4 == 3:  # a line broken somewhere after the header
            lines = text.split("\n")
            at = rng.randint(2, max(2, len(lines) - 2))
            lines[at] = "x" + lines[at]
            text = "\n".join(lines)
        path = write(os.path.join(folder, "g%d.%s" % (r, "txt" if form != "mtx" else "mtx")), text)
        whole = single(path)
        if whole is None:
            continue
        count = rng.randint(1, 16)
        order = list(range(count))
        rng.shuffle(order)
        parts = []
        for k in order:
            code, out, err = run("--reduce", "--part=%d/%d" % (k, count), path)
            if code not in (0, 1):
                fail("%s part %d/%d: status %d: %s" % (path, k, count, code, err))
            parts.append(write(os.path.join(folder, "g%d.part%d" % (r, k)), out))
        same(path, whole, merged(parts, path))
        # A tree of merges: pairs merged and reduced again, until one.
        level = 0
        while len(parts) > 1:
            rng.shuffle(parts)
            next_level = []
            for i in range(0, len(parts), 2):
                group = parts[i:i + 2]
                _, out, err = run("--reduce", "--merge", *group)
                next_level.append(write(os.path.join(folder, "g%d.m%d.%d" % (r, level, i)), out))
            parts, level = next_level, level + 1
        same(path, whole, merged(parts, path))


def expect_refused(what, args, words, status=2):
    code, _, err = run(*args)
    if code != status or words not in err:
        fail("%s: status %d, stderr %r; want %d and %r" % (what, code, err, status, words))


def bad_sets(folder):
    g = write(os.path.join(folder, "bad.txt"), "".join("%d %d\n" % (i, i + 1) for i in range(1, 200)))
    h = write(os.path.join(folder, "other.txt"), "1 2\n2 3\n")
    part = lambda k, n, f=g: write(os.path.join(folder, "bad%d-%d.%s" % (k, n, os.path.basename(f))),
                                   run("--reduce", "--part=%d/%d" % (k, n), f)[1])
    p0, p1, p2 = part(0, 3), part(1, 3), part(2, 3)
    q1 = part(1, 2)
    o1 = part(1, 2, h)
    expect_refused("a part missing", ["--count", "--merge", p0, p2], "part 1/3 is missing")
    expect_refused("parts missing", ["--list", "--merge", p1], "part 0/3 is missing")
    expect_refused("a part twice", ["--count", "--merge", p0, p1, p2, p1],
                   "part 1/3 is given twice: by %s and by %s" % (p1, p1))
    expect_refused("a mix of splits", ["--count", "--merge", p0, p1, p2, q1], q1 + ": is a part of a split in another")
    expect_refused("another file", ["--count", "--merge", p0, p1, p2, o1], o1 + ": is a part of another file than " + g)
    expect_refused("no reduced graph", ["--count", "--merge", p0, p1, g], g + ": is no reduced graph")
    expect_refused("standard input", ["--count", "--merge", p0, "-"], "-: --merge reads parts from files")
    # The merge names the file the parts are of.
    code, out, _ = run("--count", "--merge", p2, p0, p1)
    if code != 0 or not out.startswith(g + ": 1 graph: 1 connected (1 tree,"):
        fail("merge of a path: %d %r" % (code, out))
    # A merge reduced again may hold any parts; merged with the rest, whole.
    m02 = write(os.path.join(folder, "m02"), run("--reduce", "--merge", p0, p2)[1])
    code, out, _ = run("--count", "--merge", m02, p1)
    if code != 0 or "(1 tree," not in out:
        fail("merge of a merge: %d %r" % (code, out))
    expect_refused("a part given again in a merge", ["--count", "--merge", m02, p0, p1], "is given twice")
    # What cannot be cut, and what --part means elsewhere.
    with gzip.open(os.path.join(folder, "bad.txt.gz"), "wt") as f:
        f.write("1 2\n")
    expect_refused("compressed", ["--reduce", "--part=0/2", os.path.join(folder, "bad.txt.gz")], "cannot be cut")
    code, _, err = run("--reduce", "--part=0/2", "-", stdin="1 2\n")
    if code != 2 or "cannot be cut" not in err:
        fail("standard input cut: %d %r" % (code, err))
    metis = write(os.path.join(folder, "bad.graph"), "3 2\n2\n1 3\n2\n")
    expect_refused("METIS cut", ["--reduce", "--part=0/2", metis], "--convert --to=edges it first")
    expect_refused("--count --part of one graph", ["--count", "--part=0/2", g], "--reduce --part cuts it")
    expect_refused("--part with --merge", ["--reduce", "--merge", "--part=0/2", p0], "--part and --merge exclude each other")
    expect_refused("two FILEs", ["--reduce", g, h], "--reduce reads one FILE")
    catalogue = write(os.path.join(folder, "catalogue.txt"), '[U "a", (1),1,2]\n')
    expect_refused("a catalogue", ["--reduce", catalogue], "; --reduce reads a file of one graph")
    # A whole file read compressed, or from standard input, is reduced whole.
    code, out, _ = run("--reduce", "-", stdin="1 2\n2 3\n3 1\n")
    if code != 0 or "parts 0-0/1" not in out:
        fail("standard input reduced whole: %d %r" % (code, out))
    # A refusal a part meets is kept, told, and placed by the merge.
    broken = write(os.path.join(folder, "broken.txt"), "1 2\n" * 50 + "2 x\n" + "3 4\n" * 50)
    parts = []
    for k in range(4):
        code, out, err = run("--reduce", "--part=%d/4" % k, broken)
        if code != 0:
            fail("a broken part: status %d" % code)
        parts.append(write(os.path.join(folder, "broken%d" % k), out))
    code, out, _ = run("--list", "--json", "--merge", *parts)
    want = {"rule": "has a field that is not a non-negative decimal number", "line": 51, "column": 3}
    if code != 1 or json.loads(out).get("refused") != want:
        fail("a refusal merged: %d %r" % (code, out))


def networkx_reads(folder):
    import networkx as nx
    g = write(os.path.join(folder, "nx.txt"), "1 2\n2 3\n3 1\n4 4\n5 6\n")
    reduced = write(os.path.join(folder, "nx.red"), run("--reduce", g)[1])
    read = nx.read_edgelist(reduced, nodetype=int)
    if sorted(read.nodes) != [1, 2, 3, 4, 5, 6] or nx.number_connected_components(read) != 3:
        fail("networkx reads %r %r" % (sorted(read.nodes), list(read.edges)))


def parallel_split(folder):
    rng = random.Random(8)
    n = 3000
    text = "".join("%d\t%d\n" % (rng.randint(1, n), rng.randint(1, n)) for _ in range(20000))
    g = write(os.path.join(folder, "big.txt"), "# FromNodeId\tToNodeId\n" + text)
    done = subprocess.run(["parallel", "--will-cite", "-j8",
                           "%s --reduce --part={}/8 %s > %s/big.{}.red" % (BIN, g, folder),
                           ":::", *map(str, range(8))], capture_output=True, text=True)
    if done.returncode != 0:
        fail("parallel: %s" % done.stderr)
        return
    parts = [os.path.join(folder, "big.%d.red" % k) for k in range(8)]
    same(g, single(g), merged(parts, g))


def main():
    peers = sys.argv[3:] == ["peers"]
    if peers:
        try:
            import networkx  # noqa: F401
        except ImportError as error:
            print("skipped: networkx cannot be imported (%s)" % error)
            sys.exit(77)
        if shutil.which("parallel") is None:
            print("skipped: GNU parallel is not installed")
            sys.exit(77)
    folder = tempfile.mkdtemp()
    try:
        if peers:
            networkx_reads(folder)
            parallel_split(folder)
        else:
            random_rounds(folder, random.Random(36), 40)
            bad_sets(folder)
    finally:
        shutil.rmtree(folder)
    code = subprocess.run(["bash", "-n", SLURM]).returncode
    if code != 0:
        fail("bash -n %s: %d" % (SLURM, code))
    print("reduce and merge: %d failures" % failures)
    sys.exit(1 if failures else 0)


main()
