#include "main.h"

#include <memory>
#include <new>
#include <tuple>

#include "CGraph.h"
#include "Narration.h"
#include "ParallelLines.h"
#include "Progress.h"
#include "Questions.h"
#include "Task.h"
#include "Texts.h"
#include "algebra.h"

namespace {

// The menu's follow-up for tasks 2 and 3: narrate or not. Asks until the answer starts with the
// language's lower-case yes or no ('a' or 'n' in Czech); false when standard input ran out first.
bool askVerbose(LineReader& in, Output& out, Notes& hints, bool& verbose) {
    for (;;) {
        out.print<texts::kVerbosePrompt>();
        char c = 0;
        if (!in.readFirst(c)) return false;
        const char yes = texts::kYes.in(out.language())[0];
        if (c == yes || c == texts::kNo.in(out.language())[0]) {
            verbose = c == yes;
            return true;
        }
        hints.refusedYesNo(in);
    }
}

// The report's lines are formatted on every processor (ParallelLines.h), from the graph's records
// and the degrees, counted before, which nothing changes meanwhile. The loop and cut tasks read
// no degree, and never count them.
void report(const CGraph& g, Task task, Output& out) {
    out.print<texts::kBanner>();
    const progress::Phase phase({texts::kWritingReport, texts::kLineUnit, false, true});
    if (!reportsForest(task)) {
        progress::total(g.edgeCount);
        printLines<texts::kOrientationLine>(out, g.edgeCount, [&g](int i) {
            return std::tuple{i, g.edges[i].tag};
        });
        return;
    }
    progress::total(std::int64_t{g.edgeCount} + g.nodeCount);
    printLines<texts::kEdgeLine>(out, g.edgeCount, [&g](int i) {
        return std::tuple{i, static_cast<int>(g.edges[i].inTree), g.edges[i].weight};
    });
    g.countDegrees();
    printLines<texts::kNodeLine>(
        out, g.nodeCount,
        [&g](int i) {
            return std::tuple{i, g.nodes[i].bones, g.degree(i)};
        },
        g.edgeCount);
}

// The work of a task between two questions, or before the report: shown as it goes on.
progress::Work working(progress::Words what, bool narrated = false) {
    return {what, {}, false, narrated};
}

int inputEnded(Output& out) {
    out.print<texts::kInputEnded>();
    return kStatusInputEnded;
}

// Everything after the graph: the menu, the task and the report.
int runTask(CGraph& g, LineReader& answers, Output& out, Notes& hints) {
    const Source stdinSource{answers, &out, &hints};
    out.print<texts::kMenu>();
    int choice = 0;
    if (!ask<texts::kChoicePrompt>(stdinSource, {Expected::Choice}, choice,
                                   [](int v) { return betweend(1, v, 5) != 0; }))
        return inputEnded(out);
    const auto task = static_cast<Task>(choice);
    {
        const progress::Phase phase(working(texts::kBuildingRoutes));
        g.makeRoutes();
    }

    if (task == Task::Skeleton) {
        const progress::Phase phase(working(texts::kFindingForest));
        g.skeleton();
        g.bones();
    } else if (reportsForest(task)) {
        bool verbose = false;
        if (!askVerbose(answers, out, hints, verbose)) return inputEnded(out);
        const progress::Phase phase(working(texts::kFindingForest, verbose));
        narratedForest(g, methodOf(task), verbose ? &out : nullptr);
        g.bones();
    } else {
        int number = 0;
        if (!ask<texts::kMethodPrompt>(stdinSource, {Expected::Method}, number,
                                       [](int v) { return betweend(1, v, 3) != 0; }))
            return inputEnded(out);
        const auto method = static_cast<Method>(number);
        int trees = 0;  // the tree edges, for the hint on the edge question
        {
            const progress::Phase phase(working(texts::kFindingForest));
            trees = g.nodeCount - g.markForest(method);  // a forest: nodes less its trees
        }
        printLines<texts::kTreeFlagLine>(out, g.edgeCount, [&g](int i) {
            return std::tuple{i, static_cast<int>(g.edges[i].inTree)};
        });
        int edge = 0;
        if (task == Task::Loop) {
            hints.edgeQuestion(g, Expected::LoopEdge, g.edgeCount - trees);
            if (!ask<texts::kLoopPrompt>(stdinSource, {Expected::LoopEdge}, edge, [&g](int v) {
                    return v >= 0 && v < g.edgeCount && !g.edges[v].inTree;
                }))
                return inputEnded(out);
            const progress::Phase phase(working(texts::kFindingLoop));
            g.getLoop(edge);
        } else {
            hints.edgeQuestion(g, Expected::CutEdge, trees);
            if (!ask<texts::kCutPrompt>(stdinSource, {Expected::CutEdge}, edge, [&g](int v) {
                    return v >= 0 && v < g.edgeCount && g.edges[v].inTree;
                }))
                return inputEnded(out);
            const progress::Phase phase(working(texts::kFindingCut));
            g.bones();  // the cut tells a leaf by its count of tree routes
            g.getCut(edge);
        }
    }
    report(g, task, out);
    return kStatusDone;
}

// The whole run but for the two failures that can strike anywhere (memory, output). The notes on
// standard error: hints on the answers as they come, the graph file's notes after the line that
// tells how its reading ended.
int dialogue(const char* graphPath, LineReader& answers, Output& out, Output& err,
             const RunLimits& limits, memory::Shortage& shortage) {
    Notes hints(Notes::Source::Answers, err, &out);
    std::unique_ptr<CGraph> graph;
    // A graph whose nodes mostly have no edge is worth a note before the menu.
    const auto idle = [&] {
        out.flush();
        memory::tellIdleNodes(*graph, err);
    };
    if (graphPath == nullptr) {
        const int read = readGraph(answers, &out, graph, limits, &hints, &shortage);
        if (read == kStatusInputEnded) return inputEnded(out);
        if (read != kStatusDone) return read;
        idle();
        return runTask(*graph, answers, out, hints);
    }

    Notes fileNotes(Notes::Source::GraphFile, err);
    const auto told = [&] {
        if (!fileNotes.any()) return;
        out.flush();
        fileNotes.print();
    };
    const int read = readGraphFile(graphPath, graph, limits, &fileNotes, &shortage);
    // Printed once the file is open; nothing else reaches the output while it is read.
    if (read != kStatusCannotOpen) out.print<texts::kOpening>(graphPath);
    if (read != kStatusDone) {
        tellUnreadGraph(read, graphPath, Verdict::Kostra, out);
        if (read != kStatusNoMemory) told();
        return read;
    }
    out.print<texts::kOpenedOk>();
    told();
    idle();
    return runTask(*graph, answers, out, hints);
}

}  // namespace

int runKostra(const char* graphPath, LineReader& answers, Output& out, Output& err,
              const RunLimits& limits) {
    int status = kStatusDone;
    memory::Shortage shortage;  // why a graph was refused for its size
    try {
        status = dialogue(graphPath, answers, out, err, limits, shortage);
    } catch (const std::bad_alloc&) {
        status = kStatusNoMemory;
    }
    if (status == kStatusNoMemory) {
        out.print<texts::kLineEnd>();
        out.print<texts::kNoMemory>();
        if (shortage.bound != memory::Shortage::Bound::None && out.flush())
            memory::tellShortage(shortage, err);
    }
    if (!out.flush()) {
        err.print<texts::kCannotWrite>();
        err.flush();
        return kStatusCannotWrite;
    }
    return status;
}
