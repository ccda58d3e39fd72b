"""The peer a user would otherwise reach for: reads the same typed
dialogue answers as ugraph and judges the graph with networkx."""
import re
import sys

import networkx as nx

lines = sys.stdin.read().split("\n")
n = int(lines[2])
g = nx.Graph()
g.add_nodes_from(range(1, n + 1))
for node, line in enumerate(lines[3:3 + n], start=1):
    for m in map(int, re.findall(r"\d+", line)):
        if 1 <= m <= n and m != node:
            g.add_edge(node, m)
order = list(nx.dfs_preorder_nodes(g, 1))
if len(order) == n:
    print("Path connecting all %d nodes:" % n)
    print(" ".join(map(str, order)) + " ")
    print("Graph is connected and is a tree" if nx.is_tree(g) else "Graph is connected but not a tree")
else:
    print("Graph is not connected")
