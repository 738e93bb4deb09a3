#!/usr/bin/env python3
"""Writes the seed corpus of fuzz_kostra into fuzz/corpus/ from the examples, the golden
transcripts and the written-out dialogues of the hostile tests, plus a few hostile inputs.

usage (from the repository root): python3 fuzz/make_corpus.py

A seed is one fuzz input: 'F', the graph file, "@@@\\n", the answers; or 'K' and the answers of
a typed graph (see fuzz_kostra.cpp). File names are the seed's content hash, so running this
again only adds what is new.
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
    yield b"D"
    yield b"M"


def main():
    out_dir = os.path.join(root, "fuzz", "corpus")
    os.makedirs(out_dir, exist_ok=True)
    written = 0
    for seed in seeds():
        name = os.path.join(out_dir, hashlib.sha1(seed).hexdigest()[:16])
        if not os.path.exists(name):
            with open(name, "wb") as f:
                f.write(seed)
            written += 1
    print("%d new seeds in %s" % (written, out_dir))


if __name__ == "__main__":
    main()
