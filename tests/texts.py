"""kostra's texts for the Python tests, read from src/texts/Texts.h, where the programs take them from.

    import texts
    texts.get("kMenu")  # "\\nvyber algoritmu:\\n 1 - ..."

Texts.h defines each text once, as a string literal (or several, joined as C++ joins them) or as
join<...>() of literals and texts defined before it; this reads exactly those forms and refuses
anything else, so that a text the tests cannot read fails loudly instead of drifting apart.
"""

import pathlib
import re

_HEADER = pathlib.Path(__file__).resolve().parent.parent / "src" / "texts" / "Texts.h"
_DEFINITION = re.compile(r"inline constexpr (?:Format|auto) (k\w+)\s*=\s*(.*?);\n", re.S)
_TOKEN = re.compile(r'\s*(?:"((?:[^"\\]|\\.)*)"|(k\w+)|(,))')
_ESCAPES = {"n": "\n", '"': '"', "\\": "\\", "t": "\t"}


def _literal(body):
    return re.sub(r"\\(.)", lambda m: _ESCAPES[m.group(1)], body)


def _evaluate(expr, known, name):
    joined = re.fullmatch(r"join<(.*)>\(\)", expr.strip(), re.S)
    body = joined.group(1) if joined else expr
    text, at = "", 0
    while at < len(body.rstrip()):
        m = _TOKEN.match(body, at)
        if not m:
            raise ValueError("Texts.h: %s: cannot read %r" % (name, body[at:at + 40]))
        if m.group(1) is not None:
            text += _literal(m.group(1))
        elif m.group(2) is not None:
            text += known[m.group(2)]
        at = m.end()
    return text


def _load():
    known = {}
    for m in _DEFINITION.finditer(_HEADER.read_text()):
        known[m.group(1)] = _evaluate(m.group(2), known, m.group(1))
    return known


_TEXTS = _load()


def get(name):
    """The text Texts.h defines under name (kMenu, kBanner, ...)."""
    return _TEXTS[name]
