"""Runs each benchmark row for ugraph and for cat on the same bytes.

Rows: (a) the largest typed graphs, (b) the largest data-input, (c) large
catalogues choosing the last data-input, (c-small) catalogues of many small
data-inputs choosing the last, (d) the README's keyboard session, (e)
--check and (f) --list --json on the 100 MB small catalogue. For each:
instructions (callgrind), wall time (hyperfine) and peak memory (GNU time)
of ugraph and of cat, and their ratios; (f) also against a networkx script
doing the same job, per data-input. Then (g) every graph on 9 nodes, four
times over, judged by ugraph from graph6 and from its catalogue form, side
by side with nauty's countg on the same graphs, and networkx per graph:
their commands are taken in turn, round after round, and each row's ratio
to countg is of medians from the same rounds. Last (h): large random
sparse graphs in sparse6, against igraph (from an edge list, as it reads
no sparse6), networkx and countg, and ugraph's time per link from 10^4 to
10^6 nodes. Then (i): --count against countg on every graph on 9 and 10
nodes, and against --check on the catalogue form. `bench/run.sh large`
runs (h) alone, `bench/run.sh g` (g), `bench/run.sh count` (i).
"""
import json
import os
import shutil
import platform
import random
import re
import statistics
import subprocess
import sys
import tempfile
import time

UGRAPH, WORK = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
HERE = os.path.dirname(os.path.abspath(__file__))


def write(path, text):
    with open(path, "w") as f:
        f.write(text)


def make_row(name, stdin, catalogue=None):
    folder = os.path.join(WORK, name)
    os.makedirs(folder, exist_ok=True)
    write(os.path.join(folder, "stdin"), stdin)
    if catalogue is not None:
        write(os.path.join(folder, "GraphDataFile2.txt"), catalogue)
    return folder


def complete_typed():
    lines = [" ".join(str(b) for b in range(1, 51) if b != a) for a in range(1, 51)]
    return "K\nK50\n50\n" + "\n".join(lines) + "\n\n"


def repeats_typed():
    rng = random.Random(5000)
    lines = [" ".join(str(rng.randint(1, 50)) for _ in range(100)) for _ in range(50)]
    return "K\nRepeats\n50\n" + "\n".join(lines) + "\n\n"


def dense_record(name, links, width):
    """A data-input of `links` links, padded to `width` characters."""
    pairs = [(a, b) for a in range(1, 51) for b in range(a + 1, 51)][:links]
    groups = {}
    for a, b in pairs:
        groups.setdefault(a, []).append(b)
    core = '"%s",%s]' % (name, "".join(" (%d)%s" % (a, ",".join(map(str, bs))) for a, bs in groups.items()))
    return "[U" + " " * (width - 2 - len(core)) + core


def small_catalogue():
    return ("Benchmark catalogue.\n[U \"Path\", (1),2, (2),3]\n"
            + dense_record("Largest", 624, 2500) + "\n[U \"Star\" (1) 2 3 4 5]\n")


def write_big_catalogue(folder, count):
    records = "".join(dense_record("G%06d" % i, 600, 2499) + "\n" for i in range(1, count + 1))
    write(os.path.join(folder, "GraphDataFile2.txt"), "A large catalogue.\n" + records)


def write_small_catalogue(folder, megabytes):
    """Path graphs of five nodes, each followed by a line of free text."""
    parts, size, count = ["A catalogue of small graphs.\n"], 0, 0
    while size < megabytes * 1000000:
        count += 1
        part = '[U "Path%d", (1),2, (2),3, (3),4, (4),5]\nfree text about path %d\n' % (count, count)
        parts.append(part)
        size += len(part)
    write(os.path.join(folder, "GraphDataFile2.txt"), "".join(parts))
    return count


def instructions(command, folder):
    out = subprocess.run(["valgrind", "--tool=callgrind", "--callgrind-out-file=/dev/null"]
                         + command, cwd=folder, stdin=open(os.path.join(folder, "stdin")),
                         stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True).stderr
    return int(re.search(r"Collected : (\d+)", out).group(1))


