"""kostra's texts for the Python tests, read from src/texts/Texts.h, where the programs take them from.

    import texts
    texts.get("kMenu")        # "\\nvyber algoritmu:\\n 1 - ..."
    texts.get("kMenu", "en")  # "\\nchoose the algorithm:\\n 1 - ..."

Texts.h defines each text once, in Czech and in English: as Text{"czech", "english"} (each
language one string literal or several, joined as C++ joins them) or as joinText<...>() of such
texts and texts defined before it; this reads exactly those forms and refuses anything else, so
that a text the tests cannot read fails loudly instead of drifting apart.
"""

import pathlib
import re

_HEADER = pathlib.Path(__file__).resolve().parent.parent / "src" / "texts" / "Texts.h"
_DEFINITION = re.compile(r"inline constexpr (?:Text|auto) (k\w+)\s*(=\s*.*?|\{.*?\});\n", re.S)
_TOKEN = re.compile(r'\s*(?:"((?:[^"\\]|\\.)*)"|(Text\{)|(joinText<)|(k\w+)|(,)|(\})|(>\(\)))')
_ESCAPES = {"n": "\n", '"': '"', "\\": "\\", "t": "\t"}
LANGUAGES = ("cs", "en")


def _literal(body):
    return re.sub(r"\\(.)", lambda m: _ESCAPES[m.group(1)], body)


class _Parser:
    def __init__(self, body, known, name):
        self.body, self.known, self.name, self.at = body, known, name, 0

    def fail(self):
        raise ValueError("Texts.h: %s: cannot read %r" % (self.name, self.body[self.at:self.at + 40]))

    def token(self):
        m = _TOKEN.match(self.body, self.at)
        if not m:
            self.fail()
        self.at = m.end()
        return m

    def peek(self):
        m = _TOKEN.match(self.body, self.at)
        return m

    def strings(self):
        """Adjacent string literals, as one."""
        text = ""
        while (m := self.peek()) and m.group(1) is not None:
            self.token()
            text += _literal(m.group(1))
        return text

    def text_pair(self):
        """After Text{: the two languages, then }."""
        czech = self.strings()
        if self.token().group(5) is None:
            self.fail()
        english = self.strings()
        if self.token().group(6) is None:
            self.fail()
        return (czech, english)

    def part(self):
        m = self.token()
        if m.group(2) is not None:
            return self.text_pair()
        if m.group(3) is not None:
            parts = [self.part()]
            while True:
                m = self.token()
                if m.group(7) is not None:
                    break
                if m.group(5) is None:
                    self.fail()
                parts.append(self.part())
            return tuple("".join(p[i] for p in parts) for i in range(2))
        if m.group(4) is not None:
            return self.known[m.group(4)]
        self.fail()


def _evaluate(definition, known, name):
    definition = definition.strip()
    if definition.startswith("{"):
        parser = _Parser("Text" + definition, known, name)
    else:
        parser = _Parser(definition[1:], known, name)
    value = parser.part()
    if parser.body[parser.at:].strip():
        parser.fail()
    return value


def _load():
    known = {}
    for m in _DEFINITION.finditer(_HEADER.read_text(encoding="utf-8")):
        known[m.group(1)] = _evaluate(m.group(2), known, m.group(1))
    return known


_TEXTS = _load()


def get(name, language="cs"):
    """The text Texts.h defines under name (kMenu, kBanner, ...), in the language (cs or en)."""
    return _TEXTS[name][LANGUAGES.index(language)]


def names():
    """Every name Texts.h defines."""
    return sorted(_TEXTS)
