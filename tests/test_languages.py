#!/usr/bin/env python3
"""kostra in English beside kostra in Czech, over the golden transcripts: every case <case>-en is the
run of <case> in English. Line by line, its standard output (and its standard error, where the
case keeps it) holds the same numbers as its Czech twin's, so that a script reads either alike;
and no English line holds a word that only the Czech texts of the catalogue use (quoted input and
the case's own arguments aside).

usage: test_languages.py GOLDEN_DIR
"""
import pathlib
import re
import sys

import texts

NUMBER = re.compile(r"-?\d+")
WORD = re.compile(r"[A-Za-z]{2,}")
QUOTED = re.compile(r'"[^"\n]*"')


def words(language):
    return {w for name in texts.names() for w in WORD.findall(texts.get(name, language))}


def main():
    golden = pathlib.Path(sys.argv[1])
    czech_only = words("cs") - words("en")
    failures, twins = [], 0
    for english in sorted(golden.glob("*-en.out")):
        case = english.name[:-len("-en.out")]
        if not (golden / f"{case}.out").exists():
            failures.append(f"{english.name} has no Czech twin {case}.out")
            continue
        twins += 1
        arguments = (golden / f"{case}-en.args").read_text() if (
            golden / f"{case}-en.args").exists() else ""
        allowed = set(WORD.findall(arguments))
        for suffix in (".out", ".err", ".status"):
            theirs, ours = golden / f"{case}{suffix}", golden / f"{case}-en{suffix}"
            if not ours.exists():
                continue
            if not theirs.exists():
                failures.append(f"{ours.name} has no Czech twin")
                continue
            cs = theirs.read_text(errors="replace").split("\n")
            en = ours.read_text(errors="replace").split("\n")
            if len(cs) != len(en):
                failures.append(f"{ours.name}: {len(en)} lines, {theirs.name} {len(cs)}")
                continue
            for number, (a, b) in enumerate(zip(cs, en), 1):
                if NUMBER.findall(a) != NUMBER.findall(b):
                    failures.append(f"{ours.name}:{number}: numbers {NUMBER.findall(b)}, "
                                    f"the Czech line has {NUMBER.findall(a)}")
                left = set(WORD.findall(QUOTED.sub("", b))) & czech_only - allowed
                if left:
                    failures.append(f"{ours.name}:{number}: Czech words {sorted(left)}: {b!r}")
    for failure in failures:
        print(f"FAIL {failure}")
    if twins == 0:
        print(f"FAIL no English twins in {golden}")
        return 1
    print(f"{twins} cases in both languages compared")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
