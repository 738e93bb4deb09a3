#include "Page.h"

#include "CGraph.h"
#include "Drawing.h"
#include "Output.h"
#include "PageAssets.h"
#include "Replay.h"
#include "Transcript.h"

namespace {

// The length of the valid UTF-8 sequence that starts at s[i], or 0 when none does (a stray
// continuation byte, an overlong form, a surrogate, a code point beyond U+10FFFF, a cut sequence).
std::size_t sequenceLength(std::string_view s, std::size_t i) {
    const auto byte = [s](std::size_t k) {
        return k < s.size() ? static_cast<unsigned char>(s[k]) : 0U;
    };
    const auto follows = [&byte](std::size_t k, unsigned low, unsigned high) {
        return byte(k) >= low && byte(k) <= high;
    };
    const unsigned c = byte(i);
    if (c < 0x80) return 1;
    if (c >= 0xC2 && c <= 0xDF) return follows(i + 1, 0x80, 0xBF) ? 2 : 0;
    if (c >= 0xE0 && c <= 0xEF) {
        const bool ok = follows(i + 1, c == 0xE0 ? 0xA0 : 0x80, c == 0xED ? 0x9F : 0xBF) &&
                        follows(i + 2, 0x80, 0xBF);
        return ok ? 3 : 0;
    }
    if (c >= 0xF0 && c <= 0xF4) {
        const bool ok = follows(i + 1, c == 0xF0 ? 0x90 : 0x80, c == 0xF4 ? 0x8F : 0xBF) &&
                        follows(i + 2, 0x80, 0xBF) && follows(i + 3, 0x80, 0xBF);
        return ok ? 4 : 0;
    }
    return 0;
}

// A control character: C0, DEL or C1.
bool isControl(std::string_view character) {
    const auto c = static_cast<unsigned char>(character[0]);
    if (character.size() == 1) return c < 0x20 || c == 0x7F;
    return character.size() == 2 && c == 0xC2 && static_cast<unsigned char>(character[1]) < 0xA0;
}

// Writes s as HTML text, fit for an element's content and for a quoted attribute value: &, <, >,
// " and ' as references; a byte that begins no valid UTF-8 sequence, and a control character, as
// U+FFFD. So no name, whatever its bytes, can end an element, open one or break the page's
// encoding.
void writeText(std::string_view s, Output& out) {
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t length = sequenceLength(s, i);
        const std::string_view character = s.substr(i, length == 0 ? 1 : length);
        i += character.size();
        if (length == 0 || isControl(character)) {
            out.write("\xEF\xBF\xBD");
        } else if (character == "&") {
            out.write("&amp;");
        } else if (character == "<") {
            out.write("&lt;");
        } else if (character == ">") {
            out.write("&gt;");
        } else if (character == "\"") {
            out.write("&quot;");
        } else if (character == "'") {
            out.write("&#39;");
        } else {
            out.write(character);
        }
    }
}

// One entry of the legend: a sample of the style, drawn with the class that the page's styles
// give it, and what it means.
void legendEntry(std::string_view sample, std::string_view meaning, Output& out) {
    const bool node = sample.starts_with("u-");
    out.print<"<li><svg class=\"vzor\" viewBox=\"0 0 44 20\" aria-hidden=\"true\">">();
    // The sample's own class after the one of an element in no state, which it overrides.
    if (node) {
        out.print<"<ellipse class=\"u-prazdny %s\" cx=\"22\" cy=\"10\" rx=\"8\" ry=\"8\"/>">(
            sample);
    } else {
        out.print<"<path class=\"h-prazdna %s\" d=\"M2 10H42\"/>">(sample);
    }
    out.print<"</svg>%s</li>\n">(meaning);
}

