#include "Replay.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "CGraph.h"
#include "Drawing.h"
#include "Narration.h"
#include "Observed.h"
#include "Output.h"
#include "Texts.h"
#include "Transcript.h"

namespace {

// The walk's steps, from kostra's own walk: a step for every first entry, with the claims it
// makes; the start of a tree marks the entry that follows it.
struct WalkSteps : Unwatched {
    Replay& r;
    bool starts = false;
    explicit WalkSteps(Replay& replay) : r(replay) {}
    void treeStarts(int /*node*/) { starts = true; }
    void entered(int node) {
        r.steps.push_back({node, starts ? 1 : 0});
        starts = false;
    }
    void claimed(int node, int edge) {
        r.steps.back().push_back(node);
        r.steps.back().push_back(edge);
    }
};

// The walk's steps, each with a line that tells it in words, in the language, as kostra prints
// nothing for this task.
void walkSteps(CGraph& g, Replay& r, Language language) {
    r.kind = Replay::Kind::Walk;
    WalkSteps steps(r);
    g.skeleton(steps);
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

// The narrated steps, from the method's own decisions: a step for every accepted edge (with the
// edges refused before it) or every chosen node (with the keys set after it). Each decision's
// lines are kostra's narration of it in the language; the lines before the first step belong to
// step 0, the count's line to the last step.
class NarratedSteps : public Unwatched {
public:
    NarratedSteps(Replay& r, const CGraph& g, int method, Language language)
        : r_(r), say_(&text_), narration_(say_, g, static_cast<Method>(method)) {
        say_.speak(language);
    }

    void sortingEdges() {
        narration_.sortingEdges();
        take();
    }
    void refused(int edge, int /*label*/) { refused_.push_back(edge); }
    void accepted(int edge, int goneLabel, int keptLabel) {
        std::vector<int> step{edge, goneLabel, keptLabel};
        step.insert(step.end(), refused_.begin(), refused_.end());
        refused_.clear();
        r_.steps.push_back(std::move(step));
        narration_.accepted(edge, goneLabel, keptLabel);
        take();
    }
    void chosen(int node, int key, int edge) {
        r_.steps.push_back({node});
        narration_.chosen(node, key, edge);
        take();
    }
    void keyLowered(int node, int keyBefore, int edgeBefore, int key, int edge) {
        r_.steps.back().insert(r_.steps.back().end(), {node, key, edge});
        narration_.keyLowered(node, keyBefore, edgeBefore, key, edge);
        take();
    }
    void componentsCounted(int count) {
        narration_.componentsCounted(count);
        take();
    }

    // Everything narrated, as kostra prints it.
    const std::string& narration() const { return all_; }

private:
    // The lines just narrated go to the current step.
    void take() {
        say_.flush();
        std::string_view lines = text_;
        while (!lines.empty()) {
            const std::size_t end = lines.find('\n');
            r_.lines.push_back(
                {std::string(lines.substr(0, end)), static_cast<int>(r_.steps.size())});
            lines.remove_prefix(end == std::string_view::npos ? lines.size() : end + 1);
        }
        all_ += text_;
        text_.clear();
    }

    Replay& r_;
    std::string text_;
    Output say_;
    Narration narration_;
    std::vector<int> refused_;  // since the last accepted edge
    std::string all_;
};

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
        r.kind = t.method == 2 ? Replay::Kind::Kruskal : Replay::Kind::Prim;
        NarratedSteps steps(r, g, t.method, t.language);
        g.markForest(static_cast<Method>(t.method), steps);
        if (steps.narration() != narration) {
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
