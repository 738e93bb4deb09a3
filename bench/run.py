#!/usr/bin/env python3
"""Measures kostra against the I/O floors and a library peer: the table of docs/performance.md.

It builds kostra and the benchmark's tools through the release preset (bench/CMakeLists.txt:
kostra-gen, kostra-floor, kostra-walkstats, kostra-latency and, where the Boost Graph Library is
installed, kostra-bgl-peer) and the yardstick's floor when given one, writes the graphs and
measures them from memory.

Every figure is a whole-process wall time, median of the runs. kostra, the project's floor (a
program that only reads the graph and writes a report of the same shape and size, with no graph
algorithm), the yardstick's floor (the external floor the targets are set against), for tasks 1
and 3 the peer (the same report from the Boost Graph Library's depth-first search or Prim on its
compressed sparse row graph) and, on the random graphs' tasks 1 to 3, kostra held to one
processor, run alternately in one loop, so every ratio compares runs made at the same time.
Answers come from a file on standard input; reports go to /dev/null. The graph files are on
tmpfs (the default work directory is under /dev/shm), or else read once before every
alternation; either way the share of the file in the page cache is checked before every
alternation and said. Beside the times: kostra's peak memory (largest resident set) and page
faults, the memory it faults in (one more run with huge pages turned off), and a profile (one
more run under perf, where perf is installed) that splits the time into reading, routes, method,
report, the kernel zeroing fresh pages and the rest. After the table: the targets, met or not;
the entries of task 1's walk that need a node's block (kostra-walkstats) and the walk's time per
such entry against the machine's dependent-miss latency (kostra-latency); one processor against
all; with one processor taken by a busy program, kostra on all against kostra held to a free one;
the star's scaling; typed input; narration speed. Above every table, the machine: its processor,
caches and dependent-miss latency. The table goes to standard output; the
builds' output and the progress to standard error, on a terminal only (a build's output when it
fails too).

usage: bench/run.py [--runs N] [--quick | --smoke] [--yardstick DIR] [--graphs KEYS] [--no-profile]
                    [--kostra PATH] [--build-dir DIR] [--work DIR]
  --quick      graphs ten times smaller (ratios not comparable with the full table)
  --smoke      tiny graphs, one run, and checks of kostra's answers, the report shapes and the
               peer's forests: keeps this script working; its timings mean nothing
  --yardstick  a directory with the yardstick's Makefile; its floor is built into the work
               directory with make and measured beside the project's floor
  --graphs     the graphs to measure, keys separated by commas (default: all but r25)
  --no-profile no run under perf (without perf installed, or allowed to sample, there is none)
  --kostra     the kostra to measure (default: build it, BUILD/kostra)
  --build-dir  a configured build tree to build the tools in (default: the release preset)
  --work       where the graphs go (default: a directory under /dev/shm, emptied of its graphs at
               the end, the table kept in bench/out/table.md; else bench/out)
"""
import argparse
import ctypes
import glob
import hashlib
import mmap
import os
import re
import resource
import shutil
import statistics
import subprocess
import sys
import time
from dataclasses import dataclass, field

# What the profile's shares are made of: a sample is put in the first group one of whose patterns
# matches its function's name, with template arguments and parameter lists emptied
# ("void printLines<...>(int, ...)" is matched as "void printLines<>()"), at the start of a name
# (the pattern "readGraph" matches "readGraphFile()" but not "tellUnreadGraph()"). A sample in
# kostra's own code that matches none is "unclassified", shown beside the others so that a
# function renamed or added is seen; one outside it (the rest of the kernel, the C library) is
# "other".
PROFILE_GROUPS = [
    ("reading", [r"LineReader::", r"readGraph", r"parseEdgesInParallel", r"parsePiece",
                 r"\(anonymous namespace\)::work\b", r"cleanValue", r"betweend", r"ask<"]),
    ("routes", [r"RouteTable::", r"countRoutes", r"placeRoutes", r"spreadRoutes", r"addSpareSlots",
                r"CGraph::makeRoutes\b"]),
    # A method's passes on every processor are lambdas, named only in their mangled form (N6CGraph).
    ("method", [r"CGraph::", r"N6CGraph", r"radixSortByKey", r"orderByDegree",
                r"LabelledUnionFind::", r"NodeHeap::", r"KeyBuckets::"]),
    ("report", [r"parallel_lines::", r"printLines", r"(\(anonymous namespace\)::)?report\b",
                r"(\(anonymous namespace\)::)?linesOf\b", r"Output::",
                r"(\(anonymous namespace\)::)?runTask\b"]),
    ("zeroing", [r"clear_page", r"clear_huge_page", r"folio_zero"]),
]
PROFILE_COLUMNS = [g for g, _ in PROFILE_GROUPS] + ["other"]
# Within the method, the walk of task 1 alone, whose time per entry is set against the latency.
WALK_FUNCTIONS = re.compile(r"CGraph::(skeleton_R|growForest)\b")
UNCLASSIFIED_SHOWN = 1.0  # percent of a row's samples: the unclassified share is shown from here
UNCLASSIFIED_NAMED = 5.0  # and its functions are named under the table from here

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
MIB = 2**20
PAGE = 4096
PR_SET_THP_DISABLE = 41  # prctl(2): no transparent huge pages for this process and its children

# (key, shape, nodes, edges; None: the shape fixes the edges), at full size. The power-law graph
# has the degree exponent POWER_EXPONENT.
GRAPHS = [
    ("r4", "random", 10**6, 4 * 10**6),
    ("r10", "random", 10**6, 10**7),
    ("power", "power", 10**6, 10**7),
    ("path", "path", 10**7, None),
    ("star6", "star", 10**6, None),
    ("star7", "star", 10**7, None),
    ("r25", "random", 25 * 10**5, 10**7),
]
SHAPES = {key: shape for key, shape, _, _ in GRAPHS}
# The sparse random graph of 2.5*10^6 nodes is the walk's worst case, but the walk's cost per
# entry is read on r4 and power as well, and it would make the run about a sixth longer: on request.
DEFAULT_GRAPHS = ["r4", "r10", "power", "path", "star6", "star7"]
POWER_EXPONENT = "2.1"
SEED = "1"

