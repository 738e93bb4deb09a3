#include "Page.h"

#include "CGraph.h"
#include "Drawing.h"
#include "Output.h"
#include "PageAssets.h"
#include "Replay.h"
#include "Texts.h"
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
template <Text Meaning>
void legendEntry(std::string_view sample, Output& out) {
    const bool node = sample.starts_with("u-");
    out.print<"<li><svg class=\"vzor\" viewBox=\"0 0 44 20\" aria-hidden=\"true\">">();
    // The sample's own class after the one of an element in no state, which it overrides.
    if (node) {
        out.print<"<ellipse class=\"u-prazdny %s\" cx=\"22\" cy=\"10\" rx=\"8\" ry=\"8\"/>">(
            sample);
    } else {
        out.print<"<path class=\"h-prazdna %s\" d=\"M2 10H42\"/>">(sample);
    }
    out.print<"</svg>">();
    out.print<Meaning>();
    out.print<"</li>\n">();
}

void writeLegend(const Transcript& t, const Replay& r, Output& out) {
    using Kind = Replay::Kind;
    out.print<"<section id=\"legenda\">\n<h2>">();
    out.print<texts::kLegend>();
    out.print<"</h2>\n">();
    if (r.kind != Kind::Result) {
        out.print<"<ul>\n">();
        if (r.kind == Kind::Walk) {
            legendEntry<texts::kLegendWalkEdge>("h-krok", out);
        } else if (r.kind == Kind::Kruskal) {
            legendEntry<texts::kLegendKruskalEdge>("h-krok", out);
        } else {
            legendEntry<texts::kLegendPrimEdge>("h-krok", out);
        }
        legendEntry<texts::kLegendForest>("h-kostra", out);
        if (r.kind == Kind::Kruskal) legendEntry<texts::kLegendRefused>("h-odmitnuta", out);
        if (r.kind == Kind::Prim) legendEntry<texts::kLegendKey>("h-klic", out);
        legendEntry<texts::kLegendOtherEdges>("h-prazdna", out);
        if (r.kind == Kind::Walk) {
            legendEntry<texts::kLegendWalkNode>("u-krok", out);
            legendEntry<texts::kLegendClaimed>("u-hotovy", out);
        } else if (r.kind == Kind::Kruskal) {
            legendEntry<texts::kLegendKruskalNode>("u-krok", out);
            legendEntry<texts::kLegendSubtree>("u-podstrom", out);
        } else {
            legendEntry<texts::kLegendPrimNode>("u-krok", out);
            legendEntry<texts::kLegendChosen>("u-hotovy", out);
            legendEntry<texts::kLegendOpen>("u-otevreny", out);
        }
        if (r.kind != Kind::Kruskal) legendEntry<texts::kLegendOtherNodes>("u-prazdny", out);
        out.print<"</ul>\n">();
    }
    if (r.kind == Kind::Result || r.endsOnResult) {
        out.print<"<p>">();
        if (r.endsOnResult) {
            out.print<texts::kLegendLastStep>();
        } else {
            out.print<texts::kLegendResult>();
        }
        if (t.task == 5) out.print<texts::kLegendSides>();
        out.print<".</p>\n">();
    }
    out.print<"</section>\n">();
}

// What the steps are, in a sentence.
void writeIntroduction(const Transcript& t, const Replay& r, Output& out) {
    const Language language = out.language();
    out.print<"<p>">();
    switch (r.kind) {
        case Replay::Kind::Walk:
            out.print<texts::kIntroWalk>();
            if (r.endsOnResult) out.print<texts::kIntroLastStep>();
            break;
        case Replay::Kind::Kruskal:
            out.print<texts::kIntroKruskal>();
            break;
        case Replay::Kind::Prim:
            out.print<texts::kIntroPrim>();
            break;
        case Replay::Kind::Result:
            out.print<texts::kIntroResult>(t.task == 2 ? texts::kNoNarration.in(language)
                                                       : texts::kOnlyWalkReplayed.in(language));
            break;
    }
    out.print<"</p>\n">();
}

void writeControls(int steps, Output& out) {
    out.print<texts::kPageControls>(steps);
    out.print<"<span id=\"cislo\">">();
    out.print<texts::kStepOf>(0, steps);
    out.print<"</span>\n</nav>\n<p id=\"popis\" aria-live=\"polite\"></p>\n">();
}

