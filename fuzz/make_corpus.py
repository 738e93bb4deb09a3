#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets into fuzz/corpus/<program>/:

- kostra (fuzz_kostra): the examples with an answer script for every task, the golden
  transcripts, the written-out dialogues of the hostile tests and a few hostile inputs;
- kostra-dot (fuzz_kostra_dot): kostra's golden outputs as raw transcripts with their graphs,
  every drawing test's and every task's answers for kostra to run on the graph file and at the
  keyboard, some of them changed in one place, and the argument forms;
- kostra-matice (fuzz_kostra_matice): the examples and the small golden graphs with every method,
  kind and output form, and every kind of bad argument.

usage (from the repository root): python3 fuzz/make_corpus.py

A seed is one fuzz input, laid out as the comment at the top of the target's source says. File
names are the seed's content hash, so running this again only adds what is new.
"""

import glob
import hashlib
import os
import sys

sys.dont_write_bytecode = True
root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(root, "tests", "hostile"))
import transcripts as T  # noqa: E402

SEP = b"@@@\n"
# Answers that take every task of the menu through to its report on the four-node example.
TASK_ANSWERS = [b"1\n", b"2\na\n", b"2\nn\n", b"3\na\n", b"3\nn\n", b"4\n1\n2\n", b"4\n2\n0\n",
                b"4\n3\n4\n", b"5\n1\n1\n", b"5\n2\n2\n", b"5\n3\n3\n"]


def read(path):
    with open(path, "rb") as f:
        return f.read()


def graphs():
    """Every graph file of the examples and the golden tests, by path."""
    paths = sorted(glob.glob(os.path.join(root, "examples", "*")))
    paths += sorted(glob.glob(os.path.join(root, "tests", "golden", "*.graph")))
    paths += sorted(glob.glob(os.path.join(root, "tools", "kostra-dot", "tests", "golden",
                                           "*.graph")))
    return paths


def small_graphs(limit=2000):
    """The graph files small enough to make quick seeds."""
    return [p for p in graphs() if os.path.getsize(p) <= limit]


def seeds():
    for path in sorted(glob.glob(os.path.join(root, "examples", "*"))):
        graph = read(path)
        for answers in TASK_ANSWERS:
            yield b"F" + graph + SEP + answers
    for out in sorted(glob.glob(os.path.join(root, "tests", "golden", "*.out"))):
        base = out[:-len(".out")]
        answers = read(base + ".in") if os.path.exists(base + ".in") else b""
        if os.path.exists(base + ".graph"):
            yield b"F" + read(base + ".graph") + SEP + answers
        elif not os.path.exists(base + ".args"):
            yield b"K" + answers
    for d in T.all_dialogues():
        answers = d.stdin().encode("latin-1")
        if d.keyboard:
            yield b"K" + answers
        else:
            yield b"F" + d.graph.file_text().encode() + SEP + answers
    # Hostile starts: long lines, carriage returns, NUL bytes, numbers beyond 32 bits, a file
    # cut short, a count beyond the file, self-loops and parallel edges, extreme weights.
    yield b"F1\r\n2\r\n0\r\n1\r\n5\r\n" + SEP + b"1\r\n"
    yield b"F1\n3\n" + b" " * 254 + b"12\n7\n" + SEP + b"2\na\n"
    yield b"F1\n2\n0\x001\n\x009\n1\n5\x007\n" + SEP + b"\x00\n3\na\n"
    yield b"F4294967297\n1\n2\n0\n1\n2147483648\n-2147483648\n" + SEP + b"3\na\n"
    yield b"F1\n2\n0\n1\n12"
    yield b"F1000000\n2\n0\n1\n5\n" + SEP + b"1\n"
    yield (b"F4\n3\n0\n0\n-2147483648\n0\n1\n2147483647\n1\n0\n2147483647\n2\n2\n-1\n" + SEP +
           b"4\n3\n3\n")
    yield b"F3\n3\n0\n1\n1\n1\n0\n1\n1\n2\n1\n" + SEP + b"5\n2\n2\n"
    yield b"F0\n5\n" + SEP + b"3\na\n"
    yield b"Kx" + b"x" * 300 + b"\n1\n2\n0\n1\nabc\n5\n2\nA\nano\n"
    yield b"F1\n2\n0\n1\n5\n" + SEP + b"4\n1\n0\nx\n-1\n"  # a tree: no loop can be asked for
    yield b"F5\n4\n0 1 4\n1 2 1\n2 0 3\n2 3 2\n3 1 5\n" + SEP + b"1\n"  # an edge a line
    yield b"D"
    yield b"M"


# fuzz_kostra_dot's first byte: bits 0-1 where the transcript comes from, bit 2 a change, bits 3-5
# the arguments (see fuzz_kostra_dot.cpp).
DOT_RAW, DOT_FILE_RUN, DOT_KEYBOARD_RUN = 0x40, 0x41, 0x42
DOT_CHANGED = 0x04
DOT_BROKEN = 0x80  # standard input ends in a read error
DOT_NO_ARGUMENTS, DOT_HELP, DOT_SHORT_HELP, DOT_DIRECTORY, DOT_MISSING = 0x28, 0x30, 0x70, 0x38, 0x78


def dot_seeds():
    dot_golden = os.path.join(root, "tools", "kostra-dot", "tests", "golden")
    example = os.path.join(root, "examples", "ctyri-uzly.txt")
    # The drawing tests: kostra's answers on their graphs, run on the file and at the keyboard.
    for answers_path in sorted(glob.glob(os.path.join(dot_golden, "*.in"))):
        name = os.path.basename(answers_path)[:-len(".in")]
        graph_path = os.path.join(dot_golden, name.split("-")[0] + ".graph")
        graph = read(graph_path if os.path.exists(graph_path) else example)
        answers = read(answers_path)
        yield bytes([DOT_FILE_RUN]) + graph + SEP + answers
        yield bytes([DOT_KEYBOARD_RUN]) + graph + SEP + answers
        yield bytes([DOT_FILE_RUN | DOT_BROKEN]) + graph + SEP + answers
    # Every task on every small graph; a few of them changed in one place (position, operation).
    for i, graph_path in enumerate(small_graphs()):
        graph = read(graph_path)
        for j, answers in enumerate(TASK_ANSWERS):
            yield bytes([DOT_FILE_RUN]) + graph + SEP + answers
            if (i + j) % 3 == 0:
                change = bytes([0, (37 * (i + j)) % 256, (i * 8 + j) % 256])
                yield bytes([DOT_FILE_RUN | DOT_CHANGED]) + change + graph + SEP + answers
    # kostra's golden outputs with their graph files, as raw transcripts.
    for out in sorted(glob.glob(os.path.join(root, "tests", "golden", "*.out"))):
        base = out[:-len(".out")]
        if os.path.exists(base + ".graph") and os.path.getsize(out) <= 4000:
            yield bytes([DOT_RAW]) + read(base + ".graph") + SEP + read(out)
    # A transcript of every shape cut short after each of its lines, and one with a number of
    # eleven digits.
    for case in ("ctyri-uloha1", "ctyri-uloha3-podrobne", "ctyri-smycka-hrana2",
                 "ctyri-rez-hrana1"):
        base = os.path.join(root, "tests", "golden", case)
        if not os.path.exists(base + ".out"):
            continue
        graph, lines = read(base + ".graph"), read(base + ".out").split(b"\n")
        for k in range(len(lines)):
            yield bytes([DOT_RAW]) + graph + SEP + b"\n".join(lines[:k])
        yield bytes([DOT_RAW]) + graph + SEP + read(base + ".out").replace(b"hrana  1",
                                                                           b"hrana 10000000001")
    graph = read(example)
    for form in (DOT_NO_ARGUMENTS, DOT_HELP, DOT_SHORT_HELP, DOT_DIRECTORY, DOT_MISSING):
        yield bytes([form | 1]) + graph + SEP + b"1\n"
    yield bytes([DOT_RAW]) + graph + SEP
    yield bytes([DOT_RAW]) + graph + SEP + b"nacitam strukturu grafu ze souboru  x... [OK]\n"


def matice_seeds():
    methods = [b"1", b"2", b"3"]
    kinds = [b"smycky", b"rezy"]
    for i, graph_path in enumerate(small_graphs()):
        graph = read(graph_path) + SEP
        for method in methods:
            for kind in kinds:
                if i < 3 or (i + int(method)) % 4 == 0:
                    yield graph + b"@\n" + method + b"\n" + kind + b"\n"
                if i < 3:
                    yield graph + b"--tabulka\n@\n" + method + b"\n" + kind + b"\n"
                    yield graph + b"--hrany-radku\n@\n" + method + b"\n" + kind + b"\n"
        if i < 3:
            yield graph + b"--tabulka\n--\n@\n 2x\nrezy\n"
    graph = read(os.path.join(root, "examples", "ctyri-uzly.txt")) + SEP
    for args in [b"--help", b"-h", b"--tabulka\n-h", b"", b"@", b"@\n1", b"@\n1\nsmycky\nnavic",
                 b"-x\n@\n1\nsmycky", b"--\n-\n1\nrezy", b"@\n0\nrezy", b"@\n4\nrezy",
                 b"@\n+3\nrezy", b"@\n-1\nrezy", b"@\n\nrezy", b"@\n99999999999\nrezy",
                 b"@\n1\nsmycka", b"@\n1\nREZY", b"nic\n1\nrezy", b".\n1\nrezy",
                 b"--tabulka\n--tabulka\n@\n3\nsmycky", b"-\n1\nrezy", b"--tabulka", b"@\n1\x00\nrezy",
                 b"\x01\x7f\n1\nrezy", b"--version", b"--tabulka\n--version",
                 b"--hrany-radku\n--tabulka\n@\n1\nrezy", b"--tabulka\n--hrany-radku\n@\n1\nrezy"]:
        yield graph + args + b"\n"
    yield b"1\n2\n0\n1\n5" + SEP + b"@\n1\nsmycky\n"
    yield b"0\n1\n" + SEP + b"--tabulka\n@\n1\nsmycky\n"
    yield b"0\n1000000\n" + SEP + b"@\n1\nrezy\n"
    # Lines that a graph file should not have: refused values, text after a number, cut short.
    yield b"2 3\n3\n0 1 4\n1 2 1\n2 0 3\n" + SEP + b"@\n1\nrezy\n"
    yield b"1\n2\n0\n2.5\n1O\nx\n7\n" + SEP + b"--tabulka\n@\n1\nsmycky\n"
    yield b"1000\n2\n0\n1\n5\n" + SEP + b"@\n1\nrezy\n"


def write(program, seeds_of):
    out_dir = os.path.join(root, "fuzz", "corpus", program)
    os.makedirs(out_dir, exist_ok=True)
    written = 0
    for seed in seeds_of():
        name = os.path.join(out_dir, hashlib.sha1(seed).hexdigest()[:16])
        if not os.path.exists(name):
            with open(name, "wb") as f:
                f.write(seed)
            written += 1
    print("%d new seeds in %s" % (written, os.path.relpath(out_dir, root)))


def main():
    write("kostra", seeds)
    write("kostra-dot", dot_seeds)
    write("kostra-matice", matice_seeds)


if __name__ == "__main__":
    main()
