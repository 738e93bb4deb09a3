// kostra-dot's whole run as one function over its streams, so that a test or a fuzz driver runs
// exactly the program's code many times in one process; main() wires the process's standard
// input, output and error to it through runCompanion.
#pragma once

#include "GraphInput.h"
#include "Output.h"

// kostra-dot's exit statuses besides kostra's kStatusNoMemory (4) and kStatusCannotWrite (5).
enum DotStatus : int {
    kDotDone = 0,           // the drawing, or the usage asked for, is on standard output
    kDotNotTranscript = 1,  // standard input is not kostra's output of a run on this graph
    // a wrong command line (no graph file named, --lang without a language it knows), or the
    // graph file cannot be opened or is inconsistent
    kDotNoGraph = 2,
    kDotTooLarge = 6,  // --html: the graph is too large for a page
    kDotNoLayout = 7,  // --html: dot is missing, failed or wrote no SVG
};

// One run of kostra-dot with the arguments argv[0 .. argc - 1] (the options, then the graph file),
// kostra's output read from transcriptFd (not owned, read to its end). The language is --lang's,
// else languageVariable's (KOSTRA_LANG's value, null when it is not set; Language.h), else Czech.
// Returns the exit status: 0 the drawing or page (or the usage asked for) is on out, 1 the
// transcript is refused, 2 a wrong command line or no usable graph file, 6 a graph too large for a
// page, 7 no layout from dot, kStatusNoMemory when the graph exceeds limits.maxGraphBytes. Every
// refusal is one line on err, with nothing on out; running out of memory otherwise throws
// std::bad_alloc, which the caller reports (runCompanion, finishCompanion).
int runKostraDot(int argc, char** argv, int transcriptFd, Output& out, Output& err,
                 const RunLimits& limits = machineLimits(), const char* languageVariable = nullptr);