void writeLines(const Replay& r, Output& out) {
    out.print<"<section>\n<h2>">();
    if (r.kind == Replay::Kind::Walk) {
        out.print<texts::kWalkLines>();
    } else {
        out.print<texts::kKostraLines>();
    }
    out.print<"</h2>\n">();
    if (r.kind == Replay::Kind::Kruskal || r.kind == Replay::Kind::Prim) {
        out.print<"<p>">();
        out.print<texts::kNarrationLines>();
        out.print<"</p>\n">();
    }
    out.print<"<ol id=\"radky\">\n">();
    for (const Replay::Line& line : r.lines) {
        out.print<"<li data-krok=\"%d\"><a href=\"#krok=%d\">">(line.step, line.step);
        writeText(line.text, out);
        out.print<"</a></li>\n">();
    }
    out.print<"</ol>\n</section>\n">();
}

// A text of the catalogue as a JSON string, fit to stand in a script element: the catalogue's
// texts are ASCII, and any character JSON or the element could take for more is escaped.
template <Text T>
void writeWord(std::string_view name, Output& out) {
    out.print<"\"%s\":\"">(name);
    for (const char c : T.in(out.language())) {
        if (c == '"' || c == '\\' || c == '<' || static_cast<unsigned char>(c) < 0x20) {
            constexpr std::string_view kHex = "0123456789abcdef";
            const auto u = static_cast<unsigned char>(c);
            const char escaped[] = {'\\', 'u', '0', '0', kHex[u >> 4], kHex[u & 15]};
            out.write(escaped, sizeof escaped);
        } else {
            out.write(&c, 1);
        }
    }
    out.print<"\"">();
}

// The words the script shows, in the page's language.
void writeWords(Output& out) {
    out.print<"<script type=\"application/json\" id=\"words\">\n{">();
    writeWord<texts::kFromSide>("fromSide", out);
    out.print<",">();
    writeWord<texts::kToSide>("toSide", out);
    out.print<",">();
    writeWord<texts::kSubtreeMark>("subtree", out);
    out.print<",">();
    writeWord<texts::kKeyMark>("key", out);
    out.print<",\n">();
    writeWord<texts::kBeforeFirstStep>("beforeFirst", out);
    out.print<",">();
    writeWord<texts::kResultStep>("result", out);
    out.print<",">();
    writeWord<texts::kNewTree>("newTree", out);
    out.print<",\n">();
    writeWord<texts::kStepOf>("stepOf", out);
    out.print<",">();
    writeWord<texts::kPlay>("play", out);
    out.print<",">();
    writeWord<texts::kPause>("pause", out);
    out.print<"}\n</script>\n">();
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

// The steps and the result as JSON, for the script: numbers and fixed names only.
void writeData(const CGraph& g, const Transcript& t, const Replay& r, Output& out) {
    static constexpr std::string_view kKinds[] = {"walk", "kruskal", "prim", "result"};  // by Kind
    out.print<
        "<script type=\"application/json\" id=\"data\">\n{\"kind\":\"%s\",\"nodes\":%d,"
        "\"edges\":%d,\"endsOnResult\":%s,\n\"steps\":[">(kKinds[static_cast<int>(r.kind)],
                                                          g.nodeCount, g.edgeCount,
                                                          r.endsOnResult ? "true" : "false");
    for (std::size_t k = 0; k < r.steps.size(); ++k) {
        if (k > 0) out.print<",\n">();
        writeArray(r.steps[k], out);
    }
    out.print<"],\n\"forest\":">();
    writeArray(r.forest, out);
    out.print<",\n\"orientation\":">();
    writeArray(t.orientation, out);
    out.print<",\n\"side\":">();
    writeArray(r.side, out);
    out.print<"}\n</script>\n">();
}

}  // namespace

void writePage(const CGraph& g, const Transcript& t, const Replay& r, std::string_view svg,
               std::string_view path, Output& out) {
    const int steps = static_cast<int>(r.steps.size());
    out.print<"<!DOCTYPE html>\n<html lang=\"%s\">\n">(texts::kLanguageCode.in(out.language()));
    out.print<
        "<head>\n<meta charset=\"utf-8\">\n"
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
    out.print<"</h1>\n<p>">();
    out.print<texts::kPageGraph>();
    out.print<"<code id=\"soubor\">">();
    writeText(path, out);
    out.print<"</code>">();
    out.print<texts::kPageCounts>(g.nodeCount, g.edgeCount);
    out.print<"</p>\n">();
    writeIntroduction(t, r, out);
    out.print<"</header>\n">();
    writeControls(steps, out);
    out.print<"<figure id=\"kresba\">\n">();
    out.write(svg);
    out.print<"\n</figure>\n">();
    writeLegend(t, r, out);
    writeLines(r, out);
    writeData(g, t, r, out);
    writeWords(out);
    out.print<"<script>%s</script>\n</body>\n</html>\n">(page::kScript);
}
