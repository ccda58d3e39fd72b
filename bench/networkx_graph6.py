"""The peer a user would otherwise reach for on graph6: reads the first
LIMIT graphs of a graph6 file with networkx and judges each.

usage: networkx_graph6.py FILE LIMIT
"""
import sys

import networkx as nx

path, limit = sys.argv[1], int(sys.argv[2])
with open(path, "rb") as f:
    for number, line in enumerate(f, 1):
        if number > limit:
            break
        g = nx.from_graph6_bytes(line.strip())
        if g.number_of_nodes() == 0:
            verdict = "no node"
        elif not nx.is_connected(g):
            verdict = "not connected"
        else:
            verdict = "connected and is a tree" if nx.is_tree(g) else "connected but not a tree"
        print(number, verdict)