# (label, answer key, floor report, peer algorithm) of every row, for every graph.
TASKS = [
    ("task 1", "1", "forest", "dfs"),
    ("task 2 (n)", "2", "forest", None),
    ("task 3 (n)", "3", "forest", "prim"),
] + [(f"task {t}, method {k}", f"{t}.{k}", "orient", None) for t in (4, 5) for k in (1, 2, 3)]
FOREST_TASK = {1: "1", 2: "2", 3: "3"}  # the task whose forest method k of tasks 4 and 5 uses
THREAD_TASKS = ("1", "2", "3")  # measured on one processor too, on the random graphs
# ... and with one processor taken by a busy program, on these graphs: kostra on every processor
# against kostra held to a free one, at least BUSY_RUNS times each, alternating.
BUSY_GRAPHS = ("r4", "r10", "power", "r25")
BUSY_RUNS = 5
BUSY_OVER_FREE = 1.05  # target: kostra on every processor against kostra held to the free one
BUSY_PROGRAM = ["sh", "-c", "while :; do :; done"]

# The targets, every one at full size: tasks 1 to 3 as ratios to the yardstick's floor, task 1 to
# the peer's depth-first forest and task 3 to its Prim (None: no target).
TARGETS = {
    "r4": {"1": 5.5, "2": 1.8, "3": 3.5, "dfs": 0.9, "prim": 0.45},
    "r10": {"1": 2.5, "2": 1.8, "3": 3.5, "dfs": 0.7, "prim": 0.45},
    "power": {"1": 6.0, "2": 1.8, "3": 3.0, "dfs": 1.2, "prim": 0.45},
    "star7": {"1": 3.0, "2": 3.0, "3": 4.0, "dfs": None, "prim": 0.45},
}
ORIENT_OVER_FOREST = 1.20  # tasks 4 and 5 with method k against the forest task of method k
PEAK_PER_EDGE, PEAK_PER_NODE = 40, 32  # bytes
FAULTED_OVER_PEAK = 1.25
WALK_OVER_LATENCY = 1.25  # on the shapes where the walk is a chase of misses through the graph:
WALK_CHASES = ("random", "power")  # a path's walk runs in order, a star's is one entry
LATENCY_MIB = 512  # the latency's buffer, far beyond the last-level cache

PEER_NAMES = {"dfs": "BGL DFS", "prim": "BGL Prim"}
NO_NON_TREE_EDGE = "no non-tree edge: ends at the question"
NO_TREE_EDGE = "no tree edge: ends at the question"


class BenchError(Exception):
    pass


def in_powers(x):
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
    cpu: float  # seconds of processor time, user and system, every thread
    peak: int  # bytes: the largest resident set (wait4's ru_maxrss)
    faults: int  # minor + major page faults (wait4)
    status: int


def without_huge_pages():
    """Runs in the child before it executes the program: no transparent huge pages, even where
    the program asks for them, so that every page fault maps one 4 KiB page."""
    libc = ctypes.CDLL(None, use_errno=True)
    if libc.prctl(PR_SET_THP_DISABLE, 1, 0, 0, 0) != 0:
        raise OSError(ctypes.get_errno(), "prctl(PR_SET_THP_DISABLE)")


