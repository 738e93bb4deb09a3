#!/usr/bin/env python3
"""Runs every command a document shows, as a reader would, and compares the output it shows.

usage: doccheck.py SOURCE_DIR BUILD_DIR DOCUMENT

DOCUMENT is a Markdown file (README.md, docs/*.md) or a configured manual page (<build>/man/*.1).

Markdown: a fenced block marked `console` is a session: a line starting with "$ " is a command
(a trailing backslash continues it on the next line, and a here-document `<<'EOF'` takes the
lines up to its EOF) and the lines up to the next command are exactly what it prints, standard
output and standard error together. A block marked `sh` holds
commands whose output is not shown. Every command must end with status 0 (with pipefail): a
command that is meant to fail shows its status with `; echo "status $?"`. An HTML comment on
the line before a block changes what happens to it:
    <!-- doc-check: ci FILE -->     the commands are steps of the script FILE (CI runs them): each
                                    one, or each part of an `a && b` chain, must start a line of it
    <!-- doc-check: skip REASON --> not run, for the reason given (printed with the results)
    <!-- doc-check: packages FILE --> an `apt-get install` line, not run (it needs root): the
                                    script FILE must install every package it names when it is
                                    missing, as need+=(PACKAGE)
    <!-- doc-check: shell WHY -->   a `sh` block run as one shell script, as a reader types it
                                    into one terminal: what a command exports or changes holds
                                    for the next, and PATH is the reader's, without ~/.local/bin
Any other fence must be marked with a language (`text`, `dot`...); an unmarked fence, or an
indented line starting with "$ ", is refused so that no command goes unchecked.

Manual page: every .EX/.EE block with lines starting with "$ " is a session as above, after the
roff escapes are decoded.

The commands run in a scratch copy of the repository (Markdown) or an empty directory (manual
pages), with HOME in the scratch directory, the build installed into ~/.local as the README shows
and ~/.local/bin first on PATH, so the installed names work; build/release and build/test in the
copy stand for BUILD_DIR, which a command may read and install from but not build in (a command
that configures, builds or packages is refused: CI runs those, see the `ci` mark). A command that needs an optional tool that is missing here (Graphviz,
man, the Debian packaging tools, clang-format) is skipped; if any is, and nothing failed, the exit
status is 77, which CTest reports as skipped.
"""
import difflib
import os
import re
import shutil
import subprocess
import sys
import tempfile

# Tools a command may need that a machine may lack, by the program the command starts.
OPTIONAL_TOOLS = {"dot": ["dot"], "man": ["man"], "dpkg-deb": ["dpkg-deb"],
                  "cpack": ["dpkg-shlibdeps", "file"], "clang-format": ["clang-format"],
                  "clang-tidy": ["clang-tidy"], "valgrind": ["valgrind"]}
MARKER = re.compile(r"^<!--\s*doc-check:\s*(ci|skip|packages|shell)\s+(.+?)\s*-->\s*$")
FENCE = re.compile(r"^( {0,8})```(.*)$")
HEREDOC = re.compile(r"<<-?'?(\w+)'?")
COMMAND_TIMEOUT = 300


class Block:
    def __init__(self, where, kind, lines, mode=None, arg=None):
        self.where = where  # "FILE:LINE" of the block's first line
        self.kind = kind  # "console" or "sh"
        self.lines = lines
        self.mode = mode  # None (run), "ci" or "skip"
        self.arg = arg  # the script (ci) or the reason (skip)


