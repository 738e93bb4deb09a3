#!/usr/bin/env python3
"""Measures kostra against the I/O floor and prints the table the README shows.

Every figure is kostra's whole-process wall time divided by the floor's (a program that only
reads and parses the same graph file and writes a report of the same size), both run
alternately in the same loop, median of the runs; answers on standard input, report to
/dev/null. Peak memory is the largest resident set of kostra's runs.

usage: bench/run.py [--runs N] [--quick] [--yardstick DIR] [--kostra PATH] [--work DIR]

The yardstick (graph generator and floor) is looked for in $YARDSTICK, then in
../shared/yardstick beside the repository. --quick uses graphs ten times smaller.
"""
import argparse
import os
import statistics
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def measure(cmd, stdin_path):
    """Runs cmd once; returns (wall seconds, peak resident MiB, exit status)."""
    with open(stdin_path, "rb") as stdin, open(os.devnull, "wb") as null:
        start = time.perf_counter()
        proc = subprocess.Popen(cmd, stdin=stdin, stdout=null, stderr=subprocess.DEVNULL)
        _, status, usage = os.wait4(proc.pid, 0)
        wall = time.perf_counter() - start
    return wall, usage.ru_maxrss / 1024.0, os.waitstatus_to_exitcode(status)


def compare(kostra_cmd, kostra_in, floor_cmd, runs):
    """Alternates kostra and the floor; returns (median kostra, median floor, peak MiB, statuses)."""
    ks, fs, peak, statuses = [], [], 0.0, set()
    empty = os.devnull
    for _ in range(runs):
        wall, rss, status = measure(kostra_cmd, kostra_in)
        ks.append(wall)
        peak = max(peak, rss)
        statuses.add(status)
        fs.append(measure(floor_cmd, empty)[0])
    return statistics.median(ks), statistics.median(fs), peak, statuses


def power(x):
    """10000000 -> "10^7", 4000000 -> "4*10^6"."""
    k = 0
    while x % 10 == 0 and x >= 10:
        x //= 10
        k += 1
    return f"10^{k}" if x == 1 else f"{x}*10^{k}"


