#!/usr/bin/env python3
"""Measures kostra against the I/O floor and a library peer and prints the table the README shows.

Everything it needs is in the repository: it builds kostra and the benchmark's tools through the
release preset (bench/CMakeLists.txt: kostra-gen, kostra-floor and, where the Boost Graph Library
is installed, kostra-bgl-peer), writes the graphs under bench/out/ and measures.

Every figure is a whole-process wall time, median of the runs. kostra, the floor (a program that
only reads the graph and writes a report of the same shape and size, with no graph algorithm)
and, for tasks 1 and 3, the peer (the same report from the Boost Graph Library's depth-first
search or Prim on its compressed sparse row graph) run alternately in one loop, so every ratio
compares runs made at the same time. Answers come from a file on standard input; reports go to
/dev/null. Beside the times: kostra's peak memory (largest resident set) and page faults, and the
memory it faults in, from one more run with huge pages turned off. A row is flagged (!) when the
peak exceeds 50 bytes an edge and 32 a node, or the memory faulted in exceeds 1.25 times the
peak (memory given back and faulted in again), or kostra ends with another status than planned.

usage: bench/run.py [--runs N] [--quick | --smoke] [--kostra PATH] [--build-dir DIR] [--work DIR]
  --quick      graphs ten times smaller (ratios not comparable with the full table)
  --smoke      tiny graphs, one run, and checks of kostra's answers, the report shapes and the
               peer's forests: keeps this script working; its timings mean nothing
  --kostra     the kostra to measure (default: build it, BUILD/kostra)
  --build-dir  a configured build tree to build the tools in (default: the release preset)
"""
import argparse
import ctypes
import os
import re
import resource
import shutil
import statistics
import subprocess
import sys
import time
from dataclasses import dataclass, field

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
MIB = 2**20
PAGE = 4096
PR_SET_THP_DISABLE = 41  # prctl(2): no transparent huge pages for this process and its children

# (key, shape, nodes, edges; None: the shape fixes the edges), at full size.
GRAPHS = [
    ("r4", "random", 10**6, 4 * 10**6),
    ("r25", "random", 25 * 10**5, 10**7),
    ("r10", "random", 10**6, 10**7),
    ("path", "path", 10**7, None),
    ("star6", "star", 10**6, None),
    ("star7", "star", 10**7, None),
]

# (label, answer key, floor report, peer algorithm) of every row, for every graph.
TASKS = [
    ("task 1", "1", "forest", "dfs"),
    ("task 2 (n)", "2", "forest", None),
    ("task 3 (n)", "3", "forest", "prim"),
] + [(f"task {t}, method {k}", f"{t}.{k}", "orient", None) for t in (4, 5) for k in (1, 2, 3)]

PEER_NAMES = {"dfs": "BGL CSR DFS forest", "prim": "BGL CSR Prim"}
NO_NON_TREE_EDGE = "no non-tree edge: ends at the question"
NO_TREE_EDGE = "no tree edge: ends at the question"


class BenchError(Exception):
    pass


def power(x):
    """4000000 -> "4*10^6", 2500000 -> "2.5*10^6", 10000000 -> "10^7"."""
    k = len(str(x)) - 1
    mantissa = x / 10**k
    if mantissa == 1:
        return f"10^{k}"
    text = f"{mantissa:g}"
    return f"{text}*10^{k}"


@dataclass
class Sample:
    wall: float  # seconds, fork to exit
    peak: int  # bytes: the largest resident set (wait4's ru_maxrss)
    faults: int  # minor + major page faults (wait4)
    status: int


def without_huge_pages():
    """Runs in the child before it executes the program: no transparent huge pages, even where
    the program asks for them, so that every page fault maps one 4 KiB page."""
    libc = ctypes.CDLL(None, use_errno=True)
    if libc.prctl(PR_SET_THP_DISABLE, 1, 0, 0, 0) != 0:
        raise OSError(ctypes.get_errno(), "prctl(PR_SET_THP_DISABLE)")