void writeLegend(const Transcript& t, const Replay& r, Output& out) {
    using Kind = Replay::Kind;
    out.print<"<section id=\"legenda\">\n<h2>legenda</h2>\n">();
    if (r.kind != Kind::Result) {
        out.print<"<ul>\n">();
        if (r.kind == Kind::Walk) {
            legendEntry("h-krok", "hrany, pres ktere uzel v kroku zabira sousedy (silne)", out);
        } else if (r.kind == Kind::Kruskal) {
            legendEntry("h-krok", "hrana prijata v kroku (silne)", out);
        } else {
            legendEntry("h-krok", "hrana, pres kterou se vybrany uzel pripojuje (silne)", out);
        }
        legendEntry("h-kostra", "hrany kostry z drivejsich kroku (plne)", out);
        if (r.kind == Kind::Kruskal) {
            legendEntry("h-odmitnuta",
                        "hrany vzate pred hranou kroku a odmitnute, uzavrely by smycku (teckovane)",
                        out);
        }
        if (r.kind == Kind::Prim)
            legendEntry("h-klic", "hrana, ktera dava otevrenemu uzlu jeho klic (carka-tecka)", out);
        legendEntry("h-prazdna", "ostatni hrany (tenke, carkovane)", out);
        if (r.kind == Kind::Walk) {
            legendEntry("u-krok", "uzel, do ktereho pruchod v kroku vstoupil (silny okraj)", out);
            legendEntry("u-hotovy",
                        "ostatni zabrane uzly, i ty, ktere krok zabral (sedy, plny okraj)", out);
        } else if (r.kind == Kind::Kruskal) {
            legendEntry("u-krok", "uzly, kterym krok zmenil podstrom (silny okraj)", out);
            legendEntry("u-podstrom", "p=N vedle uzlu: jeho podstrom N (a barva podstromu)", out);
        } else {
            legendEntry("u-krok", "uzel vybrany v kroku (silny okraj)", out);
            legendEntry("u-hotovy", "uzly vybrane drive (sedy, plny okraj)", out);
            legendEntry("u-otevreny", "otevreny uzel, k=N vedle nej je jeho klic (carkovany okraj)",
                        out);
        }
        if (r.kind != Kind::Kruskal) legendEntry("u-prazdny", "ostatni uzly (tenky okraj)", out);
        out.print<"</ul>\n">();
    }
    if (r.kind == Kind::Result || r.endsOnResult) {
        out.print<"<p>%s ukazuje kresba ve svych stylech, jak je vysvetluje jeji popisek">(
            r.endsOnResult ? "Posledni krok" : "Vysledek");
        if (t.task == 5) out.print<"; od a do vedle uzlu: strana rezu">();
        out.print<".</p>\n">();
    }
    out.print<"</section>\n">();
}

// What the steps are, in a sentence.
void writeIntroduction(const Transcript& t, const Replay& r, Output& out) {
    out.print<"<p>">();
    switch (r.kind) {
        case Replay::Kind::Walk:
            out.print<
                "Kroky: kazdy prvni vstup pruchodu do uzlu, v poradi pruchodu, od zacatku stromu "
                "po vstup, ktery zabere jeho posledni uzel. Pri vstupu uzel zabere vsechny dosud "
                "nezabrane sousedy; hrany k nim patri do kostry.">();
            if (r.endsOnResult) out.print<" Posledni krok ukazuje vysledek.">();
            break;
        case Replay::Kind::Kruskal:
            out.print<
                "Kroky: kazda prijata hrana s obema radky sjednoceni. Hrany se berou podle vahy, "
                "stejne vahy podle cisla hrany.">();
            break;
        case Replay::Kind::Prim:
            out.print<"Kroky: kazdy vybrany uzel, s jeho radkem a radky klicu po nem.">();
            break;
        case Replay::Kind::Result:
            out.print<"Stranka ukazuje vysledek: %s">(
                t.task == 2 ? "kostra nevypsala podrobny vypis."
                            : "prehrava se jen pruchod metody 1 (kostra metody 2 nebo 3 ne).");
            break;
    }
    out.print<"</p>\n">();
}

void writeControls(int steps, Output& out) {
    out.print<
        "<nav id=\"ovladani\" aria-label=\"ovladani\">\n"
        "<button id=\"prvni\" title=\"na zacatek (Home)\">|&lt; prvni</button>\n"
        "<button id=\"zpet\" title=\"o krok zpet (sipka vlevo)\">&lt; zpet</button>\n"
        "<button id=\"prehrat\" title=\"prehrat nebo pozastavit (mezernik)\" "
        "aria-pressed=\"false\">prehrat</button>\n"
        "<button id=\"vpred\" title=\"o krok vpred (sipka vpravo)\">vpred &gt;</button>\n"
        "<button id=\"posledni\" title=\"na konec (End)\">posledni &gt;|</button>\n"
        "<label>rychlost <select id=\"rychlost\">\n"
        "<option value=\"2000\">1 krok za 2 s</option>\n"
        "<option value=\"1000\" selected>1 krok za s</option>\n"
        "<option value=\"500\">2 kroky za s</option>\n"
        "<option value=\"250\">4 kroky za s</option>\n"
        "<option value=\"100\">10 kroku za s</option>\n"
        "</select></label>\n"
        "<input type=\"range\" id=\"posuvnik\" min=\"0\" max=\"%d\" value=\"0\" "
        "aria-label=\"krok\">\n"
        "<span id=\"cislo\">krok 0 z %d</span>\n"
        "</nav>\n"
        "<p id=\"popis\" aria-live=\"polite\"></p>\n">(steps, steps);
}

