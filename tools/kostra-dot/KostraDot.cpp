// kostra-dot's run (KostraDot.h): the arguments, the graph file, the transcript, the drawing.
#include <memory>
#include <string_view>

#include "Drawing.h"
#include "KostraDot.h"
#include "Notes.h"
#include "Status.h"
#include "Transcript.h"

namespace {

// Exit statuses besides kostra's kStatusNoMemory (4) and kStatusCannotWrite (5).
enum DotStatus : int {
    kDotDone = 0,           // the drawing, or the usage asked for, is on standard output
    kDotNotTranscript = 1,  // standard input is not kostra's output of a run on this graph
    kDotNoGraph = 2,        // no graph file named, or it cannot be opened or is inconsistent
};

// Beyond this many edges a drawing is hardly worth looking at; it is still written.
constexpr int kDrawableEdges = 5000;

}  // namespace

int runKostraDot(int argc, char** argv, int transcriptFd, Output& out, Output& err,
                 const RunLimits& limits) {
    const std::string_view first = argc > 1 ? argv[1] : "";
    if (first == "--version") {
        out.print<"kostra-dot %s\n">(KOSTRA_VERSION);
        return kDotDone;
    }
    if (argc < 2 || first == "-h" || first == "--help") {
        Output& to = argc < 2 ? err : out;
        to.print<"pouziti: kostra-dot GRAFOVY_SOUBOR < vystup_kostry > kresba.dot\n">();
        return argc < 2 ? kDotNoGraph : kDotDone;
    }
    const char* path = argv[1];
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

    Transcript t;
    if (!readTranscript(transcriptFd, *graph, t, err)) return kDotNotTranscript;
    if (graph->edgeCount > kDrawableEdges) {
        err.print<
            "POZNAMKA: graf ma %d hran, kresba bude neprehledna a dot ji muze pocitat "
            "dlouho\n">(graph->edgeCount);
    }
    writeDot(*graph, t, out);
    return kDotDone;
}
