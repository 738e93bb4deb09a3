// What kostra-dot does with the graph file and kostra's output before anything is laid out: the
// graph read, the transcript read back and checked, and for a page the drawing to lay out and the
// replay. kostra-dot's own page has the drawing laid out by Graphviz's dot; kostra's browser page
// by Graphviz compiled to WebAssembly, from the same drawing, data and words.
#pragma once

#include <memory>
#include <string>

#include "CGraph.h"
#include "Format.h"
#include "GraphInput.h"
#include "Replay.h"
#include "Transcript.h"

class Output;

// The most edges and nodes a page is made for: beyond them the drawing is unreadable and its
// layout slow.
constexpr int kPageEdges = 2000;
constexpr int kPageNodes = 4000;

// Reads the graph file at path (as the user named it) with kostra's reader, for a drawing or a
// page. A file that cannot be opened or is refused gets its message on err, then its notes (why,
// as kostra gives them); a file that is read gets its notes (warnings about its lines). Returns
// kDotDone with the graph in graph, kDotNoGraph, or kStatusNoMemory when the graph exceeds
// limits.maxGraphBytes.
int readDrawnGraph(const char* path, std::unique_ptr<CGraph>& graph, const RunLimits& limits,
                   Output& err);

// A run as a page shows it, in the language it was asked in: the graph, kostra's transcript of
// it, the replay's steps and the drawing for a page (writeDot), which Graphviz lays out.
struct PageRun {
    std::unique_ptr<CGraph> graph;
    Transcript transcript;
    Replay replay;
    std::string dot;
};

// The page's run of the graph file at path and kostra's output read from transcriptFd (read to its
// end), in language: the graph read (readDrawnGraph), refused when it has more than kPageEdges
// edges or kPageNodes nodes, the transcript read back and checked (with its narration), the drawing
// written and the replay built. Returns kDotDone, or the status of kostra-dot's refusal
// (kDotNoGraph, kDotTooLarge, kDotNotTranscript, kStatusNoMemory) after its one message on err.
// Cost: that of readTranscript and buildReplay, O(n + m) beside.
int preparePage(const char* path, int transcriptFd, Language language, PageRun& run, Output& err,
                const RunLimits& limits);
