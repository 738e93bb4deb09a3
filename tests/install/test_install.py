#!/usr/bin/env python3
"""Installation, manual pages and the Debian package, checked as a user and a packager see them.

usage: test_install.py prefix|manpages|deb --source DIR --build DIR --version X.Y.Z [--page ON|OFF]
                      --programs NAME...

prefix    cmake --install into a scratch prefix (with a blank in its path): exactly the programs,
          their manual pages, the example graphs, the licence, the changelog and (--page ON) the
          browser page, nothing else; every program has its page; man finds each page from the
          program's directory on PATH and renders it without a warning; the installed kostra runs
          on the installed example.
manpages  every page the build configures: rendered by groff with all warnings on, not one
          warning; the version in its header is the project's; the sections a page must have; its
          cross-references name pages that exist; the compressed page is the page; every text of
          the catalogue the program prints, in Czech and in English, appears in its page.
deb       cpack -G DEB into a scratch directory: the control fields, the exact contents with
          their modes and owner, stripped programs, and the unpacked package working (a program
          run, every page rendered by man without a warning).
A check that needs a tool missing here (groff, man, dpkg-deb, dpkg-shlibdeps, file) ends with
status 77, which CTest reports as skipped.
"""
import argparse
import glob
import gzip
import json
import os
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile

SECTIONS = ["NAME", "SYNOPSIS", "DESCRIPTION", "EXIT STATUS", "TEXTS IN CZECH AND ENGLISH", "EXAMPLES",
            "SEE ALSO"]
EXTERNAL_PAGES = {"dot", "scanf"}

# Where each program's sources are. Every text of the catalogue (src/texts/Texts.h) that they name
# is one the program prints, in Czech and in English, but for those they only read back (kostra's
# transcript, which kostra-dot reads with scanLine, readTable and kostras) and those of the files
# left out: the page of kostra-dot --html (Page.cpp, and its words in PageData.cpp), whose words
# its manual lists apart.
TEXT_SOURCES = {
    "kostra": ("src", ()),
    "kostra-dot": ("tools/kostra-dot", ("Page.cpp", "PageData.cpp")),
    "kostra-matice": ("tools/kostra-matice", ()),
}
READ_BACK = re.compile(r"(?:scanLine|readTable|kostras)<texts::k\w+>")
NAMED = re.compile(r"texts::(k\w+)")
CONVERSION = re.compile(r"%[-+ #0]*\d*(?:\.\d+)?[a-z]|\n")


def skip(reason):
    print(f"skipped: {reason}")
    sys.exit(77)


def need(*tools):
    missing = [t for t in tools if shutil.which(t) is None]
    if missing:
        skip(f"{', '.join(missing)} missing")


def run(cmd, **kw):
    return subprocess.run(cmd, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True, **kw)


def expected_files(args):
    """The installed files, relative to the prefix."""
    files = set()
    for program in args.programs:
        files.add(f"bin/{program}")
        files.add(f"share/man/man1/{program}.1.gz")
    for graph in glob.glob(os.path.join(args.source, "examples", "*.txt")):
        files.add(f"share/doc/kostra/examples/{os.path.basename(graph)}")
    files.add("share/doc/kostra/copyright")
    files.add("share/doc/kostra/changelog.gz")
    if args.page == "ON":
        files.add("share/kostra/kostra.html")
        for licence in glob.glob(os.path.join(args.source, "web", "licences", "*.txt")):
            files.add(f"share/doc/kostra/page-licences/{os.path.basename(licence)}")
    return files


def tree(root):
    found = set()
    for directory, _, names in os.walk(root):
        for name in names:
            found.add(os.path.relpath(os.path.join(directory, name), root))
    return found


def compare_files(what, expected, found, problems):
    for path in sorted(expected - found):
        problems.append(f"{what}: {path} is missing")
    for path in sorted(found - expected):
        problems.append(f"{what}: {path} is not expected")


