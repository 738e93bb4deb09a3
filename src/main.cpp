#include "main.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <new>

#include "algebra.h"

namespace {

using Got = LineReader::Got;

// Where the answers come from: the graph file, read silently and checked for its end after every
// read, or standard input, where every question is shown before its answer is read.
struct Source {
    LineReader& in;
    Output* prompts;  // null for the graph file
};

// Asks until the answer is a number that accept() takes; false when the source ran out first.
template <Format Prompt, class Accept, class... Args>
bool ask(const Source& src, int& value, const Accept& accept, const Args&... args) {
    for (;;) {
        if (src.prompts != nullptr) src.prompts->print<Prompt>(args...);
        int v = 0;
        const Got got = src.in.readInt(v);
        if (got == Got::Nothing || (src.prompts == nullptr && src.in.endMet())) return false;
        if (got == Got::Number && accept(v)) {
            value = v;
            return true;
        }
    }
}

bool anyValue(int /*value*/) { return true; }

// The menu's follow-up for tasks 2 and 3: narrate or not. Asks until the answer starts with a
// lower-case 'a' or 'n'; false when standard input ran out first.
bool askVerbose(LineReader& in, Output& out, bool& verbose) {
    for (;;) {
        out.print<"podrobny vypis (a/n)? ">();
        char c = 0;
        if (!in.readFirst(c)) return false;
        if (c == 'a' || c == 'n') {
            verbose = c == 'a';
            return true;
        }
    }
}

// Marks a spanning forest by one of the three methods, without narration.
void markForest(CGraph& g, int method) {
    if (method == 1) g.skeleton();
    if (method == 2) g.BoruvkaKruskal(false);
    if (method == 3) g.JarnikPrim(false);
}

void report(const CGraph& g, int choice, Output& out) {
    out.print<"\n>>VYSTUP<<\n">();
    if (choice >= 4) {
        for (int i = 0; i < g.edgeCount; ++i)
            out.print<"hrana %2d: orientace=%2d\n">(i, g.edges[i].tag);
        return;
    }
    for (int i = 0; i < g.edgeCount; ++i)
        out.print<"hrana %2d: v kostre=%2d, vaha=%2d\n">(i, g.edges[i].inTree, g.edges[i].weight);
    for (int i = 0; i < g.nodeCount; ++i)
        out.print<"uzel  %2d: kosti z=%2d, smeru=%2d\n">(i, g.nodes[i].bones, g.nodes[i].degree);
}

int inputEnded(Output& out) {
    out.print<"\nCHYBA: neocekavany konec vstupu\n">();
    return kStatusInputEnded;
}

// Everything after the graph: the menu, the task and the report.
int runTask(CGraph& g, LineReader& answers, Output& out) {
    const Source stdinSource{answers, &out};
    out.print<
        "\nvyber algoritmu:\n"
        " 1 - rekurzivni kostra od uzlu s nejvyssim stupnem\n"
        " 2 - Boruvka-Kruskal s urcenim poctu komponent\n"
        " 3 - Jarnik-Prim pro nesouvisly graf\n"
        " 4 - nezavisla smycka\n"
        " 5 - nezavisly rez\n">();
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
        if (!ask<"cislo algoritmu pro oznaceni kostry (1-3): ">(
                stdinSource, method, [](int v) { return betweend(1, v, 3) != 0; }))
            return inputEnded(out);
        markForest(g, method);
        g.bones();
        for (int i = 0; i < g.edgeCount; ++i)
            out.print<"hrana %2d: v kostre=%d\n">(i, g.edges[i].inTree);
        int edge = 0;
        if (choice == 4) {
            if (!ask<"nekostrova hrana okolo niz se najde nezavisla smycka: ">(
                    stdinSource, edge,
                    [&g](int v) { return v >= 0 && v < g.edgeCount && !g.edges[v].inTree; }))
                return inputEnded(out);
            g.getLoop(edge);
        } else {
            if (!ask<"kostrova hrana skrz kterou se najde nezavisly rez: ">(
                    stdinSource, edge,
                    [&g](int v) { return v >= 0 && v < g.edgeCount && g.edges[v].inTree; }))
                return inputEnded(out);
            g.getCut(edge);
        }
    }
    report(g, choice, out);
    return kStatusDone;
}

