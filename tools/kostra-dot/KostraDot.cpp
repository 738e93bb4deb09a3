// kostra-dot's run (KostraDot.h): the arguments, the graph file, the transcript, the drawing or
// the page.
#include <memory>
#include <string>
#include <string_view>

#include "Drawing.h"
#include "KostraDot.h"
#include "Language.h"
#include "Layout.h"
#include "Notes.h"
#include "Page.h"
#include "Replay.h"
#include "Status.h"
#include "Texts.h"
#include "Transcript.h"

namespace {

// Exit statuses besides kostra's kStatusNoMemory (4) and kStatusCannotWrite (5).
enum DotStatus : int {
    kDotDone = 0,           // the drawing, or the usage asked for, is on standard output
    kDotNotTranscript = 1,  // standard input is not kostra's output of a run on this graph
    // a wrong command line (no graph file named, --lang without a language it knows), or the
    // graph file cannot be opened or is inconsistent
    kDotNoGraph = 2,
    kDotTooLarge = 6,  // --html: the graph is too large for a page
    kDotNoLayout = 7,  // --html: dot is missing, failed or wrote no SVG
};

// Beyond this many edges a drawing is hardly worth looking at; it is still written.
constexpr int kDrawableEdges = 5000;
// Beyond these a page would be unreadable and dot's layout slow; it is refused.
constexpr int kPageEdges = 2000;
constexpr int kPageNodes = 4000;

// The page of --html, on out only once it is whole: the drawing with ids, laid out by dot, and the
// replay of the run.
int writeHtml(CGraph& g, const Transcript& t, const std::string& narration, std::string_view path,
              Engine engine, Output& out, Output& err) {
    std::string dot;
    Output drawing(&dot);
    drawing.speak(out.language());
    writeDot(g, t, drawing, true);
    drawing.flush();
    Replay replay;
    if (!buildReplay(g, t, narration, replay, err, out.language())) return kDotNotTranscript;
    std::string svg;
    if (!layOut(dot, svg, err, engine)) return kDotNoLayout;
    std::string page;
    Output writer(&page);
    writer.speak(out.language());
    writePage(g, t, replay, svg, path, writer);
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
    std::unique_ptr<CGraph> graph;
    // The message of a refused file comes first, then the file's notes (why it is refused).
    Notes fileNotes(Notes::Source::GraphFile, err);
    const int read = readGraphFile(path, graph, limits, &fileNotes);
    if (read != kStatusDone) {
        tellUnreadGraph(read, path, Verdict::Companion, err);
        if (read == kStatusNoMemory) return kStatusNoMemory;
        fileNotes.print();
        return kDotNoGraph;
    }
    fileNotes.print();

    if (html && (graph->edgeCount > kPageEdges || graph->nodeCount > kPageNodes)) {
        err.print<texts::kPageTooLarge>(graph->edgeCount, graph->nodeCount, kPageEdges, kPageNodes);
        return kDotTooLarge;
    }

    Transcript t;
    std::string narration;
    if (!readTranscript(transcriptFd, *graph, t, err, html ? &narration : nullptr))
        return kDotNotTranscript;
    if (html) return writeHtml(*graph, t, narration, path, engine, out, err);
    if (graph->edgeCount > kDrawableEdges) {
        err.print<texts::kDrawingCrowded>(graph->edgeCount);
    }
    writeDot(*graph, t, out, false, layout);
    return kDotDone;
}