def markdown_blocks(path, shown_name):
    with open(path, encoding="utf-8") as f:
        text = f.read().split("\n")
    blocks, errors = [], []
    i, previous = 0, ""
    while i < len(text):
        line = text[i]
        fence = FENCE.match(line)
        if not fence:
            if re.match(r"^( {4,}|\t)\$ ", line):
                errors.append(f"{shown_name}:{i + 1}: an indented command; put it in a console block")
            if line.strip():
                previous = line
            i += 1
            continue
        indent, info = fence.group(1), fence.group(2).strip()
        start = i + 1
        end = start
        while end < len(text) and not re.match(r"^\s*```\s*$", text[end]):
            end += 1
        if end == len(text):
            errors.append(f"{shown_name}:{i + 1}: the fence is never closed")
            break
        body = [line[len(indent):] if line.startswith(indent) else line for line in text[start:end]]
        where = f"{shown_name}:{i + 1}"
        marker = MARKER.match(previous)
        if not info:
            errors.append(f"{where}: a fence without a language (console, sh, text, ...)")
        elif info in ("console", "sh"):
            blocks.append(Block(where, info, body, *(marker.groups() if marker else (None, None))))
        elif marker:
            errors.append(f"{where}: doc-check marker before a `{info}` block")
        previous = ""
        i = end + 1
    return blocks, errors


ROFF_ESCAPES = {"e": "\\", "\\": "\\", "-": "-", "&": "", "(aq": "'", "(dq": '"', "(ga": "`",
                "(ti": "~", "(ha": "^", "(rs": "\\"}


def unroff(line, where):
    """Decodes the escapes a manual page's example may use; anything else is an error."""
    out, i = [], 0
    while i < len(line):
        if line[i] != "\\":
            out.append(line[i])
            i += 1
            continue
        for escape, value in ROFF_ESCAPES.items():
            if line.startswith(escape, i + 1):
                out.append(value)
                i += 1 + len(escape)
                break
        else:
            raise ValueError(f"{where}: escape {line[i:i + 4]!r} in an example is not understood")
    return "".join(out)


def manpage_blocks(path, shown_name):
    with open(path, encoding="utf-8") as f:
        text = f.read().split("\n")
    blocks, errors = [], []
    i = 0
    while i < len(text):
        if text[i].strip() != ".EX":
            i += 1
            continue
        start = i + 1
        end = start
        while end < len(text) and text[end].strip() != ".EE":
            end += 1
        body = text[start:end]
        i = end + 1
        if not any(line.startswith("$ ") for line in body):
            continue  # a format or a listing, not a session
        where = f"{shown_name}:{start}"
        try:
            lines = []
            for n, line in enumerate(body):
                if line.startswith((".", "'")):
                    raise ValueError(f"{shown_name}:{start + n + 1}: a request inside a session")
                lines.append(unroff(line, f"{shown_name}:{start + n + 1}"))
            blocks.append(Block(where, "console", lines))
        except ValueError as e:
            errors.append(str(e))
    return blocks, errors


def commands_of(block):
    """[(command, shown output lines or None)] of a block."""
    result, current, output = [], None, None
    lines = iter(block.lines)
    for line in lines:
        if block.kind == "console" and not line.startswith("$ "):
            if current is None:
                raise ValueError(f"{block.where}: output before the first command: {line!r}")
            output.append(line)
            continue
        if block.kind == "console":
            line = line[2:]
        elif not line.strip() or line.lstrip().startswith("#"):
            continue
        while line.endswith("\\"):
            line = line[:-1] + "\n" + next(lines, "")
        heredoc = HEREDOC.search(line)
        if heredoc:
            for body in lines:
                line += "\n" + body
                if body == heredoc.group(1):
                    break
        if current is not None:
            result.append((current, output))
        current, output = line, ([] if block.kind == "console" else None)
    if current is not None:
        result.append((current, output))
    return result


def programs_of(command):
    """The programs a command line starts (first word of every pipeline stage and list item)."""
    programs = []
    for part in re.split(r"\|\|?|&&|;|\(|\)|\n", command):
        words = part.split()
        while words and re.match(r"^\w+=", words[0]):
            words.pop(0)
        if words:
            programs.append(words[0])
    return programs


def check_ci(source, block, command):
    script = os.path.join(source, block.arg)
    try:
        with open(script, encoding="utf-8") as f:
            steps = [line.strip() for line in f]
    except OSError:
        return f"{block.where}: {block.arg} does not exist"
    parts = [command] if any(s.startswith(command) for s in steps) else command.split(" && ")
    missing = [p for p in parts if not any(s.startswith(p.strip()) for s in steps)]
    if missing:
        return f"{block.where}: `{command}` is not a step of {block.arg} (missing: {missing})"
    return None


