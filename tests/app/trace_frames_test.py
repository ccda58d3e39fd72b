"""--trace --to=dot makes a slide show: one frame a step from step 0 (the
graph before the walk), each labelled "step K of T: ...", and rendered by Graphviz every frame has the same size
with every node in the same place. Skipped (77) without Graphviz.

usage: trace_frames_test.py UGRAPH CATALOGUE
"""
import json
import re
import shutil
import subprocess
import sys

BIN, CATALOGUE = sys.argv[1], sys.argv[2]
if not shutil.which("dot"):
    print("skipped: Graphviz's dot is not installed")
    sys.exit(77)

failures = 0
for number, name in ((5, "Tree"), (6, "Cycle"), (7, "TwoParts"), (8, "SelfLink")):
    run = lambda *more: subprocess.run(  # noqa: E731
        [BIN, f"--trace={number}", *more, CATALOGUE], capture_output=True,
        check=True, text=True).stdout
    steps = len(run("--json").splitlines()) - 2
    frames = ["graph " + f for f in run("--to=dot").split("\ngraph ")]
    frames[0] = frames[0][len("graph "):]
    labels = [re.search(r'^  label="(.*)";$', f, re.M).group(1) for f in frames]
    sizes, places = set(), set()
    for k, frame in enumerate(frames):
        if not labels[k].startswith(f"step {k} of {steps}: "):
            print(f"FAIL {name} frame {k}: label {labels[k]!r}")
            failures += 1
        svg = subprocess.run(["dot", "-Tsvg"], input=frame, capture_output=True,
                             check=True, text=True)
        if svg.stderr:
            print(f"FAIL {name} frame {k}: {svg.stderr}")
            failures += 1
        sizes.add(re.search(r'viewBox="([^"]*)"', svg.stdout).group(1))
        places.add(tuple(re.findall(
            r'<title>(\d+)</title>\s*<ellipse[^>]*cx="([^"]*)" cy="([^"]*)"',
            svg.stdout)))
    if len(frames) != steps + 1 or not labels[-1].endswith(name + ": " + json.loads(
            run("--json").splitlines()[-1])["verdict"]):
        print(f"FAIL {name}: {len(frames)} frames for {steps} steps, last {labels[-1]!r}")
        failures += 1
    if len(sizes) != 1 or len(places) != 1 or not next(iter(places)):
        print(f"FAIL {name}: sizes {sizes}, {len(places)} sets of places")
        failures += 1
print(f"{failures} failures" if failures else "frames keep their size and places")
sys.exit(1 if failures else 0)
