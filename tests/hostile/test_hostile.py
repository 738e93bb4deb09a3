#!/usr/bin/env python3
"""End-to-end tests of kostra against hostile input, broken streams and a real terminal.

usage: test_hostile.py GROUP KOSTRA [--sanitized]
GROUP: inputs, eof, unwritable, memory, counts, pipe, pty, random or valgrind. The random
group takes KOSTRA_RANDOM_SEED and KOSTRA_RANDOM_RUNS from the environment (a fixed seed by
default).

Every case runs the built program as a user would, with a time limit, and compares its exact
standard output, its standard error and its exit status with what the program's documented
behaviour demands. Standard error may hold the program's notes (warnings on the graph file,
hints on refused answers: lines starting "VAROVANI: " or "POZNAMKA: ") unless a case says
otherwise; their wording is the golden transcripts' business. At the terminal, whose screen shows
both streams, the notes' lines are left out before the screen is compared. A group prints one line per failing case and ends with a summary line; its
status is 0 when every case passed, 1 when any failed, 77 when the group cannot run here.
"""

import os
import pty
import random
import re
import resource
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import transcripts as T  # noqa: E402

SKIP = 77
TIMEOUT = 30          # seconds for one run; generous for the sanitizer build
PROMPT_TIMEOUT = 5    # seconds a question may take to appear at the terminal


class Failures:
    def __init__(self, group):
        self.group = group
        self.passed = 0
        self.failed = []

    def check(self, name, ok, detail=""):
        if ok:
            self.passed += 1
        else:
            self.failed.append(name)
            print("FAIL %s: %s" % (name, detail))

    def expect(self, name, got, status, stdout, stderr=None):
        """got: (status, stdout, stderr) of a run. stderr: the exact text expected there, or None
        for nothing but notes."""
        problems = []
        if got[0] != status:
            problems.append("exit status %r, expected %r" % (got[0], status))
        if got[1] != stdout:
            problems.append("standard output differs:\n%s" % difference(stdout, got[1]))
        if stderr is None and not only_notes(got[2]):
            problems.append("standard error %r holds more than notes" % got[2][:2000])
        if stderr is not None and got[2] != stderr:
            problems.append("standard error %r, expected %r" % (got[2][:2000], stderr))
        self.check(name, not problems, "\n  ".join(problems))

    def finish(self):
        print("%s: %d passed, %d failed" % (self.group, self.passed, len(self.failed)))
        return 1 if self.failed else 0


NOTE = re.compile(r"(?m)^(VAROVANI|POZNAMKA): .*\n")


def only_notes(text):
    return NOTE.sub("", text) == ""


def notes_then(text, tail):
    """text is notes and then exactly tail: the expected standard error of a run that ends with
    a message there."""
    return text if text.endswith(tail) and only_notes(text[:-len(tail)]) else tail


def difference(expected, got):
    i = 0
    while i < min(len(expected), len(got)) and expected[i] == got[i]:
        i += 1
    return ("  first difference at byte %d\n  expected ...%r\n  got      ...%r"
            % (i, expected[max(0, i - 60):i + 60], got[max(0, i - 60):i + 60]))


def child_env():
    """Sanitizer reports must not pass for one of the program's own statuses."""
    env = dict(os.environ)
    for var in ("ASAN_OPTIONS", "UBSAN_OPTIONS"):
        env[var] = (env.get(var, "") + ":exitcode=86").lstrip(":")
    return env


def run(argv, stdin=b"", stdout=subprocess.PIPE, preexec=None, timeout=TIMEOUT):
    """Runs the program: (status, stdout, stderr); status is 'hang' when the time ran out and
    the negative signal number when a signal ended it."""
    if isinstance(stdin, str):
        stdin = stdin.encode("latin-1")
    pipe_in = isinstance(stdin, bytes)
    proc = subprocess.Popen(argv, stdin=subprocess.PIPE if pipe_in else stdin, stdout=stdout,
                            stderr=subprocess.PIPE, preexec_fn=preexec, env=child_env())
    try:
        out, err = proc.communicate(stdin if pipe_in else None, timeout=timeout)
    except subprocess.TimeoutExpired:
        proc.kill()
        proc.communicate()
        return ("hang", "", "")
    return (proc.returncode, (out or b"").decode("latin-1"), err.decode("latin-1"))


def run_fed(argv, pieces, graph_fd=None, answers=""):
    """Runs the program with data that arrives in pieces, 0.3 s apart: on standard input, or,
    with graph_fd (the two ends of a pipe), on the graph file, while the answers are all there."""
    def feed(fd, close):
        for k, piece in enumerate(pieces):
            if k:
                time.sleep(0.3)
            os.write(fd, piece.encode("latin-1"))
        close()

    if graph_fd is None:
        proc = subprocess.Popen(argv, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                stderr=subprocess.PIPE, env=child_env())
        feeder = threading.Thread(target=feed, args=(proc.stdin.fileno(), proc.stdin.close))
    else:
        r, w = graph_fd
        proc = subprocess.Popen(argv, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                stderr=subprocess.PIPE, pass_fds=(r,), env=child_env())
        os.close(r)
        proc.stdin.write(answers.encode("latin-1"))
        proc.stdin.close()
        feeder = threading.Thread(target=feed, args=(w, lambda: os.close(w)))
    watchdog = threading.Timer(TIMEOUT, proc.kill)
    watchdog.start()
    feeder.start()
    out = proc.stdout.read()
    err = proc.stderr.read()
    status = proc.wait()
    hung = not watchdog.is_alive()
    watchdog.cancel()
    feeder.join()
    if hung:
        status = "hang"
    proc.stdout.close()
    proc.stderr.close()
    return (status, out.decode("latin-1"), err.decode("latin-1"))


def write(path, data):
    with open(path, "wb") as f:
        f.write(data.encode("latin-1") if isinstance(data, str) else data)
    return path


