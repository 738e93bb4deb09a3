#!/usr/bin/env python3
"""kostra-matice end to end, as a user runs it.

- On random small graphs (self-loops, parallel edges, several components, no edges at all) and every
  method, the Matrix Market output read back (by scipy.io.mmread when an interpreter with scipy is
  found, else by a small reader here) must hold, row by row, exactly the orientations that kostra
  itself prints in task 4 or 5 for that edge; the loop and cut matrices must be orthogonal; the
  table must hold the same rows.
- The edge of every row (--hrany-radku), read back the same way, must be the rows' edges that the
  matrix names in its comments.
- Every output is announced on standard error first, with a size no smaller than what is written.
- Bad arguments, files that cannot be opened or are not graphs, an output that cannot be written,
  and a graph too large for the memory left each give their status, one line on standard error
  (after it, for a graph file, only the notes on why it is refused) and nothing on standard output;
  --help gives the usage.
- In English (--lang en, or KOSTRA_LANG=en) the entries are the same; the comments, the table's
  header and labels, the notes and the messages are English; the kinds and options are taken in
  either language.

usage: test_cli.py KOSTRA KOSTRA_MATICE SEED GRAPHS [--no-memory-limits]
"""
import json
import os
import random
import re
import resource
import shutil
import subprocess
import sys
import tempfile

kostra, matice, seed, graphs = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
memory_limits = "--no-memory-limits" not in sys.argv
work = tempfile.mkdtemp()
failures = []


def fail(what):
    failures.append(what)
    print("FAIL " + what)


def run(args, stdout=subprocess.PIPE, limit=None, stdin=b"", language=None):
    def limited():
        if limit is not None:
            resource.setrlimit(resource.RLIMIT_AS, (limit, limit))
    env = {k: v for k, v in os.environ.items() if k != "KOSTRA_LANG"}
    if language is not None:
        env["KOSTRA_LANG"] = language
    return subprocess.run([matice] + args, input=stdin, stdout=stdout, stderr=subprocess.PIPE,
                          timeout=120, preexec_fn=limited, env=env)


NOTE = re.compile(r"^(VAROVANI|POZNAMKA|WARNING|NOTE): .*$")
SIZE = re.compile(r"^(?:POZNAMKA: zapisu|NOTE: writing) .*, (?:nejvyse|at most) (\d+)(?:[,.](\d))? "
                  r"(B|kB|MB)$")


def only_notes(lines):
    return all(NOTE.match(line) for line in lines)


def announced(p, what):
    """p ended well, and its standard error is the note that announces what it writes, with a
    size no smaller than what it wrote, then only notes."""
    lines = p.stderr.decode().splitlines()
    size = SIZE.match(lines[0]) if lines else None
    if p.returncode != 0 or not size or not only_notes(lines[1:]):
        fail("%s: status %d, standard error %r" % (what, p.returncode, p.stderr))
        return
    unit = {"B": 1, "kB": 1000, "MB": 10 ** 6}[size.group(3)]
    bound = (int(size.group(1)) * 10 + int(size.group(2) or 0)) * unit // 10 + unit // 20
    if len(p.stdout) > bound:
        fail("%s: %d bytes written, %s announced" % (what, len(p.stdout), lines[0]))


def write_graph(name, n, edges):
    path = os.path.join(work, name)
    with open(path, "w") as f:
        f.write("%d\n%d\n" % (len(edges), n))
        for a, b, w in edges:
            f.write("%d\n%d\n%d\n" % (a, b, w))
    return path


def random_graph(rng):
    n = rng.randint(1, 9)
    groups = [[] for _ in range(rng.randint(1, min(n, 3)))]
    for v in range(n):
        rng.choice(groups).append(v)
    edges = []
    for _ in range(rng.randint(0, 16)):
        if edges and rng.random() < 0.15:
            a, b, _w = rng.choice(edges)  # a parallel edge, either way round
            a, b = (b, a) if rng.random() < 0.5 else (a, b)
        else:
            group = rng.choice(groups)
            if not group:
                continue
            a = rng.choice(group)
            b = a if rng.random() < 0.1 else rng.choice(group)
        edges.append((a, b, rng.randint(-3, 3)))
    return n, edges


