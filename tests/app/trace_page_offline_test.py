"""The page of --trace --to=html stands alone: no reference to the network
(no http:, https: or // in a src or href, no @import, no url() but to a
part of the page), every mark of its template filled, its graph's name
escaped, a 50-node star's 2,551 steps
in under 1 MB, and a graph past 100 nodes refused for it.

usage: trace_page_offline_test.py UGRAPH CATALOGUE
"""
import json
import os
import re
import subprocess
import sys
import tempfile

BIN, CATALOGUE = sys.argv[1], sys.argv[2]
failures = 0


def fail(message):
    global failures
    print("FAIL", message)
    failures += 1


def page(number, catalogue):
    return subprocess.run([BIN, f"--trace={number}", "--to=html", catalogue],
                          capture_output=True)


count = len(subprocess.run([BIN, "--list", "--json", CATALOGUE],
                           capture_output=True, text=True).stdout.splitlines())
for number in range(1, count + 1):
    made = page(number, CATALOGUE)
    if made.returncode != 0:
        continue
    html = made.stdout.decode()
    # The page is made from files with marks for what the graph fills in;
    # none is left behind.
    if "{{" in html or "}}" in html:
        fail(f"page {number}: a mark of its template is left unfilled")
    for attribute, value in re.findall(r'\b(src|href)\s*=\s*"([^"]*)"', html):
        if re.match(r"\s*(https?:|//)", value, re.I):
            fail(f"page {number}: {attribute}={value!r}")
    if "@import" in html:
        fail(f"page {number}: @import")
    for target in re.findall(r"url\(([^)]*)\)", html):
        if not target.startswith("#"):
            fail(f"page {number}: url({target})")
    if not html.startswith("<!DOCTYPE html>") or not html.endswith("</html>\n"):
        fail(f"page {number} is not one whole page")

work = tempfile.mkdtemp()
catalogue = os.path.join(work, "graphs.txt")
star = " ".join(str(b) for b in range(2, 51))
with open(catalogue, "w") as f:
    f.write(f'[U "Star50" (1) {star}]\n[U "<b>&\'x" (1) 2]\n')


def graph6_path(n):
    """The path 1-2-...-n as a graph6 line (n from 63 to 258047)."""
    bits = [int(j == i + 1) for j in range(1, n) for i in range(j)]
    bits += [0] * (-len(bits) % 6)
    body = bytes(63 + int("".join(map(str, bits[i:i + 6])), 2)
                 for i in range(0, len(bits), 6))
    return bytes([126, 63 + (n >> 12), 63 + (n >> 6 & 63), 63 + (n & 63)]) + body


lines = os.path.join(work, "paths.g6")
with open(lines, "wb") as f:
    f.write(graph6_path(101) + b"\n" + graph6_path(100) + b"\n")
made = page(1, catalogue)
steps = len(subprocess.run([BIN, "--trace=1", "--json", catalogue],
                           capture_output=True).stdout.splitlines()) - 2
print(f"a 50-node star: {steps} steps, a page of {len(made.stdout)} bytes")
if steps != 2551 or len(made.stdout) >= 1 << 20:
    fail(f"the star's page: {steps} steps, {len(made.stdout)} bytes")
html = page(2, catalogue).stdout.decode()
if "<b>" in html or "&lt;b&gt;&amp;'x" not in html:
    fail("a name is not escaped in the page")
made = page(1, lines)
if made.returncode != 1 or made.stdout or b"or 100 as drawings" not in made.stderr:
    fail(f"a 101-node graph: status {made.returncode}, {made.stderr!r}")
if page(2, lines).returncode != 0:
    fail("a 100-node graph is refused")
for name in os.listdir(work):
    os.remove(os.path.join(work, name))
os.rmdir(work)
print(f"{failures} failures" if failures else "the pages stand alone")
sys.exit(1 if failures else 0)
