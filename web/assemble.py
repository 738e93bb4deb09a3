#!/usr/bin/env python3
"""Assembles kostra.html, one self-contained page: the markup of page/kostra.html with the styles
of kostra-dot's replay (stranka.css) and of page/kostra.css; the drawing worker's source (Graphviz
compiled to WebAssembly, the npm package @viz-js/viz's script for a classic worker, emscripten's
module of kostra-dot's drawing, then page/drawing.js) as the text of an element that is not run; kostra-dot's replay (stranka.js); the
page's data (the catalogue's texts read from Texts.h, the example graphs, the version, the
licences, and the worker's source: emscripten's module with the WebAssembly inside it, then
page/worker.js); and page/kostra.js.

usage: assemble.py --page DIR --module KOSTRA_WASM_JS --draw-module KOSTRA_DRAW_WASM_JS
                   --texts TEXTS_H --version V --licence FILE --replay DIR --viz VIZ_GLOBAL_JS
                   --output KOSTRA_HTML
                   --third-party LICENCE.txt ... --examples EXAMPLE.txt ...
"""
import argparse
import json
import pathlib
import re
import sys


def script_json(value):
    """value as a JavaScript literal that cannot end the script it stands in."""
    return json.dumps(value, ensure_ascii=False, separators=(",", ":")).replace("<", "\\u003c")


def raw_text(name, text):
    """text to stand as it is in a script element: nothing in it may end the element."""
    if re.search(r"</script|<!--", text, re.I):
        sys.exit(f"assemble.py: {name} holds '</script' or '<!--', which would end its element")
    return text


def main():
    parser = argparse.ArgumentParser()
    for option in ("page", "module", "draw-module", "texts", "version", "licence", "replay", "viz",
                   "output"):
        parser.add_argument("--" + option, required=True)
    parser.add_argument("--third-party", nargs="*", default=[])
    parser.add_argument("--examples", nargs="*", default=[])
    args = parser.parse_args()
    page = pathlib.Path(args.page)
    replay = pathlib.Path(args.replay)
    viz = pathlib.Path(args.viz)

    # The catalogue is read by the same reader as the tests read it with, which refuses any
    # definition it cannot read.
    sys.path.insert(0, str(pathlib.Path(args.texts).resolve().parents[2] / "tests"))
    import texts  # noqa: E402 (found only once the path is known)

    # The versions the notices name: the npm package's, and Graphviz's inside it.
    package = viz.parents[1]
    viz_version = json.loads((package / "package.json").read_text())["version"]
    graphviz_version = re.search(r'graphvizVersion = "([^"]+)"',
                                 (package / "lib" / "metadata.js").read_text()).group(1)
    data = {
        "texts": {name: [texts.get(name, "cs"), texts.get(name, "en")] for name in texts.names()},
        "examples": {pathlib.Path(e).name: pathlib.Path(e).read_text()
                     for e in sorted(args.examples)},
        "version": args.version,
        "licence": pathlib.Path(args.licence).read_text(),
        "thirdParty": {pathlib.Path(f).stem: pathlib.Path(f).read_text()
                       for f in sorted(args.third_party)},
        "vizVersion": viz_version,
        "graphvizVersion": graphviz_version,
        "worker": pathlib.Path(args.module).read_text() + "\n" + (page / "worker.js").read_text(),
    }
    styles = ""
    for path in (replay / "stranka.css", page / "kostra.css"):
        text = path.read_text()
        if "</" in text or "<!--" in text:
            sys.exit(f"assemble.py: {path.name} holds '</' or '<!--', which would end its element")
        styles += text
    drawing = raw_text("the drawing worker", viz.read_text(encoding="utf-8") + "\n"
                       + pathlib.Path(args.draw_module).read_text() + "\n"
                       + (page / "drawing.js").read_text())
    scripts = [raw_text(path.name, path.read_text())
               for path in (replay / "stranka.js", page / "kostra.js")]
    html = (page / "kostra.html").read_text()
    for placeholder in ("<!--styles-->", "<!--script-->"):
        if html.count(placeholder) != 1:
            sys.exit(f"assemble.py: kostra.html must hold {placeholder} once")
    html = html.replace("<!--styles-->", "<style>\n" + styles + "</style>")
    html = html.replace("<!--script-->",
                        '<script type="text/x-kostra-drawing" id="drawing-source">' + drawing
                        + "</script>\n<script>\n" + scripts[0] + "</script>\n<script>\nconst KOSTRA = "
                        + script_json(data) + ";\n</script>\n<script>\n" + scripts[1] + "</script>")
    pathlib.Path(args.output).write_text(html, encoding="utf-8")


if __name__ == "__main__":
    main()