def man_renders(page, what, problems, env=None):
    """man -l renders the page (compressed or not) with groff's warnings on and says nothing else."""
    done = run(["man", "--warnings=w", "-l", page], env=dict(env or os.environ, MANWIDTH="80"))
    if done.returncode != 0 or done.stderr or "NAME" not in done.stdout:
        problems.append(f"{what}: man -l {page}: status {done.returncode}\n{done.stderr}")


def check_prefix(args, problems):
    need("man")
    scratch = tempfile.mkdtemp(prefix="kostra-install-")
    try:
        prefix = os.path.join(scratch, "pre fix")
        done = run(["cmake", "--install", args.build, "--prefix", prefix])
        if done.returncode != 0:
            problems.append(f"cmake --install: status {done.returncode}\n{done.stdout}{done.stderr}")
            return
        compare_files("installed", expected_files(args), tree(prefix), problems)
        env = {k: v for k, v in os.environ.items() if k != "MANPATH"}
        env["PATH"] = os.path.join(prefix, "bin") + os.pathsep + env["PATH"]
        for program in args.programs:
            binary = os.path.join(prefix, "bin", program)
            if not os.access(binary, os.X_OK):
                problems.append(f"{binary} is not executable")
            page = os.path.join(prefix, "share", "man", "man1", f"{program}.1.gz")
            found = run(["man", "-w", program], env=env).stdout.strip()
            if found != page:
                problems.append(f"man -w {program} with {prefix}/bin on PATH finds {found!r}")
            man_renders(page, "installed", problems)
        doc = os.path.join(prefix, "share", "doc", "kostra")
        for installed, source, opener in (("copyright", "LICENSE", open),
                                          ("changelog.gz", "CHANGELOG.md", gzip.open)):
            with opener(os.path.join(doc, installed), "rt", encoding="utf-8") as f, \
                    open(os.path.join(args.source, source), encoding="utf-8") as g:
                if f.read() != g.read():
                    problems.append(f"installed {installed} is not {source}")
        # The licences of what the page builds in, installed with it, and inside it too.
        for licence in glob.glob(os.path.join(args.source, "web", "licences", "*.txt")):
            text = pathlib.Path(licence).read_text()
            page = pathlib.Path(prefix, "share", "kostra", "kostra.html")
            installed = pathlib.Path(doc, "page-licences", os.path.basename(licence))
            if args.page == "ON" and (not installed.exists() or installed.read_text() != text
                                      or json.dumps(text, ensure_ascii=False)[1:-1].replace(
                                          "<", "\\u003c") not in page.read_text()):
                problems.append(f"{licence} is not installed beside the page, or not in it")
        example = os.path.join(prefix, "share", "doc", "kostra", "examples", "ctyri-uzly.txt")
        done = run([os.path.join(prefix, "bin", "kostra"), example], input="1\n")
        if done.returncode != 0 or ">>VYSTUP<<\n" not in done.stdout:
            problems.append(f"installed kostra on {example}: status {done.returncode}\n{done.stdout}")
    finally:
        shutil.rmtree(scratch, ignore_errors=True)


def roff_text(page):
    """A page's words as they read: macros dropped, arguments joined, escapes decoded."""
    words = []
    for line in page.split("\n"):
        if line.startswith(('.\\"', "'\\\"")):
            continue
        macro = re.match(r"^\.(\w+)\s*(.*)$", line)
        if macro:
            name, rest = macro.groups()
            arguments = [m[0].replace('""', '"') if m[0] else m[1]
                         for m in re.findall(r'"((?:[^"]|"")*)"|(\S+)', rest)]
            joined = "" if re.match(r"^[BIR][BIR]$", name) else " "
            line = joined.join(arguments)
        words.append(line)
    text = " ".join(words)
    text = re.sub(r"\\f[BIRP]|\\f\[\w*\]", "", text)
    for escape, value in (("\\(aq", "'"), ("\\(dq", '"'), ("\\(lq", '"'), ("\\(rq", '"'),
                          ("\\(->", "->"), ("\\(bu", ""), ("\\(ga", "`"), ("\\-", "-"),
                          ("\\&", ""), ("\\e", "\\"), ("\\~", " ")):
        text = text.replace(escape, value)
    return re.sub(r"\s+", " ", text)


