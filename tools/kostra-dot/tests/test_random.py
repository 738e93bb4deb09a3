#!/usr/bin/env python3
"""Random graphs (self-loops, parallel edges, isolated nodes, equal and extreme weights) through
kostra and kostra-dot, every task and every forest method, answers sometimes preceded by answers
kostra refuses. Each drawing is checked against kostra's report by a reading of its own: every
node once; every edge with its endpoints and weight; bold exactly for the tree edges; colour,
arrow and sign exactly as the orientation table says; the edge the test chose, and no other,
marked; for a cut, the two sides (found here by a search of the forest) shaded. The same run with
the graph typed at the keyboard must give the same drawing, and every transcript with one number
of its report changed must be refused with an empty standard output.

usage: test_random.py KOSTRA KOSTRA_DOT [SEED]
"""
import collections
import pathlib
import random
import re
import subprocess
import sys
import tempfile

RED, BLUE = "#d62728", "#1f77b4"
FROM_SIDE, TO_SIDE = "#fdd0a2", "#c7e9c0"
NODE = re.compile(r'^    (\d+)(?: \[style=filled, fillcolor="(#\w+)"\])?;$')
EDGE = re.compile(r'^    (\d+) -- (\d+) \[label="h(\d+): (-?\d+)(?: \(([+-]1)(, zvolena)?\))?"'
                  r'(, penwidth=3)?, style=(bold|dashed)'
                  r'(?:, color="(#\w+)", fontcolor="(#\w+)", dir=(forward|back))?\];$')


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def random_graph(rng):
    n = rng.randint(1, 7)
    m = rng.randint(0, 10)
    extremes = [-2147483648, 2147483647]
    edges = []
    for _ in range(m):
        w = rng.choice(extremes) if rng.random() < 0.1 else rng.randint(-3, 9)
        edges.append((rng.randrange(n), rng.randrange(n), w))
    return n, edges


def graph_text(n, edges):
    values = [len(edges), n] + [v for e in edges for v in e]
    return "".join(f"{v}\n" for v in values)


def noisy(rng, answer, refused):
    """The answer, sometimes after one or two answers that kostra refuses."""
    lines = [rng.choice(refused) for _ in range(rng.choice([0, 0, 1, 2]))] if refused else []
    return "".join(f"{line}\n" for line in lines + [answer])


def report(transcript):
    """kostra's tables: tree flags and weights, or orientations, and the flags listed before the
    edge question of tasks 4 and 5."""
    before, _, after = transcript.partition("\n>>VYSTUP<<\n")
    flags = [int(x) for x in re.findall(r"hrana +\d+: v kostre=(\d)$", before, re.M)]
    table = re.findall(r"^hrana +\d+: v kostre= ?(\d), vaha= ?(-?\d+)$", after, re.M)
    orientation = [int(x) for x in re.findall(r"^hrana +\d+: orientace= ?(-?\d)$", after, re.M)]
    return flags, [int(f) for f, _ in table], orientation


def sides(n, edges, tree, chosen):
    """Node -> 1 (the chosen edge's from side) or 2 (its to side), by a search of the forest."""
    neighbours = collections.defaultdict(list)
    for k, (f, t, _) in enumerate(edges):
        if tree[k] and k != chosen:
            neighbours[f].append(t)
            neighbours[t].append(f)
    label = {}
    for start, side in ((edges[chosen][0], 1), (edges[chosen][1], 2)):
        label[start] = side
        stack = [start]
        while stack:
            for v in neighbours[stack.pop()]:
                if v not in label:
                    label[v] = side
                    stack.append(v)
    return label


def check_drawing(dot, n, edges, tree, orientation, chosen, task):
    lines = dot.splitlines()
    check(lines[0] == "graph kostra {" and lines[-1] == "}", "not one DOT graph")
    nodes = [NODE.match(line) for line in lines if NODE.match(line)]
    drawn = [EDGE.match(line) for line in lines if EDGE.match(line)]
    check(len(lines) == 6 + len(nodes) + len(drawn), "a line that is neither node nor edge")
    check([int(x.group(1)) for x in nodes] == list(range(n)), "nodes missing or out of order")
    check(len(drawn) == len(edges), f"{len(drawn)} edges drawn, the graph has {len(edges)}")
    label = sides(n, edges, tree, chosen) if task == 5 else {}
    for i, x in enumerate(nodes):
        want = {1: FROM_SIDE, 2: TO_SIDE}.get(label.get(i))
        check(x.group(2) == want, f"node {i} filled {x.group(2)}, expected {want}")
    for k, x in enumerate(drawn):
        f, t, w = edges[k]
        check((int(x.group(1)), int(x.group(2)), int(x.group(3)), int(x.group(4))) == (f, t, k, w),
              f"edge {k} drawn as {x.group(0).strip()}")
        check((x.group(8) == "bold") == bool(tree[k]), f"edge {k}: style {x.group(8)}")
        sign = orientation[k] if orientation else 0
        want = {1: ("+1", RED, RED, "forward"), -1: ("-1", BLUE, BLUE, "back"),
                0: (None, None, None, None)}[sign]
        check((x.group(5), x.group(9), x.group(10), x.group(11)) == want,
              f"edge {k} with orientation {sign}: {x.group(0).strip()}")
        marked = x.group(6) is not None
        check(marked == (k == chosen) and marked == (x.group(7) is not None),
              f"edge {k}: marked {marked}, chosen {chosen}")


