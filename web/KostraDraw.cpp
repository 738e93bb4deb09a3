// kostra's browser page: the entry that its drawing worker calls, kostra-dot --html's work on a
// run before the layout (the drawing, the replay's data and its words), on files of the worker's
// own file system that the page's script writes and reads. The worker lays the drawing out with
// Graphviz compiled to WebAssembly, and the page mounts kostra-dot's replay on it.
#include <emscripten/emscripten.h>
#include <fcntl.h>
#include <unistd.h>

#include "KostraDot.h"
#include "Machine.h"
#include "Output.h"
#include "Page.h"
#include "PageRun.h"

namespace {

// A file of the drawing, closed when it is written.
class DrawFile {
public:
    DrawFile(const char* path, int flags) : fd_(::open(path, flags | O_CLOEXEC, 0644)) {}
    ~DrawFile() {
        if (fd_ >= 0) ::close(fd_);
    }
    DrawFile(const DrawFile&) = delete;
    DrawFile& operator=(const DrawFile&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

}  // namespace

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
    const DrawFile transcript(transcriptPath, O_RDONLY);
    const DrawFile errFile(errPath, O_WRONLY | O_CREAT | O_TRUNC);
    if (transcript.fd() < 0 || errFile.fd() < 0) return -1;
    const Language language = english != 0 ? Language::English : Language::Czech;
    Output err(errFile.fd());
    err.speak(language);
    PageRun run;
    const int status = preparePage(graphPath, transcript.fd(), language, run, err, machineLimits());
    if (status != kDotDone) return status;
    const DrawFile dotFile(dotPath, O_WRONLY | O_CREAT | O_TRUNC);
    const DrawFile dataFile(dataPath, O_WRONLY | O_CREAT | O_TRUNC);
    const DrawFile wordsFile(wordsPath, O_WRONLY | O_CREAT | O_TRUNC);
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
