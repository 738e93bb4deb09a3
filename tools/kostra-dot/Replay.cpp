#include "Replay.h"

#include <cstddef>
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
        r.steps.push_back({Replay::kEntry, node, starts ? 1 : 0});
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
    WalkSteps steps(r);
    g.skeleton(steps);
    std::string text;
    Output say(&text);
    say.speak(language);
    for (std::size_t k = 0; k < r.steps.size(); ++k) {
        const std::vector<int>& step = r.steps[k];
        say.print<texts::kWalkEntry>(
            step[1], step[2] == 1 ? texts::kWalkTreeStarts.in(language) : std::string_view(""));
        if (step.size() == 3) say.print<texts::kWalkClaimsNothing>();
        for (std::size_t i = 3; i < step.size(); i += 2) {
            say.print<texts::kWalkClaim>(
                i == 3 ? texts::kWalkClaims.in(language) : texts::kWalkClaimsMore.in(language),
                step[i], step[i + 1]);
        }
        say.flush();
        r.lines.push_back({std::move(text), static_cast<int>(k) + 1});
        text.clear();
    }
}

// The steps of a minimum forest method, from its own decisions: every edge the edge order takes
// up to the last one accepted, then one step for the edges after it; or every start of a tree and
// every chosen node with the keys it lowers. Each decision's lines are kostra's narration of it,
// in the transcript's language, kept when the run narrated: the lines before the first step
// belong to step 0, the count's line to the last step.
class MinimumSteps : public Unwatched {
public:
    MinimumSteps(Replay& r, const CGraph& g, Method method, Language language, bool narrated)
        : r_(r), say_(&text_), narration_(say_, g, method), narrated_(narrated) {
        say_.speak(language);
    }

    void sortingEdges() {
        edgeOrder_ = true;
        narration_.sortingEdges();
        take();
    }
    void refused(int edge, int label) { r_.steps.push_back({Replay::kRefused, edge, label}); }
    void accepted(int edge, int goneLabel, int keptLabel) {
        r_.steps.push_back({Replay::kAccepted, edge, goneLabel, keptLabel});
        lastAccepted_ = r_.steps.size();
        narration_.accepted(edge, goneLabel, keptLabel);
        take();
    }
    void notTaken(int edge) { notTaken_.push_back(edge); }
    void treeStarts(int node) { r_.steps.push_back({Replay::kTreeStart, node}); }
    void chosen(int node, int key, int edge) {
        r_.steps.push_back({Replay::kChosen, node, key, edge});
        narration_.chosen(node, key, edge);
        take();
    }
    void keyLowered(int node, int keyBefore, int edgeBefore, int key, int edge) {
        r_.steps.back().insert(r_.steps.back().end(), {node, keyBefore, edgeBefore, key, edge});
        narration_.keyLowered(node, keyBefore, edgeBefore, key, edge);
        take();
    }
    void componentsCounted(int count) {
        gatherRest();
        narration_.componentsCounted(count);
        take();
    }

    // Everything narrated, as kostra prints it.
    const std::string& narration() const { return all_; }

private:
    // The edge order's steps after the last accepted edge (each refused) and the edges it did
    // not take become one step. Neither is narrated, so no line moves.
    void gatherRest() {
        if (!edgeOrder_ || (r_.steps.size() == lastAccepted_ && notTaken_.empty())) return;
        std::vector<int> rest{Replay::kRest};
        for (std::size_t k = lastAccepted_; k < r_.steps.size(); ++k) {
            rest.push_back(r_.steps[k][1]);
            rest.push_back(r_.steps[k][2]);
        }
        for (const int edge : notTaken_) {
            rest.push_back(edge);
            rest.push_back(-1);
        }
        r_.steps.resize(lastAccepted_);
        r_.steps.push_back(std::move(rest));
    }

    // The lines just narrated go to the current step.
    void take() {
        say_.flush();
        std::string_view lines = text_;
        while (narrated_ && !lines.empty()) {
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
    bool narrated_;
    bool edgeOrder_ = false;        // the method is the edge order's
    std::size_t lastAccepted_ = 0;  // the steps up to the last accepted edge
    std::vector<int> notTaken_;
    std::string all_;
};

// The loop's or cut's steps, from the search's own events: every edge of the loop in its order;
// or the two sides, then every edge of the cut. Each edge's step has the line of kostra's report
// for it, in the transcript's language.
class LoopAndCutSteps : public Unwatched {
public:
    LoopAndCutSteps(Replay& r, Language language) : r_(r), language_(language) {}

    void loopEdge(int edge, int orientation) { edgeStep(Replay::kLoopEdge, edge, orientation); }
    void cutAtLeaf(int leaf) { leaf_ = leaf; }
    void sideOf(int node, int side) {
        if (r_.steps.size() == static_cast<std::size_t>(r_.forestSteps))
            r_.steps.push_back({Replay::kSplit, leaf_});
        r_.steps.back().push_back(node);
        r_.steps.back().push_back(side);
    }
    void cutEdge(int edge, int orientation) { edgeStep(Replay::kCutEdge, edge, orientation); }

private:
    void edgeStep(int code, int edge, int orientation) {
        r_.steps.push_back({code, edge, orientation});
        std::string line = formatted<texts::kOrientationLine>(language_, edge, orientation);
        if (!line.empty() && line.back() == '\n') line.pop_back();
        r_.lines.push_back({std::move(line), static_cast<int>(r_.steps.size())});
    }

    Replay& r_;
    Language language_;
    int leaf_ = -1;
};

}  // namespace

bool buildReplay(CGraph& g, const Transcript& t, const std::string& narration, Replay& r,
                 Output& err, Language language) {
    r = Replay{};
    r.method = t.method;
    r.forest.resize(static_cast<std::size_t>(g.edgeCount));
    for (int k = 0; k < g.edgeCount; ++k) r.forest[static_cast<std::size_t>(k)] = g.edges[k].inTree;
    if (t.task == Task::Cut) {
        r.side.resize(static_cast<std::size_t>(g.nodeCount));
        for (int i = 0; i < g.nodeCount; ++i) r.side[static_cast<std::size_t>(i)] = g.nodes[i].tag;
    }

    if (t.method == Method::Skeleton) {
        walkSteps(g, r, language);
    } else {
        // A narration is replayed as it stands, so it must be exactly kostra's on this graph:
        // the line beginnings that readTranscript checks say nothing of the numbers.
        MinimumSteps steps(r, g, t.method, t.language, t.narrated);
        g.markForest(t.method, steps);
        if (t.narrated && steps.narration() != narration) {
            err.print<texts::kOtherNarration>();
            return false;
        }
    }
    r.forestSteps = static_cast<int>(r.steps.size());

    if (!reportsForest(t.task)) {
        // The method just run marked the transcript's forest again.
        LoopAndCutSteps steps(r, t.language);
        if (t.task == Task::Loop) {
            g.getLoop(t.chosen, steps);
        } else {
            g.bones();
            g.getCut(t.chosen, steps);
        }
        r.steps.push_back({Replay::kSigns});
        r.lines.push_back({t.task == Task::Loop ? formatted<texts::kLoopCaption>(language, t.chosen)
                                                : formatted<texts::kCutCaption>(language, t.chosen),
                           static_cast<int>(r.steps.size())});
    }
    return true;
}
