#include "naive_dialogue.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "Texts.h"
#include "naive_graph.h"

namespace naive {

bool LineStream::gets(char (&buffer)[256]) {
    std::size_t n = 0;
    while (n < sizeof buffer - 1) {
        if (pos_ == data_.size()) {
            eof_ = true;
            break;
        }
        const char c = data_[pos_++];
        buffer[n++] = c;
        if (c == '\n') break;
    }
    buffer[n] = '\0';
    return n > 0;
}

bool parseInt(const char* text, int& value) {
    const char* p = text;
    while (std::isspace(static_cast<unsigned char>(*p))) ++p;
    const char* digits = *p == '+' || *p == '-' ? p + 1 : p;
    if (!std::isdigit(static_cast<unsigned char>(*digits))) return false;
    errno = 0;
    const long long v = std::strtoll(p, nullptr, 10);
    if (errno == ERANGE || v < INT_MIN || v > INT_MAX) return false;
    value = static_cast<int>(v);
    return true;
}

namespace {

struct Dialogue {
    std::string out;
    char line[256] = {};

    void print(const char* text) { out += text; }

    // Reads numbers from src until accept() takes one. With prompts the prompt comes before every
    // read; without (a graph file) a read that meets the end of the file ends the reading even
    // when its value would do. False when the source ran out.
    template <class Accept>
    bool ask(LineStream& src, bool prompts, const char* prompt, int& value, const Accept& accept) {
        for (;;) {
            if (prompts) print(prompt);
            if (!src.gets(line)) return false;
            if (!prompts && src.eof()) return false;
            int v = 0;
            if (parseInt(line, v) && accept(v)) {
                value = v;
                return true;
            }
        }
    }

    RunResult inputEnded() {
        print(texts::kInputEnded.cs.text);
        return {out, 3};
    }

    RunResult run(const char* graphPath, const std::string* graphFile, const std::string& input);
};

RunResult Dialogue::run(const char* graphPath, const std::string* graphFile,
                        const std::string& input) {
    char text[512];
    LineStream in(input);
    const bool keyboard = graphPath == nullptr;
    const std::string empty;
    LineStream file(graphFile != nullptr ? *graphFile : empty);
    if (!keyboard) {
        if (graphFile == nullptr) {
            std::snprintf(text, sizeof text, texts::kCannotOpen.cs.text, graphPath);
            print(text);
            return {out, 2};
        }
        std::snprintf(text, sizeof text, texts::kOpening.cs.text, graphPath);
        print(text);
    }
    LineStream& src = keyboard ? in : file;
    auto ended = [&]() -> RunResult {
        if (keyboard) return inputEnded();
        print(texts::kInconsistent.cs.text);
        return {out, 1};
    };

    int m = 0;
    int n = 0;
    if (!ask(src, keyboard, texts::kEdgeCountPrompt.cs.text, m, [](int v) { return v >= 0; }))
        return ended();
    if (!ask(src, keyboard, texts::kNodeCountPrompt.cs.text, n, [](int v) { return v >= 1; }))
        return ended();
    const auto endpoint = [n](int v) { return betweend(0, v, n - 1); };
    std::vector<EdgeData> data;
    for (int i = 0; i < m; ++i) {
        EdgeData e{0, 0, 0};
        std::snprintf(text, sizeof text, texts::kFromPrompt.cs.text, i);
        if (!ask(src, keyboard, text, e.from, endpoint)) return ended();
        std::snprintf(text, sizeof text, texts::kToPrompt.cs.text, i);
        if (!ask(src, keyboard, text, e.to, endpoint)) return ended();
        std::snprintf(text, sizeof text, texts::kWeightPrompt.cs.text, i);
        if (!ask(src, keyboard, text, e.weight, [](int) { return true; })) return ended();
        data.push_back(e);
    }
    if (!keyboard) print(texts::kOpenedOk.cs.text);

    Graph g(n, data);
    print(texts::kMenu.cs.text);
    int choice = 0;
    if (!ask(in, true, "", choice, [](int v) { return betweend(1, v, 5); })) return inputEnded();
    g.makeRoutes();
    if (choice == 1) {
        g.skeleton();
        g.bones();
    } else if (choice == 2 || choice == 3) {
        for (;;) {
            print(texts::kVerbosePrompt.cs.text);
            if (!in.gets(line)) return inputEnded();
            if (line[0] == 'a' || line[0] == 'n') break;
        }
        const bool verbose = line[0] == 'a';
        g.narration = &out;
        if (choice == 2) g.BoruvkaKruskal(verbose);
        if (choice == 3) g.JarnikPrim(verbose);
        g.bones();
    } else {
        int method = 0;
        if (!ask(in, true, texts::kMethodPrompt.cs.text, method,
                 [](int v) { return betweend(1, v, 3); }))
            return inputEnded();
        if (method == 1) g.skeleton();
        if (method == 2) g.BoruvkaKruskal(false);
        if (method == 3) g.JarnikPrim(false);
        g.bones();
        for (int i = 0; i < g.edgeCount; ++i) {
            std::snprintf(text, sizeof text, texts::kTreeFlagLine.cs.text, i,
                          g.edges[i].inTree ? 1 : 0);
            print(text);
        }
        int edge = 0;
        if (choice == 4) {
            if (!ask(in, true, texts::kLoopPrompt.cs.text, edge,
                     [&g](int v) { return 0 <= v && v <= g.edgeCount - 1 && !g.edges[v].inTree; }))
                return inputEnded();
            g.getLoop(edge);
        } else {
            if (!ask(in, true, texts::kCutPrompt.cs.text, edge,
                     [&g](int v) { return 0 <= v && v <= g.edgeCount - 1 && g.edges[v].inTree; }))
                return inputEnded();
            g.getCut(edge);
        }
    }

    print(texts::kBanner.cs.text);
    if (choice <= 3) {
        for (int i = 0; i < g.edgeCount; ++i) {
            std::snprintf(text, sizeof text, texts::kEdgeLine.cs.text, i, g.edges[i].inTree ? 1 : 0,
                          g.edges[i].weight);
            print(text);
        }
        for (int i = 0; i < g.nodeCount; ++i) {
            std::snprintf(text, sizeof text, texts::kNodeLine.cs.text, i, g.nodes[i].bones,
                          g.nodes[i].degree);
            print(text);
        }
    } else {
        for (int i = 0; i < g.edgeCount; ++i) {
            std::snprintf(text, sizeof text, texts::kOrientationLine.cs.text, i, g.edges[i].tag);
            print(text);
        }
    }
    return {out, 0};
}

}  // namespace

RunResult runDialogue(const char* graphPath, const std::string* graphFile,
                      const std::string& input) {
    Dialogue d;
    return d.run(graphPath, graphFile, input);
}

}  // namespace naive
