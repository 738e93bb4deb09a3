#include "Replay.h"

#include <algorithm>
#include <numeric>
#include <string_view>

#include "CGraph.h"
#include "Drawing.h"
#include "Output.h"
#include "ReadBack.h"
#include "Texts.h"
#include "Transcript.h"

namespace {

// The walk's steps from kostra's own walk (skeleton's watcher): a step for every first entry,
// with the claims it makes; the start of a tree marks the entry that follows it. Each step's line
// tells it in words, in the language, as kostra prints nothing for this task.
void walkSteps(CGraph& g, Replay& r, Language language) {
    std::vector<WalkStep> walk;
    g.skeleton(walk);
    r.kind = Replay::Kind::Walk;
    bool starts = false;
    for (const WalkStep& s : walk) {
        if (s.kind == WalkStep::Kind::Start) {
            starts = true;
        } else if (s.kind == WalkStep::Kind::Entry) {
            r.steps.push_back({s.node, starts ? 1 : 0});
            starts = false;
        } else {
            r.steps.back().push_back(s.node);
            r.steps.back().push_back(s.edge);
        }
    }
    std::string text;
    Output say(&text);
    say.speak(language);
    for (std::size_t k = 0; k < r.steps.size(); ++k) {
        const std::vector<int>& step = r.steps[k];
        say.print<texts::kWalkEntry>(
            step[0], step[1] == 1 ? texts::kWalkTreeStarts.in(language) : std::string_view(""));
        if (step.size() == 2) say.print<texts::kWalkClaimsNothing>();
        for (std::size_t i = 2; i < step.size(); i += 2) {
            say.print<texts::kWalkClaim>(
                i == 2 ? texts::kWalkClaims.in(language) : texts::kWalkClaimsMore.in(language),
                step[i], step[i + 1]);
        }
        say.flush();
        r.lines.push_back({std::move(text), static_cast<int>(k) + 1});
        text.clear();
    }
}

// The lines of a text, each without its line break.
std::vector<std::string_view> linesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        lines.push_back(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return lines;
}

// The edges in the order the edge-order method takes them: ascending weight, equal weights in
// ascending edge number.
std::vector<int> weightOrder(const CGraph& g) {
    std::vector<int> order(static_cast<std::size_t>(g.edgeCount));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&g](int a, int b) { return g.edges[a].weight < g.edges[b].weight; });
    return order;
}

// The narrated steps, read back from the narration with the formats that print it in the language:
// a step for every accepted edge (its two union lines) or every chosen node (its line and the key
// lines after it). The lines before the first step belong to step 0, the count line to the last
// step. False when a line is not one of the method's.
bool narratedSteps(const CGraph& g, int method, std::string_view narration, Language language,
                   Replay& r) {
    r.kind = method == 2 ? Replay::Kind::Kruskal : Replay::Kind::Prim;
    const std::vector<int> order = method == 2 ? weightOrder(g) : std::vector<int>{};
    std::size_t taken = 0;  // of order: the edges the steps so far have taken
    bool joining = false;   // a union's first line has come, its second is due
    bool counted = false;   // the count line has come: it is the last
    for (const std::string_view line : linesOf(narration)) {
        int a = 0;
        int b = 0;
        int c = 0;
        int d = 0;
        if (counted) return false;
        if (joining) {
            if (!scanLine<texts::kKruskalMoving>(language, line, a, b, c, d)) return false;
            r.steps.back()[1] = a;
            r.steps.back()[2] = c;
            joining = false;
        } else if (method == 2 && scanLine<texts::kKruskalJoining>(language, line, a, b)) {
            std::vector<int> step{a, 0, 0};
            while (taken < order.size() && order[taken] != a) step.push_back(order[taken++]);
            if (taken++ == order.size()) return false;
            r.steps.push_back(std::move(step));
            joining = true;
        } else if (method == 3 && scanLine<texts::kPrimAdding>(language, line, a)) {
            r.steps.push_back({a});
        } else if (method == 3 && !r.steps.empty() &&
                   scanLine<texts::kPrimOffering>(language, line, a, b, c)) {
            r.steps.back().insert(r.steps.back().end(), {a, b, c});
        } else if (scanLine<texts::kKruskalCount>(language, line, a) ||
                   scanLine<texts::kPrimCount>(language, line, a)) {
            counted = true;
        } else if (!(method == 2 && r.steps.empty() &&
                     scanLine<texts::kKruskalSorting>(language, line))) {
            return false;
        }
        r.lines.push_back({std::string(line), static_cast<int>(r.steps.size())});
    }
    return counted && !joining;
}

// What kostra narrates in the language when method 2 or 3 marks the forest of g.
std::string narrationOf(CGraph& g, int method, Language language) {
    std::string text;
    Output say(&text);
    say.speak(language);
    struct Silenced {  // g narrates into say for as long as say lives
        CGraph& g;
        ~Silenced() { g.narrateTo(nullptr); }
    } silenced{g};
    g.narrateTo(&say);
    if (method == 2) {
        g.BoruvkaKruskal(true);
    } else {
        g.JarnikPrim(true);
    }
    say.flush();
    return text;
}

}  // namespace

bool buildReplay(CGraph& g, const Transcript& t, const std::string& narration, Replay& r,
                 Output& err, Language language) {
    r = Replay{};
    r.forest.resize(static_cast<std::size_t>(g.edgeCount));
    for (int k = 0; k < g.edgeCount; ++k) r.forest[static_cast<std::size_t>(k)] = g.edges[k].inTree;
    if (t.task == 5) {
        r.side.resize(static_cast<std::size_t>(g.nodeCount));
        for (int i = 0; i < g.nodeCount; ++i) r.side[static_cast<std::size_t>(i)] = g.nodes[i].tag;
    }

    if (t.task == 1 || (t.task >= 4 && t.method == 1)) {
        walkSteps(g, r, language);
    } else if (t.narrated) {
        // The narration is replayed as it stands, so it must be exactly kostra's on this graph:
        // the line beginnings that readTranscript checks say nothing of the numbers.
        const std::string again = narrationOf(g, t.method, t.language);
        if (again != narration || !narratedSteps(g, t.method, again, t.language, r)) {
            err.print<texts::kOtherNarration>();
            return false;
        }
    }

    if (t.task >= 4) {
        r.endsOnResult = r.kind == Replay::Kind::Walk;
        if (r.endsOnResult) r.steps.emplace_back();
        const int step = static_cast<int>(r.steps.size());
        r.lines.push_back({t.task == 4 ? formatted<texts::kLoopCaption>(language, t.chosen)
                                       : formatted<texts::kCutCaption>(language, t.chosen),
                           step});
    }
    return true;
}
