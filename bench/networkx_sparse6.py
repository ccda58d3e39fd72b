"""networkx on a large sparse6 graph: read it, and decide whether it is
connected.

usage: networkx_sparse6.py SPARSE6
"""
import sys

import networkx as nx

g = nx.read_sparse6(sys.argv[1])
print(g.number_of_nodes(), g.number_of_edges(), nx.is_connected(g))