def kostra_row(graph, task, method, edge, m):
    """The orientations kostra prints for the edge in task 4 (loop) or 5 (cut)."""
    p = subprocess.run([kostra, graph], input=("%d\n%d\n%d\n" % (task, method, edge)).encode(),
                       stdout=subprocess.PIPE, timeout=60)
    report = p.stdout.decode().split(">>VYSTUP<<\n", 1)[-1]
    row = [int(x) for x in re.findall(r"^hrana +\d+: orientace=\s*(-?\d+)$", report, re.M)]
    if p.returncode != 0 or len(row) != m:
        fail("kostra %s, task %d, method %d, edge %d: status %d" % (graph, task, method, edge,
                                                                    p.returncode))
    return row


def own_reader(text):
    """A Matrix Market coordinate reader: (rows, columns, entries)."""
    lines = [l for l in text.splitlines() if not l.startswith("%")]
    rows, cols, nnz = map(int, lines[0].split())
    entries = [tuple(map(int, l.split())) for l in lines[1:]]
    assert len(entries) == nnz
    return rows, cols, [(r - 1, c - 1, v) for r, c, v in entries]


def scipy_python():
    """An interpreter that has scipy: this one, the one on the path or the system's."""
    for candidate in [sys.executable, shutil.which("python3"), "/usr/bin/python3"]:
        if candidate and os.path.exists(candidate) and subprocess.run(
                [candidate, "-c", "import scipy.io"], stderr=subprocess.DEVNULL).returncode == 0:
            return candidate
    return None


SCIPY_LOAD = """
import json, sys, scipy.io
out = []
for path in sys.argv[1:]:
    a = scipy.io.mmread(path).tocoo()
    out.append([a.shape[0], a.shape[1], sorted(zip(a.row.tolist(), a.col.tolist(), a.data.tolist()))])
print(json.dumps(out))
"""


def dense(rows, cols, entries):
    d = [[0] * cols for _ in range(rows)]
    for r, c, v in entries:
        d[r][c] = v
    return d


# The random graphs, and a few fixed ones: no edges, a tree (no loops), only self-loops (no cuts).
rng = random.Random(seed)
cases = [write_graph("edgeless", 3, []), write_graph("tree", 3, [(0, 1, 1), (2, 1, 1)]),
         write_graph("selfloops", 2, [(0, 0, 1), (1, 1, 2)])]
cases += [write_graph("g%d" % i, *random_graph(rng)) for i in range(graphs)]
outputs = []  # (graph, method, kind, path of the Matrix Market output, dense rows from the table)
for graph in cases:
    for method in (1, 2, 3):
        for kind in ("smycky", "rezy"):
            p = run([graph, str(method), kind])
            announced(p, "%s %d %s" % (graph, method, kind))
            path = "%s.%d.%s.mtx" % (graph, method, kind)
            with open(path, "wb") as f:
                f.write(p.stdout)
            v = run(["--hrany-radku", graph, str(method), kind])
            announced(v, "%s %d %s --hrany-radku" % (graph, method, kind))
            with open(path + ".hrany", "wb") as f:
                f.write(v.stdout)
            t = run(["--tabulka", graph, str(method), kind])
            body = t.stdout.decode().splitlines()[4:]
            if any(l != l.rstrip() for l in body):
                fail("%s %d %s --tabulka: blanks at the end of a line" % (graph, method, kind))
            table = {int(l.split()[0][1:]): [int(x) for x in l.split()[1:]] for l in body[1:]
                     if not l.startswith("(zadne radky")}
            announced(t, "%s %d %s --tabulka" % (graph, method, kind))
            outputs.append((graph, method, kind, path, table))

interpreter = scipy_python()
if interpreter:
    files = [f for o in outputs for f in (o[3], o[3] + ".hrany")]
    loaded = json.loads(subprocess.run([interpreter, "-c", SCIPY_LOAD] + files,
                                       stdout=subprocess.PIPE, check=True).stdout)
    print("read back by scipy.io.mmread (%s)" % interpreter)
