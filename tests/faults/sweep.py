#!/usr/bin/env python3
"""The fault sweep: a program's runs with each allocation, each write and every transfer failing.

usage (from the repository root): python3 tests/faults/sweep.py PROGRAM BUILD_DIR [--light]
                                  [--only CASE]

PROGRAM names an entry of the table PROGRAMS below. BUILD_DIR is a build directory: the program
as built is BUILD_DIR/PROGRAM, its twin with the fault hook (fault_hook.cpp) is
BUILD_DIR/tests/faults/PROGRAM_faulty, and BUILD_DIR/kostra writes kostra-dot's transcripts.
--light takes a shorter table of inputs (for the sanitizer build); --only runs the inputs whose
name contains CASE.

For every input of the program's table: the program's own run is the normal outcome, and the
twin, run without faults, must give the same and counts A allocations and W writes to standard
output. Then, each run with a time limit:
  - A runs with allocation n failing, A runs with allocation n and every later one failing:
    the normal outcome, or status 4 with the program's message for memory (see Program);
  - W runs with write n failing: status 5, standard output a prefix of the normal one and
    "CHYBA: nelze zapsat vystup" the one error line on standard error;
  - one run where every read and write falls short and is now and then interrupted: the normal
    outcome, byte for byte.
No run may end by a signal, hang, print anything else, or (under the sanitizers, whose reports
go to standard error) leak. Standard input is always a file, so that the counts do not depend
on how a pipe happens to deliver the data. Prints a line per input and per failure and a
summary; the status is 0 when every run passed and 1 otherwise.
"""

import argparse
import os
import random
import subprocess
import sys
import tempfile

TIMEOUT = 60  # seconds for one run; generous for the sanitizer build

NO_MEMORY = "CHYBA: nedostatek pameti\n"
CANNOT_WRITE = "CHYBA: nelze zapsat vystup\n"


class Case:
    """One input: the arguments after the program's name and standard input (a file's bytes).
    big: the input is meant to fill several output buffers, which the sweep checks."""

    def __init__(self, name, args, stdin, big=False):
        self.name, self.args, self.stdin, self.big = name, args, stdin, big


class Program:
    """What a program promises when memory runs out: memory_out names the stream that gets the
    message and the text it gets there (after a prefix of the normal output of that stream);
    empty_on_error: nothing on standard output when memory runs out."""

    def __init__(self, cases, memory_out, empty_on_error):
        self.cases, self.memory_out, self.empty_on_error = cases, memory_out, empty_on_error


# ---- the inputs ----------------------------------------------------------------------------

def text_of(path):
    with open(path, encoding="latin-1") as f:
        return f.read()


def big_graph(seed, n, m):
    """A random graph of n nodes and m edges with many equal weights; deterministic."""
    rng = random.Random(seed)
    lines = [str(m), str(n)]
    for _ in range(m):
        lines += [str(rng.randrange(n)), str(rng.randrange(n)), str(rng.randrange(-500, 500))]
    return "\n".join(lines) + "\n"


def edge_answers(m):
    """Every edge number in turn: the first one the question takes is the answer, the ones
    before it are refused."""
    return "".join("%d\n" % k for k in range(m))


def task_answers(m, light):
    """name -> answers after the graph, for every task and question."""
    every = {
        "uloha1": "1\n",
        "uloha2-podrobne": "2\na\n",
        "uloha2": "2\nn\n",
        "uloha3-podrobne": "3\na\n",
        "uloha3": "3\nx\nn\n",
    }
    for method in (1, 2, 3):
        every["smycka-metoda%d" % method] = "4\n%d\n%s" % (method, edge_answers(m))
        every["rez-metoda%d" % method] = "5\n%d\n%s" % (method, edge_answers(m))
    if light:
        return {k: v for k, v in every.items() if k in (
            "uloha1", "uloha2-podrobne", "uloha3-podrobne", "smycka-metoda1", "rez-metoda3")}
    return every


