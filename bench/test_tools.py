#!/usr/bin/env python3
"""Checks the benchmark's own tools on small inputs, where a wrong answer is plain to see.

- kostra-gen: every shape gives the graph it promises (counts, endpoints, weights, structure;
  comps K gives K components, counted by kostra itself), the same file for the same arguments,
  and refuses bad arguments with status 2.
- kostra-floor and kostra-bgl-peer: refuse every broken graph file with its status, a message
  and no report; read files with signs, CRLF line ends or no last line break.
- kostra-walkstats: its forest is kostra's task 1 forest, flag for flag, and its counts are those
  of the recursion written out literally here, on small graphs of every kind (self-loops,
  parallel edges, several components, isolated nodes, hubs).
- kostra-latency: one figure, and refuses bad arguments.
- kostra-bgl-peer: on random small graphs with self-loops, parallel edges, several components
  and the extreme weights, the depth-first forest is a spanning forest and Prim's forest is one
  of minimum weight (against Kruskal's, computed here).

usage: bench/test_tools.py BENCH_DIR KOSTRA   (BENCH_DIR holds the built tools)
"""
import os
import random
import re
import subprocess
import sys
import tempfile

failures = []


def check(ok, what):
    if not ok:
        failures.append(what)


def run(cmd, stdin=b""):
    proc = subprocess.run(cmd, input=stdin, capture_output=True, timeout=60, check=False)
    return proc.returncode, proc.stdout, proc.stderr


def numbers(text):
    values = [int(x) for x in text.split()]
    m, n = values[0], values[1]
    return m, n, [tuple(values[2 + 3 * i:5 + 3 * i]) for i in range(m)], len(values) == 2 + 3 * m


def components(n, edges):
    parent = list(range(n))

    def find(x):
        while parent[x] != x:
            parent[x] = parent[parent[x]]
            x = parent[x]
        return x

    count = n
    for f, t, _ in edges:
        a, b = find(f), find(t)
        if a != b:
            parent[a] = b
            count -= 1
    return count