def run_once(cmd, stdin_path, huge_pages=True, cpus=None):
    """Runs cmd once with stdin_path on standard input and the output thrown away; cpus, when
    given, are the only processors it may run on (as taskset does).

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
    def prepare():
        if not huge_pages:
            without_huge_pages()
        if cpus is not None:
            os.sched_setaffinity(0, cpus)

    with open(stdin_path, "rb") as stdin, open(os.devnull, "wb") as null:
        start = time.perf_counter()
        proc = subprocess.Popen(cmd, stdin=stdin, stdout=null, stderr=subprocess.DEVNULL,
                                preexec_fn=prepare if not huge_pages or cpus else None)
        _, status, usage = os.wait4(proc.pid, 0)
        wall = time.perf_counter() - start
    return Sample(wall, usage.ru_utime + usage.ru_stime, usage.ru_maxrss * 1024,
                  usage.ru_minflt + usage.ru_majflt, os.waitstatus_to_exitcode(status))


@dataclass
class Row:
    graph: str  # graph key
    label: str
    answers: str  # answer key
    kostra: list = field(default_factory=list)
    floor: list = field(default_factory=list)
    yard: list = field(default_factory=list)  # the yardstick's floor
    peer: list = field(default_factory=list)
    single: list = field(default_factory=list)  # kostra on one processor
    busy_all: list = field(default_factory=list)  # a busy program on one processor: kostra on all
    busy_free: list = field(default_factory=list)  # ... and kostra held to a free one
    resident: list = field(default_factory=list)  # the graph file's share in memory, every run
    peer_algo: str = None
    paged: Sample = None  # kostra once more, without huge pages: the memory it faults in
    profile: dict = None  # group -> percent of the samples, from one more run under perf
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


PROGRESS = sys.stderr.isatty()  # progress is shown on a terminal only


def build_step(cmd, **kwargs):
    """Runs a build command: its output goes to standard error on a terminal, and otherwise only
    when it fails."""
    if PROGRESS:
        subprocess.run(cmd, check=True, stdout=sys.stderr, **kwargs)
        return
    proc = subprocess.run(cmd, capture_output=True, check=False, **kwargs)
    if proc.returncode != 0:
        sys.stderr.buffer.write(proc.stdout + proc.stderr)
        raise subprocess.CalledProcessError(proc.returncode, cmd)


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
            build_step(configure, cwd=ROOT)
        cmd = ["cmake", "--build", "--preset", "release", "--target", *targets]
    build_step(cmd, cwd=ROOT)
    return build_dir


def build_yardstick(source, work):
    """The yardstick's floor, built from source (a directory with its Makefile) into the work
    directory; (program, None), or (None, why there is none)."""
    if source is None:
        return None, "no yardstick given (--yardstick DIR)"
    if not os.path.isfile(os.path.join(source, "Makefile")):
        return None, f"no yardstick at {source} (no Makefile there)"
    bin_dir = os.path.join(os.path.abspath(work), "yardstick")
    # With its own compiler flags, whatever this environment's are.
    flags = ("CXX", "CXXFLAGS", "CPPFLAGS", "LDFLAGS")
    env = {k: v for k, v in os.environ.items() if k not in flags}
    build_step(["make", "-C", os.path.abspath(source), f"BIN={bin_dir}"], env=env)
    program = os.path.join(bin_dir, "floor")
    if not os.access(program, os.X_OK):
        raise BenchError(f"make -C {source} built no {program}")
    return program, None


def generate(gen, work, shape, n, m):
    """Writes the graph afresh (the generator takes a few seconds per 10^7 edges at most)."""
    path = os.path.join(work, f"{shape}-{n}-{m}.txt")
    args = [shape, str(n)] + {"random": [str(m), SEED],
                              "power": [str(m), POWER_EXPONENT, SEED]}.get(shape, [])
    with open(path + ".tmp", "wb") as out:
        subprocess.run([gen, *args], stdout=out, check=True)
    os.replace(path + ".tmp", path)
    with open(path, "rb") as f:
        head = f.read(64).split()
    if [int(head[0]), int(head[1])] != [m, n]:
        raise BenchError(f"{path} starts with {head[:2]}, not {m} edges and {n} nodes")
    return path


def default_work():
    """A directory of this checkout's own on tmpfs when there is one, so that the graphs are
    read from memory; else bench/out."""
    if os.path.isdir("/dev/shm") and os.access("/dev/shm", os.W_OK):
        tag = hashlib.sha1(ROOT.encode()).hexdigest()[:8]
        return os.path.join("/dev/shm", f"kostra-bench-{os.getuid()}-{tag}"), True
    return os.path.join(ROOT, "bench", "out"), False


def filesystem(path):
    """The type of the file system path is on (the mount with the longest matching prefix)."""
    path = os.path.realpath(path)
    best, kind = "", "unknown"
    with open("/proc/self/mounts") as f:
        for line in f:
            fields = line.split()
            point = fields[1].replace("\\040", " ")
            inside = path == point or path.startswith(point.rstrip("/") + "/")
            if inside and len(point) >= len(best):
                best, kind = point, fields[2]
    return kind


IN_MEMORY = ("tmpfs", "ramfs")


class PageCache:
    """The share of a file's pages in memory, by mincore(2) over a mapping of it (which faults
    nothing in)."""

    def __init__(self):
        libc = ctypes.CDLL(None, use_errno=True)
        libc.mmap.restype = ctypes.c_void_p
        libc.mmap.argtypes = [ctypes.c_void_p, ctypes.c_size_t, ctypes.c_int, ctypes.c_int,
                              ctypes.c_int, ctypes.c_long]
        libc.mincore.argtypes = [ctypes.c_void_p, ctypes.c_size_t, ctypes.c_void_p]
        libc.munmap.argtypes = [ctypes.c_void_p, ctypes.c_size_t]
        self.libc = libc

    def resident(self, path):
        size = os.path.getsize(path)
        if size == 0:
            return 1.0
        pages = (size + mmap.PAGESIZE - 1) // mmap.PAGESIZE
        vector = (ctypes.c_ubyte * pages)()
        fd = os.open(path, os.O_RDONLY)
        try:
            address = self.libc.mmap(None, size, mmap.PROT_READ, mmap.MAP_SHARED, fd, 0)
            if address in (None, ctypes.c_void_p(-1).value):
                raise OSError(ctypes.get_errno(), f"mmap {path}")
            try:
                if self.libc.mincore(address, size, vector) != 0:
                    raise OSError(ctypes.get_errno(), f"mincore {path}")
            finally:
                self.libc.munmap(address, size)
        finally:
            os.close(fd)
        return sum(b & 1 for b in bytes(vector)) / pages


def read_through(path):
    """Reads the whole file, which brings it into the page cache."""
    with open(path, "rb", buffering=0) as f:
        while f.read(1 << 22):
            pass


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


PERF_RECORD = ["perf", "record", "--quiet", "--no-buildid", "--no-bpf-event", "-e", "cpu-clock"]
PERF_REPORT = ["perf", "report", "--stdio", "--no-children", "--quiet", "--sort", "dso,sym",
               "--fields", "period,dso,sym", "--field-separator", "\x1f"]
MATCHERS = [(group, [re.compile(r"(?<!\w)(?:" + p + ")") for p in patterns])
            for group, patterns in PROFILE_GROUPS]


def perf_missing(work):
    """None when perf can sample a program here, else why not."""
    if shutil.which("perf") is None:
        return "perf is not installed"
    data = os.path.join(work, "perf-probe.data")
    proc = subprocess.run(PERF_RECORD + ["-o", data, "--", "true"], capture_output=True,
                          text=True, errors="replace", check=False)
    if proc.returncode != 0:
        why = (proc.stderr.strip().splitlines() or [f"status {proc.returncode}"])[0]
        return f"perf cannot sample here ({why})"
    return None


def function_head(symbol):
    """A function's name with its template arguments and parameter lists emptied, and no clone
    suffix: "void printLines<Format<24ul>{...}>(int, Output&) [clone .cold]" -> "void
    printLines<>()"."""
    head = re.sub(r" \[clone [^\]]*\]", "", symbol).replace("(anonymous namespace)", "\0")
    while True:
        shorter = re.sub(r"\([^()]*\)", "\x01", re.sub(r"<[^<>]*>", "\x02", head))
        if shorter == head:
            break
        head = shorter
    return head.replace("\x01", "()").replace("\x02", "<>").replace("\0", "(anonymous namespace)")


# A helper thread's function (or runShares itself) is named by the work it runs, which only its
# template arguments say.
THREAD_WORK = re.compile(r"(?<!\w)(?:std::thread::_State_impl|runShares)<")


def classify(dso, symbol, own):
    head = function_head(symbol)
    for group, patterns in MATCHERS:
        if any(p.search(head) for p in patterns):
            return group
    if THREAD_WORK.search(symbol):
        for group, patterns in MATCHERS:
            if any(p.search(symbol) for p in patterns):
                return group
    return "unclassified" if dso == own else "other"


@dataclass
class Profile:
    shares: dict  # group (PROFILE_COLUMNS and "unclassified") -> percent of the sampled time
    unclassified: list  # (function, percent), largest first
    kernel: bool  # some samples are the kernel's
    sampled: float  # seconds of processor time sampled
    walk: float  # percent of the sampled time in the walk of task 1 (WALK_FUNCTIONS)


