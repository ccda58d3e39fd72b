"""A peer of the bench's field group: reads an edge list with a '#' header
and counts its connected parts, the way a network scientist would with
each library. Prints the parts.
   usage: field_peer.py igraph|networkx|graph-tool FILE
"""
import sys

peer, path = sys.argv[1], sys.argv[2]
if peer == "igraph":
    import igraph
    # igraph refuses '#' lines: it reads the file without its header.
    g = igraph.Graph.Read_Edgelist(path, directed=False)
    print(len(g.connected_components()))
elif peer == "networkx":
    import networkx as nx
    g = nx.read_edgelist(path, comments="#", nodetype=int)
    print(nx.number_connected_components(g))
else:
    import graph_tool.all as gt
    g = gt.load_graph_from_csv(path, directed=False, csv_options={"delimiter": "\t"},
                               skip_first=False, hashed=True)
    comp, hist = gt.label_components(g)
    print(len(hist))
