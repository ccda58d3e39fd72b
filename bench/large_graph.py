"""Writes a random graph of N nodes and M links (fixed seed) as sparse6,
COPIES times over, and once as an edge list for peers that cannot read
sparse6.

usage: large_graph.py N M COPIES SPARSE6 [EDGELIST]
"""
import random
import sys

n, m, copies = int(sys.argv[1]), int(sys.argv[2]), int(sys.argv[3])
rng = random.Random(n * 7 + m)
links = []
while len(links) < m:
    a, b = rng.randrange(n), rng.randrange(n)
    if a != b:
        links.append((max(a, b), min(a, b)))
links.sort()

# sparse6: for each link {i, j}, i <= j, by j: the pairs that move v to j
# and name i; padding of 1-bits (n here is never a power of two).
k = (n - 1).bit_length()
bits = []
v = 0
for j, i in links:
    if j == v:
        bits.append("0")
    elif j == v + 1:
        bits.append("1")
    else:
        bits.append("1" + format(j, "0%db" % k) + "0")
    v = j
    bits.append(format(i, "0%db" % k))
text = "".join(bits)
text += "1" * (-len(text) % 6)
if n < 63:
    count = bytes([63 + n])
elif n < 258048:
    count = b"~" + bytes(63 + (n >> s & 63) for s in (12, 6, 0))
else:
    count = b"~~" + bytes(63 + (n >> s & 63) for s in (30, 24, 18, 12, 6, 0))
# Six bits a byte, through a table of every six-character string.
sixes = {format(i, "06b"): 63 + i for i in range(64)}
body = bytes(sixes[text[at:at + 6]] for at in range(0, len(text), 6))
line = b":" + count + body + b"\n"
with open(sys.argv[4], "wb") as out:
    for _ in range(copies):
        out.write(line)
if len(sys.argv) > 5:
    with open(sys.argv[5], "w") as out:
        out.writelines("%d %d\n" % (i, j) for j, i in links)
