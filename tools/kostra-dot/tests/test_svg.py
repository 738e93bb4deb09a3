#!/usr/bin/env python3
"""Renders every golden drawing with Graphviz's dot to SVG and checks that the SVG parses as XML
and holds one node group per node and one edge group per edge of the drawing (so that dot read
every statement and merged no parallel edge). Exits 77 (skipped) when dot is not installed.

usage: test_svg.py GOLDEN_DIR
"""
import pathlib
import re
import shutil
import subprocess
import sys
import xml.etree.ElementTree as ElementTree

SKIPPED = 77
SVG = "{http://www.w3.org/2000/svg}"


def main():
    if shutil.which("dot") is None:
        print("dot (Graphviz) is not installed: skipped")
        return SKIPPED
    drawings = sorted(pathlib.Path(sys.argv[1]).glob("*.dot"))
    if not drawings:
        print("no drawings found")
        return 1
    failures = 0
    for path in drawings:
        text = path.read_text()
        nodes = len(re.findall(r"^    \d+( \[[^\]]*\])?;$", text, re.M))
        edges = len(re.findall(r"^    \d+ -- \d+ \[", text, re.M))
        run = subprocess.run(["dot", "-Tsvg"], input=text, capture_output=True, text=True,
                             timeout=60)
        if run.returncode != 0:
            print(f"{path.name}: dot ended with {run.returncode}: {run.stderr.strip()}")
            failures += 1
            continue
        try:
            root = ElementTree.fromstring(run.stdout)
        except ElementTree.ParseError as error:
            print(f"{path.name}: the SVG does not parse: {error}")
            failures += 1
            continue
        groups = [g.get("class") for g in root.iter(SVG + "g")]
        if root.tag != SVG + "svg" or groups.count("node") != nodes or \
                groups.count("edge") != edges:
            print(f"{path.name}: SVG with {groups.count('node')} nodes and "
                  f"{groups.count('edge')} edges, the drawing has {nodes} and {edges}")
            failures += 1
    print(f"{len(drawings) - failures} of {len(drawings)} drawings rendered")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