def heavy_tail(n, edges, exponent):
    """The endpoints of a power-law graph: the busiest 1 % of the nodes take the share of all
    endpoints that the weights (i+1)^(-1/(exponent-1)) of the first 1 % of ranks promise (a uniform
    graph gives them about 1 %, a wrong exponent another share), and they are not the lowest node
    numbers (the ranks are given numbers at random)."""
    ends = [0] * n
    for f, t, _ in edges:
        ends[f] += 1
        ends[t] += 1
    busiest = sorted(range(n), key=lambda v: -ends[v])[:n // 100]
    weights = [(i + 1) ** (-1 / (exponent - 1)) for i in range(n)]
    promised = sum(weights[:n // 100]) / sum(weights)
    share = sum(ends[v] for v in busiest) / (2 * len(edges))
    return abs(share - promised) < 0.03 and sum(v < n // 100 for v in busiest) < n // 400


def check_generator(gen, kostra, work):
    cases = [  # (arguments, nodes, edges, test of the edge list)
        (["random", "50", "200", "7"], 50, 200, None),
        (["path", "6"], 6, 5, lambda es: [(f, t) for f, t, _ in es] == [(i, i + 1) for i in range(5)]),
        (["star", "6", "3"], 6, 5, lambda es: [(f, t) for f, t, _ in es] == [(0, i) for i in range(1, 6)]),
        (["dense", "7"], 7, 21, lambda es: sorted((f, t) for f, t, _ in es) ==
         [(i, j) for i in range(7) for j in range(i + 1, 7)]),
        (["grid", "4", "3"], 12, 17, lambda es: all(t - f in (1, 4) and (t - f == 4 or t % 4) for f, t, _ in es)
         and components(12, es) == 1),
        (["comps", "5", "40", "60", "3"], 40, 60, lambda es: all(f % 5 == t % 5 for f, t, _ in es)
         and components(40, es) == 5),
        (["comps", "3", "3", "0", "1"], 3, 0, None),
        (["path", "1"], 1, 0, None),
        (["power", "2000", "20000", "2.1", "5"], 2000, 20000, lambda es: heavy_tail(2000, es, 2.1)),
        (["power", "2000", "20000", "3", "5"], 2000, 20000, lambda es: heavy_tail(2000, es, 3.0)),
        (["power", "1", "3", "2.1", "1"], 1, 3, None),
    ]
    for args, n, m, shape in cases:
        status, out, _ = run([gen, *args])
        mm, nn, es, whole = numbers(out)
        check(status == 0 and whole and (mm, nn) == (m, n), f"kostra-gen {args}: counts {mm} {nn}, status {status}")
        check(all(0 <= f < n and 0 <= t < n and 1 <= w <= 1000 for f, t, w in es),
              f"kostra-gen {args}: an endpoint or weight out of range")
        check(shape is None or shape(es), f"kostra-gen {args}: not the promised shape")
        check(run([gen, *args])[1] == out, f"kostra-gen {args}: another file on the second run")
    for shape in (["random", "50", "200"], ["power", "50", "200", "2.1"]):
        check(run([gen, *shape, "8"])[1] != run([gen, *shape, "7"])[1],
              f"kostra-gen {shape[0]}: another seed gives the same graph")
    # kostra counts the components of a comps graph as the generator promises.
    path = os.path.join(work, "comps.txt")
    with open(path, "wb") as f:
        f.write(run([gen, "comps", "4", "100", "150", "9"])[1])
    _, out, _ = run([kostra, path], b"2\na\n")
    check(b"pocet komponent grafu a nalezene kostry = 4\n" in out, "kostra does not count 4 components in comps 4")
    for args in (["random", "0", "5", "1"], ["random", "5", "-1", "1"], ["random", "5", "5"], ["path", "x"],
                 ["dense", "70000"], ["comps", "5", "4", "10", "1"], ["comps", "2", "10", "7", "1"],
                 ["grid", "70000", "70000"], ["cube", "3"], [], ["star", "3", "1", "2"],
                 ["power", "10", "10", "1", "1"], ["power", "10", "10", "nan", "1"], ["power", "10", "10", "inf", "1"],
                 ["power", "10", "10", "2.1x", "1"], ["power", "10", "10", "2.1"], ["power", "0", "10", "2.1", "1"]):
        status, out, err = run([gen, *args])
        check(status == 2 and out == b"" and err != b"", f"kostra-gen {args}: status {status}, not refused")
    status, _, err = run(["sh", "-c", f"'{gen}' random 10 10 1 > /dev/full"])
    check(status == 5 and err != b"", f"kostra-gen to a full disk: status {status}")


def check_readers(programs, work):
    broken = {  # file contents -> exit status
        b"": 1, b"   \n": 1, b"1\n": 1, b"-1\n3\n": 1, b"0\n0\n": 1, b"1\n2\n0\n1\n": 1,
        b"1\n2\n0\n2\n5\n": 1, b"1\n2\n-1\n1\n5\n": 1, b"1\n2\n0\n1\nx\n": 1, b"1\n2\n0\n1\n5x\n": 1,
        b"1\n2\n0\n1\n2147483648\n": 1, b"1\n2\n0\n1\n-2147483649\n": 1, b"1\n2\n0\n1\n-\n": 1,
        b"1\n2\n0\n1\n99999999999999999999999\n": 1,
    }
    for i, (text, expected) in enumerate(broken.items()):
        path = os.path.join(work, f"broken-{i}.txt")
        with open(path, "wb") as f:
            f.write(text)
        for cmd in programs:
            status, out, err = run([*cmd[:1], path, *cmd[1:]])
            check(status == expected and out == b"" and err != b"",
                  f"{cmd} on {text!r}: status {status} (expected {expected}), {len(out)} bytes of report")
    for cmd in programs:
        status, out, err = run([*cmd[:1], os.path.join(work, "missing.txt"), *cmd[1:]])
        check(status == 2 and out == b"", f"{cmd} on a missing file: status {status}")
        status, _, _ = run([*cmd[:1], work, *cmd[1:]])
        check(status != 0, f"{cmd} on a directory: status {status}")
    # Signs, CRLF line ends, blanks and no last line break are all one graph.
    path = os.path.join(work, "odd.txt")
    with open(path, "wb") as f:
        f.write(b"  +2\r\n3\r\n0 1 -2147483648\r\n\t2\n\n2\n+2147483647")
    status, out, _ = run([programs[0][0], path, "forest"])
    check(status == 0 and out == b"hrana  0: v kostre= 0, vaha=-2147483648\nhrana  1: v kostre= 0, vaha=2147483647\n"
          b"uzel   0: kosti z= 0, smeru= 1\nuzel   1: kosti z= 0, smeru= 1\nuzel   2: kosti z= 0, smeru= 1\n",
          f"kostra-floor on an odd but valid file: status {status}, {out!r}")


def literal_walk(n, edges):
    """kostra's task 1 walk as its recursion reads: the tree flags, and the entries up to every
    tree's last claim (the start's entry always) by kind, summed: first entries, later entries
    into nodes with a route left to follow, entries into nodes whose routes are all followed."""
    routes = [[] for _ in range(n)]
    for k, (f, t, _) in enumerate(edges):
        routes[f].append((k, t))
        if t != f:
            routes[t].append((k, f))
    claimed, entered, followed, in_tree = [False] * n, [False] * n, [False] * len(edges), [0] * len(edges)
    total = {"trees": 0, "entries": 0, "first": 0, "routes-left": 0, "spent": 0}
    tree, settled = {}, {}

    def enter(row):
        total["entries"] += 1
        kind = ("routes-left" if any(not followed[e] for e, _ in routes[row]) else "spent") if entered[row] else "first"
        entered[row] = True
        tree[kind] += 1
        for e, v in routes[row]:
            if not claimed[v]:
                claimed[v], in_tree[e] = True, 1
                settled.update(tree)
        for e, v in routes[row]:
            if not followed[e]:
                followed[e] = True
                enter(v)

    for start in sorted(range(n), key=lambda v: (-len(routes[v]), v)):
        if not claimed[start]:
            claimed[start] = True
            total["trees"] += 1
            tree.update({"first": 0, "routes-left": 0, "spent": 0})
            settled.update({"first": 1, "routes-left": 0, "spent": 0})
            enter(start)
            for kind in ("first", "routes-left", "spent"):
                total[kind] += settled[kind]
    return in_tree, total


def check_walkstats(gen, walkstats, kostra, work):
    sys.setrecursionlimit(10000)
    graphs = [["random", "30", "60", str(seed)] for seed in range(8)] + [
        ["random", "40", "30", "1"], ["power", "40", "120", "2.1", "3"], ["power", "200", "800", "2.1", "4"],
        ["comps", "4", "50", "70", "2"], ["star", "9"], ["path", "7"], ["dense", "8"], ["grid", "5", "4"],
        ["random", "1", "3", "1"], ["random", "3", "0", "1"]]
    for args in graphs:
        path = os.path.join(work, "walk.txt")
        with open(path, "wb") as f:
            f.write(run([gen, *args])[1])
        with open(path, "rb") as f:
            _, n, edges, _ = numbers(f.read())
        in_tree, counts = literal_walk(n, edges)
        status, out, _ = run([walkstats, path])
        mine = {k: int(v) for k, v in (line.split() for line in out.decode().splitlines())}
        check(status == 0 and mine == counts, f"kostra-walkstats {args}: {mine}, the recursion counts {counts}")
        status, out, _ = run([walkstats, path, "flags"])
        _, report, _ = run([kostra, path], b"1\n")
        kostra_flags = [int(x) for x in re.findall(rb"v kostre= ([01])", report)]
        check(status == 0 and [int(x) for x in out.split()] == in_tree == kostra_flags,
              f"kostra-walkstats {args} flags: not kostra's task 1 forest")


def check_latency(latency):
    status, out, _ = run([latency, "2"])
    check(status == 0 and re.fullmatch(rb"[0-9]+\.[0-9]\n", out) is not None and float(out) > 0,
          f"kostra-latency 2: status {status}, {out!r}")
    for args in (["0"], ["2", "0"], ["x"], ["2", "1", "1"]):
        status, out, err = run([latency, *args])
        check(status == 2 and out == b"" and err != b"", f"kostra-latency {args}: status {status}, not refused")


def check_peer(peer, work):
    for seed in range(60):
        r = random.Random(seed)
        n, m = r.randint(1, 30), r.randint(0, 60)
        edges = [(r.randrange(n), r.randrange(n), r.choice([-2**31, 2**31 - 1, 0, r.randint(-3, 3), r.randint(1, 9)]))
                 for _ in range(m)]
        path = os.path.join(work, "peer.txt")
        with open(path, "w") as f:
            f.write(f"{m}\n{n}\n" + "".join(f"{a}\n{b}\n{w}\n" for a, b, w in edges))
        expected_edges = n - components(n, edges)
        kruskal = []
        for e in sorted(edges, key=lambda e: e[2]):
            if components(n, kruskal + [e]) < components(n, kruskal):
                kruskal.append(e)
        for algo in ("dfs", "prim"):
            status, out, _ = run([peer, path, algo])
            flags = [int(x) for x in re.findall(rb"v kostre= ([01])", out)]
            tree = [e for e, flag in zip(edges, flags) if flag]
            bones = [int(x) for x in re.findall(rb"kosti z= ?(\d+)", out)]
            ok = status == 0 and len(flags) == m and len(tree) == expected_edges
            ok = ok and components(n, tree) == n - len(tree)  # no cycle
            ok = ok and bones == [sum((f == v) + (t == v) for f, t, _ in tree) for v in range(n)]
            if algo == "prim":
                ok = ok and sum(w for _, _, w in tree) == sum(w for _, _, w in kruskal)
            check(ok, f"kostra-bgl-peer {algo} on random graph {seed}: not a {'minimum ' * (algo == 'prim')}spanning forest")


def main():
    bench_dir, kostra = sys.argv[1], sys.argv[2]
    gen, floor = os.path.join(bench_dir, "kostra-gen"), os.path.join(bench_dir, "kostra-floor")
    peer = os.path.join(bench_dir, "kostra-bgl-peer")
    with tempfile.TemporaryDirectory() as work:
        check_generator(gen, kostra, work)
        check_walkstats(gen, os.path.join(bench_dir, "kostra-walkstats"), kostra, work)
        check_latency(os.path.join(bench_dir, "kostra-latency"))
        readers = [(floor, "forest"), (floor, "orient"), (os.path.join(bench_dir, "kostra-walkstats"),)]
        if os.access(peer, os.X_OK):
            readers += [(peer, "dfs"), (peer, "prim")]
            check_peer(peer, work)
        else:
            print("kostra-bgl-peer is not built (no Boost Graph Library): its checks are skipped")
        check_readers(readers, work)
    for failure in failures:
        print("FAILED:", failure)
    print(f"{'all' if not failures else len(failures)} checks {'passed' if not failures else 'failed'}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