def profile(kostra, graph, answers, work):
    """One more run of kostra under perf, every thread sampled by the processor clock; the
    sampled time by group."""
    data = os.path.join(work, "perf.data")
    with open(answers, "rb") as stdin:
        proc = subprocess.run(PERF_RECORD + ["-o", data, "--", kostra, graph], stdin=stdin,
                              stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, check=False)
    report = subprocess.run(PERF_REPORT + ["-i", data], capture_output=True, text=True,
                            errors="replace", check=False)
    if report.returncode != 0:
        why = (proc.stderr.decode(errors="replace") + report.stderr).strip()[:300]
        raise BenchError(f"perf record/report of kostra {graph} < {answers} failed (status "
                         f"{proc.returncode}, {report.returncode}): {why}")
    own = os.path.basename(kostra)
    time_in = dict.fromkeys(PROFILE_COLUMNS + ["unclassified"], 0)
    unclassified, kernel, walk = {}, False, 0
    for line in report.stdout.splitlines():
        fields = [f.strip() for f in line.split("\x1f")]
        if len(fields) != 3 or not fields[0].isdigit():
            continue
        period, dso, symbol = int(fields[0]), fields[1], fields[2]
        kernel = kernel or symbol.startswith("[k]")
        symbol = re.sub(r"^\[.\] ", "", symbol)
        group = classify(dso, symbol, own)
        time_in[group] += period
        if WALK_FUNCTIONS.search(function_head(symbol)):
            walk += period
        if group == "unclassified":
            unclassified[symbol] = unclassified.get(symbol, 0) + period
    total = sum(time_in.values()) or 1
    named = sorted(((f, 100 * t / total) for f, t in unclassified.items()), key=lambda x: -x[1])
    return Profile({g: 100 * t / total for g, t in time_in.items()}, named, kernel,
                   sum(time_in.values()) / 1e9, 100 * walk / total)


def latency_mib(args):
    """The latency's buffer: LATENCY_MIB, or 8 MiB in the smoke run, whose figure means nothing."""
    return 8 if args.smoke else LATENCY_MIB


def walk_counts(walkstats, graph):
    """kostra-walkstats' counts of task 1's walk: trees, entries, first, routes-left, spent."""
    out = subprocess.run([walkstats, graph], capture_output=True, check=True).stdout
    return {k: int(v) for k, v in (line.split() for line in out.decode().splitlines())}


def latency(program, mib):
    """ns a dependent load, from kostra-latency."""
    return float(subprocess.run([program, str(mib)], capture_output=True, check=True).stdout)