def not_copied(source, directory, names):
    """What the scratch copy leaves out: builds, version control, benchmark and fuzzing output."""
    left_out = {"build", ".git", "bench/out", "fuzz/corpus-work"}
    here = os.path.relpath(directory, source)
    return [n for n in names
            if n == "__pycache__" or os.path.normpath(os.path.join(here, n)) in left_out]


def builds(command):
    """Whether a command configures, builds or packages: the scratch copy's build/release is the
    build under test, which such a command would regenerate (under the copy's paths) while CTest
    runs it. CI runs those commands on its own build instead."""
    for part in re.split(r"\|\|?|&&|;|\(|\)|\n", command):
        words = part.split()
        if words and (words[0] in ("cpack", "ctest", "make")
                      or (words[0] == "cmake" and words[1:2] != ["--install"])):
            return True
    return False


def check_packages(source, block, command):
    words = command.split()
    if "install" not in words:
        return f"{block.where}: `{command}` is no apt-get install line"
    packages = [w for w in words[words.index("install") + 1:] if not w.startswith("-")]
    with open(os.path.join(source, block.arg), encoding="utf-8") as f:
        script = f.read()
    missing = [p for p in packages if f"need+=({p})" not in script]
    if missing or not packages:
        return f"{block.where}: {block.arg} does not install {missing or 'anything'}"
    return None


def python_with(module, env):
    """A python3 that imports module: the one on PATH, else the system's; None when neither."""
    for python in (shutil.which("python3", path=env["PATH"]), "/usr/bin/python3"):
        if python and subprocess.run([python, "-c", f"import {module}"],
                                     stderr=subprocess.DEVNULL).returncode == 0:
            return python
    return None


def one_line(command):
    return re.sub(r"\s*\n\s*", " ", command)


