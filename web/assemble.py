#!/usr/bin/env python3
"""Assembles kostra.html, one self-contained page: the markup of page/kostra.html with the styles
of page/kostra.css and one script, made of the page's data (the catalogue's texts read from
Texts.h, the example graphs, the version and the licence, and the worker's source: emscripten's
module with the WebAssembly inside it, then page/worker.js) and page/kostra.js.

usage: assemble.py --page DIR --module KOSTRA_WASM_JS --texts TEXTS_H --version V --licence FILE
                   --output KOSTRA_HTML [EXAMPLE.txt ...]
"""
import argparse
import json
import pathlib
import sys


def script_json(value):
    """value as a JavaScript literal that cannot end the script it stands in."""
    return json.dumps(value, ensure_ascii=False, separators=(",", ":")).replace("<", "\\u003c")


def main():
    parser = argparse.ArgumentParser()
    for option in ("page", "module", "texts", "version", "licence", "output"):
        parser.add_argument("--" + option, required=True)
    parser.add_argument("examples", nargs="*")
    args = parser.parse_args()
    page = pathlib.Path(args.page)

    # The catalogue is read by the same reader as the tests read it with, which refuses any
    # definition it cannot read.
    sys.path.insert(0, str(pathlib.Path(args.texts).resolve().parents[2] / "tests"))
    import texts  # noqa: E402 (found only once the path is known)

    data = {
        "texts": {name: [texts.get(name, "cs"), texts.get(name, "en")] for name in texts.names()},
        "examples": {pathlib.Path(e).name: pathlib.Path(e).read_text()
                     for e in sorted(args.examples)},
        "version": args.version,
        "licence": pathlib.Path(args.licence).read_text(),
        "worker": pathlib.Path(args.module).read_text() + "\n" + (page / "worker.js").read_text(),
    }
    script = (page / "kostra.js").read_text()
    styles = (page / "kostra.css").read_text()
    for name, text in (("kostra.js", script), ("kostra.css", styles)):
        if "</" in text or "<!--" in text:
            sys.exit(f"assemble.py: {name} holds '</' or '<!--', which would end its element")
    html = (page / "kostra.html").read_text()
    for placeholder in ("<!--styles-->", "<!--script-->"):
        if html.count(placeholder) != 1:
            sys.exit(f"assemble.py: kostra.html must hold {placeholder} once")
    html = html.replace("<!--styles-->", "<style>\n" + styles + "</style>")
    html = html.replace("<!--script-->", "<script>\nconst KOSTRA = " + script_json(data) + ";\n"
                        + script + "</script>")
    pathlib.Path(args.output).write_text(html)


if __name__ == "__main__":
    main()
