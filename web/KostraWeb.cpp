// kostra in a browser page: the entry that the page's worker calls. One call is one run of the
// console program, the same runKostra that its main() calls, on files of the worker's own file
// system that the page's script writes and reads: the graph file under the name the transcript
// shows (or none, for the keyboard), standard input, standard output and standard error.
#include <emscripten/emscripten.h>
#include <fcntl.h>

#include "Machine.h"
#include "PageFile.h"
#include "main.h"

// Runs kostra on the graph file at graphPath (null: the graph is typed on standard input), with
// standard input read from the file at inPath and standard output and standard error written to
// the files at outPath and errPath (made anew); in English when english is not 0, else in Czech.
// Returns the exit status, or -1 when the run's own files cannot be had.
extern "C" EMSCRIPTEN_KEEPALIVE int kostraRun(const char* graphPath, const char* inPath,
                                              const char* outPath, const char* errPath,
                                              int english) {
    const PageFile in(inPath, O_RDONLY);
    const PageFile outFile(outPath, O_WRONLY | O_CREAT | O_TRUNC);
    const PageFile errFile(errPath, O_WRONLY | O_CREAT | O_TRUNC);
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