def kostra_cases(ctx):
    light = ctx.light
    cases = []
    four = ctx.example("ctyri-uzly.txt")
    four_text = text_of(four)  # typed on the keyboard, the graph file's lines are the answers
    # Every task and question from a graph file; each task once from the keyboard, where only
    # the reading of the graph differs.
    keyboard = ("uloha2-podrobne", "rez-metoda3") if light else (
        "uloha1", "uloha2", "uloha3-podrobne", "smycka-metoda2", "rez-metoda3")
    for name, answers in task_answers(5, light).items():
        cases.append(Case("soubor-" + name, [four], answers))
        if name in keyboard:
            cases.append(Case("klavesnice-" + name, [], four_text + answers))
    examples = [] if light else [("nesouvisly.txt", ("uloha3-podrobne", "rez-metoda1")),
                                 ("smycky.txt", ("uloha2-podrobne", "smycka-metoda2"))]
    for example, names in examples:
        path = ctx.example(example)
        m = int(text_of(path).split()[0])
        for name in names:
            cases.append(Case(example + "-" + name, [path], task_answers(m, False)[name]))

    empty = ctx.file("bez-hran.txt", "0\n3\n")
    cases += [
        Case("bez-hran-uloha2-podrobne", [empty], "2\na\n"),
        Case("chybi-soubor", [ctx.path("chybi.txt")], "1\n"),
        Case("adresar", [ctx.tmp], "1\n"),
        Case("nekonzistentni", [ctx.file("kratky.txt", "5\n4\n0\n1\n")], "1\n"),
        # Warnings and the reason on standard error, made while memory may run out.
        Case("hrana-na-radek", [ctx.file("radky.txt", "3\n4\n0 1 4\n1 2 1\n2.5\n")], "1\n"),
        Case("konec-vstupu-v-nabidce", [four], "0\n9\nx\n"),
        Case("konec-vstupu-v-otazce", [four], "2\n"),
        Case("konec-vstupu-v-grafu", [], "2\n3\n0\n1\n"),
    ]

    # Several output buffers of megabytes: the narration and the report of a large graph, and
    # on the keyboard the questions for all its values.
    big = ctx.file("velky.txt", big_graph(20240611, 10000, 30000))
    big_tasks = ["uloha2-podrobne"] if light else ["uloha2-podrobne", "uloha3-podrobne",
                                                   "rez-metoda3"]
    for name in big_tasks:
        cases.append(Case("velky-" + name, [big], task_answers(30000, False)[name], big=True))
    if not light:
        cases.append(Case("velky-klavesnice-uloha1", [], text_of(big) + "1\n",
                          big=True))
    return cases


