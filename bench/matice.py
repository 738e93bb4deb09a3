#!/usr/bin/env python3
"""Speed and memory of kostra-matice: seconds, non-zeros written, non-zeros per second and peak
memory (largest resident set) per graph, kind and forest method, the matrix written to /dev/null.

Graphs come from the project's generator (build/release/kostra-gen: random N M SEED, path N,
star N, grid W H) into bench/out/matice/. Run from the repository root after a release build:

    python3 bench/matice.py                # --quick: graphs ten times smaller; --runs N; --gen PATH
"""
import argparse
import os
import statistics
import subprocess
import sys
import time

parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
parser.add_argument("--bin", default="build/release/kostra-matice")
parser.add_argument("--gen", default="build/release/kostra-gen")
parser.add_argument("--out", default="bench/out/matice")
parser.add_argument("--runs", type=int, default=3, help="runs per measurement (median)")
parser.add_argument("--methods", default="1,2,3")
parser.add_argument("--quick", action="store_true", help="graphs ten times smaller")
args = parser.parse_args()
scale = 10 if args.quick else 1
methods = [int(m) for m in args.methods.split(",")]

# name, generator arguments. Random graphs have a node for every four edges.
side = 300 // (3 if args.quick else 1)
graphs = [
    ("random %d edges" % (100000 // scale), ["random", str(25000 // scale), str(100000 // scale), "1"]),
    ("random %d edges" % (1000000 // scale),
     ["random", str(250000 // scale), str(1000000 // scale), "1"]),
    ("path %d" % (1000000 // scale), ["path", str(1000000 // scale)]),
    ("star %d" % (1000000 // scale), ["star", str(1000000 // scale)]),
    ("grid %dx%d" % (side, side), ["grid", str(side), str(side)]),
]


def make(gen_args):
    path = os.path.join(args.out, "_".join(gen_args) + ".txt")
    if not os.path.exists(path):
        os.makedirs(args.out, exist_ok=True)
        with open(path + ".part", "wb") as f:
            subprocess.run([args.gen] + gen_args, stdout=f, check=True)
        os.replace(path + ".part", path)
    return path


def non_zeros(path, method, kind):
    """The third number of the size line, read before the entries come."""
    p = subprocess.Popen([args.bin, path, str(method), kind], stdout=subprocess.PIPE)
    for line in p.stdout:
        if not line.startswith(b"%"):
            break
    p.kill()
    p.wait()
    return int(line.split()[2])


def measure(path, method, kind):
    """Wall seconds and peak resident set in MiB of one run, output to /dev/null."""
    with open(os.devnull, "wb") as null:
        start = time.perf_counter()
        p = subprocess.Popen([args.bin, path, str(method), kind], stdout=null)
        _, status, usage = os.wait4(p.pid, 0)
        seconds = time.perf_counter() - start
    if status != 0:
        sys.exit("kostra-matice %s %d %s: status %d" % (path, method, kind, status))
    return seconds, usage.ru_maxrss / 1024


print("| graph | kind | method | seconds | non-zeros | non-zeros/s | peak memory |")
print("|---|---|---:|---:|---:|---:|---:|")
for name, gen_args in graphs:
    path = make(gen_args)
    for kind in ("smycky", "rezy"):
        for method in methods:
            nz = non_zeros(path, method, kind)
            runs = [measure(path, method, kind) for _ in range(args.runs)]
            seconds = statistics.median(r[0] for r in runs)
            peak = max(r[1] for r in runs)
            print("| %s | %s | %d | %.3f | %d | %.3g | %.0f MiB |" % (
                name, kind, method, seconds, nz, nz / seconds, peak), flush=True)
