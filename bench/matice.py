#!/usr/bin/env python3
"""Speed and memory of kostra-matice: seconds, non-zeros written, non-zeros per second and peak
memory (largest resident set) per graph, kind and forest method, the matrix written to /dev/null.

Graphs come from the project's generator (kostra-gen: random N M SEED, path N, star N, grid W H)
into bench/out/matice/. Without --bin and --gen the script builds kostra-matice and the generator
through the release preset first (configuring it when needed), so it runs from a fresh clone,
from any directory:

    python3 bench/matice.py          # --quick: graphs ten times smaller; --smoke: tiny graphs,
                                     # one run (keeps the script working); --runs N
"""
import argparse
import os
import statistics
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
RELEASE = os.path.join(ROOT, "build", "release")

parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
parser.add_argument("--bin", help="the kostra-matice to measure (default: build it)")
parser.add_argument("--gen", help="the graph generator (default: build it)")
parser.add_argument("--out", default=os.path.join(ROOT, "bench", "out", "matice"))
parser.add_argument("--runs", type=int, default=3, help="runs per measurement (median)")
parser.add_argument("--methods", default="1,2,3")
size = parser.add_mutually_exclusive_group()
size.add_argument("--quick", action="store_true", help="graphs ten times smaller")
size.add_argument("--smoke", action="store_true", help="tiny graphs and one run")
args = parser.parse_args()
scale = 1000 if args.smoke else 10 if args.quick else 1
runs = 1 if args.smoke else args.runs
methods = [int(m) for m in args.methods.split(",")]


def build(targets):
    """Builds the targets with the release preset, which is configured first if it is not."""
    if not os.path.exists(os.path.join(RELEASE, "CMakeCache.txt")):
        subprocess.run(["cmake", "--preset", "release"], cwd=ROOT, check=True, stdout=sys.stderr)
    subprocess.run(["cmake", "--build", "--preset", "release", "--target", *targets], cwd=ROOT,
                   check=True, stdout=sys.stderr)


wanted = [t for t, given in (("kostra-matice", args.bin), ("kostra-gen", args.gen)) if not given]
if wanted:
    build(wanted)
matice = args.bin or os.path.join(RELEASE, "kostra-matice")
gen = args.gen or os.path.join(RELEASE, "bench", "kostra-gen")

# name, generator arguments. Random graphs have a node for every four edges.
side = 300 // (30 if args.smoke else 3 if args.quick else 1)
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
            subprocess.run([gen] + gen_args, stdout=f, check=True)
        os.replace(path + ".part", path)
    return path


def non_zeros(path, method, kind):
    """The third number of the size line, read before the entries come."""
    p = subprocess.Popen([matice, path, str(method), kind], stdout=subprocess.PIPE,
                         stderr=subprocess.DEVNULL)
    for line in p.stdout:
        if not line.startswith(b"%"):
            break
    p.kill()
    p.wait()
    return int(line.split()[2])


def measure(path, method, kind):
    """Wall seconds and peak resident set in MiB of one run, output to /dev/null (and the note on
    the size, and at a terminal the progress, left out)."""
    with open(os.devnull, "wb") as null:
        start = time.perf_counter()
        p = subprocess.Popen([matice, path, str(method), kind], stdout=null, stderr=null)
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
            times = [measure(path, method, kind) for _ in range(runs)]
            seconds = statistics.median(r[0] for r in times)
            peak = max(r[1] for r in times)
            print("| %s | %s | %d | %.3f | %d | %.3g | %.0f MiB |" % (
                name, kind, method, seconds, nz, nz / seconds, peak), flush=True)
