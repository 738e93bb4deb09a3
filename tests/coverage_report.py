#!/usr/bin/env python3
"""The line and branch coverage of every file of src/ and tools/ in the coverage build, with gcovr.

usage: coverage_report.py SOURCE_DIR BUILD_DIR [--reset | --markdown]

CTest runs it in the coverage build (the coverage preset): with --reset before the tests, which
deletes every counter file (*.gcda) so that a run counts only itself, and without after them,
which prints a table of every file (lines and branches covered, of how many) with the totals of
src/ and of tools/, then every line and every branch left uncovered, file by file. --markdown
prints the table as Markdown, as docs/coverage.md shows it. The tests of the tools
(tools/*/tests/) are not counted. A branch is one outcome of a condition, as GCC counts them;
the branches GCC adds for the exception a call may throw are counted apart (the "throw" column)
and left out of the percentage: each call that can throw has one, and they are listed as a whole
in docs/coverage.md.
"""

import json
import os
import shutil
import subprocess
import sys
import tempfile


def reset(build):
    removed = 0
    for directory, _, files in os.walk(build):
        for name in files:
            if name.endswith(".gcda"):
                os.remove(os.path.join(directory, name))
                removed += 1
    print("coverage: %d counter files removed" % removed)


def ranges(numbers):
    """1, 2, 3, 7 -> "1-3, 7"."""
    out = []
    for n in sorted(numbers):
        if out and out[-1][1] == n - 1:
            out[-1][1] = n
        else:
            out.append([n, n])
    return ", ".join(str(a) if a == b else "%d-%d" % (a, b) for a, b in out)


def collect(source, build):
    gcovr = shutil.which("gcovr")
    if gcovr is None:
        sys.exit("coverage: gcovr is missing (Debian: apt-get install gcovr)")
    with tempfile.TemporaryDirectory() as tmp:
        report = os.path.join(tmp, "coverage.json")
        subprocess.run([gcovr, "--root", source, "--object-directory", build,
                        "--filter", os.path.join(source, "src", ""),
                        "--filter", os.path.join(source, "tools", ""),
                        "--exclude", r".*/tests/.*", "-j", "2", "--json", report, build],
                       check=True, stdout=subprocess.DEVNULL)
        with open(report) as f:
            data = json.load(f)
    files = {}
    for entry in data["files"]:
        lines = [l for l in entry["lines"] if not l.get("gcovr/noncode")]
        stats = {"lines": 0, "lines_hit": 0, "branches": 0, "branches_hit": 0, "throw": 0,
                 "throw_hit": 0, "missed_lines": [], "missed_branches": []}
        for line in lines:
            stats["lines"] += 1
            if line["count"] > 0:
                stats["lines_hit"] += 1
            else:
                stats["missed_lines"].append(line["line_number"])
            missed = 0
            taken = 0
            for b in line["branches"]:
                if b.get("throw"):
                    stats["throw"] += 1
                    stats["throw_hit"] += b["count"] > 0
                    continue
                taken += 1
                if b["count"] == 0:
                    missed += 1
            stats["branches"] += taken
            stats["branches_hit"] += taken - missed
            if missed:
                stats["missed_branches"].append((line["line_number"], missed, taken))
        files[entry["file"]] = stats
    return files


def percent(hit, total):
    return "100.0%" if total == 0 else "%5.1f%%" % (100.0 * hit / total)


def table(files, markdown):
    groups = [("src/", sorted(f for f in files if f.startswith("src/"))),
              ("tools/", sorted(f for f in files if f.startswith("tools/")))]
    rows = []
    for group, names in groups:
        total = {k: 0 for k in ("lines", "lines_hit", "branches", "branches_hit", "throw",
                                "throw_hit")}
        for name in names:
            s = files[name]
            for k in total:
                total[k] += s[k]
            rows.append((name, s))
        rows.append(("%s (all)" % group, total))
    if markdown:
        print("| file | lines | branches | throw branches |")
        print("|---|---:|---:|---:|")
        for name, s in rows:
            strong = "**" if name.endswith("(all)") else ""
            print("| %s%s%s | %d/%d %s | %d/%d %s | %d/%d |" % (
                strong, name, strong, s["lines_hit"], s["lines"],
                percent(s["lines_hit"], s["lines"]), s["branches_hit"], s["branches"],
                percent(s["branches_hit"], s["branches"]), s["throw_hit"], s["throw"]))
        return
    print("%-40s %17s %17s %11s" % ("file", "lines", "branches", "throw"))
    for name, s in rows:
        if name.endswith("(all)"):
            print("-" * 88)
        print("%-40s %9s %7s %9s %7s %11s" % (
            name, "%d/%d" % (s["lines_hit"], s["lines"]), percent(s["lines_hit"], s["lines"]),
            "%d/%d" % (s["branches_hit"], s["branches"]),
            percent(s["branches_hit"], s["branches"]), "%d/%d" % (s["throw_hit"], s["throw"])))


def uncovered(files):
    print("\nuncovered lines and branches (line: branches missed of the line's branches)")
    none = True
    for name in sorted(files):
        s = files[name]
        if not s["missed_lines"] and not s["missed_branches"]:
            continue
        none = False
        print(name)
        if s["missed_lines"]:
            print("    lines " + ranges(s["missed_lines"]))
        if s["missed_branches"]:
            print("    branches " + ", ".join("%d: %d of %d" % b for b in s["missed_branches"]))
    if none:
        print("    none")


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    source, build = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    options = sys.argv[3:]
    if "--reset" in options:
        reset(build)
        return
    files = collect(source, build)
    print("== coverage of src/ and tools/ (%s)" % os.path.relpath(build, source))
    table(files, "--markdown" in options)
    if "--markdown" not in options:
        uncovered(files)


if __name__ == "__main__":
    main()