def program_texts(source, program):
    """The fixed parts of every text the program prints, in both languages, from the catalogue."""
    sys.path.insert(0, os.path.join(source, "tests"))
    import texts  # noqa: E402: the catalogue's reader, in the source tree given
    directory, left_out = TEXT_SOURCES[program]
    names = set()
    for path in sorted(glob.glob(os.path.join(source, directory, "**", "*.[ch]*"), recursive=True)):
        if "/tests/" in path or os.path.basename(path) in left_out:
            continue
        with open(path, encoding="utf-8") as f:
            names |= set(NAMED.findall(READ_BACK.sub("", f.read())))
    parts = set()
    for name in names:
        for language in texts.LANGUAGES:
            # A caption's line ends with DOT's left-aligned line break.
            text = texts.get(name, language).replace("\\l", "\n").replace("%%", "%")
            for part in CONVERSION.split(text):
                part = re.sub(r"\s+", " ", part).strip()
                if len(re.findall(r"[A-Za-z]", part)) >= 2:
                    parts.add(part)
    return parts


def check_manpages(args, problems):
    need("groff")
    pages = sorted(glob.glob(os.path.join(args.build, "man", "*.1")))
    if not pages:
        problems.append(f"no manual pages in {args.build}/man")
    names = {os.path.basename(p)[:-2] for p in pages}
    for page in pages:
        name = os.path.basename(page)[:-2]
        done = run(["groff", "-man", "-ww", "-z", "-Tutf8", page])
        if done.returncode != 0 or done.stderr:
            problems.append(f"{name}(1): groff -man -ww: status {done.returncode}\n{done.stderr}")
        with open(page, encoding="utf-8") as f:
            source = f.read()
        with gzip.open(page + ".gz", "rt", encoding="utf-8") as f:
            if f.read() != source:
                problems.append(f"{name}(1): {page}.gz is not the page")
        header = re.search(r'^\.TH (\S+) 1 (\d{4}-\d\d-\d\d) "kostra ([^"]*)"', source, re.M)
        if not header:
            problems.append(f"{name}(1): no .TH line with a date and \"kostra VERSION\"")
        elif header.group(3) != args.version:
            problems.append(f"{name}(1): version {header.group(3)}, the project's is {args.version}")
        headings = re.findall(r'^\.SH "?([^"\n]*)"?$', source, re.M)
        missing = [s for s in SECTIONS if s not in headings]
        if missing:
            problems.append(f"{name}(1): sections missing: {missing}")
        for ref in re.findall(r"^\.BR (\S+) \(1\)", source, re.M):
            ref = ref.replace("\\-", "-")
            if ref not in names and ref not in EXTERNAL_PAGES:
                problems.append(f"{name}(1) refers to {ref}(1), which is no page here")
        if os.path.isdir(os.path.join(args.source, TEXT_SOURCES[name][0])):
            text = roff_text(source)
            texts = program_texts(args.source, name)
            if not texts:
                problems.append(f"{name}(1): no texts found in the program's sources")
            for missing_text in sorted(t for t in texts if t not in text):
                problems.append(f"{name}(1) does not show the program's text {missing_text!r}")