def main():
    kostra, kostra_dot = sys.argv[1], sys.argv[2]
    rng = random.Random(int(sys.argv[3]) if len(sys.argv) > 3 else 20240607)
    graphs = int(sys.argv[4]) if len(sys.argv) > 4 else 40
    scratch = tempfile.TemporaryDirectory()
    work = pathlib.Path(scratch.name)
    runs = refusals = 0

    def convert(path, transcript):
        return subprocess.run([kostra_dot, str(path)], input=transcript, capture_output=True,
                              timeout=60)

    for number in range(graphs):
        n, edges = random_graph(rng)
        m = len(edges)
        path = work / f"g{number}.graph"
        path.write_text(graph_text(n, edges))
        forests = {}
        jobs = []
        for task, method in ((1, 1), (2, 2), (3, 3)):
            answers = noisy(rng, str(task), ["0", "6", "x"])
            if task > 1:
                answers += noisy(rng, rng.choice("an"), ["A", "", "x"])
            jobs.append((task, method, None, answers))
        try:
            for task, method, chosen, answers in jobs[:3]:
                out = subprocess.run([kostra, str(path)], input=answers.encode(),
                                     capture_output=True, timeout=60).stdout
                forests[method] = report(out.decode())[1]
            for task in (4, 5):
                for method in (1, 2, 3):
                    candidates = [k for k in range(m) if forests[method][k] == (task == 5)]
                    if candidates:
                        chosen = rng.choice(candidates)
                        wrong = [str(m), "-1", "x"] + [str(k) for k in range(m)
                                                       if k not in candidates]
                        answers = (noisy(rng, str(task), ["0"]) + noisy(rng, str(method), ["4"]) +
                                   noisy(rng, str(chosen), wrong))
                        jobs.append((task, method, chosen, answers))

            for task, method, chosen, answers in jobs:
                context = f"graph {number} ({path}), answers {answers!r}"
                kostra_run = subprocess.run([kostra, str(path)], input=answers.encode(),
                                            capture_output=True, timeout=60)
                check(kostra_run.returncode == 0, f"{context}: kostra ended with "
                      f"{kostra_run.returncode}")
                transcript = kostra_run.stdout
                flags, tree, orientation = report(transcript.decode())
                if task >= 4:
                    tree = flags
                check(tree == forests[method], f"{context}: the forest is not method {method}'s")
                drawing = convert(path, transcript)
                check(drawing.returncode == 0 and drawing.stderr == b"",
                      f"{context}: kostra-dot ended with {drawing.returncode}: "
                      f"{drawing.stderr.decode()}")
                try:
                    check_drawing(drawing.stdout.decode(), n, edges, tree, orientation,
                                  -1 if chosen is None else chosen, task)
                except Failure as failure:
                    raise Failure(f"{context}: {failure}") from None
                runs += 1

                if rng.random() < 0.3:
                    keyboard = subprocess.run([kostra], input=graph_text(n, edges).encode() +
                                              answers.encode(), capture_output=True, timeout=60)
                    again = convert(path, keyboard.stdout)
                    check(again.returncode == 0 and again.stdout == drawing.stdout,
                          f"{context}: the keyboard run draws differently")

                # One number of the report changed: the transcript is no longer kostra's.
                head, banner, table = transcript.decode().partition("\n>>VYSTUP<<\n")
                rows = table.splitlines(keepends=True)
                row = rng.randrange(len(rows))
                if task >= 4:
                    old = orientation[row]
                    new = rng.choice([v for v in (-1, 0, 1) if v != old])
                    rows[row] = rows[row].replace(f"orientace={old:2d}", f"orientace={new:2d}")
                elif row < m and rng.random() < 0.5:
                    rows[row] = rows[row].replace(f"v kostre= {tree[row]}",
                                                  f"v kostre= {1 - tree[row]}")
                elif row < m:
                    w = edges[row][2]
                    rows[row] = rows[row].replace(f"vaha={w:2d}",
                                                  f"vaha={w - 1 if w > 0 else w + 1:2d}")
                else:
                    degree = int(rows[row].rsplit("=", 1)[1])
                    rows[row] = rows[row].rsplit("=", 1)[0] + f"={degree + 1:2d}\n"
                changed = (head + banner + "".join(rows)).encode()
                check(changed != transcript, f"{context}: the change changed nothing")
                refused = convert(path, changed)
                check(refused.returncode == 1 and refused.stdout == b"" and
                      refused.stderr.startswith(b"CHYBA: ") and
                      refused.stderr.count(b"\n") == 1,
                      f"{context}: a changed report was not refused cleanly "
                      f"({refused.returncode}, {refused.stderr.decode()!r}):\n"
                      f"{changed.decode()}")
                refusals += 1
        except Failure as failure:
            print(f"FAIL {failure}")
            return 1
    print(f"{runs} drawings checked, {refusals} changed reports refused")
    return 0


if __name__ == "__main__":
    sys.exit(main())
