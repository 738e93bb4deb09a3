#include "PageRun.h"

#include <string>

#include "Drawing.h"
#include "KostraDot.h"
#include "Notes.h"
#include "Output.h"
#include "Status.h"
#include "Texts.h"

int readDrawnGraph(const char* path, std::unique_ptr<CGraph>& graph, const RunLimits& limits,
                   Output& err) {
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
    return kDotDone;
}

int preparePage(const char* path, int transcriptFd, Language language, PageRun& run, Output& err,
                const RunLimits& limits) {
    const int read = readDrawnGraph(path, run.graph, limits, err);
    if (read != kDotDone) return read;
    CGraph& g = *run.graph;
    if (g.edgeCount > kPageEdges || g.nodeCount > kPageNodes) {
        err.print<texts::kPageTooLarge>(g.edgeCount, g.nodeCount, kPageEdges, kPageNodes);
        return kDotTooLarge;
    }
    std::string narration;
    if (!readTranscript(transcriptFd, g, run.transcript, err, &narration)) return kDotNotTranscript;
    run.dot.clear();
    Output drawing(&run.dot);
    drawing.speak(language);
    writeDot(g, run.transcript, drawing, true);
    drawing.flush();
    if (!buildReplay(g, run.transcript, narration, run.replay, err, language))
        return kDotNotTranscript;
    return kDotDone;
}