def main():
    ap = argparse.ArgumentParser(description=__doc__,
                                 formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--runs", type=int, default=None, help="runs per figure (default 3, smoke 1)")
    size = ap.add_mutually_exclusive_group()
    size.add_argument("--quick", action="store_true", help="graphs ten times smaller")
    size.add_argument("--smoke", action="store_true", help="tiny graphs, one run, with checks")
    ap.add_argument("--yardstick", help="a directory with the yardstick's Makefile")
    ap.add_argument("--graphs", default=",".join(DEFAULT_GRAPHS),
                    help="keys of the graphs, separated by commas: "
                         + ", ".join(k for k, *_ in GRAPHS))
    ap.add_argument("--no-profile", action="store_true", help="no run under perf")
    ap.add_argument("--kostra", help="the kostra to measure (default: built here)")
    ap.add_argument("--build-dir", help="a configured build tree (default: the release preset)")
    ap.add_argument("--work", help="where the graphs go (default: under /dev/shm, else bench/out)")
    args = ap.parse_args()
    runs = args.runs or (1 if args.smoke else 3)
    if runs < 1:
        ap.error("--runs must be at least 1")
    known = [k for k, *_ in GRAPHS]
    asked = args.graphs.split(",")
    if any(k not in known for k in asked):
        ap.error(f"--graphs takes keys among {', '.join(known)}")
    args.graphs = [k for k in known if k in asked]
    try:
        return measure_all(args, runs)
    except (BenchError, subprocess.CalledProcessError, OSError) as e:
        print(f"bench/run.py: {e}", file=sys.stderr)
        return 1


def log(text):
    print(text, file=sys.stderr, flush=True)


def progress(text):
    if PROGRESS:
        log(text)


@dataclass
class Context:
    """What the table says besides the rows."""
    args: argparse.Namespace
    runs: int
    graphs: dict  # key -> (name, path, nodes, edges)
    work: str
    peer: str = None
    yard: str = None
    no_yard: str = None  # why there is no yardstick
    yard_sizes: list = field(default_factory=list)  # report sizes that differ from the floor's
    no_perf: str = None  # why there is no profile
    file_system: str = ""
    cpus: int = 1
    latencies: list = field(default_factory=list)
    walks: dict = field(default_factory=dict)  # graph key -> walk_counts
    typed: float = None
    narration: dict = None
    picked: list = field(default_factory=list)
    busy_cpus: tuple = None  # (the free processor, the busy program's)


def measure_all(args, runs):
    build_dir = build(args)
    kostra = os.path.abspath(args.kostra or os.path.join(build_dir, "kostra"))
    tools = os.path.join(build_dir, "bench")
    tool = {name: os.path.join(tools, f"kostra-{name}")
            for name in ("gen", "floor", "walkstats", "latency", "bgl-peer")}
    peer = tool["bgl-peer"] if os.access(tool["bgl-peer"], os.X_OK) else None
    for program in (kostra, tool["gen"], tool["floor"], tool["walkstats"], tool["latency"]):
        if not os.access(program, os.X_OK):
            raise BenchError(f"no program at {program}")
    work, scratch = (args.work, False) if args.work else default_work()
    os.makedirs(work, exist_ok=True)
    try:
        ctx = Context(args, runs, {}, work, peer=peer)
        rows, failures = measure(args, runs, kostra, tool, ctx)
        text = table(rows, ctx)
        print(text)
        kept = os.path.join(ROOT, "bench", "out") if scratch else work
        os.makedirs(kept, exist_ok=True)
        write_file(os.path.join(kept, "table.md"), text)
    finally:
        if scratch:
            shutil.rmtree(work, ignore_errors=True)
    if args.smoke:
        for failure in failures:
            log(f"SMOKE FAILURE: {failure}")
        if failures:
            return 1
        log("smoke run: every row measured, every check passed")
    return 0


def measure(args, runs, kostra, tool, ctx):
    """Every row; returns (rows, failures of the smoke run's checks)."""
    ctx.yard, ctx.no_yard = build_yardstick(args.yardstick, ctx.work)
    ctx.no_perf = "not asked for (--no-profile)" if args.no_profile else perf_missing(ctx.work)
    ctx.file_system = filesystem(ctx.work)
    in_memory = ctx.file_system in IN_MEMORY
    allowed = sorted(os.sched_getaffinity(0))
    ctx.cpus = len(allowed)
    scale = 1000 if args.smoke else 10 if args.quick else 1
    floor, peer, yard = tool["floor"], ctx.peer, ctx.yard
    programs = Programs(kostra, floor, yard, peer, {allowed[0]} if len(allowed) > 1 else None,
                        in_memory, PageCache(), {allowed[-1]} if len(allowed) > 1 else None)
    ctx.busy_cpus = (programs.one_cpu, programs.busy_cpu)

    for key, kind, n, m in GRAPHS:
        if key not in args.graphs:
            continue
        n = n // scale
        m = m // scale if m is not None else n - 1
        name = f"{kind} {in_powers(n)}" + (f" / {in_powers(m)}" if kind in ("random", "power")
                                           else "")
        if kind == "power":
            name = name.replace("power", "power law", 1)
        progress(f"generating {name}")
        ctx.graphs[key] = (name, generate(tool["gen"], ctx.work, kind, n, m), n, m)

    fixed = {"1": "1\n", "2": "2\nn\n", "3": "3\nn\n", "2a": "2\na\n", "3a": "3\na\n"}
    answer_files = {k: write_file(os.path.join(ctx.work, f"answers-{k}.txt"), v)
                    for k, v in fixed.items()}

    rows, failures = [], []
    for key, (name, path, n, m) in ctx.graphs.items():
        if yard:
            for shape in ("forest", "orient"):
                theirs, _ = count_output([yard, path, shape], os.devnull)
                ours, _ = count_output([floor, path, shape], os.devnull)
                if theirs != ours:
                    ctx.yard_sizes.append(f"{name}, {shape}: the yardstick's report is {theirs} "
                                          f"bytes, the floor's {ours}")
        ctx.walks[key] = walk_counts(tool["walkstats"], path)
        ctx.latencies.append(latency(tool["latency"], latency_mib(args)))
        files = dict(answer_files)
        notes, picks = {}, {}
        for method in (1, 2, 3):
            non_tree, tree = picks[method] = pick_edges(kostra, path, method, m, ctx.work)
            ctx.picked.append(f"{name}, method {method}: task 4 edge {non_tree}, "
                              f"task 5 edge {tree}")
            for task, edge, missing in ((4, non_tree, NO_NON_TREE_EDGE), (5, tree, NO_TREE_EDGE)):
                text = f"{task}\n{method}\n" + (f"{edge}\n" if edge is not None else "")
                files[f"{task}.{method}"] = write_file(
                    os.path.join(ctx.work, f"answers-{key}-{task}.{method}.txt"), text)
                if edge is None:
                    notes[f"{task}.{method}"] = missing
        if args.smoke and key == "r4":
            failures += smoke_checks(kostra, floor, peer, path, n, m, files)
            if None in picks[1]:
                failures.append(f"no edge to answer tasks 4 and 5 with in {path}: {picks[1]}")
            failures += walk_checks(ctx.walks[key], n, m)
        for label, answers, report, algo in TASKS:
            row = Row(key, label, answers, peer_algo=algo if peer else None)
            row.note = notes.get(answers, "")
            row.expected = 3 if row.note else 0
            threads = answers in THREAD_TASKS and key.startswith("r")
            measure_row(row, path, files[answers], report, threads, programs, runs)
            if answers in THREAD_TASKS and key in BUSY_GRAPHS and programs.busy_cpu:
                measure_busy(row, path, files[answers], programs, max(runs, BUSY_RUNS))
            if not ctx.no_perf and (not args.smoke or not rows):
                row.profile = profile(kostra, path, files[answers], ctx.work)
                shares = sum(row.profile.shares.values())
                if args.smoke and row.profile.sampled and abs(shares - 100) > 0.01:
                    failures.append(f"the profile's shares add up to {shares} %")
            rows.append(row)
            yard_text = f"  yardstick {row.median(row.yard):6.3f} s" if row.yard else ""
            peer_text = f"  peer {row.median(row.peer):6.3f} s" if row.peer else ""
            progress(f"  {name:24} {label:18} {row.median(row.kostra):7.3f} s  floor "
                f"{row.median(row.floor):6.3f} s{yard_text}{peer_text}  "
                f"{row.peak() / MIB:5.0f} MiB")

    if "r4" in ctx.graphs:
        r4 = ctx.graphs["r4"][1]
        ctx.typed = typed_against_file(kostra, r4, answer_files["1"], ctx.work, runs)
        ctx.narration = narration_speed(kostra, r4, answer_files, runs)

    if args.smoke:
        failures += [f"{ctx.graphs[r.graph][0]}, {r.label}: kostra ended with status "
                     f"{sorted({s.status for s in r.kostra})}, expected {r.expected}"
                     for r in rows if any(s.status != r.expected for s in r.kostra)]
        if len(rows) != len(ctx.graphs) * len(TASKS):
            failures.append(f"{len(rows)} rows, expected {len(ctx.graphs) * len(TASKS)}")
    return rows, failures


@dataclass
class Programs:
    """What one alternation runs, and how."""
    kostra: str
    floor: str
    yard: str  # None without a yardstick
    peer: str  # None without the peer
    one_cpu: set  # the processor of the runs on one; None when only one is allowed anyway
    in_memory: bool  # the graph files are on tmpfs
    cache: PageCache
    busy_cpu: set = None  # the processor the busy program takes (the last one allowed)


def measure_row(row, path, answers, report, threads, programs, runs):
    """The alternating runs of one row: kostra, the floor, the yardstick's floor, the peer (for
    its tasks), kostra on one processor (when threads), each graph file checked in memory
    before; then kostra once more without huge pages."""
    p = programs
    for _ in range(runs):
        if not p.in_memory:
            read_through(path)
        row.resident.append(p.cache.resident(path))
        row.kostra.append(run_once([p.kostra, path], answers))
        row.floor.append(run_once([p.floor, path, report], os.devnull))
        if p.yard:
            row.yard.append(run_once([p.yard, path, report], os.devnull))
        if row.peer_algo:
            row.peer.append(run_once([p.peer, path, row.peer_algo], os.devnull))
        if threads and p.one_cpu:
            row.single.append(run_once([p.kostra, path], answers, cpus=p.one_cpu))
    row.paged = run_once([p.kostra, path], answers, huge_pages=False)
    for what, samples in (("floor", row.floor), ("yardstick's floor", row.yard),
                          ("peer", row.peer)):
        if any(s.status != 0 for s in samples):
            raise BenchError(f"the {what} failed on {path} (status {samples[0].status}); run "
                             f"it by hand")


def measure_busy(row, path, answers, programs, runs):
    """kostra on every processor and kostra held to a free one (as taskset -c 0 holds it),
    alternating, while a busy program (a shell loop) holds the last processor."""
    p = programs
    busy = subprocess.Popen(BUSY_PROGRAM, preexec_fn=lambda: os.sched_setaffinity(0, p.busy_cpu))
    try:
        time.sleep(0.2)  # under way
        for _ in range(runs):
            row.busy_all.append(run_once([p.kostra, path], answers))
            row.busy_free.append(run_once([p.kostra, path], answers, cpus=p.one_cpu))
    finally:
        busy.kill()
        busy.wait()


def walk_checks(walk, nodes, edges):
    """What the walk's counts must be on any graph: one entry for every edge followed and every
    tree, and the entries up to the last claims among them, at most one first entry a node."""
    settled = walk["first"] + walk["routes-left"] + walk["spent"]
    if walk["entries"] != edges + walk["trees"] or not walk["trees"] <= walk["first"] <= nodes \
            or settled > walk["entries"]:
        return [f"kostra-walkstats' counts {walk} do not fit a graph of {nodes} nodes and "
                f"{edges} edges"]
    return []


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


def peak_budget(nodes, edges):
    return PEAK_PER_EDGE * edges + PEAK_PER_NODE * nodes


def budget_flags(row, nodes, edges):
    """Why the row breaks a budget: peak memory above the budget, memory faulted in above 1.25
    times the peak (memory given back and faulted in again), another exit status than planned, or
    a graph file not wholly in memory before a run. A peak no higher than this script's own is
    this script's (see run_once) and is not judged."""
    flags = []
    budget = peak_budget(nodes, edges)
    if row.peak() > budget and row.peak() > own_peak():
        flags.append(f"peak > {budget / MIB:.0f} MiB")
    if row.paged.faults * PAGE > FAULTED_OVER_PEAK * row.paged.peak:
        flags.append(f"faulted in > {FAULTED_OVER_PEAK}x peak")
    if any(s.status != row.expected for s in row.kostra + [row.paged]):
        flags.append("status")
    if min(row.resident) < 0.999:
        flags.append(f"graph {min(row.resident):.0%} in memory")
    return flags


def thousands(x):
    return f"{x / 1000:.1f}k" if x >= 10000 else str(x)


def peak_text(peak):
    """A peak in MiB, or the bound it is under when it is this script's own (see run_once)."""
    own = own_peak()
    return f"{peak / MIB:.0f} MiB" if peak > own else f"<= {own / MIB:.0f} MiB"


def times(x):
    return "–" if x is None else f"{x:.2f}x"


def seconds(x):
    return "–" if x is None else f"{x:.3f} s"


def divide(a, b):
    return a / b if a is not None and b else None


def against(value, target):
    """A measured ratio beside its target: "4.96 <= 5.5 met", "7.08 > 5.5 **not met**"."""
    if value is None:
        return "–"
    if target is None:
        return f"{value:.2f}"
    if value <= target:
        return f"{value:.2f} <= {target:g} met"
    return f"{value:.2f} > {target:g} **not met**"


def profile_cell(row, ctx):
    if row.profile is None:
        return "no profile" if ctx.no_perf else "–"
    cells = [f"{row.profile.shares[g]:.0f}" for g in PROFILE_COLUMNS]
    if row.profile.shares["unclassified"] >= UNCLASSIFIED_SHOWN:
        cells.append(f"?{row.profile.shares['unclassified']:.0f}")
    return " / ".join(cells)


def machine(ctx):
    """The line above every table: the processor, its caches and the dependent-miss latency."""
    model = "unknown processor"
    try:
        with open("/proc/cpuinfo") as f:
            info = f.read()
        fields = {k: re.search(rf"^{k}\s*:\s*(.*)$", info, re.M) for k in
                  ("model name", "cpu family", "model")}
        if fields["model name"]:
            model = fields["model name"].group(1).strip()
        if fields["cpu family"] and fields["model"]:
            model += (f" (family {fields['cpu family'].group(1).strip()}, model "
                      f"{fields['model'].group(1).strip()})")
    except OSError:
        pass
    caches = []
    base = "/sys/devices/system/cpu/cpu0/cache"
    for index in sorted(glob.glob(os.path.join(base, "index*"))):
        def read(name):
            with open(os.path.join(index, name)) as f:
                return f.read().strip()
        try:
            level, kind, size, shared = read("level"), read("type"), read("size"), read(
                "shared_cpu_list")
        except OSError:
            continue
        letter = {"Data": "d", "Instruction": "i"}.get(kind, "")
        sharing = len(cpu_list(shared))
        kib = int(size[:-1]) * {"K": 1, "M": 1024}.get(size[-1], 1) if size[-1] in "KM" else 0
        shown = f"{kib // 1024} MiB" if kib >= 1024 and kib % 1024 == 0 else f"{kib} KiB"
        caches.append(f"L{level}{letter} {shown if kib else size}"
                      + (f" shared by {sharing} processors" if sharing > 1 else " a processor"))
    lat = (f"{statistics.median(ctx.latencies):.0f} ns" if ctx.latencies else "not measured")
    return (f"Machine: {model}, {ctx.cpus} processor{'s' if ctx.cpus > 1 else ''} for kostra; "
            f"caches {', '.join(caches) or 'not told by the system'}; dependent-miss latency "
            f"{lat} (kostra-latency through {latency_mib(ctx.args)} MiB, median of "
            f"{len(ctx.latencies)}).")


def cpu_list(text):
    """The processors of a list such as "0-3,6"."""
    cpus = []
    for part in filter(None, text.split(",")):
        first, _, last = part.partition("-")
        cpus += range(int(first), int(last or first) + 1)
    return cpus


def table(rows, ctx):
    out = []
    warning = None
    if ctx.args.quick or ctx.args.smoke:
        what = ("QUICK RUN (graphs ten times smaller)" if ctx.args.quick
                else "SMOKE RUN (tiny graphs, one run)")
        warning = f"**{what}: these ratios are not comparable with the full table.**"
        out += [warning, ""]
    by = {(r.graph, r.answers): r for r in rows}
    tables = [main_table(rows, ctx), target_table(by, ctx), walk_table(by, ctx)]
    if ctx.cpus > 1 and any(r.single for r in rows):
        tables.append(thread_table(rows, ctx))
    if any(r.busy_all for r in rows):
        tables.append(busy_table(rows, ctx))
    for k, lines in enumerate(tables):
        out += ([""] if k else []) + [machine(ctx), ""] + lines
    out += [""] + notes(rows, by, ctx)
    if warning:
        out += ["", warning]
    return "\n".join(out)


def main_table(rows, ctx):
    out = ["| graph | task | kostra | yardstick floor | ratio | floor | ratio | peer | ratio | "
           "profile % (reading / routes / method / report / zeroing / other) | peak | faults "
           "(huge pages off: faulted in) | ! | status |",
           "|---|---|---:|---:|---:|---:|---:|---|---:|---|---:|---:|---|---|"]
    for row in rows:
        name, _, n, m = ctx.graphs[row.graph]
        k = row.median(row.kostra)
        f, y, p = row.median(row.floor), row.median(row.yard), row.median(row.peer)
        peer = f"{PEER_NAMES[row.peer_algo]} {p:.3f} s" if row.peer else "–"
        faulted = row.paged.faults * PAGE
        fault_cell = (f"{thousands(row.faults())} ({faulted / MIB:.0f} MiB, "
                      f"{faulted / row.paged.peak:.2f}x peak)")
        flags = budget_flags(row, n, m)
        statuses = ",".join(str(s) for s in sorted({s.status for s in row.kostra}))
        status = statuses + (f" ({row.note})" if row.note else "")
        flag_cell = "! " + "; ".join(flags) if flags else ""
        out.append(f"| {name} | {row.label} | {k:.3f} s | {seconds(y)} | {times(divide(k, y))} | "
                   f"{f:.3f} s | {times(k / f)} | {peer} | {times(divide(k, p))} | "
                   f"{profile_cell(row, ctx)} | {peak_text(row.peak())} | {fault_cell} | "
                   f"{flag_cell} | {status} |")
    return out


def target_table(by, ctx):
    """Per graph: every target beside what was measured, met or not."""
    out = [f"Targets (tasks 1 to 3: ratio to the yardstick's floor; the peer's ratios; tasks 4 and "
           f"5 against their forest task; peak {PEAK_PER_EDGE} bytes an edge + {PEAK_PER_NODE} a "
           f"node):", "",
           "| graph | task 1 | task 2 | task 3 | task 1 / BGL DFS | task 3 / BGL Prim | "
           f"tasks 4, 5 <= forest task + {ORIENT_OVER_FOREST - 1:.0%} | peak |",
           "|---|---|---|---|---|---|---|---|"]
    for key, (name, _, n, m) in ctx.graphs.items():
        target = TARGETS.get(key, {})
        cells = []
        for task in ("1", "2", "3"):
            r = by[(key, task)]
            if not r.yard:
                cells.append("no yardstick")
            else:
                ratio = divide(r.median(r.kostra), r.median(r.yard))
                cells.append(against(ratio, target.get(task)))
        for task, algo in (("1", "dfs"), ("3", "prim")):
            r = by[(key, task)]
            cells.append(against(divide(r.median(r.kostra), r.median(r.peer)), target.get(algo))
                         if r.peer else "no peer")
        over = []
        for method in (1, 2, 3):
            forest = by[(key, FOREST_TASK[method])]
            for task in (4, 5):
                r = by[(key, f"{task}.{method}")]
                ratio = r.median(r.kostra) / forest.median(forest.kostra)
                over.append((ratio, f"{task}/m{method}"))
        bad = [f"{what} {x:.2f}x" for x, what in over if x > ORIENT_OVER_FOREST]
        worst = max(over)
        cells.append(f"**not met**: {', '.join(bad)}" if bad
                     else f"met (at most {worst[0]:.2f}x, {worst[1]})")
        budget = peak_budget(n, m)
        peaks = [(by[(key, a)].peak(), label) for label, a, _, _ in TASKS]
        bad = [f"{label} {p / MIB:.0f} MiB" for p, label in peaks if p > budget and p > own_peak()]
        top = max(p for p, _ in peaks)
        if bad:
            cells.append(f"**not met** (budget {budget / MIB:.0f} MiB): {', '.join(bad)}")
        elif top <= own_peak():
            cells.append("not judged (every peak is this script's own)")
        else:
            cells.append(f"met (at most {top / MIB:.0f} of {budget / MIB:.0f} MiB)")
        out.append(f"| {name} | " + " | ".join(cells) + " |")
    return out


def walk_table(by, ctx):
    """Task 1's walk: its entries that need a node's block, and its time per such entry against
    the machine's dependent-miss latency."""
    lat = statistics.median(ctx.latencies)
    spread = f"{min(ctx.latencies):.0f} to {max(ctx.latencies):.0f}"
    out = [f"Task 1's walk against the dependent-miss latency ({lat:.0f} ns, median of "
           f"{len(ctx.latencies)} measurements from {spread} ns), target <= {WALK_OVER_LATENCY}x "
           f"where the walk is a chase of misses (the "
           f"{' and '.join(s.replace('power', 'power-law') for s in WALK_CHASES)} graphs):",
           "", "| graph | entries that need a node's block (first + re-entries with routes left) | "
           "into spent nodes | all entries | task 1 processor time | walk's share | walk per "
           "entry | ratio to the latency |", "|---|---:|---:|---:|---:|---:|---:|---|"]
    for key, (name, _, _, _) in ctx.graphs.items():
        w = ctx.walks[key]
        block = w["first"] + w["routes-left"]
        r = by[(key, "1")]
        cpu = statistics.median(s.cpu for s in r.kostra)
        cells = [f"{block:,} ({w['first']:,} + {w['routes-left']:,})", f"{w['spent']:,}",
                 f"{w['entries']:,}", f"{cpu:.3f} s"]
        if r.profile is None:
            cells += ["no profile", "–", "–"]
        else:
            share = r.profile.walk / 100
            per_entry = share * cpu / block * 1e9 if block else None
            chase = SHAPES[key] in WALK_CHASES
            ratio = against(divide(per_entry, lat), WALK_OVER_LATENCY if chase else None)
            cells += [f"{share:.0%}", "–" if per_entry is None else f"{per_entry:,.0f} ns",
                      ratio if chase else f"{ratio} (no target: not a chase)"]
        out.append(f"| {name} | " + " | ".join(cells) + " |")
    return out


def thread_table(rows, ctx):
    out = [f"One processor (affinity to one, as `taskset -c 0` sets) against all {ctx.cpus} that "
           f"kostra may use, the same run:", "",
           f"| graph | task | 1 processor | {ctx.cpus} processors | scaling |",
           "|---|---|---:|---:|---:|"]
    for r in rows:
        if r.single:
            one, all_ = r.median(r.single), r.median(r.kostra)
            out.append(f"| {ctx.graphs[r.graph][0]} | {r.label} | {one:.3f} s | {all_:.3f} s | "
                       f"{one / all_:.2f}x |")
    return out


def busy_table(rows, ctx):
    free, taken = sorted(ctx.busy_cpus[0]), sorted(ctx.busy_cpus[1])
    runs = max(len(r.busy_all) for r in rows)
    out = [f"One processor taken by a busy program (`{' '.join(BUSY_PROGRAM[:2])} "
           f"'{BUSY_PROGRAM[2]}'` held to processor {taken[0]}): kostra on all {ctx.cpus} "
           f"processors against kostra held to the free processor {free[0]} (as `taskset -c "
           f"{free[0]}` holds it), alternating, median of {runs} runs each; target: all <= "
           f"{BUSY_OVER_FREE} times held:", "",
           "| graph | task | held to the free one | all | ratio | target |",
           "|---|---|---:|---:|---:|---|"]
    for r in rows:
        if r.busy_all:
            held, all_ = r.median(r.busy_free), r.median(r.busy_all)
            out.append(f"| {ctx.graphs[r.graph][0]} | {r.label} | {held:.3f} s | {all_:.3f} s | "
                       f"{all_ / held:.2f}x | {against(all_ / held, BUSY_OVER_FREE)} |")
    return out


def notes(rows, by, ctx):
    out = []
    least = min(min(r.resident) for r in rows)
    where = f"on {ctx.file_system} in {ctx.work}, " + (
        "so read from memory" if ctx.file_system in IN_MEMORY
        else "each read through once before every alternation")
    out.append(f"- graph files {where}; in memory before every alternation (mincore): at least "
               f"{least:.1%} of every file")
    if ctx.yard:
        out.append(f"- the yardstick's floor: built from {ctx.args.yardstick} with its Makefile "
                   f"into {os.path.dirname(ctx.yard)}, run with each row's report shape (forest "
                   f"or orient); its reports " + ("have the floor's sizes on every graph"
                                                 if not ctx.yard_sizes else "DIFFER in size:"))
        out += [f"  - {line}" for line in ctx.yard_sizes]
    else:
        out.append(f"- {ctx.no_yard}: the yardstick columns are empty and its targets unmeasured")
    if ctx.no_perf:
        out.append(f"- no profile: {ctx.no_perf}")
    else:
        out.append("- profile: one more run of kostra under `perf record -e cpu-clock` (every "
                   "thread); the shares of its sampled processor time in reading the graph, "
                   "building the route lists, the task's method, writing the report, the kernel "
                   "zeroing fresh pages and the rest (other: the rest of the kernel and the "
                   "libraries), by the function patterns of PROFILE_GROUPS in bench/run.py; ?N: "
                   f"kostra's own functions that no pattern matches, shown from "
                   f"{UNCLASSIFIED_SHOWN:.0f} %")
        profiled = [r for r in rows if r.profile]
        if profiled and not any(r.profile.kernel for r in profiled):
            out.append("  - no sample of the kernel (perf_event_paranoid?): zeroing and the "
                       "kernel's part of other are missing")
        named = {}  # function -> shares in the rows where the unclassified are many
        for r in profiled:
            if r.profile.shares["unclassified"] >= UNCLASSIFIED_NAMED:
                for function, share in r.profile.unclassified:
                    if share >= UNCLASSIFIED_SHOWN:
                        named.setdefault(function[:120], []).append(share)
        if named:
            out.append(f"  - kostra's functions that no pattern matches, in the rows where such "
                       f"functions take {UNCLASSIFIED_NAMED:.0f} % or more (add them to "
                       f"PROFILE_GROUPS):")
            out += [f"    - `{f}`: up to {max(shares):.0f} % ({len(shares)} row"
                    f"{'s' if len(shares) > 1 else ''})" for f, shares in named.items()]
    out.append("- the walk: kostra-walkstats walks task 1 literally and counts the entries up to "
               "each tree's last claim; the walk's time is the share of task 1's profile in the walk's "
               "own functions (skeleton_R, growForest) times task 1's processor time (user and system, median of its runs), which is its "
               "wall time as the walk runs on one thread; the latency is kostra-latency's chase "
               f"through {latency_mib(ctx.args)} MiB in huge pages, in its processor time too, "
               "measured once before each graph's rows")
    if "star6" in ctx.graphs and "star7" in ctx.graphs:
        small, big = ctx.graphs["star6"][0], ctx.graphs["star7"][0]
        def kostra(key, answers):
            return by[(key, answers)].median(by[(key, answers)].kostra)

        scaling = [f"{label} {kostra('star7', a) / kostra('star6', a):.1f}x"
                   for label, a, _, _ in TASKS]
        out.append(f"- {big} against {small}, the time of: {', '.join(scaling)}")
    if ctx.peer:
        for key, (name, _, _, _) in ctx.graphs.items():
            peaks = [f"{PEER_NAMES[by[(key, t)].peer_algo]} "
                     f"{peak_text(max(s.peak for s in by[(key, t)].peer))}" for t in ("1", "3")]
            out.append(f"- {name}: the peer's peak: {', '.join(peaks)}")
    else:
        out.append("- no peer: the Boost Graph Library's headers were not found when the tools "
                   "were configured (Debian: libboost-graph-dev), so the peer columns are empty")
    if ctx.typed is not None:
        name = ctx.graphs["r4"][0]
        out.append(f"- graph typed on standard input against the same graph from a file "
                   f"({name}, task 1): {ctx.typed:.2f}x")
        for task, (mb, loud, quiet) in ctx.narration.items():
            out.append(f"- narration of task {task} ({name}): {mb:.0f} MB; the narrated run "
                       f"takes {loud:.2f} s against {quiet:.2f} s without, so it is written at "
                       f"{mb / loud:.0f} MB/s counting the whole run")
    flagged = []
    for r in rows:
        _, _, n, m = ctx.graphs[r.graph]
        if flags := budget_flags(r, n, m):
            flagged.append(f"{ctx.graphs[r.graph][0]}, {r.label}: {', '.join(flags)}")
    budgets = (f"peak {PEAK_PER_EDGE} bytes an edge + {PEAK_PER_NODE} a node; memory faulted in "
               f"{FAULTED_OVER_PEAK}x the peak")
    if flagged:
        out.append(f"- flagged ({budgets}; exit status; graph in memory):")
        out += [f"  - {line}" for line in flagged]
    else:
        out.append(f"- every row is within the budgets ({budgets})")
    out.append(f"- median of {ctx.runs} run{'s' if ctx.runs > 1 else ''}; peak is kostra's "
               f"largest resident set, at least this script's own {own_peak() / MIB:.0f} MiB, "
               f"which a child starts from; faults are the page faults of those runs (one a 4 KiB "
               f"or a 2 MiB page; transparent huge pages: {huge_page_setting()}); memory faulted "
               f"in is 4 KiB a fault in one more run with huge pages turned off, and its ratio to "
               f"that run's peak")
    out.append("- tasks 4 and 5 answer with the first non-tree (task 4) or tree (task 5) edge at "
               "or after edge m/2 of the method's forest, read from a first run:")
    out += [f"  - {line}" for line in ctx.picked]
    return out


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