// The graph file, open for as long as the run holds it, even when running out of memory ends the
// run early.
struct GraphFile {
    explicit GraphFile(const char* path) : fd(openGraphFile(path)) {}
    ~GraphFile() {
        if (fd >= 0) ::close(fd);
    }
    GraphFile(const GraphFile&) = delete;
    GraphFile& operator=(const GraphFile&) = delete;
    const int fd;
};

// The whole run but for the two failures that can strike anywhere (memory, output).
int dialogue(const char* graphPath, LineReader& answers, Output& out, const RunLimits& limits) {
    std::unique_ptr<CGraph> graph;
    if (graphPath == nullptr) {
        const int read = readGraph(answers, &out, graph, limits);
        if (read == kStatusInputEnded) return inputEnded(out);
        if (read != kStatusDone) return read;
        return runTask(*graph, answers, out);
    }

    const GraphFile file(graphPath);
    if (file.fd < 0) {
        out.print<"CHYBA: nelze otevrit soubor \"%s\"\n">(graphPath);
        return kStatusCannotOpen;
    }
    out.print<"nacitam strukturu grafu ze souboru  %s... ">(graphPath);
    LineReader in(file.fd);
    const int read = readGraph(in, nullptr, graph, limits);
    if (read == kStatusInconsistent) {
        out.print<"[CHYBA] (nekonzistentni data)\n">();
        return kStatusInconsistent;
    }
    if (read != kStatusDone) return read;
    out.print<"[OK]\n">();
    return runTask(*graph, answers, out);
}

}  // namespace

int openGraphFile(const char* path) {
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return -1;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

int readGraph(LineReader& in, Output* prompts, std::unique_ptr<CGraph>& graph,
              const RunLimits& limits) {
    const Source src{in, prompts};
    const int ended = prompts != nullptr ? kStatusInputEnded : kStatusInconsistent;
    int m = 0;
    int n = 0;
    if (!ask<"pocet hran: ">(src, m, [](int v) { return v >= 0; })) return ended;
    if (!ask<"pocet uzlu : ">(src, n, [](int v) { return v >= 1; })) return ended;

    const std::size_t bytes = static_cast<std::size_t>(n) * sizeof(Node) +
                              static_cast<std::size_t>(m) * (sizeof(Edge) + 2 * sizeof(Route));
    if (bytes > limits.maxGraphBytes) return kStatusNoMemory;
    graph = std::make_unique<CGraph>(n, m);

    const auto endpoint = [n](int v) { return betweend(0, v, n - 1) != 0; };
    for (int i = 0; i < m; ++i) {
        Edge& e = graph->edges[i];
        e.inTree = false;
        e.tag = 0;
        if (!ask<"hrana %d od uzlu: ">(src, e.from, endpoint, i) ||
            !ask<"hrana %d do uzlu: ">(src, e.to, endpoint, i) ||
            !ask<"hrana %d ma vahu: ">(src, e.weight, anyValue, i))
            return ended;
    }
    return kStatusDone;
}

int runKostra(const char* graphPath, LineReader& answers, Output& out, Output& err,
              const RunLimits& limits) {
    int status = kStatusDone;
    try {
        status = dialogue(graphPath, answers, out, limits);
    } catch (const std::bad_alloc&) {
        status = kStatusNoMemory;
    }
    if (status == kStatusNoMemory) out.print<"\nCHYBA: nedostatek pameti\n">();
    if (!out.flush()) {
        err.print<"CHYBA: nelze zapsat vystup\n">();
        err.flush();
        return kStatusCannotWrite;
    }
    return status;
}
