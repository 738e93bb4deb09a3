// The process entry of kostra: standard input, standard output and standard error wired to the
// dialogue; its status becomes the exit status. The options come before the graph file: --lang
// (the language, Language.h), and "--help" or "--version", answered here instead of a run (a
// graph file named like an option is given as ./--help). Arguments after the graph file are not
// read; a note on standard error says so.
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <string_view>

#include "Language.h"
#include "Machine.h"
#include "Progress.h"
#include "Texts.h"
#include "main.h"

namespace {

// Writes the answer to an option; its status.
int answer(std::string_view option, Output& out, Output& err) {
    if (option == "--version") {
        out.print<texts::kVersion>("kostra", KOSTRA_VERSION);
    } else {
        out.print<texts::kHelp>();
    }
    if (out.flush()) return kStatusDone;
    err.print<texts::kCannotWrite>();
    err.flush();
    return kStatusCannotWrite;
}

}  // namespace

int main(int argc, char** argv) {
    Output out(STDOUT_FILENO);
    Output err(STDERR_FILENO);
    if (!chooseLanguage(argc, argv, {"--help", "--version"}, std::getenv("KOSTRA_LANG"), out, err,
                        "kostra")) {
        err.flush();
        return kStatusBadCommandLine;
    }
    int at = 1;
    while (at < argc && languageOptionLength(argc, argv, at) > 0)
        at += languageOptionLength(argc, argv, at);
    const std::string_view first = at < argc ? argv[at] : "";
    if (first == "--help" || first == "--version") return answer(first, out, err);
    if (argc - at > 1) {
        const std::string_view ignored = argv[at + 1];
        err.print<texts::kArgumentsIgnored>(shownValue(first), shownValue(ignored));
        if (ignored.starts_with('-')) err.print<texts::kOptionsFirst>();
        err.print<texts::kLineEnd>();
        err.flush();
    }
    progress::showOn(STDERR_FILENO);
    useMachineProcessors();
    LineReader answers(STDIN_FILENO, &out);
    return runKostra(at < argc ? argv[at] : nullptr, answers, out, err, machineLimits());
}
