#!/usr/bin/env python3
"""Runs every command that docs/kostra-matice.md shows and compares its output exactly.

In the indented code blocks of the document, a line "$ COMMAND" is run by bash in a scratch
directory where examples/ is the repository's and build/release/ holds the programs under test;
the lines after it, up to the next command or the end of the block, are its standard output. A
"$ python3" command is a Python session: its ">>> " lines are typed into the interpreter and the
other lines are what it answers (an interpreter with scipy is looked for; without one the session
is skipped and the test reports itself skipped, status 77).

usage: doc_check.py DOCUMENT BUILD_DIR SOURCE_DIR
"""
import os
import shutil
import subprocess
import sys
import tempfile

document, build_dir, source_dir = sys.argv[1:4]


def commands(lines):
    """(command, expected output lines) for every "$ " line of the indented blocks."""
    found = []
    for line in lines:
        if not line.startswith("    "):
            current = None  # a line outside a block ends it
            continue
        text = line[4:]
        if text.startswith("$ "):
            current = (text[2:], [])
            found.append(current)
        elif current is not None:
            current[1].append(text)
    return found


def python_with_scipy():
    for candidate in [shutil.which("python3"), "/usr/bin/python3"]:
        if candidate and subprocess.run([candidate, "-c", "import scipy.io"],
                                        stderr=subprocess.DEVNULL).returncode == 0:
            return candidate
    return None


work = tempfile.mkdtemp()
os.symlink(os.path.join(os.path.abspath(source_dir), "examples"), os.path.join(work, "examples"))
os.makedirs(os.path.join(work, "build"))
os.symlink(os.path.abspath(build_dir), os.path.join(work, "build", "release"))
with open(document) as f:
    shown = commands(f.read().splitlines())
failures = 0
skipped = 0
for command, expected in shown:
    if command == "python3":
        interpreter = python_with_scipy()
        if interpreter is None:
            print("SKIP the Python session: no interpreter with scipy")
            skipped += 1
            continue
        typed = "".join(l[4:] + "\n" for l in expected if l.startswith(">>> "))
        expected = [l for l in expected if not l.startswith(">>> ")]
        p = subprocess.run([interpreter, "-q", "-i"], input=typed.encode(), cwd=work,
                           stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=120)
    else:
        p = subprocess.run(["bash", "-c", command], cwd=work, stdout=subprocess.PIPE,
                           stderr=subprocess.PIPE, timeout=120)
    got = p.stdout.decode(errors="replace").splitlines()
    if got != expected:
        failures += 1
        print("FAIL $ %s\n  expected:\n    %s\n  got:\n    %s\n  stderr: %s" % (
            command, "\n    ".join(expected), "\n    ".join(got), p.stderr.decode()[-500:]))
shutil.rmtree(work)
print("%d commands checked, %d failed, %d skipped" % (len(shown), failures, skipped))
if len(shown) < 10:
    print("FAIL fewer commands than the document shows: is it the right document?")
    failures += 1
sys.exit(1 if failures else (77 if skipped else 0))