def kostra_dot_cases(ctx):
    """kostra-dot reads a graph file and kostra's output of a run on it."""
    light = ctx.light
    four = ctx.example("ctyri-uzly.txt")
    four_text = text_of(four)
    cases = []
    for name, answers in task_answers(5, light).items():
        cases.append(Case("soubor-" + name, [four], ctx.kostra([four], answers)))
    if not light:
        cases.append(Case("klavesnice-rez-metoda1", [four],
                          ctx.kostra([], four_text + "5\n1\n" + edge_answers(5))))
        far = ctx.example("nesouvisly.txt")
        cases.append(Case("nesouvisly-rez-metoda2", [far], ctx.kostra([far], "5\n2\n0\n1\n")))

    # The page: dot runs as a child, fed and read through pipes, while the faults strike.
    page_tasks = ("uloha2-podrobne",) if light else ("uloha2-podrobne", "rez-metoda1")
    for name in page_tasks:
        cases.append(Case("stranka-" + name, ["--html", four],
                          ctx.kostra([four], task_answers(5, False)[name])))

    task1 = ctx.kostra([four], "1\n")
    cases += [
        Case("napoveda", ["--help"], ""),
        Case("bez-argumentu", [], ""),
        Case("chybi-soubor", [ctx.path("chybi.txt")], task1),
        Case("nekonzistentni", [ctx.file("kratky.txt", "5\n4\n0\n1\n")], task1),
        Case("prazdny-vstup", [four], ""),
        Case("useknuty-vystup", [four], task1[:len(task1) // 2 + 7]),
        Case("chyba-kostry", [four], ctx.kostra([four], "4\n")),
    ]

    # A drawing of megabytes, with the note for a large graph on standard error.
    big = ctx.file("velky.txt", big_graph(20240611, 15000, 45000))
    cases.append(Case("velky-rez-metoda1", [big], ctx.kostra([big], "5\n1\n" + edge_answers(45000)),
                      big=True))
    return cases


def kostra_matice_cases(ctx):
    """kostra-matice [--tabulka] GRAF METODA DRUH: every loop or every cut of a forest."""
    four = ctx.example("ctyri-uzly.txt")
    cases = []
    for method in (1, 2, 3):
        for kind in ("smycky", "rezy"):
            for table in ([], ["--tabulka"]):
                if ctx.light and (method, kind) not in ((1, "smycky"), (3, "rezy")):
                    continue
                name = "%s%s-metoda%d" % (kind, "-tabulka" if table else "", method)
                cases.append(Case(name, table + [four, str(method), kind], ""))
    cases += [
        Case("napoveda", ["--help"], ""),
        Case("bez-argumentu", [], ""),
        Case("spatna-metoda", [four, "4", "rezy"], ""),
        Case("spatny-druh", [four, "1", "radky"], ""),
        Case("chybi-soubor", [ctx.path("chybi.txt"), "1", "rezy"], ""),
        Case("nekonzistentni", [ctx.file("kratky.txt", "5\n4\n0\n1\n"), "1", "rezy"], ""),
    ]
    # A table of a thousand columns fills several output buffers, with the note on standard
    # error for a wide table.
    wide = ctx.file("siroky.txt", big_graph(20240613, 400, 1000))
    cases.append(Case("siroky-smycky-tabulka-metoda2", ["--tabulka", wide, "2", "smycky"], "",
                      big=True))
    return cases


# The programs and what each promises. kostra writes its memory message on standard output after
# a line break; the tools write theirs on standard error and nothing on standard output.
PROGRAMS = {
    "kostra": Program(kostra_cases, ("stdout", "\n" + NO_MEMORY), empty_on_error=False),
    "kostra-dot": Program(kostra_dot_cases, ("stderr", NO_MEMORY), empty_on_error=True),
    "kostra-matice": Program(kostra_matice_cases, ("stderr", NO_MEMORY), empty_on_error=True),
}


# ---- running ----------------------------------------------------------------------------------

class Context:
    def __init__(self, tmp, examples, kostra, light):
        self.tmp, self.examples, self.kostra_binary, self.light = tmp, examples, kostra, light

    def path(self, name):
        return os.path.join(self.tmp, name)

    def example(self, name):
        return os.path.join(self.examples, name)

    def file(self, name, text):
        with open(self.path(name), "w", encoding="latin-1") as f:
            f.write(text)
        return self.path(name)

    def kostra(self, args, answers):
        """kostra's standard output for a run on args with answers."""
        got = run([self.kostra_binary] + args, answers.encode("latin-1"), {}, self.path("in"))
        return got[1]


def child_env(faults):
    env = {k: v for k, v in os.environ.items() if not k.startswith("FAULT_")}
    # A sanitizer's report must not pass for one of the program's own statuses.
    for var in ("ASAN_OPTIONS", "UBSAN_OPTIONS"):
        env[var] = (env.get(var, "") + ":exitcode=86").lstrip(":")
    env.update(faults)
    return env


def run(argv, stdin, faults, stdin_path):
    """(status, stdout, stderr); status is 'hang' when the time ran out and the negative signal
    number when a signal ended the run."""
    with open(stdin_path, "wb") as f:
        f.write(stdin)
    with open(stdin_path, "rb") as f:
        try:
            p = subprocess.run(argv, stdin=f, capture_output=True, env=child_env(faults),
                               timeout=TIMEOUT)
        except subprocess.TimeoutExpired:
            return ("hang", "", "")
    return (p.returncode, p.stdout.decode("latin-1"), p.stderr.decode("latin-1"))


def read_report(path):
    """The hook's counts: {'allocations': A, 'writes': W, 'injected': 0 or 1}, or None."""
    try:
        with open(path) as f:
            return {k: int(v) for k, v in (line.split() for line in f)}
    except (OSError, ValueError):
        return None


def without(text, message):
    """text without message at its end; None when it does not end with message."""
    return text[:-len(message)] if text.endswith(message) else None


def quiet(text, normal):
    """text is a prefix of the normal standard error and holds no error line."""
    return normal.startswith(text) and "CHYBA" not in text


def shown(text, limit=300):
    return repr(text if len(text) <= limit else "..." + text[-limit:])


class Sweep:
    def __init__(self, program, name, binary, faulty, ctx):
        self.program, self.name, self.binary, self.faulty, self.ctx = (
            program, name, binary, faulty, ctx)
        self.runs = 0
        self.failures = 0
        self.last_failed = None

    def fail(self, case, kind, why):
        if case is not self.last_failed:
            self.last_failed = case
            print("input %s: arguments %r, standard input %s"
                  % (case.name, case.args, shown(case.stdin)), flush=True)
        self.failures += 1
        print("FAIL %s %s %s: %s" % (self.name, case.name, kind, why), flush=True)

    def faulty_run(self, case, faults):
        report = self.ctx.path("report")
        if os.path.exists(report):
            os.remove(report)
        env = dict(faults, FAULT_REPORT=report)
        got = run([self.faulty] + case.args, case.stdin.encode("latin-1"), env,
                  self.ctx.path("in"))
        self.runs += 1
        return got, read_report(report)

    def memory_ok(self, normal, got):
        """Status 4 with the message after a prefix of the normal output of its stream; the
        other stream a prefix of the normal one (standard output empty, if the program promises
        it), and no other error line on standard error."""
        status, out, err = got
        stream, message = self.program.memory_out
        if status != 4:
            return False
        if stream == "stdout":
            before = without(out, message)
            return before is not None and normal[1].startswith(before) and quiet(err, normal[2])
        before = without(err, message)
        return (before is not None and quiet(before, normal[2])
                and (out == "" if self.program.empty_on_error else normal[1].startswith(out)))

    def write_ok(self, normal, got):
        """Status 5, standard output a prefix of the normal one, and the message the one error
        line on standard error."""
        status, out, err = got
        before = without(err, CANNOT_WRITE)
        return (status == 5 and normal[1].startswith(out) and before is not None
                and quiet(before, normal[2]))

    def sweep(self, case):
        normal = run([self.binary] + case.args, case.stdin.encode("latin-1"), {},
                     self.ctx.path("in"))
        if not isinstance(normal[0], int) or normal[0] < 0:
            self.fail(case, "normal run", "status %r" % (normal[0],))
            return
        got, counts = self.faulty_run(case, {})
        if got != normal or counts is None or counts["injected"] != 0:
            self.fail(case, "twin without faults",
                      "differs from the program: status %r, stdout %s, stderr %s, counts %r"
                      % (got[0], shown(got[1]), shown(got[2]), counts))
            return
        allocations, writes = counts["allocations"], counts["writes"]
        if case.big and writes < 3:
            self.fail(case, "size", "only %d writes to standard output" % writes)

        for n in range(1, allocations + 1):
            for var in ("FAULT_ALLOC", "FAULT_ALLOC_FROM"):
                got, counts = self.faulty_run(case, {var: str(n)})
                kind = "%s=%d" % (var, n)
                if not self.reached(case, kind, got, counts):
                    continue
                if got != normal and not self.memory_ok(normal, got):
                    self.fail(case, kind, "status %r, stdout %s, stderr %s"
                              % (got[0], shown(got[1]), shown(got[2])))

        for n in range(1, writes + 1):
            got, counts = self.faulty_run(case, {"FAULT_WRITE": str(n)})
            kind = "FAULT_WRITE=%d" % n
            if not self.reached(case, kind, got, counts):
                continue
            if not self.write_ok(normal, got):
                self.fail(case, kind, "status %r, stdout %s, stderr %s"
                          % (got[0], shown(got[1]), shown(got[2])))

        got, counts = self.faulty_run(case, {"FAULT_SHORT": "1"})
        if got != normal:
            self.fail(case, "FAULT_SHORT", "status %r (normal %r), stdout %s, stderr %s"
                      % (got[0], normal[0], shown(got[1]), shown(got[2])))
        print("%-40s %4d allocations %4d writes" % (case.name, allocations, writes), flush=True)

    def reached(self, case, kind, got, counts):
        """The run ended by itself, within the time, and met the fault it was given."""
        if got[0] == "hang":
            self.fail(case, kind, "no end within %d s" % TIMEOUT)
            return False
        if got[0] < 0:
            self.fail(case, kind, "ended by signal %d; stderr %s" % (-got[0], shown(got[2])))
            return False
        if counts is None or counts["injected"] != 1:
            self.fail(case, kind, "the fault was never met (status %r, stderr %s)"
                      % (got[0], shown(got[2])))
            return False
        return True


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[1])
    parser.add_argument("program", choices=sorted(PROGRAMS))
    parser.add_argument("build_dir")
    parser.add_argument("--light", action="store_true")
    parser.add_argument("--only", default="")
    a = parser.parse_args()
    build = os.path.abspath(a.build_dir)
    examples = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "examples")
    with tempfile.TemporaryDirectory(prefix="kostra-faults-") as tmp:
        ctx = Context(tmp, examples, os.path.join(build, "kostra"), a.light)
        sweep = Sweep(PROGRAMS[a.program], a.program, os.path.join(build, a.program),
                      os.path.join(build, "tests", "faults", a.program + "_faulty"), ctx)
        cases = [c for c in PROGRAMS[a.program].cases(ctx) if a.only in c.name]
        for case in cases:
            sweep.sweep(case)
    print("faults.%s: %d inputs, %d runs, %d failed"
          % (a.program, len(cases), sweep.runs, sweep.failures))
    return 1 if sweep.failures or not cases else 0


if __name__ == "__main__":
    sys.exit(main())