else:
    loaded = [own_reader(open(f).read()) for o in outputs for f in (o[3], o[3] + ".hrany")]
    print("no scipy: read back by the reader here")

matrices = {}
for (graph, method, kind, path, table), (rows, cols, entries), vector in zip(
        outputs, loaded[0::2], loaded[1::2]):
    text = open(path).read()
    named = re.findall(r"^% radek (\d+): hrana (\d+)$", text, re.M)
    row_edges = [int(e) for _r, e in named]
    if [int(r) for r, _e in named] != list(range(1, len(named) + 1)) or not text.startswith(
            "%%%%MatrixMarket matrix coordinate integer general\n%% graf: %s\n%% metoda: %d - " % (
                graph, method)):
        fail("%s: header or row comments out of place" % path)
    m = int(open(graph).readline())
    matrix = dense(rows, cols, entries)
    if cols != m or rows != len(row_edges) or own_reader(text)[2] != [(r, c, v) for r, c, v in
                                                                      sorted(entries)]:
        fail("%s: shape %dx%d, %d rows named, or scipy and the reader differ" %
             (path, rows, cols, len(row_edges)))
        continue
    if list(vector[:2]) != [len(row_edges), 1] or [e for _r, _c, e in vector[2]] != row_edges or [
            r for r, _c, _e in vector[2]] != list(range(len(row_edges))):
        fail("%s --hrany-radku: %r, the rows' edges are %r" % (path, vector, row_edges))
    task = 4 if kind == "smycky" else 5
    for r, edge in enumerate(row_edges):
        expected = kostra_row(graph, task, method, edge, m)
        if matrix[r] != expected:
            fail("%s row %d (edge %d): %s, kostra prints %s" % (path, r + 1, edge, matrix[r],
                                                                expected))
        if table.get(edge) != expected:
            fail("%s --tabulka row of edge %d: %s" % (path, edge, table.get(edge)))
    if sorted(table) != row_edges:
        fail("%s --tabulka rows %s, expected %s" % (path, sorted(table), row_edges))
    matrices[(graph, method, kind)] = matrix
for graph in cases:
    for method in (1, 2, 3):
        b = matrices.get((graph, method, "smycky"), [])
        q = matrices.get((graph, method, "rezy"), [])
        if any(sum(x * y for x, y in zip(loop, cut)) for loop in b for cut in q):
            fail("%s method %d: B Q^T is not 0" % (graph, method))

# Failures: status, exactly one line on standard error matching the pattern, nothing on standard
# output.
four = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..", "examples",
                    "ctyri-uzly.txt")
broken = os.path.join(work, "broken")
with open(broken, "w") as f:
    f.write("5\n4\n0\n1\n4\n")