def visible(text):
    return [line + "$" for line in text.split("\n")]


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    source, build, document = (os.path.abspath(a) for a in sys.argv[1:])
    manpage = not document.endswith(".md")
    shown_name = os.path.basename(document) if manpage else os.path.relpath(document, source)
    blocks, errors = (manpage_blocks if manpage else markdown_blocks)(document, shown_name)

    scratch = tempfile.mkdtemp(prefix="doccheck-")
    try:
        home = os.path.join(scratch, "home")
        os.makedirs(home)
        env = {k: v for k, v in os.environ.items() if k not in ("MANPATH", "CDPATH", "BASH_ENV")}
        env.update(HOME=home, PATH=os.path.join(home, ".local", "bin") + os.pathsep + env["PATH"],
                   MANWIDTH="80", LC_ALL="C.UTF-8")
        # The README's install command, so that every document finds the programs by name.
        install = subprocess.run(["cmake", "--install", build, "--prefix", os.path.join(home, ".local")],
                                 stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
        if install.returncode != 0:
            print(install.stdout)
            sys.exit("doccheck: cmake --install failed")
        if manpage:
            cwd = os.path.join(scratch, "work")
            os.makedirs(cwd)
        else:
            cwd = os.path.join(scratch, "repo")
            shutil.copytree(source, cwd, symlinks=True, ignore=lambda d, names: not_copied(
                source, d, names))
            os.makedirs(os.path.join(cwd, "build"))
            for name in ("release", "test"):
                os.symlink(build, os.path.join(cwd, "build", name))

        run = compared = in_ci = 0
        not_run, skipped_tools = [], set()
        for block in blocks:
            try:
                commands = commands_of(block)
            except ValueError as e:
                errors.append(str(e))
                continue
            if block.mode == "shell":
                # One script, with the PATH a reader has before the installation is on it.
                script = "\n".join(command for command, _ in commands)
                missing = {tool for command, _ in commands for p in programs_of(command)
                           for tool in OPTIONAL_TOOLS.get(p, [])
                           if shutil.which(tool, path=env["PATH"]) is None}
                if block.kind != "sh" or any(builds(command) for command, _ in commands):
                    errors.append(f"{block.where}: a shell block is a `sh` block that builds nothing")
                elif missing:
                    skipped_tools |= missing
                    not_run.append(f"{block.where}: the block as one shell (needs "
                                   f"{', '.join(sorted(missing))})")
                else:
                    reader = dict(env, PATH=os.environ["PATH"])
                    done = subprocess.run(["bash", "-e", "-o", "pipefail", "-c", script], cwd=cwd,
                                          env=reader, stdin=subprocess.DEVNULL,
                                          stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                                          timeout=COMMAND_TIMEOUT)
                    run += 1
                    if done.returncode != 0:
                        errors.append(f"{block.where}: the block as one shell ended with status "
                                      f"{done.returncode}:\n"
                                      + done.stdout.decode("utf-8", errors="replace")[-3000:])
                continue
            for command, shown in commands:
                if block.mode == "skip":
                    not_run.append(f"{block.where}: `{one_line(command)}` ({block.arg})")
                    continue
                if block.mode in ("ci", "packages"):
                    check = check_ci if block.mode == "ci" else check_packages
                    problem = check(source, block, command)
                    if problem:
                        errors.append(problem)
                    in_ci += 1
                    continue
                if builds(command):
                    errors.append(f"{block.where}: `{command}` builds; mark the block "
                                  "<!-- doc-check: ci FILE --> and run it in CI")
                    continue
                needed = [tool for p in programs_of(command) for tool in OPTIONAL_TOOLS.get(p, [])]
                if "kostra-dot --html" in command:
                    needed.append("dot")  # the page is laid out by dot
                missing = {tool for tool in needed if shutil.which(tool, path=env["PATH"]) is None}
                if "import scipy" in command:
                    # The session runs python3 from PATH; where that one lacks scipy, the
                    # system's python3 (which a reader on Debian has) stands in for it.
                    python = python_with("scipy.io", env)
                    shim = os.path.join(home, ".local", "bin", "python3")
                    if python is None:
                        missing.add("scipy")
                    elif python != shutil.which("python3", path=env["PATH"]):
                        os.symlink(python, shim)
                if missing:
                    skipped_tools |= missing
                    not_run.append(f"{block.where}: `{one_line(command)}` (needs {', '.join(sorted(missing))})")
                    continue
                try:
                    done = subprocess.run(["bash", "-o", "pipefail", "-c", command], cwd=cwd,
                                          env=env, stdin=subprocess.DEVNULL,
                                          stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                                          timeout=COMMAND_TIMEOUT)
                except subprocess.TimeoutExpired:
                    errors.append(f"{block.where}: `{command}` ran longer than {COMMAND_TIMEOUT} s")
                    continue
                run += 1
                got = done.stdout.decode("utf-8", errors="replace")
                if done.returncode != 0:
                    errors.append(f"{block.where}: `{command}` ended with status {done.returncode}:\n"
                                  + got)
                    continue
                if shown is None:
                    continue
                compared += 1
                expected = "\n".join(shown) + "\n" if shown else ""
                if got != expected:
                    diff = difflib.unified_diff(visible(expected), visible(got),
                                                "shown", "printed", lineterm="")
                    errors.append(f"{block.where}: `{command}` prints other than shown "
                                  "(line ends marked $):\n" + "\n".join(diff))
    finally:
        shutil.rmtree(scratch, ignore_errors=True)

    print(f"{shown_name}: {run} commands run, {compared} outputs compared, "
          f"{in_ci} run by CI scripts, {len(not_run)} not run here")
    for line in not_run:
        print(f"  not run: {line}")
    for error in errors:
        print(f"FAIL {error}")
    if errors:
        sys.exit(1)
    if skipped_tools:
        print(f"skipped: {', '.join(sorted(skipped_tools))} missing")
        sys.exit(77)


if __name__ == "__main__":
    main()
