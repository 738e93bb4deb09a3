#include "main.h"

#include <memory>
#include <new>

#include "CGraph.h"
#include "Progress.h"
#include "Questions.h"
#include "Texts.h"
#include "algebra.h"

namespace {

// The menu's follow-up for tasks 2 and 3: narrate or not. Asks until the answer starts with a
// lower-case 'a' or 'n'; false when standard input ran out first.
bool askVerbose(LineReader& in, Output& out, Notes& hints, bool& verbose) {
    for (;;) {
        out.print<texts::kVerbosePrompt>();
        char c = 0;
        if (!in.readFirst(c)) return false;
        if (c == 'a' || c == 'n') {
            verbose = c == 'a';
            return true;
        }
        hints.refusedYesNo(in);
    }
}

// Lines of the report between two looks at the clock of the progress line.
constexpr int kLinesPerLook = 1 << 16;

void report(const CGraph& g, int choice, Output& out) {
    out.print<texts::kBanner>();
    const progress::Phase phase({"vypisuji vysledek", "radek", false, true});
    progress::total(choice >= 4 ? g.edgeCount : std::int64_t{g.edgeCount} + g.nodeCount);
    for (int from = 0; from < g.edgeCount; from += kLinesPerLook) {
        progress::done(from);
        const int to = g.edgeCount - from > kLinesPerLook ? from + kLinesPerLook : g.edgeCount;
        if (choice >= 4) {
            for (int i = from; i < to; ++i) out.print<texts::kOrientationLine>(i, g.edges[i].tag);
        } else {
            for (int i = from; i < to; ++i)
                out.print<texts::kEdgeLine>(i, g.edges[i].inTree, g.edges[i].weight);
        }
    }
    if (choice >= 4) return;
    for (int from = 0; from < g.nodeCount; from += kLinesPerLook) {
        progress::done(std::int64_t{g.edgeCount} + from);
        const int to = g.nodeCount - from > kLinesPerLook ? from + kLinesPerLook : g.nodeCount;
        for (int i = from; i < to; ++i)
            out.print<texts::kNodeLine>(i, g.nodes[i].bones, g.nodes[i].degree);
    }
}

// The work of a task between two questions, or before the report: shown as it goes on.
progress::Work working(const char* what, bool narrated = false) {
    return {what, nullptr, false, narrated};
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
    if (!ask<"">(stdinSource, {Expected::Choice}, choice,
                 [](int v) { return betweend(1, v, 5) != 0; }))
        return inputEnded(out);
    {
        const progress::Phase phase(working("pripravuji seznamy sousedu"));
        g.makeRoutes();
    }

    if (choice == 1) {
        const progress::Phase phase(working("hledam kostru"));
        g.skeleton();
        g.bones();
    } else if (choice <= 3) {
        bool verbose = false;
        if (!askVerbose(answers, out, hints, verbose)) return inputEnded(out);
        const progress::Phase phase(working("hledam kostru", verbose));
        g.narrateTo(&out);
        if (choice == 2) g.BoruvkaKruskal(verbose);
        if (choice == 3) g.JarnikPrim(verbose);
        g.bones();
    } else {
        int method = 0;
        if (!ask<texts::kMethodPrompt>(stdinSource, {Expected::Method}, method,
                                       [](int v) { return betweend(1, v, 3) != 0; }))
            return inputEnded(out);
        {
            const progress::Phase phase(working("hledam kostru"));
            g.markForest(method);
            g.bones();
        }
        int trees = 0;  // the tree edges, for the hint on the edge question
        for (int i = 0; i < g.edgeCount; ++i) {
            out.print<texts::kTreeFlagLine>(i, g.edges[i].inTree);
            trees += g.edges[i].inTree ? 1 : 0;
        }
        int edge = 0;
        if (choice == 4) {
            hints.edgeQuestion(g, Expected::LoopEdge, g.edgeCount - trees);
            if (!ask<texts::kLoopPrompt>(stdinSource, {Expected::LoopEdge}, edge, [&g](int v) {
                    return v >= 0 && v < g.edgeCount && !g.edges[v].inTree;
                }))
                return inputEnded(out);
            const progress::Phase phase(working("hledam smycku"));
            g.getLoop(edge);
        } else {
            hints.edgeQuestion(g, Expected::CutEdge, trees);
            if (!ask<texts::kCutPrompt>(stdinSource, {Expected::CutEdge}, edge, [&g](int v) {
                    return v >= 0 && v < g.edgeCount && g.edges[v].inTree;
                }))
                return inputEnded(out);
            const progress::Phase phase(working("hledam rez"));
            g.getCut(edge);
        }
    }
    report(g, choice, out);
    return kStatusDone;
}

// The whole run but for the two failures that can strike anywhere (memory, output). The notes on
// standard error: hints on the answers as they come, the graph file's notes after the line that
// tells how its reading ended.
int dialogue(const char* graphPath, LineReader& answers, Output& out, Output& err,
             const RunLimits& limits) {
    Notes hints(Notes::Source::Answers, err, &out);
    std::unique_ptr<CGraph> graph;
    if (graphPath == nullptr) {
        const int read = readGraph(answers, &out, graph, limits, &hints);
        if (read == kStatusInputEnded) return inputEnded(out);
        if (read != kStatusDone) return read;
        return runTask(*graph, answers, out, hints);
    }

    Notes fileNotes(Notes::Source::GraphFile, err);
    const auto told = [&] {
        if (!fileNotes.any()) return;
        out.flush();
        fileNotes.print();
    };
    const int read = readGraphFile(graphPath, graph, limits, &fileNotes);
    if (read == kStatusCannotOpen) {
        out.print<texts::kCannotOpen>(graphPath);
        told();
        return kStatusCannotOpen;
    }
    // Printed once the file is open; nothing else reaches the output while it is read.
    out.print<texts::kOpening>(graphPath);
    if (read == kStatusInconsistent) {
        out.print<texts::kInconsistent>();
        told();
        return kStatusInconsistent;
    }
    if (read != kStatusDone) return read;
    out.print<texts::kOpenedOk>();
    told();
    return runTask(*graph, answers, out, hints);
}

}  // namespace

int runKostra(const char* graphPath, LineReader& answers, Output& out, Output& err,
              const RunLimits& limits) {
    int status = kStatusDone;
    try {
        status = dialogue(graphPath, answers, out, err, limits);
    } catch (const std::bad_alloc&) {
        status = kStatusNoMemory;
    }
    if (status == kStatusNoMemory) {
        out.print<"\n">();
        out.print<texts::kNoMemory>();
    }
    if (!out.flush()) {
        err.print<texts::kCannotWrite>();
        err.flush();
        return kStatusCannotWrite;
    }
    return status;
}
