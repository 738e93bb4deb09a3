// The replay's data and words as JSON (Page.h): what any page that mounts the replay needs beside
// the drawing, on kostra-dot's own page and on kostra's browser page alike.
#include <cstddef>
#include <vector>

#include "CGraph.h"
#include "Output.h"
#include "Page.h"
#include "Replay.h"
#include "Texts.h"
#include "Transcript.h"

std::size_t utf8SequenceLength(std::string_view s, std::size_t i) {
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

namespace {

// s as a JSON string, fit to stand in a script element: quotes, backslashes, '<' and control
// characters escaped, and a byte that begins no valid UTF-8 sequence as U+FFFD.
void writeJsonString(std::string_view s, Output& out) {
    constexpr std::string_view kHex = "0123456789abcdef";
    out.print<"\"">();
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t length = utf8SequenceLength(s, i);
        const std::string_view character = s.substr(i, length == 0 ? 1 : length);
        i += character.size();
        const auto c = static_cast<unsigned char>(character[0]);
        if (length == 0) {
            out.write("\\ufffd");
        } else if (length == 1 && (c == '"' || c == '\\' || c == '<' || c < 0x20 || c == 0x7F)) {
            const char escaped[] = {'\\', 'u', '0', '0', kHex[c >> 4], kHex[c & 15]};
            out.write(escaped, sizeof escaped);
        } else {
            out.write(character);
        }
    }
    out.print<"\"">();
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

// A word of the page: its name in the catalogue, which the script knows it by, and its text in
// both languages.
struct Word {
    std::string_view name;
    std::string_view cs;
    std::string_view en;
};

template <auto T>
constexpr Word word(std::string_view name) {
    return {name, T.cs.view(), T.en.view()};
}

// Every word the script shows, whatever the run: the words of every method and task.
constexpr Word kWords[] = {
    word<texts::kIntroWalk>("kIntroWalk"),
    word<texts::kIntroKruskal>("kIntroKruskal"),
    word<texts::kIntroPrim>("kIntroPrim"),
    word<texts::kIntroLoop>("kIntroLoop"),
    word<texts::kIntroCut>("kIntroCut"),
    word<texts::kIntroMethodGuessed>("kIntroMethodGuessed"),
    word<texts::kPageControlsName>("kPageControlsName"),
    word<texts::kPageFirst>("kPageFirst"),
    word<texts::kPageFirstTitle>("kPageFirstTitle"),
    word<texts::kPageBack>("kPageBack"),
    word<texts::kPageBackTitle>("kPageBackTitle"),
    word<texts::kPlay>("kPlay"),
    word<texts::kPause>("kPause"),
    word<texts::kPagePlayTitle>("kPagePlayTitle"),
    word<texts::kPageForward>("kPageForward"),
    word<texts::kPageForwardTitle>("kPageForwardTitle"),
    word<texts::kPageLast>("kPageLast"),
    word<texts::kPageLastTitle>("kPageLastTitle"),
    word<texts::kPageSpeed>("kPageSpeed"),
    word<texts::kPageSpeed2000>("kPageSpeed2000"),
    word<texts::kPageSpeed1000>("kPageSpeed1000"),
    word<texts::kPageSpeed500>("kPageSpeed500"),
    word<texts::kPageSpeed250>("kPageSpeed250"),
    word<texts::kPageSpeed100>("kPageSpeed100"),
    word<texts::kPageSlider>("kPageSlider"),
    word<texts::kStepOf>("kStepOf"),
    word<texts::kPageZoomIn>("kPageZoomIn"),
    word<texts::kPageZoomOut>("kPageZoomOut"),
    word<texts::kPageZoomFit>("kPageZoomFit"),
    word<texts::kPageDrawingHelp>("kPageDrawingHelp"),
    word<texts::kPageDrawingName>("kPageDrawingName"),
    word<texts::kPageExplanation>("kPageExplanation"),
    word<texts::kPagePseudocode>("kPagePseudocode"),
    word<texts::kPageWeightSoFar>("kPageWeightSoFar"),
    word<texts::kPageSubtrees>("kPageSubtrees"),
    word<texts::kPageClaimed>("kPageClaimed"),
    word<texts::kPageChosenNodes>("kPageChosenNodes"),
    word<texts::kPageQueue>("kPageQueue"),
    word<texts::kPageKeys>("kPageKeys"),
    word<texts::kPageNode>("kPageNode"),
    word<texts::kPageKey>("kPageKey"),
    word<texts::kPageEdge>("kPageEdge"),
    word<texts::kPageNoOpenNode>("kPageNoOpenNode"),
    word<texts::kPageNoKey>("kPageNoKey"),
    word<texts::kPageLoopEdges>("kPageLoopEdges"),
    word<texts::kPageCutEdges>("kPageCutEdges"),
    word<texts::kPageLoopMatrix>("kPageLoopMatrix"),
    word<texts::kPageCutMatrix>("kPageCutMatrix"),
    word<texts::kPageMatrixHint>("kPageMatrixHint"),
    word<texts::kPageMatrixTooLarge>("kPageMatrixTooLarge"),
    word<texts::kPageEdgeName>("kPageEdgeName"),
    word<texts::kPageEdgeLabel>("kPageEdgeLabel"),
    word<texts::kPageLegend>("kPageLegend"),
    word<texts::kWalkLines>("kWalkLines"),
    word<texts::kKostraLines>("kKostraLines"),
    word<texts::kNarrationLines>("kNarrationLines"),
    word<texts::kFromSide>("kFromSide"),
    word<texts::kToSide>("kToSide"),
    word<texts::kSubtreeMark>("kSubtreeMark"),
    word<texts::kKeyMark>("kKeyMark"),
    word<texts::kLegendStepEdge>("kLegendStepEdge"),
    word<texts::kLegendForest>("kLegendForest"),
    word<texts::kLegendStepRefused>("kLegendStepRefused"),
    word<texts::kLegendRefused>("kLegendRefused"),
    word<texts::kLegendKey>("kLegendKey"),
    word<texts::kLegendOtherEdges>("kLegendOtherEdges"),
    word<texts::kLegendPlus>("kLegendPlus"),
    word<texts::kLegendMinus>("kLegendMinus"),
    word<texts::kLegendStepNode>("kLegendStepNode"),
    word<texts::kLegendDone>("kLegendDone"),
    word<texts::kLegendOpen>("kLegendOpen"),
    word<texts::kLegendSubtree>("kLegendSubtree"),
    word<texts::kLegendFromSide>("kLegendFromSide"),
    word<texts::kLegendToSide>("kLegendToSide"),
    word<texts::kLegendOtherNodes>("kLegendOtherNodes"),
    word<texts::kCodeWalk1>("kCodeWalk1"),
    word<texts::kCodeWalk2>("kCodeWalk2"),
    word<texts::kCodeWalk3>("kCodeWalk3"),
    word<texts::kCodeWalk4>("kCodeWalk4"),
    word<texts::kCodeKruskal1>("kCodeKruskal1"),
    word<texts::kCodeKruskal2>("kCodeKruskal2"),
    word<texts::kCodeKruskal3>("kCodeKruskal3"),
    word<texts::kCodeKruskal4>("kCodeKruskal4"),
    word<texts::kCodeKruskal5>("kCodeKruskal5"),
    word<texts::kCodePrim1>("kCodePrim1"),
    word<texts::kCodePrim2>("kCodePrim2"),
    word<texts::kCodePrim3>("kCodePrim3"),
    word<texts::kCodePrim4>("kCodePrim4"),
    word<texts::kCodePrim5>("kCodePrim5"),
    word<texts::kCodeLoop1>("kCodeLoop1"),
    word<texts::kCodeLoop2>("kCodeLoop2"),
    word<texts::kCodeLoop3>("kCodeLoop3"),
    word<texts::kCodeLoop4>("kCodeLoop4"),
    word<texts::kCodeCut1>("kCodeCut1"),
    word<texts::kCodeCut2>("kCodeCut2"),
    word<texts::kCodeCut3>("kCodeCut3"),
    word<texts::kCodeCut4>("kCodeCut4"),
    word<texts::kSayWalkStart>("kSayWalkStart"),
    word<texts::kSayTreeAt>("kSayTreeAt"),
    word<texts::kSayEntry>("kSayEntry"),
    word<texts::kSayClaims>("kSayClaims"),
    word<texts::kSayClaim>("kSayClaim"),
    word<texts::kSayClaimsNothing>("kSayClaimsNothing"),
    word<texts::kSaySorting>("kSaySorting"),
    word<texts::kSayAccepted>("kSayAccepted"),
    word<texts::kSayRefused>("kSayRefused"),
    word<texts::kSayRestRefused>("kSayRestRefused"),
    word<texts::kSayRestNotTaken>("kSayRestNotTaken"),
    word<texts::kSayPrimStart>("kSayPrimStart"),
    word<texts::kSayTreeStarts>("kSayTreeStarts"),
    word<texts::kSayChosenStart>("kSayChosenStart"),
    word<texts::kSayChosen>("kSayChosen"),
    word<texts::kSayLowers>("kSayLowers"),
    word<texts::kSayLowered>("kSayLowered"),
    word<texts::kSayLowersNothing>("kSayLowersNothing"),
    word<texts::kSayLoopStart>("kSayLoopStart"),
    word<texts::kSayLoopSelf>("kSayLoopSelf"),
    word<texts::kSayLoopAlong>("kSayLoopAlong"),
    word<texts::kSayLoopAgainst>("kSayLoopAgainst"),
    word<texts::kSayLoopDone>("kSayLoopDone"),
    word<texts::kSaySplit>("kSaySplit"),
    word<texts::kSayLeaf>("kSayLeaf"),
    word<texts::kSayCutForward>("kSayCutForward"),
    word<texts::kSayCutBackward>("kSayCutBackward"),
    word<texts::kSayCutDone>("kSayCutDone"),
    word<texts::kSaySigned>("kSaySigned"),
    word<texts::kSayOtherLoop>("kSayOtherLoop"),
    word<texts::kSayOtherCut>("kSayOtherCut"),
};

}  // namespace

void writePageData(const CGraph& g, const Transcript& t, const Replay& r, Output& out) {
    out.print<
        "{\"task\":%d,\"method\":%d,\"narrated\":%s,\"nodes\":%d,\"edges\":%d,\"chosen\":%d,">(
        static_cast<int>(t.task), static_cast<int>(r.method), t.narrated ? "true" : "false",
        g.nodeCount, g.edgeCount, t.chosen);
    const auto column = [&g](auto field) {
        std::vector<int> values(static_cast<std::size_t>(g.edgeCount));
        for (int k = 0; k < g.edgeCount; ++k)
            values[static_cast<std::size_t>(k)] = field(g.edges[k]);
        return values;
    };
    out.print<"\n\"from\":">();
    writeArray(column([](const Edge& e) { return e.from; }), out);
    out.print<",\n\"to\":">();
    writeArray(column([](const Edge& e) { return e.to; }), out);
    out.print<",\n\"weight\":">();
    writeArray(column([](const Edge& e) { return e.weight; }), out);
    out.print<",\n\"forest\":">();
    writeArray(r.forest, out);
    out.print<",\n\"orientation\":">();
    writeArray(t.orientation, out);
    out.print<",\n\"side\":">();
    writeArray(r.side, out);
    out.print<",\n\"forestSteps\":%d,\n\"steps\":[">(r.forestSteps);
    for (std::size_t k = 0; k < r.steps.size(); ++k) {
        if (k > 0) out.print<",\n">();
        writeArray(r.steps[k], out);
    }
    out.print<"],\n\"lines\":[">();
    for (std::size_t k = 0; k < r.lines.size(); ++k) {
        if (k > 0) out.print<",\n">();
        out.print<"[%d,">(r.lines[k].step);
        writeJsonString(r.lines[k].text, out);
        out.print<"]">();
    }
    out.print<"]}">();
}

void writePageWords(Output& out) {
    const bool english = out.language() == Language::English;
    out.print<"{">();
    for (const Word& w : kWords) {
        if (&w != kWords) out.print<",\n">();
        writeJsonString(w.name, out);
        out.print<":">();
        writeJsonString(english ? w.en : w.cs, out);
    }
    out.print<"}">();
}
