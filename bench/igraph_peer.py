"""The peer for large graphs: igraph reads the edge list (it cannot read
sparse6) and decides whether the graph is connected.

usage: igraph_peer.py EDGELIST
"""
import sys

import igraph

g = igraph.Graph.Read_Edgelist(sys.argv[1], directed=False)
print(g.vcount(), g.ecount(), g.is_connected())