empty = os.path.join(work, "empty")
open(empty, "w").close()
missing = os.path.join(work, "missing")
usage = "pouziti: kostra-matice [--tabulka | --hrany-radku] GRAF METODA DRUH"
refusals = [
    ([], 3, r"^CHYBA: chybi argumenty \(" + re.escape(usage) + r"\)$"),
    ([four], 3, r"^CHYBA: chybi argumenty"),
    ([four, "1"], 3, r"^CHYBA: chybi argumenty"),
    (["--tabulka", four, "1"], 3, r"^CHYBA: chybi argumenty"),
    ([four, "4", "smycky"], 3, r'^CHYBA: metoda "4" neni 1, 2 ani 3$'),
    ([four, "0", "rezy"], 3, r'^CHYBA: metoda "0" neni'),
    ([four, "-1", "rezy"], 3, r'^CHYBA: metoda "-1" neni'),
    ([four, "x", "rezy"], 3, r'^CHYBA: metoda "x" neni'),
    ([four, "", "rezy"], 3, r'^CHYBA: metoda "" neni'),
    ([four, "99999999999", "rezy"], 3, r"^CHYBA: metoda"),
    ([four, "\n1", "rezy"], 3, r'^CHYBA: metoda "\?1" neni'),
    ([four, "1", "smycka"], 3, r'^CHYBA: druh "smycka" neni smycky ani rezy$'),
    ([four, "1", "REZY"], 3, r'^CHYBA: druh "REZY"'),
    ([four, "1", "rezy\n"], 3, r'^CHYBA: druh "rezy\?"'),
    (["--tabulkaa", four, "1", "rezy"], 3, r'^CHYBA: neznama volba "--tabulkaa"'),
    (["--tabulka", "--hrany-radku", four, "1", "rezy"], 3,
     r"^CHYBA: volby --tabulka a --hrany-radku nelze spojit"),
    (["-t", four, "1", "rezy"], 3, r'^CHYBA: neznama volba "-t"'),
    ([four, "1", "rezy", "navic"], 3, r'^CHYBA: prebytecny argument "navic"'),
    ([four, "1", "rezy", "--tabulka"], 3, r'^CHYBA: prebytecny argument "--tabulka"'),
    ([missing, "7", "rezy"], 3, r"^CHYBA: metoda"),
    ([missing, "1", "rezy"], 2, r'^CHYBA: nelze otevrit soubor ".*missing"$'),
    ([work, "2", "smycky"], 2, r"^CHYBA: nelze otevrit soubor"),
    ([missing + "\nx", "2", "smycky"], 2, r'^CHYBA: nelze otevrit soubor ".*missing\?x"$'),
    (["--tabulka", broken, "3", "rezy"], 1, r'^CHYBA: soubor ".*broken" neni konzistentni popis grafu$'),
    ([empty, "1", "smycky"], 1, r"^CHYBA: soubor .* neni konzistentni popis grafu$"),
    (["--lang", "xx", four, "1", "rezy"], 3, r'^CHYBA: neznamy jazyk "xx", volba --lang prijima'),
    (["--lang"], 3, r"^CHYBA: volbe --lang chybi jazyk"),
    (["--lang", "en"], 3, r"^ERROR: arguments missing \(usage: kostra-matice \[--table \| "
                          r"--row-edges\] GRAPH METHOD KIND\)$"),
    (["--lang=en", four, "4", "loops"], 3, r'^ERROR: method "4" is not 1, 2 or 3$'),
    (["--lang", "en", four, "1", "smycka"], 3, r'^ERROR: kind "smycka" is neither loops nor cuts$'),
    (["--table", "--lang", "en", "--hrany-radku", four, "1", "cuts"], 3,
     r"^ERROR: --table and --row-edges cannot go together"),
    (["--lang", "en", "--foo", four, "1", "cuts"], 3, r'^ERROR: unknown option "--foo"'),
    (["--lang", "en", missing, "1", "cuts"], 2, r'^ERROR: cannot open file ".*missing"$'),
    (["--lang", "en", broken, "3", "rezy"], 1,
     r'^ERROR: file ".*broken" is not a consistent graph description$'),
]
for args, status, pattern in refusals:
    p = run(args)
    err = p.stderr.decode()
    lines = err.splitlines()
    if (p.returncode != status or p.stdout or not lines or not re.match(pattern, lines[0])
            or not only_notes(lines[1:]) or (status == 3 and len(lines) != 1)):
        fail("%r: status %d (expected %d), stdout %r, stderr %r" % (args, p.returncode, status,
                                                                 p.stdout[:80], err))

# In English: the same entries and rows, the words English, the kinds and options of either
# language taken in either.
CZECH_WORDS = re.compile(r"\b(graf|metoda|druh|radek|hrana|sloupec|prvek|POZNAMKA|zapisu)\b")
for graph in cases[:6]:
    for kind, english in (("smycky", "loops"), ("rezy", "cuts")):
        for option in ([], ["--hrany-radku"], ["--table"]):
            czech = run(option + [graph, "2", kind])
            given = run(["--lang", "en"] + option + [graph, "2", english])
            by_variable = run(option + [graph, "2", kind], language="en")
            announced(given, "--lang en %s %s %s" % (option, graph, english))
            lines = given.stdout.decode().splitlines()
            # The rows (a table's "no rows" line aside), its labels h in Czech and e in English.
            numbers = [re.sub(r"^e(?=\d)", "h", l).replace(" e", " h") for l in lines
                       if not l.startswith(("%", "("))][4 if option == ["--table"] else 0:]
            expected = [l for l in czech.stdout.decode().splitlines()
                        if not l.startswith(("%", "("))][4 if option == ["--table"] else 0:]
            header = ("graph: %s" % graph, "method: 2 - Boruvka-Kruskal with the number of "
                      "components")
            if (numbers != expected or by_variable.stdout != given.stdout
                    or not all(h in given.stdout.decode() for h in header)
                    or CZECH_WORDS.search(given.stdout.decode() + given.stderr.decode())):
                fail("--lang en %s %s %s: %r" % (option, graph, english, given.stdout[:300]))

