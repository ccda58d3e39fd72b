#!/usr/bin/env python3
"""Writes the fuzz targets' seed corpora from the end-to-end cases.

dialogue: each case's standard input and catalogue, as the dialogue target
reads them (two bytes of standard-input length, the input, the file).
parser: every data-input of every catalogue. line: every standard-input line.
batch: every catalogue whole.
"""
import hashlib
import pathlib
import re

root = pathlib.Path(__file__).resolve().parent.parent
cases = root / "tests" / "app" / "cases"
catalogues = root / "tests" / "app" / "catalogues"
corpus = root / "fuzz" / "corpus"


def put(target, data):
    folder = corpus / target
    folder.mkdir(parents=True, exist_ok=True)
    (folder / hashlib.sha1(data).hexdigest()).write_bytes(data)


files = [root / "examples" / "GraphDataFile2.txt", *catalogues.iterdir()]
for case in sorted(cases.iterdir()):
    stdin = (case / "stdin").read_bytes()[:0xFFFF]
    catalogue = b""
    if (case / "GraphDataFile2.txt").exists():
        catalogue = (case / "GraphDataFile2.txt").read_bytes()
        files.append(case / "GraphDataFile2.txt")
    elif (case / "catalogue").exists():
        catalogue = (catalogues / (case / "catalogue").read_text().strip()).read_bytes()
    put("dialogue", len(stdin).to_bytes(2, "little") + stdin + catalogue)
    for line in stdin.split(b"\n"):
        if line:
            put("line", line)

for path in files:
    for record in re.findall(rb"\[[^\]]*\]?", path.read_bytes()):
        put("parser", record)

# batch: every catalogue, whole.
for path in files:
    put("batch", path.read_bytes())