void writeLines(const Replay& r, Output& out) {
    out.print<"<section>\n<h2>%s</h2>\n">(r.kind == Replay::Kind::Walk ? "kroky pruchodu"
                                                                       : "vypis kostry");
    if (r.kind == Replay::Kind::Kruskal || r.kind == Replay::Kind::Prim) {
        out.print<
            "<p>Radky podrobneho vypisu, jak je kostra vypsala; klik na radek ukaze jeho "
            "krok.</p>\n">();
    }
    out.print<"<ol id=\"radky\">\n">();
    for (const Replay::Line& line : r.lines) {
        out.print<"<li data-krok=\"%d\"><a href=\"#krok=%d\">">(line.step, line.step);
        writeText(line.text, out);
        out.print<"</a></li>\n">();
    }
    out.print<"</ol>\n</section>\n">();
}

// A list of numbers as JSON.
template <class Numbers>
void writeArray(const Numbers& numbers, Output& out) {
    out.print<"[">();
    bool first = true;
    for (const auto v : numbers) {
        if (!first) out.print<",">();
        out.print<"%d">(static_cast<int>(v));
        first = false;
    }
    out.print<"]">();
}

// The steps and the result as JSON, for the script: numbers and fixed words only.
void writeData(const CGraph& g, const Transcript& t, const Replay& r, Output& out) {
    static constexpr std::string_view kKinds[] = {"pruchod", "kruskal", "prim",
                                                  "vysledek"};  // by Kind
    out.print<
        "<script type=\"application/json\" id=\"data\">\n{\"druh\":\"%s\",\"uzlu\":%d,"
        "\"hran\":%d,\"konec\":%s,\n\"kroky\":[">(kKinds[static_cast<int>(r.kind)], g.nodeCount,
                                                  g.edgeCount, r.endsOnResult ? "true" : "false");
    for (std::size_t k = 0; k < r.steps.size(); ++k) {
        if (k > 0) out.print<",\n">();
        writeArray(r.steps[k], out);
    }
    out.print<"],\n\"kostra\":">();
    writeArray(r.forest, out);
    out.print<",\n\"orientace\":">();
    writeArray(t.orientation, out);
    out.print<",\n\"strana\":">();
    writeArray(r.side, out);
    out.print<"}\n</script>\n">();
}

}  // namespace

void writePage(const CGraph& g, const Transcript& t, const Replay& r, std::string_view svg,
               std::string_view path, Output& out) {
    const int steps = static_cast<int>(r.steps.size());
    out.print<
        "<!DOCTYPE html>\n<html lang=\"cs\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; "
        "style-src 'unsafe-inline'; script-src '%s'\">\n"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>">(
        page::kScriptHash);
    writeTaskName(t, out);
    out.print<" - ">();
    writeText(path, out);
    out.print<"</title>\n<style>\n%s</style>\n</head>\n">(page::kStyle);
    out.print<"<body data-krok=\"0\" data-kroku=\"%d\">\n<header>\n<h1>">(steps);
    writeTaskName(t, out);
    out.print<"</h1>\n<p>graf <code id=\"soubor\">">();
    writeText(path, out);
    out.print<"</code>, uzlu: %d, hran: %d</p>\n">(g.nodeCount, g.edgeCount);
    writeIntroduction(t, r, out);
    out.print<"</header>\n">();
    writeControls(steps, out);
    out.print<"<figure id=\"kresba\">\n">();
    out.write(svg);
    out.print<"\n</figure>\n">();
    writeLegend(t, r, out);
    writeLines(r, out);
    writeData(g, t, r, out);
    out.print<"<script>%s</script>\n</body>\n</html>\n">(page::kScript);
}
