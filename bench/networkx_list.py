"""The peer for --list --json: finds each data-input of a catalogue, parses
it, judges it with networkx and prints one JSON line, as a user would
script it. Reads at most LIMIT data-inputs (argv[2]) of the file argv[1].
"""
import json
import re
import sys

import networkx as nx

RECORD = re.compile(r"\[([^\]]*)\]?")
NAME = re.compile(r'"([^"]*)"')
GROUP = re.compile(r"\((\d+)\)([\d, ]*)")

limit = int(sys.argv[2])
text = open(sys.argv[1], encoding="latin-1").read()
for number, match in enumerate(RECORD.finditer(text), start=1):
    if number > limit:
        break
    body = match.group(1)
    line = text.count("\n", 0, match.start()) + 1 if number == 1 else line + text.count("\n", last, match.start())
    last = match.start()
    name = NAME.search(body)
    if not body or body[0] not in "Uu" or name is None:
        print(json.dumps({"number": number, "line": line, "refused": True}))
        continue
    # Nodes and links added in ascending order, so that the walk takes
    # each node's neighbours in ascending order, as ugraph does.
    n, links = 0, set()
    for header, neighbours in GROUP.findall(body[name.end():]):
        h = int(header)
        n = max(n, h)
        for m in map(int, re.findall(r"\d+", neighbours)):
            if m:
                n = max(n, m)
                links.add((min(h, m), max(h, m)))
    g = nx.Graph()
    g.add_nodes_from(range(1, n + 1))
    g.add_edges_from(sorted(links))
    item = {"number": number, "line": line, "name": name.group(1), "nodes": n,
            "links": g.number_of_edges()}
    if n == 0:
        item["verdict"] = "no node"
    else:
        order = list(nx.dfs_preorder_nodes(g, 1))
        item["order"] = order
        if len(order) != n:
            item["verdict"] = "not connected"
            item["unreached"] = sorted(set(range(1, n + 1)) - set(order))
        elif nx.is_tree(g):
            item["verdict"] = "connected and is a tree"
        else:
            item["verdict"] = "connected but not a tree"
            item["cycle"] = [u for u, _ in nx.find_cycle(g, 1)]
    print(json.dumps(item, separators=(",", ":")))