def run_once(cmd, stdin_path, huge_pages=True):
    """Runs cmd once with stdin_path on standard input and the output thrown away.

    What the figures count: ru_maxrss is the child's largest resident set. It starts from the
    resident set of the process that executes it, which is this script's (Python passes its own
    to the child it starts), so this script never holds a large output; its own figure is printed
    with the table. ru_minflt + ru_majflt count the page faults, one per fault, whether the fault
    mapped a 4 KiB page or a 2 MiB transparent huge page, so with huge pages they undercount the
    memory faulted in, by up to 512 times. The memory faulted in is therefore measured in a run
    of its own without huge pages (huge_pages=False), where it is exactly faults * 4 KiB: memory
    given back and faulted in again counts twice, so it exceeds the peak resident set only by
    what is faulted in more than once.
    """
    with open(stdin_path, "rb") as stdin, open(os.devnull, "wb") as null:
        start = time.perf_counter()
        proc = subprocess.Popen(cmd, stdin=stdin, stdout=null, stderr=subprocess.DEVNULL,
                                preexec_fn=None if huge_pages else without_huge_pages)
        _, status, usage = os.wait4(proc.pid, 0)
        wall = time.perf_counter() - start
    return Sample(wall, usage.ru_maxrss * 1024, usage.ru_minflt + usage.ru_majflt,
                  os.waitstatus_to_exitcode(status))


@dataclass
class Row:
    graph: str  # graph key
    label: str
    kostra: list = field(default_factory=list)
    floor: list = field(default_factory=list)
    peer: list = field(default_factory=list)
    peer_algo: str = None
    paged: Sample = None  # kostra once more, without huge pages: the memory it faults in
    expected: int = 0  # kostra's exit status when the answers are as planned
    note: str = ""

    def median(self, samples):
        return statistics.median(s.wall for s in samples) if samples else None

    def peak(self):
        return max(s.peak for s in self.kostra)

    def faults(self):
        return int(statistics.median(s.faults for s in self.kostra))


def write_file(path, data):
    with open(path, "w") as f:
        f.write(data)
    return path


def build(args):
    """Builds the tools (and kostra unless one is given); returns the build directory."""
    targets = ["bench-tools"] + ([] if args.kostra else ["kostra"])
    if args.build_dir:
        cmd = ["cmake", "--build", args.build_dir, "--target", *targets]
        build_dir = args.build_dir
    else:
        build_dir = os.path.join(ROOT, "build", "release")
        if not os.path.exists(os.path.join(build_dir, "CMakeCache.txt")):
            configure = ["cmake", "--preset", "release"]
            subprocess.run(configure, cwd=ROOT, check=True, stdout=sys.stderr)
        cmd = ["cmake", "--build", "--preset", "release", "--target", *targets]
    subprocess.run(cmd, cwd=ROOT, check=True, stdout=sys.stderr)
    return build_dir


def generate(gen, work, shape, n, m):
    """Writes the graph afresh (the generator takes well under a second per 10^7 edges)."""
    path = os.path.join(work, f"{shape}-{n}-{m}.txt")
    args = [shape, str(n)] + ([str(m), "1"] if shape == "random" else [])
    with open(path + ".tmp", "wb") as out:
        subprocess.run([gen, *args], stdout=out, check=True)
    os.replace(path + ".tmp", path)
    with open(path, "rb") as f:
        head = f.read(64).split()
    if [int(head[0]), int(head[1])] != [m, n]:
        raise BenchError(f"{path} starts with {head[:2]}, not {m} edges and {n} nodes")
    return path


