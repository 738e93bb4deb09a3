// kostra's browser page: the entry that its drawing worker calls, kostra-dot --html's work on a
// run before the layout (the drawing, the replay's data and its words), on files of the worker's
// own file system that the page's script writes and reads. The worker lays the drawing out with
// Graphviz compiled to WebAssembly, and the page mounts kostra-dot's replay on it.
#include <emscripten/emscripten.h>
#include <fcntl.h>

#include "KostraDot.h"
#include "Machine.h"
#include "Output.h"
#include "Page.h"
#include "PageFile.h"
#include "PageRun.h"

// The drawing and the replay of a run, as kostra-dot --html makes them: the graph file at
// graphPath and kostra's output at transcriptPath are read and checked as kostra-dot reads them,
// and the drawing (DOT), the replay's data and its words (JSON) are written to the files at
// dotPath, dataPath and wordsPath, in English when english is not 0, else in Czech. Returns
// kostra-dot's status: 0, or why there is no drawing (a graph too large for a page, output that is
// not kostra's of this graph), said on the file at errPath; -1 when the files cannot be had.
extern "C" EMSCRIPTEN_KEEPALIVE int kostraDraw(const char* graphPath, const char* transcriptPath,
                                               const char* dotPath, const char* dataPath,
                                               const char* wordsPath, const char* errPath,
                                               int english) {
    const PageFile transcript(transcriptPath, O_RDONLY);
    const PageFile errFile(errPath, O_WRONLY | O_CREAT | O_TRUNC);
    if (transcript.fd() < 0 || errFile.fd() < 0) return -1;
    const Language language = english != 0 ? Language::English : Language::Czech;
    Output err(errFile.fd());
    err.speak(language);
    PageRun run;
    const int status = preparePage(graphPath, transcript.fd(), language, run, err, machineLimits());
    if (status != kDotDone) return status;
    const PageFile dotFile(dotPath, O_WRONLY | O_CREAT | O_TRUNC);
    const PageFile dataFile(dataPath, O_WRONLY | O_CREAT | O_TRUNC);
    const PageFile wordsFile(wordsPath, O_WRONLY | O_CREAT | O_TRUNC);
    if (dotFile.fd() < 0 || dataFile.fd() < 0 || wordsFile.fd() < 0) return -1;
    Output dot(dotFile.fd());
    dot.write(run.dot);
    Output data(dataFile.fd());
    writePageData(*run.graph, run.transcript, run.replay, data);
    Output words(wordsFile.fd());
    words.speak(language);
    writePageWords(words);
    return kDotDone;
}