def write(path, text):
    with open(path, "w") as f:
        f.write(text)
    return path


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--runs", type=int, default=5)
    ap.add_argument("--quick", action="store_true", help="graphs ten times smaller")
    ap.add_argument("--yardstick", default=os.environ.get("YARDSTICK", os.path.join(ROOT, "..", "shared", "yardstick")))
    ap.add_argument("--kostra", default=os.path.join(ROOT, "build", "release", "kostra"))
    ap.add_argument("--work", default=os.path.join(ROOT, "bench", "out"))
    args = ap.parse_args()

    if not os.path.isfile(os.path.join(args.yardstick, "gen.cpp")):
        sys.exit(f"no yardstick in {args.yardstick}: set YARDSTICK or --yardstick")
    if not os.access(args.kostra, os.X_OK):
        sys.exit(f"no kostra at {args.kostra}: build it first (cmake --preset release && cmake --build --preset release)")
    os.makedirs(args.work, exist_ok=True)
    bin_dir = os.path.join(args.work, "bin")
    subprocess.run(["make", "-s", "-C", args.yardstick, f"BIN={bin_dir}"], check=True)
    gen, floor = os.path.join(bin_dir, "gen"), os.path.join(bin_dir, "floor")

    scale = 10 if args.quick else 1
    shapes = {
        "r4": ("random", 10**6 // scale, 4 * 10**6 // scale),
        "r10": ("random", 10**6 // scale, 10**7 // scale),
        "path": ("path", 10**7 // scale, 0),
        "star": ("star", 10**6 // scale, 0),
        "star10": ("star", 10**7 // scale, 0),
    }
    graphs = {}
    for key, (shape, n, m) in shapes.items():
        graphs[key] = (shape, n, m, f"{shape} {power(n)}" + (f" / {power(m)}" if m else ""))
    files = {}
    for key, (shape, n, m, name) in graphs.items():
        path = os.path.join(args.work, f"{shape}-{n}-{m}.txt")
        if not os.path.exists(path):
            print(f"generating {name} ...", file=sys.stderr)
            with open(path + ".tmp", "wb") as out:
                subprocess.run([gen, shape, str(n), str(m), "1"], stdout=out, check=True)
            os.replace(path + ".tmp", path)
        files[key] = path

    # Tasks 4 and 5 ask for an edge until one fits: offer the first few hundred numbers.
    candidates = "".join(f"{i}\n" for i in range(300))
    answers = {
        "1": "1\n",
        "2": "2\nn\n",
        "3": "3\nn\n",
        "2a": "2\na\n",
        "3a": "3\na\n",
    }
    for task in (4, 5):
        for method in (1, 2, 3):
            answers[f"{task}.{method}"] = f"{task}\n{method}\n{candidates}"
    answer_files = {k: write(os.path.join(args.work, f"answers-{k}.txt"), v) for k, v in answers.items()}

    rows = []

    def row(graph, what, key, floor_mode, note=""):
        k, f, peak, statuses = compare([args.kostra, files[graph]], answer_files[key],
                                       [floor, files[graph], floor_mode], args.runs)
        rows.append((graphs[graph][3], what, k, f, k / f, peak, ",".join(map(str, sorted(statuses))), note))
        print(f"  {graphs[graph][3]:22} {what:26} {k:7.3f} s  floor {f:6.3f} s  {k / f:5.2f}x  {peak:7.0f} MiB", file=sys.stderr)
        return k

    for graph in ("r4", "r10"):
        row(graph, "task 1", "1", "forest")
        row(graph, "task 2 (n)", "2", "forest")
        row(graph, "task 3 (n)", "3", "forest")
        for task in (4, 5):
            for method in (1, 2, 3):
                row(graph, f"task {task}, method {method}", f"{task}.{method}", "orient")
    for graph in ("path",):
        for key in ("1", "2", "3", "4.1", "4.2", "4.3", "5.1", "5.2", "5.3"):
            what = f"task {key[0]}" + (f", method {key[2]}" if "." in key else "")
            note = "no non-tree edge: ends at the question" if key.startswith("4") else ""
            row(graph, what, key, "orient" if "." in key else "forest", note)
    star = {}
    for graph in ("star", "star10"):
        for key in ("1", "2", "3", "5.1"):
            what = f"task {key[0]}" + (f", method {key[2]}" if "." in key else "")
            star[(graph, key)] = row(graph, what, key, "orient" if "." in key else "forest")

    # The graph typed on standard input instead of read from a file (task 1).
    r4 = files["r4"]
    typed = os.path.join(args.work, "typed-" + os.path.basename(r4))
    if not os.path.exists(typed):
        with open(typed, "wb") as out:
            with open(r4, "rb") as src:
                out.write(src.read())
            out.write(b"1\n")
    file_mode, typed_mode = [], []
    for _ in range(args.runs):
        file_mode.append(measure([args.kostra, r4], answer_files["1"])[0])
        typed_mode.append(measure([args.kostra], typed)[0])
    typed_ratio = statistics.median(typed_mode) / statistics.median(file_mode)

    # Narration speed: the extra bytes of the narrated run over its extra time.
    narration = {}
    for task in ("2", "3"):
        sizes = []
        for key in (task, task + "a"):
            with open(answer_files[key], "rb") as stdin:
                out = subprocess.run([args.kostra, r4], stdin=stdin, stdout=subprocess.PIPE, check=False).stdout
            sizes.append(len(out))
        quiet = statistics.median(measure([args.kostra, r4], answer_files[task])[0] for _ in range(args.runs))
        loud = statistics.median(measure([args.kostra, r4], answer_files[task + "a"])[0] for _ in range(args.runs))
        extra = sizes[1] - sizes[0]
        narration[task] = (extra / 1e6, loud, quiet)

    print()
    print("| graph | task | kostra | floor | ratio | peak memory | status |")
    print("|---|---|---:|---:|---:|---:|---|")
    for graph, what, k, f, ratio, peak, statuses, note in rows:
        status = statuses + (f" ({note})" if note else "")
        print(f"| {graph} | {what} | {k:.3f} s | {f:.3f} s | {ratio:.2f}x | {peak:.0f} MiB | {status} |")
    print()
    for key in ("1", "2", "3", "5.1"):
        small, big = star[("star", key)], star[("star10", key)]
        what = f"task {key[0]}" + (f", method {key[2]}" if "." in key else "")
        print(f"- {graphs['star10'][3]} against {graphs['star'][3]}, {what}: {big / small:.1f}x the time")
    _, n, m, name = graphs["r10"]
    budget = (50 * m + 32 * n) / 2**20
    worst = max(peak for graph, _, _, _, _, peak, _, _ in rows if graph == name)
    print(f"- {name}: peak memory {worst:.0f} MiB, budget 50 bytes per edge + 32 per node = {budget:.0f} MiB")
    print(f"- graph typed on standard input against the same graph from a file (task 1): {typed_ratio:.2f}x")
    for task, (mb, loud, quiet) in narration.items():
        print(f"- narration of task {task}: {mb:.0f} MB; the narrated run takes {loud:.2f} s against "
              f"{quiet:.2f} s without, so it is written at {mb / loud:.0f} MB/s counting the whole run")


if __name__ == "__main__":
    main()