def pick_edges(kostra, graph, method, edges, work):
    """Finds the edges that tasks 4 and 5 answer with, from a first run of kostra.

    Task 4 with the given forest method lists every edge's tree flag and then asks for a
    non-tree edge; the run ends there (status 3, no more answers). Returns (non-tree edge, tree
    edge), each the first at or after edge m/2, or else the first one; None where there is none.
    The output is scanned as it comes, a block at a time.
    """
    answers = write_file(os.path.join(work, f"answers-flags-{method}.txt"), f"4\n{method}\n")
    middle = edges // 2
    middle_line = b"hrana %2d: v kostre=" % middle
    first, after = {}, {}
    seen_middle, carry, lines = False, b"", 0
    with open(answers, "rb") as stdin:
        proc = subprocess.Popen([kostra, graph], stdin=stdin, stdout=subprocess.PIPE,
                                stderr=subprocess.DEVNULL)
        while True:
            block = proc.stdout.read(1 << 20)
            if not block:
                break
            data = carry + block
            cut = data.rfind(b"\n") + 1
            data, carry = data[:cut], data[cut:]
            lines += data.count(b": v kostre=")
            start = None
            if seen_middle:
                start = 0
            elif (at := data.find(middle_line)) >= 0:
                seen_middle, start = True, at
            for flag in (b"0", b"1"):
                line = re.compile(rb"hrana +(\d+): v kostre=" + flag + rb"\n")
                if flag not in first and (hit := line.search(data)):
                    first[flag] = int(hit.group(1))
                if start is not None and flag not in after and (hit := line.search(data, start)):
                    after[flag] = int(hit.group(1))
        status = proc.wait()
    if status != 3 or lines != edges:
        raise BenchError(f"kostra {graph} < {answers}: status {status} and {lines} tree flags, "
                         f"expected status 3 (answers end at the edge question) and {edges} flags")
    return tuple(after.get(flag, first.get(flag)) for flag in (b"0", b"1"))