def garbage(size, seed):
    """Deterministic binary garbage without digits, signs or blanks, so no read of it holds a
    number: high bytes, control bytes, NULs, letters and some line breaks."""
    alphabet = bytes(range(0x80, 0x100)) + b"\x00\x01\x02\x07\x1b\x7f" + b"abcxyzAZ@#%\n\n"
    out = bytearray()
    x = seed
    for _ in range(size):
        x = (x * 1103515245 + 12345) & 0x7FFFFFFF
        out.append(alphabet[(x >> 8) % len(alphabet)])
    return bytes(out)


def reads(data):
    """How many reads data takes: a line is one read per started 255 characters."""
    lines = data.split(b"\n")
    ends = [line + b"\n" for line in lines[:-1]] + ([lines[-1]] if lines[-1] else [])
    return sum((len(line) + 254) // 255 for line in ends)


# The base graph: one edge 0 -> 1 on two nodes. Task 1 makes it the tree; the report follows.
def base_report(w):
    return (T.BANNER + "hrana  0: v kostre= 1, vaha=%2d\n" % w +
            "uzel   0: kosti z= 1, smeru= 1\n" + "uzel   1: kosti z= 1, smeru= 1\n")


def ok_run(report):
    return lambda p: T.opening(p) + T.OK + T.MENU + report


def inconsistent(p):
    return T.opening(p) + T.INCONSISTENT


LONG_X = "x" * 255

# (name, graph file bytes, answers on standard input, expected standard output, status)
FILE_CASES = [
    ("plain", "1\n2\n0\n1\n5\n", "1\n", ok_run(base_report(5)), 0),
    ("crlf line ends", "1\r\n2\r\n0\r\n1\r\n5\r\n", "1\r\n", ok_run(base_report(5)), 0),
    ("carriage returns only: one line that runs into the end", "1\r2\r0\r1\r5\r", "1\n",
     inconsistent, 1),
    ("leading blanks of every kind", "\t1\n \r2\n\x0b0\n\x0c1\n\r 5 \r\n", "1\n",
     ok_run(base_report(5)), 0),
    ("trailing text", "1 edge\n2 nodes\n0 from\n1to\n5kg\n", "1\n", ok_run(base_report(5)), 0),
    ("lines without numbers are refused, the weight too", "1\n2\nabc\n0\nx\n1\nfoo\n\n5\n", "1\n",
     ok_run(base_report(5)), 0),
    ("signs", "+1\n2\n-0\n+1\n-5\n", "1\n", ok_run(base_report(-5)), 0),
    ("a sign without digits", "1\n2\n- 1\n--1\n+-1\n-\n0\n1\n5\n", "1\n", ok_run(base_report(5)),
     0),
    ("hexadecimal and exponent forms stop at the letter", "1\n2\n0x1\n1e9\n5\n", "1\n",
     ok_run(base_report(5)), 0),
    ("leading zeros", "0000000000000000000000001\n002\n00\n0000000000001\n"
     "00000000000000000000000000005\n", "1\n", ok_run(base_report(5)), 0),
    ("count beyond 32 bits is refused, not wrapped", "4294967297\n1\n2\n0\n1\n7\n", "1\n",
     ok_run(base_report(7)), 0),
    ("endpoints beyond 32 bits are refused, not wrapped", "1\n2\n4294967296\n0\n4294967297\n1\n5\n",
     "1\n", ok_run(base_report(5)), 0),
    ("weights beyond 32 bits are refused", "1\n2\n0\n1\n2147483648\n-2147483649\n"
     "99999999999999999999999999\n2147483647\n", "1\n", ok_run(base_report(2147483647)), 0),
    ("smallest weight", "1\n2\n0\n1\n-2147483648\n", "1\n", ok_run(base_report(-2147483648)), 0),
    ("smallest weight with leading zeros", "1\n2\n0\n1\n-00000000002147483648\n", "1\n",
     ok_run(base_report(-2147483648)), 0),
    ("values out of range are read again", "-1\n1\n0\n-5\n2\n2\n-1\n0\n9\n1\n5\n", "1\n",
     ok_run(base_report(5)), 0),
    ("surplus lines are never read", "1\n2\n0\n1\n5\n9\nxyz\n\x00\xff\n", "1\n",
     ok_run(base_report(5)), 0),
    # One read takes at most 255 characters: the rest of a longer line is the next read.
    ("a long line is two reads: garbage, then the endpoint", "1\n2\n" + LONG_X + "1\n0\n5\n", "1\n",
     ok_run(base_report(5)), 0),
    ("a long line splits a number", "1\n3\n" + " " * 254 + "12\n7\n", "1\n",
     ok_run(T.BANNER + "hrana  0: v kostre= 1, vaha= 7\n" + "uzel   0: kosti z= 0, smeru= 0\n" +
            "uzel   1: kosti z= 1, smeru= 1\n" + "uzel   2: kosti z= 1, smeru= 1\n"), 0),
    ("a line of exactly 255 characters leaves its line break as an empty read",
     "1\n" + " " * 254 + "2\n0\n1\n5\n", "1\n", ok_run(base_report(5)), 0),
    ("a last line of 255 characters without a line break fills the read without meeting the end",
     "1\n2\n0\n1\n" + " " * 254 + "5", "1\n", ok_run(base_report(5)), 0),
    ("a last line of 254 characters without a line break meets the end",
     "1\n2\n0\n1\n" + " " * 253 + "5", "1\n", inconsistent, 1),
    ("a line of thousands of digits is refused read by read", "1\n2\n" + "9" * 3000 + "\n0\n1\n5\n",
     "1\n", ok_run(base_report(5)), 0),
    ("NUL bytes end a number; a NUL first is no number", "1\n2\n0\x001\n\x009\n1\n5\x007\n", "1\n",
     ok_run(base_report(5)), 0),
    ("only NUL bytes", "\x00\x00\x00\n\x00\n\x00", "1\n", inconsistent, 1),
    ("binary garbage", garbage(5000, 1), "1\n", inconsistent, 1),
    ("binary garbage after a good start", "1\n2\n" + garbage(3000, 2).decode("latin-1"), "1\n",
     inconsistent, 1),
    ("empty file", "", "1\n", inconsistent, 1),
    ("only line breaks", "\n\n\n\n\n\n\n", "1\n", inconsistent, 1),
    ("cut off in the middle of the weight", "1\n2\n0\n1\n12", "1\n", inconsistent, 1),
    ("cut off in the middle of an endpoint", "2\n20\n0\n19\n5\n1", "1\n", inconsistent, 1),
    ("cut off in the middle of the edge count", "1", "1\n", inconsistent, 1),
    ("cut off before the first edge", "2\n3\n", "1\n", inconsistent, 1),
    ("cut off after a refused value", "1\n2\n0\n7\n", "1\n", inconsistent, 1),
    ("a count far beyond the file", "1000000\n2\n0\n1\n5\n", "1\n", inconsistent, 1),
    ("many nodes, no edges", "0\n100000\n", "",
     lambda p: T.opening(p) + T.OK + T.MENU + T.INPUT_ENDED, 3),
    # Hostile answers on standard input.
    ("menu: refused answers of every kind, then 1",
     "1\n2\n0\n1\n5\n", "\x00\n\r\n  \n-1\n99999999999\ne1\x00\n" + LONG_X + "\n+1\n",
     ok_run(base_report(5)), 0),
    ("menu: the last answer without a line break", "1\n2\n0\n1\n5\n", "1", ok_run(base_report(5)),
     0),
    ("menu: binary garbage, then the end", "1\n2\n0\n1\n5\n", garbage(4000, 3),
     lambda p: T.opening(p) + T.OK + T.MENU + T.INPUT_ENDED, 3),
    ("yes/no: refused first characters, each read of a long line asks again",
     "1\n2\n0\n1\n5\n", "2\n\x00a\n A\n" + LONG_X + "a\n",
     lambda p: (T.opening(p) + T.OK + T.MENU + T.VERBOSE_Q * 4 + T.bk_sort() +
                T.bk_union(0, 5, 1, 1, 0, 0) + T.bk_count(1) + base_report(5)), 0),
    ("yes/no: the answer without a line break", "1\n2\n0\n1\n5\n", "3\nn",
     lambda p: T.opening(p) + T.OK + T.MENU + T.VERBOSE_Q + base_report(5), 0),
    # A line without a number at the edge question is refused: the method number, 1, would be
    # the non-tree edge 1 of these two parallel edges.
    ("edge question: no number never means the method number", "2\n2\n0\n1\n5\n0\n1\n6\n",
     "4\n1\nx\n",
     lambda p: (T.opening(p) + T.OK + T.MENU + T.METHOD_Q + T.tree_flags([1, 0]) +
                T.LOOP_Q * 2 + T.INPUT_ENDED), 3),
    ("no edges: the cut question accepts nothing", "0\n1\n", "5\n1\n0\n-1\n1\n",
     lambda p: T.opening(p) + T.OK + T.MENU + T.METHOD_Q + T.CUT_Q * 4 + T.INPUT_ENDED, 3),
    ("no edges: the loop question accepts nothing", "0\n3\n", "4\n3\n0\n",
     lambda p: T.opening(p) + T.OK + T.MENU + T.METHOD_Q + T.LOOP_Q * 2 + T.INPUT_ENDED, 3),
    ("a forest without a non-tree edge: the loop question accepts nothing",
     "1\n2\n0\n1\n5\n", "4\n2\n0\n1\n-1\n",
     lambda p: (T.opening(p) + T.OK + T.MENU + T.METHOD_Q + T.tree_flags([1]) + T.LOOP_Q * 4 +
                T.INPUT_ENDED), 3),
]

# (name, answers typed at the keyboard, expected standard output, status)
KEYBOARD_CASES = [
    ("each read of a long line asks again",
     LONG_X + "xxxxx\n1\n2\n0\n1\n5\n1\n",
     "pocet hran: " * 3 + "pocet uzlu : hrana 0 od uzlu: hrana 0 do uzlu: hrana 0 ma vahu: " +
     T.MENU + base_report(5), 0),
    ("a weight that is no number is asked again", "1\n2\n0\n1\nabc\n5\n1\n",
     "pocet hran: pocet uzlu : hrana 0 od uzlu: hrana 0 do uzlu: hrana 0 ma vahu: "
     "hrana 0 ma vahu: " + T.MENU + base_report(5), 0),
    ("numbers beyond 32 bits are asked again", "4294967296\n1\n2\n0\n-4294967295\n1\n5\n1\n",
     "pocet hran: pocet hran: pocet uzlu : hrana 0 od uzlu: hrana 0 do uzlu: hrana 0 do uzlu: "
     "hrana 0 ma vahu: " + T.MENU + base_report(5), 0),
    ("NUL bytes and carriage returns", "1\x002\r\n\r2\r\n\x00\n0\r\n1\r\n5\x00\r\n1\x00\n",
     "pocet hran: pocet uzlu : hrana 0 od uzlu: hrana 0 od uzlu: hrana 0 do uzlu: "
     "hrana 0 ma vahu: " + T.MENU + base_report(5), 0),
    ("binary garbage", garbage(3000, 4),
     "pocet hran: " * (reads(garbage(3000, 4)) + 1) + T.INPUT_ENDED, 3),
    ("nothing at all", "", "pocet hran: " + T.INPUT_ENDED, 3),
    ("carriage returns only: all of it is one line", "1\r2\r0\r1\r5\r1\r",
     "pocet hran: pocet uzlu : " + T.INPUT_ENDED, 3),
    ("the last line without a line break is an answer", "1\n2\n0\n1\n5\n1",
     "pocet hran: pocet uzlu : hrana 0 od uzlu: hrana 0 do uzlu: hrana 0 ma vahu: " + T.MENU +
     base_report(5), 0),
]


# Files with nothing odd in them: no line is refused and no number has text after it, so not a
# word on standard error (a carriage return before the line break is a blank).
QUIET_FILES = {"plain", "crlf line ends", "leading blanks of every kind", "signs",
               "leading zeros", "smallest weight", "smallest weight with leading zeros",
               "surplus lines are never read", "menu: the last answer without a line break"}


def group_inputs(kostra, tmp):
    fx = Failures("hostile.inputs")
    for k, (name, graph, answers, expected, status) in enumerate(FILE_CASES):
        path = write(os.path.join(tmp, "graph%02d.txt" % k), graph)
        fx.expect("file: " + name, run([kostra, path], answers), status, expected(path),
                  "" if name in QUIET_FILES else None)
    for name, answers, expected, status in KEYBOARD_CASES:
        fx.expect("keyboard: " + name, run([kostra], answers), status, expected)

    # Paths that cannot be opened, and paths that must be printed as they stand.
    good = write(os.path.join(tmp, "good.txt"), "1\n2\n0\n1\n5\n")
    for name, path in [("a directory", tmp), ("a directory with a slash", tmp + "/"),
                       ("a missing file", os.path.join(tmp, "missing.txt")),
                       ("a file under a missing directory", os.path.join(tmp, "no/such.txt")),
                       ("an empty path", ""),
                       ("conversions in a missing path", os.path.join(tmp, "%s%n%d.txt"))]:
        fx.expect("cannot open: " + name, run([kostra, path], "1\n"), 2, T.cannot_open(path))
    odd = write(os.path.join(tmp, "a b %s %n %d \\ ok.txt"), "1\n2\n0\n1\n5\n")
    fx.expect("a path with blanks and conversions", run([kostra, odd], "1\n"), 0,
              ok_run(base_report(5))(odd))
    fx.expect("further arguments are ignored", run([kostra, good, "extra", "-h"], "1\n"), 0,
              ok_run(base_report(5))(good))

    # Data that arrives in pieces, with pauses inside lines: a pause is not the end of a line,
    # nor of the file.
    base = ok_run(base_report(5))
    fx.expect("keyboard answers arriving in pieces",
              run_fed([kostra], ["1", "\n2\n0\n", "1\n5", "\n1", "\n"]), 0,
              "pocet hran: pocet uzlu : hrana 0 od uzlu: hrana 0 do uzlu: hrana 0 ma vahu: " +
              T.MENU + base_report(5))
    fx.expect("menu answer arriving in pieces", run_fed([kostra, good], ["", "1", "\n"]), 0,
              base(good))
    for name, pieces, status in [
            ("a graph file on a pipe, arriving in pieces", ["1\n2\n0", "\n1\n", "5\n"], 0),
            ("a graph file on a pipe, cut off after a pause", ["1\n2\n0", "\n1\n", "5"], 1)]:
        r, w = os.pipe()
        path = "/dev/fd/%d" % r
        got = run_fed([kostra, path], pieces, graph_fd=(r, w), answers="1\n")
        fx.expect(name, got, status, base(path) if status == 0 else inconsistent(path))

    # Standard input that cannot be read counts as its end.
    dirfd = os.open(tmp, os.O_RDONLY | os.O_DIRECTORY)
    try:
        fx.expect("standard input is a directory", run([kostra, good], dirfd), 3,
                  T.opening(good) + T.OK + T.MENU + T.INPUT_ENDED)
        fx.expect("standard input is a directory, keyboard", run([kostra], dirfd), 3,
                  "pocet hran: " + T.INPUT_ENDED)
    finally:
        os.close(dirfd)
    fx.expect("standard input closed", run([kostra, good], None, preexec=lambda: os.close(0)), 3,
              T.opening(good) + T.OK + T.MENU + T.INPUT_ENDED)
    fx.expect("standard input closed, keyboard", run([kostra], None, preexec=lambda: os.close(0)),
              3, "pocet hran: " + T.INPUT_ENDED)
    return fx.finish()


def variants(d):
    """Every way standard input can end in dialogue d: (label, stdin, expected(path), status)."""
    n = len(d.steps)
    answers = d.answers()
    out = [("whole", lambda p: d.stdin(), d.stdout, 0)]
    for k in range(n):
        out.append(("ended at read %d" % k, lambda p, k=k: d.ended_at(k, p)[0],
                    lambda p, k=k: d.ended_at(k, p)[1], 3))
        # The same answer without its line break is still an answer.
        if answers[k].rstrip("\r\n") != "" and answers[k].endswith("\n"):
            cut = "".join(answers[:k]) + answers[k][:-1]
            if k + 1 < n:
                out.append(("read %d without a line break" % k, lambda p, cut=cut: cut,
                            lambda p, k=k: d.ended_at(k + 1, p)[1], 3))
            else:
                out.append(("last read without a line break", lambda p, cut=cut: cut, d.stdout,
                            0))
    return out


def group_eof(kostra, tmp):
    fx = Failures("hostile.eof")
    for d in T.all_dialogues():
        path = write(os.path.join(tmp, d.name + ".txt"), d.graph.file_text())
        argv = [kostra] if d.keyboard else [kostra, path]
        for label, stdin, expected, status in variants(d):
            fx.expect("%s: %s" % (d.name, label), run(argv, stdin(path)), status, expected(path))
    return fx.finish()


def group_unwritable(kostra, tmp):
    fx = Failures("hostile.unwritable")
    full = os.open("/dev/full", os.O_WRONLY)
    try:
        for d in T.all_dialogues():
            path = write(os.path.join(tmp, d.name + ".txt"), d.graph.file_text())
            argv = [kostra] if d.keyboard else [kostra, path]
            got = run(argv, d.stdin(), stdout=full)
            fx.expect("/dev/full: " + d.name, got, 5, "", notes_then(got[2], T.CANNOT_WRITE))
        big = write(os.path.join(tmp, "big.txt"), big_graph(300000))
        fx.expect("/dev/full: a report larger than any buffer", run([kostra, big], "1\n",
                  stdout=full), 5, "", T.CANNOT_WRITE)
        d = T.by_name("g4-task1-file")
        path = write(os.path.join(tmp, "g4.txt"), d.graph.file_text())
        fx.expect("/dev/full: standard input ends", run([kostra, path], "", stdout=full), 5, "",
                  T.CANNOT_WRITE)
        for option in ("--help", "--version"):
            fx.expect("/dev/full: " + option, run([kostra, option], "", stdout=full), 5, "",
                      T.CANNOT_WRITE)
        fx.expect("/dev/full: standard error full as well",
                  run([kostra, path], d.stdin(), stdout=full, preexec=lambda: os.dup2(1, 2)),
                  5, "", "")
    finally:
        os.close(full)
    readonly = os.open("/dev/null", os.O_RDONLY)
    try:
        fx.expect("standard output opened for reading only", run([kostra, path], d.stdin(),
                  stdout=readonly), 5, "", T.CANNOT_WRITE)
    finally:
        os.close(readonly)
    fx.expect("standard output closed", run([kostra, path], d.stdin(), stdout=None,
              preexec=lambda: os.close(1)), 5, "", T.CANNOT_WRITE)
    fx.expect("standard output closed, keyboard", run([kostra], d.graph.file_text() + "1\n",
              stdout=None, preexec=lambda: os.close(1)), 5, "", T.CANNOT_WRITE)

    # A reader that goes away early ends the program the ordinary way, by SIGPIPE.
    proc = subprocess.Popen([kostra, big], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                            stderr=subprocess.PIPE, env=child_env())
    watchdog = threading.Timer(TIMEOUT, proc.kill)
    watchdog.start()
    proc.stdin.write(b"1\n")
    proc.stdin.close()
    head = proc.stdout.read(100)
    proc.stdout.close()
    status = proc.wait()
    if not watchdog.is_alive():
        status = "hang"
    watchdog.cancel()
    err = proc.stderr.read().decode("latin-1")
    proc.stderr.close()
    fx.check("a reader that closes the pipe early",
             status == -signal.SIGPIPE and head == (T.opening(big) + T.OK + T.MENU).encode()[:100]
             and err == "",
             "status %r, first bytes %r, standard error %r" % (status, head, err[:500]))
    return fx.finish()


def big_graph(m):
    return "%d\n2\n" % m + "0\n1\n1\n" * m


def group_memory(kostra, tmp, sanitized):
    """Memory that cannot be obtained, under an address-space limit."""
    if sanitized:
        print("hostile.memory: skipped, a sanitized build cannot run under an address-space limit")
        return SKIP
    fx = Failures("hostile.memory")
    limit = 180 << 20

    def limited():
        resource.setrlimit(resource.RLIMIT_AS, (limit, limit))

    # A file that cannot hold the edges it announces is inconsistent, as it is with all the
    # memory in the world: told before any memory is taken for the graph.
    cases = [
        ("file: edges far beyond memory, and beyond the file", "100000000\n1\n", None, 1),
        ("file: edges far beyond memory", "10000000\n1\n", None, 4),  # made long enough below
        ("file: nodes far beyond memory", "1\n2000000000\n0\n1\n5\n", None, 4),
        ("file: both counts at their largest", "2147483647\n2147483647\n", None, 1),
        ("keyboard: edges far beyond memory", None, "100000000\n1\n", 4),
        ("keyboard: nodes far beyond memory", None, "0\n2147483647\n", 4),
    ]
    # Refused at its counts: at once, with a note that names what the graph needs and what the
    # limit leaves.
    def refused(counts):
        m, n = counts.split()[:2]
        return re.compile(r"POZNAMKA: graf \(uzlu: %s, hran: %s\) potrebuje asi [0-9,]+ [kMGT]?B "
                          r"pameti, limit adresniho prostoru procesu \(ulimit -v\) ale dovoli uz "
                          r"jen [0-9,]+ [kMG]?B\n" % (n, m))

    for name, graph, typed, status in cases:
        started = time.monotonic()
        if graph is not None:
            path = write(os.path.join(tmp, "mem.txt"), graph)
            if status == 4:  # a sparse file as long as the edges need: memory runs out first
                os.truncate(path, 6 * int(graph.split()[0]) + len(graph))
            got = run([kostra, path], "1\n", preexec=limited)
            fx.expect(name, got, status,
                      T.opening(path) + (T.NO_MEMORY if status == 4 else T.INCONSISTENT))
        else:
            got = run([kostra], typed, preexec=limited)
            fx.expect(name, got, 4, "pocet hran: pocet uzlu : " + T.NO_MEMORY)
        if status == 4:
            fx.check(name + ": the reason, at once",
                     refused(graph or typed).fullmatch(got[2]) and
                     time.monotonic() - started < 5, "standard error %r" % got[2])

    # Near the limit: a graph that fits is worked on; one whose route lists would not fit in what
    # is left is refused at its counts, before its records are taken.
    for name, edges, fits in [("file: 2 million edges fit in 180 MB", 2000000, True),
                              ("file: 4 million edges do not", 4000000, False)]:
        path = write(os.path.join(tmp, "near.txt"), big_graph(edges))
        started = time.monotonic()
        got = run([kostra, path], "2\nn\n", preexec=limited)
        if fits:
            last = "uzel   1: kosti z= 1, smeru=%d\n" % edges
            fx.check(name, got[0] == 0 and got[1].endswith(last) and got[2] == "",
                     "status %r, standard error %r" % (got[0], got[2][:300]))
        else:
            fx.expect(name, got, 4, T.opening(path) + T.NO_MEMORY)
            fx.check(name + ": the reason, at once",
                     refused("%d 2" % edges).fullmatch(got[2]) and
                     time.monotonic() - started < 5, "standard error %r" % got[2])

    # The graph is read in full, then, while the program waits at the menu, its address space is
    # capped 16 MB above what it uses: the adjacency lists of 6 million edges need at least
    # 48 MB, so building them after the menu answer fails.
    path = write(os.path.join(tmp, "routes.txt"), big_graph(6000000))
    proc = subprocess.Popen([kostra, path], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                            stderr=subprocess.PIPE, env=child_env())
    expected = T.opening(path) + T.OK + T.MENU
    try:
        shown = b""
        deadline = time.monotonic() + TIMEOUT
        while len(shown) < len(expected) and time.monotonic() < deadline:
            ready, _, _ = select.select([proc.stdout], [], [], deadline - time.monotonic())
            chunk = os.read(proc.stdout.fileno(), 65536) if ready else b""
            if not chunk:
                break
            shown += chunk
        with open("/proc/%d/status" % proc.pid) as f:
            vm = [int(ln.split()[1]) * 1024 for ln in f if ln.startswith("VmSize:")][0]
        cap = vm + (16 << 20)
        resource.prlimit(proc.pid, resource.RLIMIT_AS, (cap, cap))
        out, err = proc.communicate(b"1\n", timeout=TIMEOUT)
        got = (proc.returncode, (shown + out).decode("latin-1"), err.decode("latin-1"))
    except (subprocess.TimeoutExpired, OSError, IndexError) as e:
        proc.kill()
        proc.communicate()
        got = ("hang or failure: %r" % e, "", "")
    fx.expect("file: the graph fits, its adjacency lists do not", got, 4,
              expected + T.NO_MEMORY)
    return fx.finish()


def group_counts(kostra, tmp, sanitized):
    """Counts far beyond what the input holds cost no memory until the graph is there: a file
    that declares millions of nodes or edges and then ends is refused at once."""
    if sanitized:
        print("hostile.counts: skipped, the sanitizers' own bookkeeping takes memory per byte")
        return SKIP
    fx = Failures("hostile.counts")
    limit_kb = 256 * 1024
    cases = [
        ("file: 50 million nodes, then the end", "1\n50000000\n", None, 1,
         lambda p: T.opening(p) + T.INCONSISTENT),
        ("file: 50 million edges, then the end", "50000000\n1\n", None, 1,
         lambda p: T.opening(p) + T.INCONSISTENT),
        ("keyboard: 50 million nodes, then the end at the menu", None, "0\n50000000\n", 3,
         lambda p: "pocet hran: pocet uzlu : " + T.MENU + T.INPUT_ENDED),
    ]
    path = os.path.join(tmp, "counts.txt")
    for name, graph, typed, status, expected in cases:
        if graph is not None:
            write(path, graph)
        argv = [kostra] if graph is None else [kostra, path]
        proc = subprocess.Popen(argv, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                stderr=subprocess.PIPE, env=child_env())
        watchdog = threading.Timer(TIMEOUT, proc.kill)
        watchdog.start()
        proc.stdin.write((typed or "").encode())
        proc.stdin.close()
        out = proc.stdout.read()
        err = proc.stderr.read()
        _, wstatus, usage = os.wait4(proc.pid, 0)  # reaped here, for its resource usage
        proc.returncode = os.waitstatus_to_exitcode(wstatus)
        hung = not watchdog.is_alive()
        watchdog.cancel()
        proc.stdout.close()
        proc.stderr.close()
        got = ("hang" if hung else proc.returncode, out.decode("latin-1"), err.decode("latin-1"))
        fx.expect(name, got, status, expected(path))
        fx.check(name + ": memory", usage.ru_maxrss < limit_kb,
                 "the run took %d MB of memory (limit %d MB)"
                 % (usage.ru_maxrss // 1024, limit_kb // 1024))
    return fx.finish()


class Terminal:
    """The program on a pseudo-terminal (or on pipes, with tty=False): answers are typed only
    once the question is on the screen."""

    def __init__(self, argv, tty):
        self.tty = tty
        if tty:
            master, slave = pty.openpty()
            self.proc = subprocess.Popen(argv, stdin=slave, stdout=slave, stderr=slave,
                                         start_new_session=True, env=child_env())
            os.close(slave)
            self.read_fd = self.write_fd = master
        else:
            self.proc = subprocess.Popen(argv, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                         stderr=subprocess.PIPE, env=child_env())
            self.read_fd = self.proc.stdout.fileno()
            self.write_fd = self.proc.stdin.fileno()
        self.raw = b""
        self.closed = False

    def screen(self):
        text = self.raw.decode("latin-1")
        return NOTE.sub("", text.replace("\r\n", "\n")) if self.tty else text

    def pump(self, deadline):
        """Reads what is there, waiting until the deadline; False when nothing more will come."""
        left = deadline - time.monotonic()
        if left <= 0 or self.closed:
            return False
        ready, _, _ = select.select([self.read_fd], [], [], left)
        if not ready:
            return False
        try:
            chunk = os.read(self.read_fd, 65536)
        except OSError:  # the terminal's other side is gone
            chunk = b""
        if not chunk:
            self.closed = True
            return False
        self.raw += chunk
        return True

    def wait_for(self, expected):
        """Waits until the screen holds exactly `expected`; the text on the screen when it does
        not come within the time limit, None when it does."""
        deadline = time.monotonic() + PROMPT_TIMEOUT
        while len(self.screen()) < len(expected) and self.pump(deadline):
            pass
        # Anything printed beyond the question before the answer is typed shows up here.
        while self.pump(time.monotonic() + 0.05):
            pass
        return None if self.screen() == expected else self.screen()

    def type(self, text):
        os.write(self.write_fd, text.encode("latin-1"))

    def end_input(self):
        if self.tty:
            self.type("\x04")  # Ctrl-D at the start of a line
        else:
            self.proc.stdin.close()

    def finish(self):
        deadline = time.monotonic() + PROMPT_TIMEOUT
        while self.pump(deadline):
            pass
        try:
            status = self.proc.wait(PROMPT_TIMEOUT)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            self.proc.wait()
            status = "hang"
        if self.tty:
            os.close(self.read_fd)
        else:
            for f in (self.proc.stdin, self.proc.stdout, self.proc.stderr):
                if not f.closed:
                    f.close()
        return status


def converse(kostra, d, path, tty, end_at=None):
    """Plays dialogue d at a terminal, typing each answer once its question is visible. With
    end_at, input ends (Ctrl-D) at that question instead. Returns a problem or None."""
    term = Terminal([kostra] if d.keyboard else [kostra, path], tty)
    try:
        seen = ""
        for k, (text, answer) in enumerate(zip(d.texts(path), d.answers())):
            seen += text
            got = term.wait_for(seen)
            if got is not None:
                return "at question %d the screen shows\n%s" % (k, difference(seen, got))
            if k == end_at:
                term.end_input()
                seen += T.INPUT_ENDED
                break
            term.type(answer)
            if tty:
                seen += answer  # the terminal echoes what is typed
        else:
            seen += d.tail
        status = term.finish()
        want = 0 if end_at is None else 3
        final = term.screen()
        if final != seen:
            return "final screen:\n" + difference(seen, final)
        if status != want:
            return "exit status %r, expected %r" % (status, want)
        return None
    finally:
        if term.proc.poll() is None:
            term.proc.kill()
            term.finish()


PTY_DIALOGUES = ["g4-task1-keyboard", "g4-task2-verbose-file", "g5-task3-verbose-keyboard",
                 "g4-task4-m1-file", "c4-task5-m2-general-keyboard"]


def group_terminal(kostra, tmp, tty):
    fx = Failures("hostile.pty" if tty else "hostile.pipe")
    for name in PTY_DIALOGUES:
        d = T.by_name(name)
        path = write(os.path.join(tmp, d.name + ".txt"), d.graph.file_text())
        # The piped run gives the same output without the echo.
        got = run([kostra] if d.keyboard else [kostra, path], d.stdin())
        fx.expect(name + ": piped at once", got, 0, d.stdout(path))
        fx.check(name + ": typed", (problem := converse(kostra, d, path, tty)) is None, problem)
        for k in range(0, len(d.steps), 3):
            fx.check("%s: input ended at question %d" % (name, k),
                     (problem := converse(kostra, d, path, tty, end_at=k)) is None, problem)
    fx.check("a graph file that takes seconds to read: progress " +
             ("shown, then wiped" if tty else "never on a pipe"),
             (problem := slow_reading(kostra, tty)) is None, problem)
    return fx.finish()


PROGRESS = re.compile(r"\r[^\n]*\r")  # drawn from the line's start, wiped back to it


def slow_reading(kostra, tty):
    """kostra reads a graph file from a pipe whose writer pauses 2.5 seconds after the counts:
    at a terminal (standard error a terminal) the progress line shows the reading and is wiped
    before anything else is written; on pipes nothing but the normal output appears. Returns a
    problem or None."""
    r, w = os.pipe()
    path = "/dev/fd/%d" % r
    if tty:
        master, slave = pty.openpty()
        streams = dict(stdin=slave, stdout=slave, stderr=slave, start_new_session=True)
    else:
        streams = dict(stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    proc = subprocess.Popen([kostra, path], pass_fds=(r,), env=child_env(), **streams)
    os.close(r)
    try:
        os.write(w, b"1\n2\n")
        time.sleep(2.5)
        os.write(w, b"0\n1\n5\n")
        os.close(w)
        expected = T.opening(path) + T.OK + T.MENU
        if not tty:
            out, err = proc.communicate(b"1\n", timeout=TIMEOUT)
            got = (proc.returncode, out.decode("latin-1"), err.decode("latin-1"))
            want = (0, expected + base_report(5), "")
            return None if got == want else "got %r, expected %r" % (got, want)
        os.close(slave)
        raw = b""
        deadline = time.monotonic() + TIMEOUT
        typed = False
        while time.monotonic() < deadline:
            ready, _, _ = select.select([master], [], [], 0.1)
            try:
                chunk = os.read(master, 65536) if ready else b""
            except OSError:
                break
            if ready and not chunk:
                break
            raw += chunk
            screen = PROGRESS.sub("", raw.decode("latin-1").replace("\r\n", "\n"))
            if not typed and screen == expected:
                os.write(master, b"1\n")
                typed = True
        proc.wait(timeout=TIMEOUT)
        os.close(master)
        text = raw.decode("latin-1").replace("\r\n", "\n")
        if "\rnacitam graf, hrana 0 z 1 (0 %), 2 s" not in text:
            return "no progress line while reading: %r" % text[:300]
        screen = PROGRESS.sub("", text)
        if screen != expected + "1\n" + base_report(5) or proc.returncode != 0:
            return "status %r, screen without the progress line:\n%s" % (
                proc.returncode, difference(expected + "1\n" + base_report(5), screen))
        return None
    finally:
        if proc.poll() is None:
            proc.kill()
            proc.wait()


def random_value(rng, v, junk):
    """A value as a graph file or a typist might write it, after some refused lines."""
    lines = [rng.choice(junk) for _ in range(rng.choice([0, 0, 0, 1, 2]))]
    forms = ["%d\n", " %d\n", "%d\r\n", "\t%d \n", "%d trailing\n", "%d\x00x\n"]
    if v >= 0:
        forms += ["+%d\n", "000%d\n"]
    return "".join(lines) + rng.choice(forms) % v


def random_case(rng):
    """A small random graph and a random answer script, both with noise: (graph file bytes or
    None for the keyboard, standard input bytes)."""
    # A cut may shorten the last line, so no refused line may start a large count.
    not_numbers = ["x\n", "\n", "- 1\n", "\x00\n", "-99999999999\n", "-2147483649\n",
                   "x" * 300 + "\n", " \r\n"]
    n = rng.randint(1, 6)
    m = rng.randint(0, 8)
    weights = [-2147483648, 2147483647, -1, 0, 1, 2, 3, 5, 100]
    edges = [(rng.randrange(n), rng.randrange(n), rng.choice(weights)) for _ in range(m)]
    graph = random_value(rng, m, not_numbers + ["-1\n", "-7\n"])
    graph += random_value(rng, n, not_numbers + ["0\n", "-1\n"])
    for f, t, w in edges:
        endpoint_junk = not_numbers + ["%d\n" % n, "-1\n", "%d\n" % (n + 5), "99999999999\n"]
        graph += random_value(rng, f, endpoint_junk) + random_value(rng, t, endpoint_junk)
        graph += random_value(rng, w, not_numbers + ["99999999999\n", "2147483648\n"])

    choice = rng.randint(1, 5)
    answers = [rng.choice(["0\n", "6\n", "x\n", "\n", "-1\n"]) for _ in range(rng.randint(0, 2))]
    answers.append("%d\n" % choice)
    if choice in (2, 3):
        answers += [rng.choice(["A\n", "\n", " a\n", "x\n", "N\n"])
                    for _ in range(rng.randint(0, 2))]
        answers.append(rng.choice(["a\n", "n\n", "ano\n", "ne\n", "a", "n\r\n"]))
    elif choice in (4, 5):
        answers += [rng.choice(["0\n", "4\n", "x\n"]) for _ in range(rng.randint(0, 2))]
        answers.append("%d\n" % rng.randint(1, 3))
        picks = list(range(-1, m + 1)) + ["x", ""]
        rng.shuffle(picks)
        answers += ["%s\n" % p for p in picks]
    stdin = "".join(answers)
    keyboard = rng.random() < 0.4
    if keyboard:
        stdin = graph + stdin
        graph = None
    elif rng.random() < 0.15:
        graph = graph[:rng.randrange(len(graph) + 1)]
    if rng.random() < 0.3:
        stdin = stdin[:rng.randrange(len(stdin) + 1)]
    enc = lambda s: None if s is None else s.encode("latin-1")  # noqa: E731
    return enc(graph), enc(stdin)


def group_random(kostra, tmp, seed, count):
    import model
    fx = Failures("hostile.random")
    # The model first reproduces every written-out dialogue, so it can be trusted on the rest.
    for d in T.all_dialogues():
        path = os.path.join(tmp, d.name + ".txt")
        for label, stdin, expected, status in variants(d):
            graph = None if d.keyboard else d.graph.file_text().encode()
            got = model.run(graph, stdin(path).encode("latin-1"), path)
            fx.check("model: %s: %s" % (d.name, label), got == (expected(path), status),
                     difference(expected(path), got[0]))
    rng = random.Random(seed)
    path = os.path.join(tmp, "random.txt")
    for k in range(count):
        graph, stdin = random_case(rng)
        if graph is not None:
            write(path, graph)
        out, status = model.run(graph, stdin, path)
        got = run([kostra] if graph is None else [kostra, path], stdin)
        fx.expect("seed %d case %d (graph %r, stdin %r)" % (seed, k, graph, stdin), got, status,
                  out)
    return fx.finish()


VALGRIND_DIALOGUES = ["g4-task1-file", "g4-task2-verbose-file", "g4-task3-verbose-file",
                      "g4-task4-m1-file", "c4-task5-m2-general-keyboard",
                      "g5-task3-verbose-keyboard"]


def group_valgrind(kostra, tmp, sanitized):
    if sanitized:
        print("hostile.valgrind: skipped, valgrind does not run a sanitized build")
        return SKIP
    valgrind = shutil.which("valgrind")
    if valgrind is None:
        print("hostile.valgrind: skipped, valgrind is not installed")
        return SKIP
    fx = Failures("hostile.valgrind")
    vg = [valgrind, "--quiet", "--error-exitcode=99", "--leak-check=full",
          "--errors-for-leak-kinds=definite,indirect,possible", "--track-origins=yes"]
    runs = []
    for name in VALGRIND_DIALOGUES:
        d = T.by_name(name)
        path = write(os.path.join(tmp, d.name + ".txt"), d.graph.file_text())
        argv = [kostra] if d.keyboard else [kostra, path]
        runs.append((name, argv, d.stdin(), d.stdout(path), 0))
    d = T.by_name("g4-task5-m1-file")
    path = write(os.path.join(tmp, "g4.txt"), d.graph.file_text())
    runs.append(("input ended at the cut question", [kostra, path], d.ended_at(2, path)[0],
                 d.ended_at(2, path)[1], 3))
    cut = write(os.path.join(tmp, "cut.txt"), "2\n3\n0\n1\n")
    runs.append(("inconsistent file", [kostra, cut], "", inconsistent(cut), 1))
    for name, argv, stdin, expected, status in runs:
        got = run(vg + argv, stdin, timeout=120)
        fx.expect(name, got, status, expected)
    return fx.finish()


def main():
    if len(sys.argv) < 3:
        print(__doc__)
        return 2
    group, kostra = sys.argv[1], os.path.abspath(sys.argv[2])
    sanitized = "--sanitized" in sys.argv[3:]
    with tempfile.TemporaryDirectory(prefix="kostra-hostile-") as tmp:
        if group == "inputs":
            return group_inputs(kostra, tmp)
        if group == "eof":
            return group_eof(kostra, tmp)
        if group == "unwritable":
            return group_unwritable(kostra, tmp)
        if group == "memory":
            return group_memory(kostra, tmp, sanitized)
        if group == "counts":
            return group_counts(kostra, tmp, sanitized)
        if group == "pipe":
            return group_terminal(kostra, tmp, tty=False)
        if group == "pty":
            return group_terminal(kostra, tmp, tty=True)
        if group == "random":
            seed = int(os.environ.get("KOSTRA_RANDOM_SEED", "20261207"))
            count = int(os.environ.get("KOSTRA_RANDOM_RUNS", "400"))
            return group_random(kostra, tmp, seed, count)
        if group == "valgrind":
            return group_valgrind(kostra, tmp, sanitized)
    print("unknown group " + group)
    return 2


if __name__ == "__main__":
    sys.exit(main())
