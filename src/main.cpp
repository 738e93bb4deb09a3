#include "main.h"

#include <memory>
#include <new>
#include <tuple>

#include "CGraph.h"
#include "ParallelLines.h"
#include "Questions.h"
#include "Texts.h"
#include "algebra.h"

namespace {

// The menu's follow-up for tasks 2 and 3: narrate or not. Asks until the answer starts with a
// lower-case 'a' or 'n'; false when standard input ran out first.
bool askVerbose(LineReader& in, Output& out, bool& verbose) {
    for (;;) {
        out.print<texts::kVerbosePrompt>();
        char c = 0;
        if (!in.readFirst(c)) return false;
        if (c == 'a' || c == 'n') {
            verbose = c == 'a';
            return true;
        }
    }
}

// The report's lines are formatted on every processor (ParallelLines.h), from the graph's records
// and the degrees makeRoutes counted, which nothing changes meanwhile.
void report(const CGraph& g, int choice, Output& out) {
    out.print<texts::kBanner>();
    if (choice >= 4) {
        printLines<texts::kOrientationLine>(out, g.edgeCount, [&g](int i) {
            return std::tuple{i, g.edges[i].tag};
        });
        return;
    }
    printLines<texts::kEdgeLine>(out, g.edgeCount, [&g](int i) {
        return std::tuple{i, static_cast<int>(g.edges[i].inTree), g.edges[i].weight};
    });
    printLines<texts::kNodeLine>(out, g.nodeCount, [&g](int i) {
        return std::tuple{i, g.nodes[i].bones, g.degree(i)};
    });
}

int inputEnded(Output& out) {
    out.print<texts::kInputEnded>();
    return kStatusInputEnded;
}

// Everything after the graph: the menu, the task and the report.
int runTask(CGraph& g, LineReader& answers, Output& out) {
    const Source stdinSource{answers, &out};
    out.print<texts::kMenu>();
    int choice = 0;
    if (!ask<"">(stdinSource, choice, [](int v) { return betweend(1, v, 5) != 0; }))
        return inputEnded(out);
    g.makeRoutes();

    if (choice == 1) {
        g.skeleton();
        g.bones();
    } else if (choice <= 3) {
        bool verbose = false;
        if (!askVerbose(answers, out, verbose)) return inputEnded(out);
        g.narrateTo(&out);
        if (choice == 2) g.BoruvkaKruskal(verbose);
        if (choice == 3) g.JarnikPrim(verbose);
        g.bones();
    } else {
        int method = 0;
        if (!ask<texts::kMethodPrompt>(stdinSource, method,
                                       [](int v) { return betweend(1, v, 3) != 0; }))
            return inputEnded(out);
        g.markForest(method);
        g.bones();
        printLines<texts::kTreeFlagLine>(out, g.edgeCount, [&g](int i) {
            return std::tuple{i, static_cast<int>(g.edges[i].inTree)};
        });
        int edge = 0;
        if (choice == 4) {
            if (!ask<texts::kLoopPrompt>(stdinSource, edge, [&g](int v) {
                    return v >= 0 && v < g.edgeCount && !g.edges[v].inTree;
                }))
                return inputEnded(out);
            g.getLoop(edge);
        } else {
            if (!ask<texts::kCutPrompt>(stdinSource, edge, [&g](int v) {
                    return v >= 0 && v < g.edgeCount && g.edges[v].inTree;
                }))
                return inputEnded(out);
            g.getCut(edge);
        }
    }
    report(g, choice, out);
    return kStatusDone;
}

// The whole run but for the two failures that can strike anywhere (memory, output).
int dialogue(const char* graphPath, LineReader& answers, Output& out, const RunLimits& limits) {
    std::unique_ptr<CGraph> graph;
    if (graphPath == nullptr) {
        const int read = readGraph(answers, &out, graph, limits);
        if (read == kStatusInputEnded) return inputEnded(out);
        if (read != kStatusDone) return read;
        return runTask(*graph, answers, out);
    }

    const int read = readGraphFile(graphPath, graph, limits);
    // Printed once the file is open; nothing else reaches the output while it is read.
    if (read != kStatusCannotOpen) out.print<texts::kOpening>(graphPath);
    if (read != kStatusDone) {
        tellUnreadGraph(read, graphPath, Verdict::Kostra, out);
        return read;
    }
    out.print<texts::kOpenedOk>();
    return runTask(*graph, answers, out);
}

}  // namespace

int runKostra(const char* graphPath, LineReader& answers, Output& out, Output& err,
              const RunLimits& limits) {
    int status = kStatusDone;
    try {
        status = dialogue(graphPath, answers, out, limits);
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