def count_output(cmd, stdin_path):
    """Runs cmd and returns (bytes written, exit status), never holding the output."""
    total = 0
    with open(stdin_path, "rb") as stdin:
        proc = subprocess.Popen(cmd, stdin=stdin, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        while block := proc.stdout.read(1 << 20):
            total += len(block)
        return total, proc.wait()


def output_of(cmd, stdin_path=os.devnull):
    with open(stdin_path, "rb") as stdin:
        proc = subprocess.run(cmd, stdin=stdin, capture_output=True, check=False)
    return proc.stdout, proc.returncode


# printf("%2d") of an int, and the lines of kostra's reports, exactly.
NUM2 = rb"( [0-9]|-[1-9]|-?[1-9][0-9]+)"
EDGE_LINE = re.compile(rb"hrana " + NUM2 + rb": v kostre= ([01]), vaha=" + NUM2 + rb"\n")
NODE_LINE = re.compile(rb"uzel  " + NUM2 + rb": kosti z=" + NUM2 + rb", smeru=" + NUM2 + rb"\n")
FLAG_LINE = re.compile(rb"hrana " + NUM2 + rb": v kostre=([01])\n")
ORIENTATION_LINE = re.compile(rb"hrana " + NUM2 + rb": orientace=( [01]|-1)\n")


def parse_lines(text, *kinds):
    """Splits text into runs of lines of the given kinds, (pattern, count) in turn, each run
    numbered 0, 1, 2, ...; returns the other fields of every run, or None if the text is not
    exactly that."""
    runs, at = [], 0
    for pattern, count in kinds:
        fields = []
        for i in range(count):
            hit = pattern.match(text, at)
            if not hit or int(hit.group(1)) != i:
                return None
            fields.append(tuple(int(x) for x in hit.groups()[1:]))
            at = hit.end()
        runs.append(fields)
    return runs if at == len(text) else None


def smoke_checks(kostra, floor, peer, graph, nodes, edges, answer_files):
    """What a tiny graph lets this script check besides that everything ran: the floor writes
    kostra's reports line for line in the same format (every flag and count 0, the same weights
    and degrees); the peer writes the same format with a forest as large as kostra's and, for
    Prim, as light as kostra's minimum forest. Returns the failures."""
    failures = []
    forest = ((EDGE_LINE, edges), (NODE_LINE, nodes))
    report = {}
    for key in ("1", "3"):
        out, status = output_of([kostra, graph], answer_files[key])
        report[key] = parse_lines(out.partition(b">>VYSTUP<<\n")[2], *forest)
        if status != 0 or report[key] is None:
            return [f"kostra {graph} < {answer_files[key]}: status {status}, "
                    f"no report in the expected format"]
    weights = [w for _, w in report["1"][0]]
    degrees = [d for _, d in report["1"][1]]
    out, _ = output_of([floor, graph, "forest"])
    floor_forest = parse_lines(out, *forest)
    if floor_forest != [[(0, w) for w in weights], [(0, d) for d in degrees]]:
        failures.append("the floor's report of tasks 1-3 is not kostra's with flags and counts 0")
    out, status = output_of([kostra, graph], answer_files["5.1"])
    orient = ((FLAG_LINE, edges), (ORIENTATION_LINE, edges))
    question = b"kostrova hrana skrz kterou se najde nezavisly rez: \n>>VYSTUP<<\n"
    flags, _, orientations = out.partition(question)
    flags = flags[flags.find(b"hrana  0: v kostre="):]
    listed = parse_lines(flags + orientations, *orient)
    out, _ = output_of([floor, graph, "orient"])
    if status != 0 or listed is None or parse_lines(out, *orient) != [[(0,)] * edges] * 2:
        failures.append("the floor's orientation report is not shaped like kostra's task 5")
    if peer:
        for algo, key in (("dfs", "1"), ("prim", "3")):
            out, status = output_of([peer, graph, algo])
            theirs = parse_lines(out, *forest) if status == 0 else None
            if (theirs is None or [w for _, w in theirs[0]] != weights
                    or [d for _, d in theirs[1]] != degrees):
                failures.append(f"the peer's {algo} report is not kostra's task {key} report "
                                f"of another forest")
                continue
            mine = [sum(f for f, _ in report[key][0]), sum(w for f, w in report[key][0] if f)]
            theirs = [sum(f for f, _ in theirs[0]), sum(w for f, w in theirs[0] if f)]
            if mine[0] != theirs[0] or (algo == "prim" and mine != theirs):
                failures.append(f"the peer's {algo} forest (edges, weight) {theirs} against "
                                f"kostra's {mine}")
    return failures


def main():
    ap = argparse.ArgumentParser(description=__doc__,
                                 formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--runs", type=int, default=None, help="runs per figure (default 3, smoke 1)")
    size = ap.add_mutually_exclusive_group()
    size.add_argument("--quick", action="store_true", help="graphs ten times smaller")
    size.add_argument("--smoke", action="store_true", help="tiny graphs, one run, with checks")
    ap.add_argument("--kostra", help="the kostra to measure (default: built here)")
    ap.add_argument("--build-dir", help="a configured build tree (default: the release preset)")
    ap.add_argument("--work", default=os.path.join(ROOT, "bench", "out"))
    args = ap.parse_args()
    runs = args.runs or (1 if args.smoke else 3)
    if runs < 1:
        ap.error("--runs must be at least 1")
    try:
        return measure_all(args, runs)
    except (BenchError, subprocess.CalledProcessError) as e:
        print(f"bench/run.py: {e}", file=sys.stderr)
        return 1


def measure_all(args, runs):
    build_dir = build(args)
    kostra = os.path.abspath(args.kostra or os.path.join(build_dir, "kostra"))
    tools = os.path.join(build_dir, "bench")
    gen, floor = os.path.join(tools, "kostra-gen"), os.path.join(tools, "kostra-floor")
    peer = os.path.join(tools, "kostra-bgl-peer")
    peer = peer if os.access(peer, os.X_OK) else None
    for program in (kostra, gen, floor):
        if not os.access(program, os.X_OK):
            raise BenchError(f"no program at {program}")
    os.makedirs(args.work, exist_ok=True)
    scale = 1000 if args.smoke else 10 if args.quick else 1

    def log(text):
        print(text, file=sys.stderr, flush=True)

    graphs = {}  # key -> (name, path, nodes, edges)
    for key, kind, n, m in GRAPHS:
        n = n // scale
        m = m // scale if m is not None else n - 1
        name = f"{kind} {power(n)}" + (f" / {power(m)}" if kind == "random" else "")
        log(f"generating {name}")
        graphs[key] = (name, generate(gen, args.work, kind, n, m), n, m)

    fixed = {"1": "1\n", "2": "2\nn\n", "3": "3\nn\n", "2a": "2\na\n", "3a": "3\na\n"}
    answer_files = {k: write_file(os.path.join(args.work, f"answers-{k}.txt"), v)
                    for k, v in fixed.items()}

    rows, picked, failures = [], [], []
    for key, (name, path, n, m) in graphs.items():
        files = dict(answer_files)
        notes, picks = {}, {}
        for method in (1, 2, 3):
            non_tree, tree = picks[method] = pick_edges(kostra, path, method, m, args.work)
            picked.append(f"{name}, method {method}: task 4 edge {non_tree}, task 5 edge {tree}")
            for task, edge, missing in ((4, non_tree, NO_NON_TREE_EDGE), (5, tree, NO_TREE_EDGE)):
                text = f"{task}\n{method}\n" + (f"{edge}\n" if edge is not None else "")
                files[f"{task}.{method}"] = write_file(
                    os.path.join(args.work, f"answers-{key}-{task}.{method}.txt"), text)
                if edge is None:
                    notes[f"{task}.{method}"] = missing
        if args.smoke and key == "r4":
            failures += smoke_checks(kostra, floor, peer, path, n, m, files)
            if None in picks[1]:
                failures.append(f"no edge to answer tasks 4 and 5 with in {path}: {picks[1]}")
        for label, answers, report, algo in TASKS:
            row = Row(key, label, peer_algo=algo if peer else None)
            row.note = notes.get(answers, "")
            row.expected = 3 if row.note else 0
            for _ in range(runs):
                row.kostra.append(run_once([kostra, path], files[answers]))
                row.floor.append(run_once([floor, path, report], os.devnull))
                if row.peer_algo:
                    row.peer.append(run_once([peer, path, row.peer_algo], os.devnull))
            row.paged = run_once([kostra, path], files[answers], huge_pages=False)
            for what, samples in (("floor", row.floor), ("peer", row.peer)):
                if any(s.status != 0 for s in samples):
                    raise BenchError(f"the {what} failed on {path} (status "
                                     f"{samples[0].status}); run it by hand")
            rows.append(row)
            peer_text = f"  peer {row.median(row.peer):6.3f} s" if row.peer else ""
            log(f"  {name:24} {label:18} {row.median(row.kostra):7.3f} s  floor "
                f"{row.median(row.floor):6.3f} s{peer_text}  {row.peak() / MIB:5.0f} MiB")

    typed_ratio = typed_against_file(kostra, graphs["r4"][1], answer_files["1"], args.work, runs)
    narration = narration_speed(kostra, graphs["r4"][1], answer_files, runs)

    text = table(rows, graphs, peer, args, runs, typed_ratio, narration, picked)
    print(text)
    write_file(os.path.join(args.work, "table.md"), text)

    if args.smoke:
        failures += [f"{graphs[r.graph][0]}, {r.label}: kostra ended with status "
                     f"{sorted({s.status for s in r.kostra})}, expected {r.expected}"
                     for r in rows if any(s.status != r.expected for s in r.kostra)]
        if len(rows) != len(GRAPHS) * len(TASKS):
            failures.append(f"{len(rows)} rows, expected {len(GRAPHS) * len(TASKS)}")
        for failure in failures:
            log(f"SMOKE FAILURE: {failure}")
        if failures:
            return 1
        log("smoke run: every row measured, every check passed")
    return 0


def typed_against_file(kostra, graph, answers, work, runs):
    """Task 1 with the graph typed on standard input (the graph's text, then the answer) against
    the same graph from a file, alternating; the ratio of the medians."""
    typed = os.path.join(work, "typed-" + os.path.basename(graph))
    with open(typed, "wb") as out, open(graph, "rb") as src:
        shutil.copyfileobj(src, out, 1 << 20)
        out.write(b"1\n")
    from_file, from_keyboard = [], []
    for _ in range(runs):
        from_file.append(run_once([kostra, graph], answers).wall)
        from_keyboard.append(run_once([kostra], typed).wall)
    return statistics.median(from_keyboard) / statistics.median(from_file)


def narration_speed(kostra, graph, answer_files, runs):
    """For tasks 2 and 3: (narration MB, narrated run s, quiet run s), alternating."""
    result = {}
    for task in ("2", "3"):
        quiet_size, _ = count_output([kostra, graph], answer_files[task])
        loud_size, status = count_output([kostra, graph], answer_files[task + "a"])
        if status != 0:
            raise BenchError(f"kostra {graph} < {answer_files[task + 'a']}: status {status}")
        quiet, loud = [], []
        for _ in range(runs):
            quiet.append(run_once([kostra, graph], answer_files[task]).wall)
            loud.append(run_once([kostra, graph], answer_files[task + "a"]).wall)
        extra = (loud_size - quiet_size) / 1e6
        result[task] = (extra, statistics.median(loud), statistics.median(quiet))
    return result


def budget_flags(row, nodes, edges):
    """Why the row breaks a budget: peak memory above 50 bytes an edge and 32 a node, or memory
    faulted in above 1.25 times the peak (memory given back and faulted in again). A peak no
    higher than this script's own is this script's (see run_once) and is not judged."""
    flags = []
    budget = 50 * edges + 32 * nodes
    if row.peak() > budget and row.peak() > own_peak():
        flags.append(f"peak > {budget / MIB:.0f} MiB")
    if row.paged.faults * PAGE > 1.25 * row.paged.peak:
        flags.append("faulted in > 1.25x peak")
    if any(s.status != row.expected for s in row.kostra + [row.paged]):
        flags.append("status")
    return flags


def thousands(x):
    return f"{x / 1000:.1f}k" if x >= 10000 else str(x)


def peak_text(peak):
    """A peak in MiB, or the bound it is under when it is this script's own (see run_once)."""
    own = own_peak()
    return f"{peak / MIB:.0f} MiB" if peak > own else f"<= {own / MIB:.0f} MiB"


def table(rows, graphs, peer, args, runs, typed_ratio, narration, picked):
    out = []
    warning = None
    if args.quick or args.smoke:
        what = ("QUICK RUN (graphs ten times smaller)" if args.quick
                else "SMOKE RUN (tiny graphs, one run)")
        warning = f"**{what}: these ratios are not comparable with the full table.**"
        out += [warning, ""]
    out += ["| graph | task | kostra | floor | ratio | peer | to peer | peak | faults (huge pages off: "
            "faulted in) | ! | status |", "|---|---|---:|---:|---:|---|---:|---:|---:|---|---|"]
    flagged = []
    for row in rows:
        name, _, n, m = graphs[row.graph]
        k, f = row.median(row.kostra), row.median(row.floor)
        if row.peer:
            p = row.median(row.peer)
            peer_cells = f"{PEER_NAMES[row.peer_algo]} {p:.3f} s | {k / p:.2f}x"
        else:
            peer_cells = "– | –"
        faulted = row.paged.faults * PAGE
        fault_cell = (f"{thousands(row.faults())} ({faulted / MIB:.0f} MiB, "
                      f"{faulted / row.paged.peak:.2f}x peak)")
        flags = budget_flags(row, n, m)
        if flags:
            flagged.append(f"{name}, {row.label}: {', '.join(flags)}")
        statuses = ",".join(str(s) for s in sorted({s.status for s in row.kostra}))
        status = statuses + (f" ({row.note})" if row.note else "")
        flag_cell = "! " + "; ".join(flags) if flags else ""
        out.append(f"| {name} | {row.label} | {k:.3f} s | {f:.3f} s | {k / f:.2f}x | {peer_cells} | "
                   f"{peak_text(row.peak())} | {fault_cell} | {flag_cell} | {status} |")
    out.append("")

    by = {(r.graph, r.label): r for r in rows}
    small, big = graphs["star6"][0], graphs["star7"][0]
    for label, _, _, _ in TASKS:
        a, b = by[("star6", label)], by[("star7", label)]
        times = b.median(b.kostra) / a.median(a.kostra)
        out.append(f"- {big} against {small}, {label}: {times:.1f}x the time")
    if peer:
        for key, (name, _, _, _) in graphs.items():
            parts = []
            for label in ("task 1", "task 3 (n)"):
                r = by[(key, label)]
                k, p = r.median(r.kostra), r.median(r.peer)
                peak = peak_text(max(s.peak for s in r.peer))
                parts.append(f"kostra's {label} {k:.3f} s against {PEER_NAMES[r.peer_algo]} "
                             f"{p:.3f} s (peak {peak}): {k / p:.2f}x")
            out.append(f"- {name}: " + "; ".join(parts))
    else:
        out.append("- no peer: the Boost Graph Library's headers were not found when the tools were "
                   "configured (Debian: libboost-graph-dev), so the peer columns are empty")
    out.append(f"- graph typed on standard input against the same graph from a file "
               f"({graphs['r4'][0]}, task 1): {typed_ratio:.2f}x")
    for task, (mb, loud, quiet) in narration.items():
        out.append(f"- narration of task {task} ({graphs['r4'][0]}): {mb:.0f} MB; the narrated run "
                   f"takes {loud:.2f} s against {quiet:.2f} s without, so it is written at "
                   f"{mb / loud:.0f} MB/s counting the whole run")
    if flagged:
        out.append("- over budget (peak 50 bytes an edge + 32 a node; memory faulted in 1.25x the "
                   "peak, measured without huge pages):")
        out += [f"  - {line}" for line in flagged]
    else:
        out.append("- every row is within the budgets (peak 50 bytes an edge + 32 a node; memory "
                   "faulted in 1.25x the peak)")
    out.append(f"- median of {runs} run{'s' if runs > 1 else ''}; peak is kostra's largest resident "
               f"set, at least this script's own {own_peak() / MIB:.0f} MiB, which a child starts "
               f"from; faults are the page faults of those runs (one a 4 KiB or a 2 MiB page; "
               f"transparent huge pages: {huge_page_setting()}); memory faulted in is 4 KiB a "
               f"fault in one more run with huge pages turned off, and its ratio to that run's peak")
    out.append("- tasks 4 and 5 answer with the first non-tree (task 4) or tree (task 5) edge at or "
               "after edge m/2 of the method's forest, read from a first run:")
    out += [f"  - {line}" for line in picked]
    if warning:
        out += ["", warning]
    return "\n".join(out)


def own_peak():
    return resource.getrusage(resource.RUSAGE_SELF).ru_maxrss * 1024


def huge_page_setting():
    try:
        with open("/sys/kernel/mm/transparent_hugepage/enabled") as f:
            return re.search(r"\[(\w+)\]", f.read()).group(1)
    except (OSError, AttributeError):
        return "unknown"


if __name__ == "__main__":
    sys.exit(main())