# A file name with a line break cannot break the header's lines.
odd = os.path.join(work, "a\nb")
shutil.copy(four, odd)
for args in ([odd, "1", "rezy"], ["--tabulka", odd, "1", "rezy"]):
    if ("graf: %s/a?b\n" % work).encode() not in run(args).stdout:
        fail("%r: the file name is not shown on one line" % args)

# The method as kostra reads it; "--" ends the options; the help.
canonical = run([four, "2", "rezy"]).stdout
for method in [" 2", "+2", "2abc", "02", "2 3", "\t2"]:
    p = run([four, method, "rezy"])
    if p.returncode != 0 or p.stdout != canonical:
        fail("method %r is not read as 2" % method)
if run(["--", four, "2", "rezy"]).stdout != canonical:
    fail("-- before the arguments")
p = run(["--version"])
if p.returncode != 0 or not re.fullmatch(rb"kostra-matice \d+\.\d+\.\d+\n", p.stdout) or p.stderr:
    fail("--version: status %d, %r, %r" % (p.returncode, p.stdout, p.stderr))
for args in (["--help"], ["-h"], ["--tabulka", "--help", "x"]):
    p = run(args)
    if p.returncode != 0 or not p.stdout.startswith(usage.encode() + b"\n") or p.stderr:
        fail("%r: no usage on standard output, or a status or a message" % args)

# A note for a table more than 40 edges wide, none for 40 edges.
for m in (40, 41):
    wide = write_graph("wide%d" % m, 2, [(0, 1, 1)] * m)
    p = run(["--tabulka", wide, "1", "smycky"])
    note = "POZNAMKA: graf ma %d hran, tabulka je siroka" % m
    announced(p, "table of %d edges" % m)
    if p.stderr.decode().splitlines()[1:] != ([note] if m > 40 else []) or p.stdout.count(
            b"\n") != 5 + m - 1:
        fail("table of %d edges: status %d, stderr %r" % (m, p.returncode, p.stderr))

# An output that cannot be written, small and larger than any buffer (a cycle of 300000 edges: one
# loop of all of them).
cycle = write_graph("cycle", 300000, [(k, (k + 1) % 300000, 1) for k in range(300000)])
for args in ([four, "1", "rezy"], ["--tabulka", four, "1", "rezy"], [cycle, "1", "smycky"],
             [cycle, "2", "rezy"]):
    with open("/dev/full", "wb") as full:
        p = run(args, stdout=full)
    err = p.stderr.decode().splitlines()
    if p.returncode != 5 or err[-1:] != ["CHYBA: nelze zapsat vystup"] or not only_notes(err[:-1]):
        fail("%r > /dev/full: status %d, stderr %r" % (args, p.returncode, p.stderr))

# Memory that runs out (each allocation of the program is failed in turn by the in-process test):
# a graph that declares more nodes than an address-space limit leaves room for.
if memory_limits:
    huge = os.path.join(work, "huge")
    with open(huge, "w") as f:
        f.write("1\n50000000\n0\n1\n1\n")
    for args in ([huge, "1", "rezy"], ["--tabulka", huge, "2", "smycky"]):
        p = run(args, limit=256 << 20)
        if p.returncode != 4 or p.stdout or p.stderr != b"CHYBA: nedostatek pameti\n":
            fail("%r under 256 MiB: status %d, stderr %r" % (args, p.returncode, p.stderr))

shutil.rmtree(work)
print("%d cases failed" % len(failures) if failures else "all cases passed")
sys.exit(1 if failures else 0)