def check_deb(args, problems):
    need("dpkg-deb", "dpkg-shlibdeps", "file", "man")
    scratch = tempfile.mkdtemp(prefix="kostra-deb-")
    try:
        done = run(["cpack", "-G", "DEB", "--config", os.path.join(args.build, "CPackConfig.cmake"),
                    "-B", scratch])
        packages = glob.glob(os.path.join(scratch, "*.deb"))
        if done.returncode != 0 or len(packages) != 1:
            problems.append(f"cpack -G DEB: status {done.returncode}, packages {packages}\n"
                            f"{done.stdout}{done.stderr}")
            return
        deb = packages[0]
        arch = run(["dpkg", "--print-architecture"]).stdout.strip()
        if os.path.basename(deb) != f"kostra_{args.version}_{arch}.deb":
            problems.append(f"package file {os.path.basename(deb)}")

        fields = {}
        for key in ("Package", "Version", "Architecture", "Maintainer", "Description", "Depends",
                    "Section", "Priority", "Suggests"):
            fields[key] = run(["dpkg-deb", "-f", deb, key]).stdout.strip()
        wanted = {"Package": "kostra", "Version": args.version, "Architecture": arch,
                  "Section": "math", "Priority": "optional", "Suggests": "graphviz"}
        for key, value in wanted.items():
            if fields[key] != value:
                problems.append(f"control field {key}: {fields[key]!r}, expected {value!r}")
        if not re.fullmatch(r"[^<>]+ <[^<>@\s]+@[^<>@\s]+>", fields["Maintainer"]):
            problems.append(f"Maintainer is not 'Name <address>': {fields['Maintainer']!r}")
        summary, _, long = fields["Description"].partition("\n")
        if not summary or not long.strip() or any(len(line) > 80 for line in long.split("\n")):
            problems.append(f"Description needs a summary and a long text of short lines:\n"
                            f"{fields['Description']}")
        depends = [d.split()[0] for d in fields["Depends"].split(",") if d.strip()]
        for library in ("libc6", "libstdc++6"):
            if library not in depends:
                problems.append(f"Depends lacks {library}: {fields['Depends']!r}")

        listing = run(["dpkg-deb", "-c", deb]).stdout
        files = {}
        for line in listing.splitlines():
            mode, owner, _, _, _, path = line.split(None, 5)
            if owner != "root/root":
                problems.append(f"{path} is owned by {owner}")
            if not mode.startswith("d"):
                files[path] = mode
        expected = {f"./usr/{f}" for f in expected_files(args)}
        compare_files("package", expected, set(files), problems)
        for path, mode in files.items():
            want = "-rwxr-xr-x" if "/bin/" in path else "-rw-r--r--"
            if mode != want:
                problems.append(f"{path} has mode {mode}, expected {want}")

        root = os.path.join(scratch, "root")
        run(["dpkg-deb", "-x", deb, root])
        for program in args.programs:
            binary = os.path.join(root, "usr", "bin", program)
            described = run(["file", "-b", binary]).stdout
            if "ELF" not in described or "not stripped" in described:
                problems.append(f"usr/bin/{program} is not a stripped program: {described}")
            man_renders(os.path.join(root, "usr", "share", "man", "man1", f"{program}.1.gz"),
                        "package", problems)
        example = os.path.join(root, "usr", "share", "doc", "kostra", "examples", "ctyri-uzly.txt")
        done = run([os.path.join(root, "usr", "bin", "kostra"), example], input="5\n1\n1\n")
        if done.returncode != 0 or "hrana  3: orientace=-1\n" not in done.stdout:
            problems.append(f"the packaged kostra: status {done.returncode}\n{done.stdout}")
    finally:
        shutil.rmtree(scratch, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("what", choices=["prefix", "manpages", "deb"])
    parser.add_argument("--source", required=True)
    parser.add_argument("--build", required=True)
    parser.add_argument("--version", required=True)
    parser.add_argument("--page", default="OFF", help="ON: the browser page is installed too")
    parser.add_argument("--programs", nargs="+", required=True)
    args = parser.parse_args()
    problems = []
    {"prefix": check_prefix, "manpages": check_manpages, "deb": check_deb}[args.what](args, problems)
    for problem in problems:
        print(f"FAIL {problem}")
    if problems:
        sys.exit(1)
    print(f"{args.what}: all checks passed ({', '.join(args.programs)})")


if __name__ == "__main__":
    main()
