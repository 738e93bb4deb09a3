// kostra-dot's run (KostraDot.h): the arguments, the graph file, the transcript, the drawing or
// the page.
#include <memory>
#include <string>
#include <string_view>

#include "Drawing.h"
#include "KostraDot.h"
#include "Language.h"
#include "Layout.h"
#include "Page.h"
#include "PageRun.h"
#include "Replay.h"
#include "Status.h"
#include "Texts.h"
#include "Transcript.h"

namespace {

// Beyond this many edges a drawing is hardly worth looking at; it is still written.
constexpr int kDrawableEdges = 5000;

// The page of --html, on out only once it is whole: the drawing with ids, laid out by dot, and the
// replay of the run.
int writeHtml(const char* path, int transcriptFd, Engine engine, Output& out, Output& err,
              const RunLimits& limits) {
    PageRun run;
    const int prepared = preparePage(path, transcriptFd, out.language(), run, err, limits);
    if (prepared != kDotDone) return prepared;
    std::string svg;
    if (!layOut(run.dot, svg, err, engine)) return kDotNoLayout;
    std::string page;
    Output writer(&page);
    writer.speak(out.language());
    writePage(*run.graph, run.transcript, run.replay, svg, path, writer);
    writer.flush();
    out.write(page);
    return kDotDone;
}

}  // namespace

int runKostraDot(int argc, char** argv, int transcriptFd, Output& out, Output& err,
                 const RunLimits& limits, const char* languageVariable) {
    if (!chooseLanguage(argc, argv, {"--html", "--layout=", "-h", "--help", "--version"},
                        languageVariable, out, err, "kostra-dot"))
        return kDotNoGraph;
    // The options before the graph file: --lang (taken above), "--html" for the page instead of
    // the drawing, "--layout ENGINE" (or "--layout=ENGINE") for Graphviz's layout engine, and the
    // usage and the version, answered at once.
    bool html = false;
    Engine engine = Engine::Dot;
    std::string_view layout;  // as named, for the drawing's layout attribute; empty: not named
    int at = 1;
    for (; at < argc; ++at) {
        const std::string_view option = argv[at];
        if (const int length = languageOptionLength(argc, argv, at); length > 0) {
            at += length - 1;
        } else if (option == "--html") {
            html = true;
        } else if (option == "--layout" || option.starts_with("--layout=")) {
            if (option == "--layout" && at + 1 == argc) {
                err.print<texts::kLayoutMissing>();
                return kDotNoGraph;
            }
            layout = option == "--layout" ? std::string_view(argv[++at]) : option.substr(9);
            if (!engineNamed(layout, engine)) {
                err.print<texts::kUnknownLayout>(shownValue(layout));
                return kDotNoGraph;
            }
        } else if (option == "--version") {
            out.print<texts::kVersion>("kostra-dot", KOSTRA_VERSION);
            return kDotDone;
        } else if (option == "-h" || option == "--help") {
            out.print<texts::kDotHelp>();
            return kDotDone;
        } else {
            break;
        }
    }
    if (at == argc) {
        err.print<texts::kDotUsage>();
        if (html) {
            err.print<texts::kPageForm>();
        } else {
            err.print<texts::kDrawingForm>();
        }
        return kDotNoGraph;
    }
    const char* path = argv[at];
    if (html) return writeHtml(path, transcriptFd, engine, out, err, limits);
    std::unique_ptr<CGraph> graph;
    const int read = readDrawnGraph(path, graph, limits, err);
    if (read != kDotDone) return read;
    Transcript t;
    if (!readTranscript(transcriptFd, *graph, t, err)) return kDotNotTranscript;
    if (graph->edgeCount > kDrawableEdges) {
        err.print<texts::kDrawingCrowded>(graph->edgeCount);
    }
    writeDot(*graph, t, out, false, layout);
    return kDotDone;
}
