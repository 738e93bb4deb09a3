// kostra-dot's run (KostraDot.h): the arguments, the graph file, the transcript, the drawing or
// the page.
#include <memory>
#include <string>
#include <string_view>

#include "Drawing.h"
#include "KostraDot.h"
#include "Layout.h"
#include "Notes.h"
#include "Page.h"
#include "Replay.h"
#include "Status.h"
#include "Transcript.h"

namespace {

// Exit statuses besides kostra's kStatusNoMemory (4) and kStatusCannotWrite (5).
enum DotStatus : int {
    kDotDone = 0,           // the drawing, or the usage asked for, is on standard output
    kDotNotTranscript = 1,  // standard input is not kostra's output of a run on this graph
    kDotNoGraph = 2,        // no graph file named, or it cannot be opened or is inconsistent
    kDotTooLarge = 6,       // --html: the graph is too large for a page
    kDotNoLayout = 7,       // --html: dot is missing, failed or wrote no SVG
};

// The two ways to run the program, for the usage.
constexpr Format kDrawingForm = "kostra-dot GRAFOVY_SOUBOR < vystup_kostry > kresba.dot\n";
constexpr Format kPageForm = "kostra-dot --html GRAFOVY_SOUBOR < vystup_kostry > stranka.html\n";

// Beyond this many edges a drawing is hardly worth looking at; it is still written.
constexpr int kDrawableEdges = 5000;
// Beyond these a page would be unreadable and dot's layout slow; it is refused.
constexpr int kPageEdges = 2000;
constexpr int kPageNodes = 4000;

// The page of --html, on out only once it is whole: the drawing with ids, laid out by dot, and the
// replay of the run.
int writeHtml(CGraph& g, const Transcript& t, const std::string& narration, std::string_view path,
              Output& out, Output& err) {
    std::string dot;
    Output drawing(&dot);
    writeDot(g, t, drawing, true);
    drawing.flush();
    Replay replay;
    if (!buildReplay(g, t, narration, replay, err)) return kDotNotTranscript;
    std::string svg;
    if (!layOut(dot, svg, err)) return kDotNoLayout;
    std::string page;
    Output writer(&page);
    writePage(g, t, replay, svg, path, writer);
    writer.flush();
    out.write(page);
    return kDotDone;
}

}  // namespace

int runKostraDot(int argc, char** argv, int transcriptFd, Output& out, Output& err,
                 const RunLimits& limits) {
    // "--html" before the graph file asks for the page instead of the drawing.
    const bool html = argc > 1 && std::string_view(argv[1]) == "--html";
    const int graphAt = html ? 2 : 1;
    const std::string_view first = argc > 1 ? argv[1] : "";
    if (first == "--version") {
        out.print<"kostra-dot %s\n">(KOSTRA_VERSION);
        return kDotDone;
    }
    if (first == "-h" || first == "--help") {
        out.print<join<"pouziti: ", kDrawingForm, "         ", kPageForm>()>();
        return kDotDone;
    }
    if (argc <= graphAt) {
        if (html) {
            err.print<join<"pouziti: ", kPageForm>()>();
        } else {
            err.print<join<"pouziti: ", kDrawingForm>()>();
        }
        return kDotNoGraph;
    }
    const char* path = argv[graphAt];
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
        err.print<
            "CHYBA: graf je na stranku prilis velky (%d hran, %d uzlu; nejvyse %d hran a %d "
            "uzlu)\n">(graph->edgeCount, graph->nodeCount, kPageEdges, kPageNodes);
        return kDotTooLarge;
    }

    Transcript t;
    std::string narration;
    if (!readTranscript(transcriptFd, *graph, t, err, html ? &narration : nullptr))
        return kDotNotTranscript;
    if (html) return writeHtml(*graph, t, narration, path, out, err);
    if (graph->edgeCount > kDrawableEdges) {
        err.print<
            "POZNAMKA: graf ma %d hran, kresba bude neprehledna a dot ji muze pocitat "
            "dlouho\n">(graph->edgeCount);
    }
    writeDot(*graph, t, out);
    return kDotDone;
}
