// kostra in a browser page: the entries that the page's worker calls, on files of the worker's own
// file system that the page's script writes and reads. kostraRun is one run of the console
// program, the same runKostra that its main() calls: the graph file under the name the transcript
// shows (or none, for the keyboard), standard input, standard output and standard error.
// kostraDraw is kostra-dot --html's work on a run before the layout: the drawing, the replay's
// data and its words.
#include <emscripten/emscripten.h>
#include <fcntl.h>
#include <unistd.h>

#include "KostraDot.h"
#include "Machine.h"
#include "Page.h"
#include "PageRun.h"
#include "main.h"

namespace {

// A file of the run, closed when the run is over.
class RunFile {
public:
    RunFile(const char* path, int flags) : fd_(::open(path, flags | O_CLOEXEC, 0644)) {}
    ~RunFile() {
        if (fd_ >= 0) ::close(fd_);
    }
    RunFile(const RunFile&) = delete;
    RunFile& operator=(const RunFile&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

}  // namespace

// Runs kostra on the graph file at graphPath (null: the graph is typed on standard input), with
// standard input read from the file at inPath and standard output and standard error written to
// the files at outPath and errPath (made anew); in English when english is not 0, else in Czech.
// Returns the exit status, or -1 when the run's own files cannot be had.
extern "C" EMSCRIPTEN_KEEPALIVE int kostraRun(const char* graphPath, const char* inPath,
                                              const char* outPath, const char* errPath,
                                              int english) {
    const RunFile in(inPath, O_RDONLY);
    const RunFile outFile(outPath, O_WRONLY | O_CREAT | O_TRUNC);
    const RunFile errFile(errPath, O_WRONLY | O_CREAT | O_TRUNC);
    if (in.fd() < 0 || outFile.fd() < 0 || errFile.fd() < 0) return -1;
    useMachineProcessors();
    Output out(outFile.fd());
    Output err(errFile.fd());
    const Language language = english != 0 ? Language::English : Language::Czech;
    out.speak(language);
    err.speak(language);
    LineReader answers(in.fd(), &out);
    return runKostra(graphPath, answers, out, err, machineLimits());
}

// The drawing and the replay of a run, as kostra-dot --html makes them, for the page to lay out
// with Graphviz and mount with kostra-dot's replay: the graph file at graphPath and kostra's output
// at transcriptPath are read and checked as kostra-dot reads them, and the drawing (DOT), the
// replay's data and its words (JSON) are written to the files at dotPath, dataPath and wordsPath,
// in English when english is not 0, else in Czech. Returns kostra-dot's status: 0, or why there is
// no drawing (a graph too large for a page, output that is not kostra's of this graph), said on
// the file at errPath; -1 when the files cannot be had.
extern "C" EMSCRIPTEN_KEEPALIVE int kostraDraw(const char* graphPath, const char* transcriptPath,
                                               const char* dotPath, const char* dataPath,
                                               const char* wordsPath, const char* errPath,
                                               int english) {
    const RunFile transcript(transcriptPath, O_RDONLY);
    const RunFile errFile(errPath, O_WRONLY | O_CREAT | O_TRUNC);
    if (transcript.fd() < 0 || errFile.fd() < 0) return -1;
    const Language language = english != 0 ? Language::English : Language::Czech;
    Output err(errFile.fd());
    err.speak(language);
    PageRun run;
    const int status = preparePage(graphPath, transcript.fd(), language, run, err, machineLimits());
    if (status != kDotDone) return status;
    const RunFile dotFile(dotPath, O_WRONLY | O_CREAT | O_TRUNC);
    const RunFile dataFile(dataPath, O_WRONLY | O_CREAT | O_TRUNC);
    const RunFile wordsFile(wordsPath, O_WRONLY | O_CREAT | O_TRUNC);
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
