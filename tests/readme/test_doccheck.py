#!/usr/bin/env python3
"""doccheck.py against documents with one known fault each: every fault must be reported, and
the faultless document must pass with every command counted. A checker that stops finding its
blocks or comparing its output would otherwise let every document pass.

usage: test_doccheck.py SOURCE_DIR BUILD_DIR
"""
import os
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))

GOOD = """# A document

```console
$ printf '1\\n' | kostra examples/ctyri-uzly.txt | tail -n 2
uzel   2: kosti z= 1, smeru= 3
uzel   3: kosti z= 1, smeru= 2
$ kostra chybi.txt; echo "status $?"
CHYBA: nelze otevrit soubor "chybi.txt"
POZNAMKA: soubor neexistuje
status 2
$ kostra examples/ctyri-uzly.txt <<'EOF' | tail -n 1
1
EOF
uzel   3: kosti z= 1, smeru= 2
```

```sh
printf '5\\n1\\n1\\n' > odpovedi.txt
kostra examples/ctyri-uzly.txt < odpovedi.txt > vystup.txt
```

<!-- doc-check: ci .ci/run -->
```sh
cmake --workflow --preset test
```

<!-- doc-check: skip shown, not run -->
```sh
false
```

<!-- doc-check: shell one terminal -->
```sh
export PATH="$HOME/.local/bin:$PATH"
cd examples
kostra ctyri-uzly.txt < /dev/null > /dev/null || test $? = 3
```

```text
$ not a command: a listing
```
"""

# (what is wrong, the document, what the report must say)
FAULTS = [
    ("output", GOOD.replace("smeru= 2", "smeru= 4"), "prints other than shown"),
    ("blank at a line end", GOOD.replace("smeru= 3\n", "smeru= 3 \n"), "prints other than shown"),
    ("missing line", GOOD.replace('status 2\n', ''), "prints other than shown"),
    ("here-document", GOOD.replace("<<'EOF' | tail -n 1\n1\n", "<<'EOF' | tail -n 1\n4\n1\n2\n"),
     "prints other than shown"),
    ("status", GOOD.replace("< odpovedi.txt >", "< chybi.txt >"), "ended with status"),
    ("pipeline", GOOD.replace("| tail -n 2", "| false | tail -n 2"), "ended with status"),
    ("fence", GOOD.replace("```text", "```"), "a fence without a language"),
    ("indented", GOOD + "\n    $ kostra\n", "an indented command"),
    ("ci step", GOOD.replace("--preset test\n", "--preset nowhere\n"), "is not a step of .ci/run"),
    ("build", GOOD.replace("<!-- doc-check: ci .ci/run -->\n", ""), "builds; mark the block"),
    ("packages", GOOD + "\n<!-- doc-check: packages .ci/run -->\n```sh\napt-get install nic\n```\n",
     "does not install ['nic']"),
    ("one shell", GOOD.replace('export PATH="$HOME/.local/bin:$PATH"\n', ""),
     "the block as one shell ended with status"),
]

GOOD_PAGE = """.TH X 1
.SH EXAMPLES
.EX
$ printf \\(aq1\\en\\(aq | kostra ctyri.txt | tail \\-n 1
uzel   3: kosti z= 1, smeru= 2
.EE
"""
PAGE_FAULTS = [
    ("page output", GOOD_PAGE.replace("smeru= 2", "smeru= 3"), "prints other than shown"),
    ("page escape", GOOD_PAGE.replace("\\(aq1", "\\(xx1"), "is not understood"),
]


def check(source, build, name, text, suffix):
    with tempfile.TemporaryDirectory() as scratch:
        path = os.path.join(scratch, "doc" + suffix)
        with open(path, "w", encoding="utf-8") as f:
            f.write(text)
        if suffix == ".1":
            # A page's examples run in an empty directory: the graph comes with the page.
            text = text.replace(".EX\n", ".EX\n$ cp " + os.path.join(source, "examples",
                                                                    "ctyri-uzly.txt") + " ctyri.txt\n")
            with open(path, "w", encoding="utf-8") as f:
                f.write(text)
        done = subprocess.run([sys.executable, os.path.join(HERE, "doccheck.py"), source, build, path],
                              stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    return done.returncode, done.stdout


def main():
    source, build = (os.path.abspath(a) for a in sys.argv[1:3])
    failures = 0
    for name, text, suffix, summary in [("good document", GOOD, ".md", "6 commands run, "
                                         "3 outputs compared, 1 run by CI scripts, 1 not run"),
                                        ("good page", GOOD_PAGE, ".1", "2 commands run, "
                                         "2 outputs compared")]:
        status, report = check(source, build, name, text, suffix)
        if status != 0 or summary not in report:
            print(f"FAIL {name}: status {status}, expected 0 and {summary!r}\n{report}")
            failures += 1
    for name, text, expected in FAULTS:
        status, report = check(source, build, name, text, ".md")
        if status != 1 or expected not in report:
            print(f"FAIL {name}: status {status}, expected 1 and {expected!r}\n{report}")
            failures += 1
    for name, text, expected in PAGE_FAULTS:
        status, report = check(source, build, name, text, ".1")
        if status != 1 or expected not in report:
            print(f"FAIL {name}: status {status}, expected 1 and {expected!r}\n{report}")
            failures += 1
    total = 2 + len(FAULTS) + len(PAGE_FAULTS)
    print(f"doccheck self-test: {total - failures} of {total} cases as expected")
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