def wall_times(commands, folder):
    with tempfile.NamedTemporaryFile(suffix=".json") as report:
        subprocess.run(["hyperfine", "--warmup", "2",
                        "--min-runs", "10", "--export-json", report.name] + commands,
                       cwd=folder, check=True, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        return [r["median"] for r in json.load(open(report.name))["results"]]


def peak_kib(command, folder):
    err = subprocess.run(["/usr/bin/time", "-f", "%M"] + command, cwd=folder,
                         stdin=open(os.path.join(folder, "stdin")),
                         stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True).stderr
    return int(err.strip().splitlines()[-1])


def measure(label, folder, with_file, count_instructions=True):
    data = os.path.join(folder, "GraphDataFile2.txt")
    row = {"row": label}
    if count_instructions:
        row["ug_ir"] = instructions([UGRAPH], folder)
        row["cat_ir"] = instructions(["cat"], folder)
        floor = row["cat_ir"]
        if with_file:
            row["catf_ir"] = instructions(["cat", data], folder)
            floor += row["catf_ir"]
        row["ir_ratio"] = row["ug_ir"] / floor
    commands = ["%s < stdin > /dev/null" % UGRAPH, "cat < stdin > /dev/null"]
    if with_file:
        commands.append("cat GraphDataFile2.txt > /dev/null")
    times = wall_times(commands, folder)
    row["ug_ms"], row["cat_ms"] = times[0] * 1e3, times[1] * 1e3
    row["time_ratio"] = times[0] / times[-1]
    if with_file:
        row["catf_ms"] = times[2] * 1e3
    row["ug_kib"] = peak_kib([UGRAPH], folder)
    row["cat_kib"] = peak_kib(["cat"], folder)
    return row


def measure_mode(label, folder, option):
    """ugraph OPTION on the folder's catalogue against cat of the file."""
    command = "%s %s GraphDataFile2.txt > /dev/null" % (UGRAPH, option)
    times = wall_times([command, "cat GraphDataFile2.txt > /dev/null"], folder)
    return {"row": label, "ug_ms": times[0] * 1e3, "catf_ms": times[1] * 1e3,
            "time_ratio": times[0] / times[1],
            "ug_kib": peak_kib([UGRAPH] + option.split() + ["GraphDataFile2.txt"], folder),
            "cat_kib": peak_kib(["cat", "GraphDataFile2.txt"], folder)}


def scan_floor(folder):
    """The wall time of a bare memchr scan of the folder's catalogue."""
    program = os.path.join(WORK, "scan_floor")
    if not os.path.exists(program):
        subprocess.run(["c++", "-O2", "-o", program, os.path.join(HERE, "scan_floor.cpp")],
                       check=True)
    return wall_times(["%s GraphDataFile2.txt > /dev/null" % program], folder)[0] * 1e3


def networkx_list_peer(folder, limit):
    """The networkx script's wall time per data-input, on the first `limit`."""
    script = os.path.join(HERE, "networkx_list.py")
    ms = wall_times(["python3 %s GraphDataFile2.txt %d > /dev/null" % (script, limit)],
                    folder)[0] * 1e3
    return ms / limit


def networkx_peer(folder):
    script = os.path.join(HERE, "networkx_peer.py")
    ms = wall_times(["python3 %s < stdin > /dev/null" % script], folder)[0] * 1e3
    kib = peak_kib(["python3", script], folder)
    return ms, kib


def interleaved_medians(commands, folder, rounds):
    """Wall times of commands taken in turn, round after round, after one
    round of warm-up: the machine's drift then touches every command alike,
    where timing each command's runs together would put a slow spell on one
    of them. Returns each command's median in seconds."""
    times = [[] for _ in commands]
    for r in range(rounds + 1):
        for i, command in enumerate(commands):
            start = time.perf_counter()
            subprocess.run(command.split(), cwd=folder, check=False,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            if r > 0:
                times[i].append(time.perf_counter() - start)
    return [statistics.median(t) for t in times]


def countg_rows_inputs(folder):
    """Every graph on 9 nodes four times over in folder, as g9x4.g6 and in
    catalogue form as g9x4.txt, made once. Returns the graph6 file's path."""
    os.makedirs(folder, exist_ok=True)
    write(os.path.join(folder, "stdin"), "")
    g6, txt = os.path.join(folder, "g9x4.g6"), os.path.join(folder, "g9x4.txt")
    if not os.path.exists(txt):
        once = subprocess.run(["nauty-geng", "-q", "9"], check=True,
                              stdout=subprocess.PIPE).stdout
        with open(g6, "wb") as f:
            f.write(once * 4)
        with open(txt, "wb") as f:
            subprocess.run([UGRAPH, "--convert", "--from=graph6", "--to=catalogue", g6],
                           check=True, stdout=f)
    return g6


def countg_rows():
    """(g): all graphs on 9 nodes four times over, against nauty-countg."""
    folder = os.path.join(WORK, "g-geng-9")
    g6 = countg_rows_inputs(folder)
    graphs = sum(1 for _ in open(g6, "rb"))
    rows = [("nauty-countg --cc, graph6", "nauty-countg -q --cc g9x4.g6", None),
            ("nauty-countg --cc --e, graph6", "nauty-countg -q --cc --e g9x4.g6", None),
            ("ugraph --list --json --from=graph6, graph6", UGRAPH + " --list --json --from=graph6 g9x4.g6", 1.0),
            ("ugraph --list --json, catalogue form", UGRAPH + " --list --json g9x4.txt", 1.5),
            ("ugraph --list, catalogue form", UGRAPH + " --list g9x4.txt", 1.5),
            ("ugraph --check, catalogue form", UGRAPH + " --check g9x4.txt", 0.5)]
    times = interleaved_medians([c for _, c, _ in rows], folder, 9)
    kib = [peak_kib(c.split(), folder) for _, c, _ in rows]
    cat_kib = peak_kib(["cat", "g9x4.txt"], folder)
    limit = 20000
    nx_ms = wall_times(["python3 %s g9x4.g6 %d > /dev/null"
                        % (os.path.join(HERE, "networkx_graph6.py"), limit)], folder)[0] * 1e3
    return graphs, rows, times, kib, cat_kib, nx_ms * 1e3 / limit


def large_graph(folder, n, links, copies, name, edges=None):
    """A random graph of n nodes and `links` links (fixed seed), copies
    times over in sparse6 (and once as an edge list), made once."""
    path = os.path.join(folder, name)
    if not os.path.exists(path):
        subprocess.run(["python3", os.path.join(HERE, "large_graph.py"), str(n), str(links),
                        str(copies), path] + ([os.path.join(folder, edges)] if edges else []),
                       check=True)
    return name


def large_rows():
    """(h): large sparse graphs. Each group's commands are taken in turn,
    round after round, so that their ratio comes from the same rounds."""
    folder = os.path.join(WORK, "h-large")
    os.makedirs(folder, exist_ok=True)
    write(os.path.join(folder, "stdin"), "")
    big = large_graph(folder, 10**6, 2 * 10**6, 1, "n1e6.s6", "n1e6.edges")
    peer = "/usr/bin/python3 %s n1e6.edges" % os.path.join(HERE, "igraph_peer.py")
    ours = UGRAPH + " --list --json " + big
    t_ours, t_peer = interleaved_medians([ours, peer], folder, 5)
    kib_ours, kib_peer = peak_kib(ours.split(), folder), peak_kib(peer.split(), folder)
    nx_command = "/usr/bin/python3 %s %s" % (os.path.join(HERE, "networkx_sparse6.py"), big)
    start = time.perf_counter()
    nx_kib = peak_kib(nx_command.split(), folder)
    nx_s = time.perf_counter() - start
    growth = [(n, large_graph(folder, n, 2 * n, copies, "n%d-x%d.s6" % (n, copies)), copies)
              for n, copies in ((10**4, 100), (10**5, 10))] + [(10**6, big, 1)]
    # The growth rows are short and the machine noisy: more rounds.
    g_times = interleaved_medians([UGRAPH + " --list --json " + f for _, f, _ in growth],
                                  folder, 15)
    mid = large_graph(folder, 10**5, 2 * 10**5, 1, "n1e5.s6")
    countg = ["nauty-countg -q --cc " + mid, UGRAPH + " --list " + mid]
    c_times = interleaved_medians(countg, folder, 3)
    c_kib = [peak_kib(c.split(), folder) for c in countg]

    print()
    print("(h) large random graphs, twice as many links as nodes, in sparse6.")
    print()
    print("| row | wall | peak KiB | / igraph wall | / igraph peak | target |")
    print("|---|---:|---:|---:|---:|---:|")
    print("| igraph: Read_Edgelist + is_connected, 10^6 nodes | %.0f ms | %d | 1.00 | 1.00 | — |"
          % (t_peer * 1e3, kib_peer))
    print("| ugraph --list --json, 10^6 nodes | %.0f ms | %d | %.2f | %.2f | 0.5, 0.5 |"
          % (t_ours * 1e3, kib_ours, t_ours / t_peer, kib_ours / kib_peer))
    print("| networkx: read_sparse6 + is_connected, once | %.0f ms | %d | %.1f | %.1f | — |"
          % (nx_s * 1e3, nx_kib, nx_s / t_peer, nx_kib / kib_peer))
    print()
    print("| growth: ugraph --list --json | wall | ns per link | / 10^4 | target |")
    print("|---|---:|---:|---:|---:|")
    per_link = [t / (2 * n * copies) for (n, _, copies), t in zip(growth, g_times)]
    for (n, _, copies), t, p in zip(growth, g_times, per_link):
        print("| %d %s of 10^%d nodes | %.0f ms | %.1f | %.2f | %s |" % (
            copies, "copy" if copies == 1 else "copies", len(str(n)) - 1, t * 1e3, p * 1e9,
            p / per_link[0], "4.0" if n == 10**6 else "—"))
    print()
    print("| 10^5 nodes, 2 x 10^5 links | wall | peak KiB | / countg wall | / countg peak | target |")
    print("|---|---:|---:|---:|---:|---:|")
    for (command, t, k) in zip(("nauty-countg --cc", "ugraph --list"), c_times, c_kib):
        print("| %s | %.0f ms | %d | %.3f | %.3f | %s |" % (
            command, t * 1e3, k, t / c_times[0], k / c_kib[0],
            "0.1, 0.05" if command.startswith("ugraph") else "—"))


def count_rows():
    """(i): --count, the fast road, against nauty-countg --cc on every graph
    on 9 nodes four times over, against --check on their catalogue form,
    and against countg on every graph on 10 nodes (made once)."""
    g9 = os.path.join(WORK, "g-geng-9")
    countg_rows_inputs(g9)
    folder10 = os.path.join(WORK, "i-geng-10")
    os.makedirs(folder10, exist_ok=True)
    g10 = os.path.join(folder10, "g10.g6")
    if not os.path.exists(g10):
        with open(g10 + ".part", "wb") as f:
            subprocess.run(["nauty-geng", "-q", "10"], check=True, stdout=f)
        os.rename(g10 + ".part", g10)
    rows = []
    for folder, label, pair, target, rounds in (
            (g9, "every graph on 9 nodes x4, graph6: --count / countg --cc",
             (UGRAPH + " --count g9x4.g6", "nauty-countg -q --cc g9x4.g6"), 0.3, 9),
            (g9, "the same, catalogue form: --count / --check",
             (UGRAPH + " --count g9x4.txt", UGRAPH + " --check g9x4.txt"), 1.3, 9),
            (folder10, "every graph on 10 nodes, graph6: --count / countg --cc",
             (UGRAPH + " --count g10.g6", "nauty-countg -q --cc g10.g6"), 0.3, 3)):
        a, b = interleaved_medians(list(pair), folder, rounds)
        rows.append((label, a, b, target))
    totals = subprocess.run([UGRAPH, "--count", "--json", g10], check=True,
                            stdout=subprocess.PIPE, text=True).stdout
    return rows, json.loads(totals)


def print_count_rows(rows, totals10):
    print()
    print("(i) --count, medians of commands taken in turn.")
    print()
    print("| row | ugraph --count | yardstick | ratio | target |")
    print("|---|---:|---:|---:|---:|")
    for label, a, b, target in rows:
        print("| %s | %.1f ms | %.1f ms | %.2f | %.1f |" % (label, a * 1e3, b * 1e3, a / b, target))
    print()
    print("On 10 nodes: %d graphs, %d connected (OEIS A001349: 11716571), %d trees "
          "(A000055: 106)." % (totals10["graphs"], totals10["connected"], totals10["tree"]))


def print_countg_rows(graphs, g_rows, g_times, g_kib, g_cat_kib, nx_us):
    countg = g_times[0]
    print()
    print("(g) %d graphs: every graph on 9 nodes, four times over (nauty-geng 9)." % graphs)
    print()
    print("| row | wall | us per graph | / countg --cc | target | peak KiB | cat KiB |")
    print("|---|---:|---:|---:|---:|---:|---:|")
    for (label, _, target), t, k in zip(g_rows, g_times, g_kib):
        print("| %s | %.1f ms | %.3f | %.2f | %s | %d | %d |" % (
            label, t * 1e3, t * 1e6 / graphs, t / countg,
            "%.1f" % target if target else "—", k, g_cat_kib))
    print("| networkx (from_graph6_bytes, is_connected, is_tree), first 20000 | — | %.1f "
          "| %.0f | — | — | — |" % (nx_us, nx_us / (countg * 1e6 / graphs)))


def field_inputs():
    """The field group's files, made once by the bench's generator:
    SNAP-style edge lists with a '#' header, random ids in 0..n-1 (or
    spread over 0..2^40), the smaller one gzipped and written as Matrix
    Market and METIS too."""
    folder = os.path.join(WORK, "field")
    os.makedirs(folder, exist_ok=True)
    gen = os.path.join(folder, "field_gen")
    if not os.path.exists(gen):
        subprocess.run(["c++", "-O2", "-std=c++20", "-o", gen,
                        os.path.join(os.path.dirname(__file__), "field_gen.cpp")], check=True)
    files = {"e6.txt": ("1000000", "2000000", "edges"),
             "e7.txt": ("10000000", "50000000", "edges"),
             "s7.txt": ("10000000", "50000000", "spread"),
             "e6.mtx": ("1000000", "2000000", "mtx"),
             "e6.graph": ("1000000", "2000000", "metis"),
             # Dense as Friendster: 25 links a node.
             "d6.txt": ("2000000", "50000000", "edges")}
    for name, args in files.items():
        path = os.path.join(folder, name)
        if not os.path.exists(path):
            with open(path + ".part", "w") as f:
                subprocess.run([gen, *args], check=True, stdout=f)
            os.rename(path + ".part", path)
    for name in ("e6.txt", "e7.txt"):
        bare = os.path.join(folder, name.replace(".txt", ".bare"))
        if not os.path.exists(bare):  # without its header, for igraph
            subprocess.run("grep -v '^#' %s > %s" % (name, bare), shell=True, cwd=folder, check=True)
    if not os.path.exists(os.path.join(folder, "e6.txt.gz")):
        subprocess.run("gzip -6 -k e6.txt", shell=True, cwd=folder, check=True)
    return folder


def timed(command, folder):
    """Wall seconds and peak KiB of one run of command (a shell line), and
    the load average as it began."""
    avg = os.getloadavg()[0]
    err = subprocess.run(["/usr/bin/time", "-f", "%e %M", "sh", "-c", command + " > /dev/null"],
                         cwd=folder, stderr=subprocess.PIPE, text=True).stderr
    wall, kib = err.strip().splitlines()[-1].split()
    return float(wall), int(kib), avg


def field_rows():
    """(j): the formats the field publishes, against igraph, networkx and
    graph-tool, and wc -l. ugraph takes 3 rounds (the median), each peer
    one. Every row prints the load average beside it."""
    folder = field_inputs()
    here = os.path.dirname(os.path.abspath(__file__))
    peer = os.path.join(here, "field_peer.py")

    def ug(args, rounds=3):
        runs = sorted(timed("%s %s" % (UGRAPH, args), folder) for _ in range(rounds))
        return runs[len(runs) // 2]

    def other(command):
        try:
            return timed(command, folder)
        except Exception:
            return None

    rows = []

    def row(label, mine, yard, target, what="time"):
        a = mine[0] if what == "time" else mine[1]
        b = None if yard is None else (yard[0] if what == "time" else yard[1])
        rows.append((label, a, b, target, what, "%.2f" % mine[2]))

    py = "/usr/bin/python3 " + peer
    ig7 = other(py + " igraph e7.bare")
    ig6 = other(py + " igraph e6.bare")
    nx6 = other(py + " networkx e6.txt")
    gt6 = other(py + " graph-tool e6.txt")
    wc7 = other("wc -l e7.txt")
    c7 = ug("-j1 --count e7.txt")
    c7j2 = ug("-j2 --count e7.txt")
    s7 = ug("-j1 --count s7.txt")
    c6 = ug("-j1 --count e6.txt", 5)
    l6 = ug("--list --json e6.txt", 5)
    gz6 = ug("--count e6.txt.gz", 5)  # the default jobs: the links taken beside
    zcat6 = min(timed("zcat e6.txt.gz", folder) for _ in range(3))
    mtx6 = ug("-j1 --count e6.mtx", 5)
    metis6 = ug("-j1 --count e6.graph", 5)
    # One graph over two machines, here two cores: the parts reduced side
    # by side, then merged; against one --count with one job.
    d6 = ug("-j1 --count d6.txt")
    reduce = "%s -j1 --reduce --part={}/2 d6.txt > d6.{}.red" % UGRAPH
    split = None
    if shutil.which("parallel"):
        line = "parallel --will-cite -j2 '%s' ::: 0 1 && %s --count --merge d6.0.red d6.1.red" % (
            reduce, UGRAPH)
        runs = sorted(timed(line, folder) for _ in range(3))
        split = runs[1]
    merge = ug("--count --merge d6.0.red d6.1.red") if split else None
    part = max(ug("-j1 --reduce --part=%d/2 d6.txt" % k)[1] for k in (0, 1))
    row("--count, 1 job, 10^7 nodes: time / igraph", c7, ig7, 0.10)
    row("the same: peak memory / igraph", c7, ig7, 0.15, "memory")
    row("--count, ids spread to 2^40 / dense ids", s7, c7, 1.5)
    row("--count, 2 jobs / 1 job, 10^7 nodes", c7j2, c7, 0.70)
    per7 = (c7[0] / 5e7, 0, c7[2])
    per6 = (c6[0] / 2e6, 0, c6[2])
    row("growth: time a link at 5*10^7 / at 2*10^6", per7, per6, 2.0)
    row("--list --json, 10^6 nodes / igraph", l6, ig6, 0.40)
    row("--count of the gzipped 10^6 file / max(zcat, plain)", gz6,
        (max(zcat6[0], c6[0]), 0, 0), 1.3)
    row("the same graph as mtx / edges", mtx6, c6, 1.5)
    row("the same graph as metis / edges", metis6, c6, 1.5)
    if split is not None:
        row("dense 2*10^6 nodes, 5*10^7 links: 2 parts reduced by parallel, "
            "then merged / one --count, 1 job", split, d6, 0.80)
        row("the merge alone / one --count, 1 job", merge, d6, 0.15)
    row("a part's peak memory / one --count's", (0, part, d6[2]), d6, 1.1, "memory")
    print()
    print("(j) the field's formats. ugraph: median of 3 to 5 runs; peers once.")
    print()
    print("| row | ugraph | yardstick | ratio | target | load |")
    print("|---|---:|---:|---:|---:|---:|")
    for label, a, b, target, what, avg in rows:
        unit = (lambda v: "%.3f s" % v) if what == "time" else (lambda v: "%d KiB" % v)
        if label.startswith("growth"):
            unit = lambda v: "%.1f ns" % (v * 1e9)
        ratio = "—" if not b else "%.2f" % (a / b)
        print("| %s | %s | %s | %s | %.2f | %s |" % (label, unit(a), "—" if b is None else unit(b),
                                                   ratio, target, avg))
    print()
    shown = lambda r: "—" if r is None else "%.2f s, %d KiB" % (r[0], r[1])
    print("Peers once: igraph 10^7 %s, 10^6 %s; networkx 10^6 %s; graph-tool 10^6 %s; "
          "wc -l 10^7 %s." % tuple(shown(r) for r in (ig7, ig6, nx6, gt6, wc7)))


def main():
    os.makedirs(WORK, exist_ok=True)
    if sys.argv[3:] == ["large"]:
        large_rows()
        return
    if sys.argv[3:] == ["g"]:
        print_countg_rows(*countg_rows())
        return
    if sys.argv[3:] == ["count"]:
        print_count_rows(*count_rows())
        return
    if sys.argv[3:] == ["field"]:
        field_rows()
        return
    rows = []
    a1 = make_row("a-complete-50", complete_typed())
    a2 = make_row("a-5000-pairs", repeats_typed())
    b = make_row("b-largest-data-input", "F\n2\n\n", small_catalogue())
    d = make_row("d-readme-session", "k\nTri\n3\n2 3\n3\n\n\n")
    rows.append(measure("(a) complete graph, 50 nodes, 2450 typed pairs", a1, False))
    rows.append(measure("(a) 5000 typed pairs with repeats", a2, False))
    rows.append(measure("(b) 624 links in a 2500-character data-input", b, True))
    rows.append(measure("(d) README keyboard session", d, False))
    for count, size in ((10000, "25 MB"), (40000, "100 MB"), (100000, "250 MB")):
        folder = make_row("c-%d" % count, "F\n%d\n\n" % count)
        write_big_catalogue(folder, count)
        rows.append(measure("(c) %s catalogue, %d data-inputs, the last chosen" % (size, count),
                            folder, True, count_instructions=count == 100000))
    small_counts = {}
    for size in (25, 100, 250):
        folder = make_row("c-small-%d" % size, "")
        small_counts[size] = write_small_catalogue(folder, size)
        write(os.path.join(folder, "stdin"), "F\n%d\n\n" % small_counts[size])
        rows.append(measure("(c-small) %d MB catalogue, %d small data-inputs, the last chosen"
                            % (size, small_counts[size]), folder, True, count_instructions=False))
    floors = [(r, scan_floor(os.path.join(WORK, name))) for r, name in
              zip(rows[-4:], ("c-100000", "c-small-25", "c-small-100", "c-small-250"))]
    small = os.path.join(WORK, "c-small-100")
    modes = [measure_mode("(e) --check, 100 MB small catalogue", small, "--check"),
             measure_mode("(f) --list --json, 100 MB small catalogue", small, "--list --json")]
    peers = [networkx_peer(a1), networkx_peer(a2)]
    slice_size = 20000
    list_peer_us = networkx_list_peer(small, slice_size) * 1e3

    print("Machine: %s, %d cores, %s" % (platform.processor() or platform.machine(),
                                          os.cpu_count(), platform.platform()))
    print()
    print("| row | instructions ugraph | cat stdin | cat file | ratio | wall ugraph | cat stdin | cat file "
          "| ratio | peak KiB ugraph | cat |")
    print("|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|")
    for r in rows:
        ir = lambda k: "{:,}".format(r[k]) if k in r else "—"
        ms = lambda k: "%.1f ms" % r[k] if k in r else "—"
        print("| %s | %s | %s | %s | %s | %s | %s | %s | %.2f | %s | %s |" % (
            r["row"], ir("ug_ir"), ir("cat_ir"), ir("catf_ir"),
            "%.2f" % r["ir_ratio"] if "ir_ratio" in r else "—",
            ms("ug_ms"), ms("cat_ms"), ms("catf_ms"), r["time_ratio"], r["ug_kib"], r["cat_kib"]))
    print()
    print("Instruction ratio: ugraph / (cat of the same stdin + cat of the data file).")
    print("Wall ratio: ugraph / cat of the data file for file rows, / cat of stdin otherwise.")
    print()
    print("| peer for (a): networkx | wall | peak KiB | ugraph wall |")
    print("|---|---:|---:|---:|")
    for r, (ms, kib) in zip(rows[:2], peers):
        print("| %s | %.1f ms | %d | %.1f ms |" % (r["row"], ms, kib, r["ug_ms"]))
    print()
    print("| floor: a bare memchr scan of the catalogue | wall | / cat file | ugraph / scan |")
    print("|---|---:|---:|---:|")
    for r, ms in floors:
        print("| %s | %.1f ms | %.2f | %.2f |" % (r["row"], ms, ms / r["catf_ms"], r["ug_ms"] / ms))
    print()
    print("| catalogue mode | wall ugraph | cat file | ratio | peak KiB ugraph | cat |")
    print("|---|---:|---:|---:|---:|---:|")
    for r in modes:
        print("| %s | %.1f ms | %.1f ms | %.2f | %s | %s |" % (
            r["row"], r["ug_ms"], r["catf_ms"], r["time_ratio"], r["ug_kib"], r["cat_kib"]))
    ug_us = modes[1]["ug_ms"] * 1e3 / small_counts[100]
    print()
    print("(f) per data-input: ugraph %.3f us, networkx script %.1f us (first %d data-inputs), "
          "ugraph %.0f times faster." % (ug_us, list_peer_us, slice_size, list_peer_us / ug_us))
    print_countg_rows(*countg_rows())
    print_count_rows(*count_rows())
    for prefix in ("(c)", "(c-small)"):
        c = [r for r in rows if r["row"].startswith(prefix + " ")]
        print()
        print("Scaling of %s, ugraph wall per MB: " % prefix + ", ".join(
            "%s %.3f ms" % (r["row"].split()[1] + " MB", r["ug_ms"] / float(r["row"].split()[1]))
            for r in c))
    large_rows()
    field_rows()


main()
