// libFuzzer entry: one fuzz input is one whole run of kostra, through runKostra, the same code
// path as the program's main, compared byte for byte and by its exit status with the literal
// reference of the tests (tests/reference: naive_dialogue over naive_graph).
//
// Layout of an input:
//     byte 0        where the graph comes from, by its value modulo 4:
//                   'K' (3) the keyboard, 'F' (2) a graph file, 'D' (0) a directory, 'M' (1) a
//                   missing file
//     then          with 'F': the graph file's bytes up to the first "@@@\n", and the answers
//                   on standard input after it (no separator: all of it is the file);
//                   otherwise: everything is standard input
//
// The graph file is a memory file opened by its /proc/self/fd path, so the program opens and
// reads it exactly as it opens a file named on the command line. Every run must leave nothing but
// notes (warnings, hints) on standard error (standard output always works here) and end with a
// status from 0 to 4. A run that
// stays within the fuzz limits (fuzz::kLimits) must print exactly what the reference prints and
// end with its status; one that exceeds them ends with status 4, which the reference, without
// limits, cannot reproduce: then the output must be the opening, or the count questions, and the
// memory message. Any difference aborts, which libFuzzer reports as a crash with the input.
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "LineReader.h"
#include "Notes.h"
#include "Texts.h"
#include "main.h"
#include "naive_dialogue.h"

namespace {

using fuzz::require;

constexpr const char* kTarget = "fuzz_kostra";
constexpr std::string_view kSeparator = "@@@\n";

enum class Mode { Keyboard, File, Directory, Missing };

struct Run {
    int status;
    const std::string& out;
};

// A report of a difference: both statuses, the first byte where the outputs part, and both
// outputs from a little before it.
std::string difference(const Run& run, const naive::RunResult& ref) {
    std::size_t at = 0;
    while (at < run.out.size() && at < ref.out.size() && run.out[at] == ref.out[at]) ++at;
    const std::size_t from = at > 300 ? at - 300 : 0;
    return "kostra status " + std::to_string(run.status) + ", reference status " +
           std::to_string(ref.status) + ", outputs part at byte " + std::to_string(at) +
           "\n--- kostra from byte " + std::to_string(from) + " ---\n" +
           run.out.substr(from, 1500) + "\n--- reference from byte " + std::to_string(from) +
           " ---\n" + ref.out.substr(from, 1500);
}

// Status 4 is only what the fuzz limits make of a graph too large for them: kostra reads the two
// counts, refuses them and says so, having printed nothing but the opening (a file) or the count
// questions (the keyboard, each asked again after a refused answer).
void checkOverLimits(Mode mode, const std::string& path, const Run& run) {
    const std::string noMemory = "\n" + std::string(texts::kNoMemory.cs.view());
    if (mode == Mode::File) {
        require(run.out == formatted<texts::kOpening.cs>(path.c_str()) + noMemory, kTarget,
                "a graph file over the limits is not refused so", run.out);
        return;
    }
    require(mode == Mode::Keyboard, kTarget, "status 4 without a graph", run.out);
    std::string_view rest = run.out;
    require(rest.ends_with(noMemory), kTarget, "status 4 without its message", run.out);
    rest.remove_suffix(noMemory.size());
    int questions = 0;
    for (;; ++questions) {
        if (rest.starts_with(texts::kEdgeCountPrompt.cs.view())) {
            rest.remove_prefix(texts::kEdgeCountPrompt.cs.size);
        } else if (rest.starts_with(texts::kNodeCountPrompt.cs.view())) {
            rest.remove_prefix(texts::kNodeCountPrompt.cs.size);
        } else {
            break;
        }
    }
    require(rest.empty() && questions >= 2, kTarget,
            "a typed graph over the limits is refused after something else than its counts",
            run.out);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    static fuzz::MemoryFile graphFile("kostra-fuzz-graph");
    static fuzz::Streams streams;

    const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    Mode mode = Mode::Keyboard;
    switch (data[0] % 4) {
        case 0:
            mode = Mode::Directory;
            break;
        case 1:
            mode = Mode::Missing;
            break;
        case 2:
            mode = Mode::File;
            break;
        default:
            mode = Mode::Keyboard;
            break;
    }

    std::string path;
    std::string_view answers = rest;
    std::string graph;
    if (mode == Mode::File) {
        const std::size_t sep = rest.find(kSeparator);
        graph = rest.substr(0, sep);
        answers =
            rest.substr(sep == std::string_view::npos ? rest.size() : sep + kSeparator.size());
        graphFile.fill(graph);
        path = graphFile.path();
    } else if (mode == Mode::Directory) {
        path = "/proc/self";
    } else if (mode == Mode::Missing) {
        path = "/proc/self/no-such-graph";
    }
    const char* graphPath = mode == Mode::Keyboard ? nullptr : path.c_str();

    streams.clear();
    LineReader in(answers.data(), answers.size());
    const int status =
        runKostra(graphPath, in, streams.outStream, streams.errStream, fuzz::kLimits);
    streams.flush();
    const Run run{status, streams.out};
    require(naive::onlyNotes(streams.err), kTarget,
            "standard error holds more than notes although standard output works", streams.err);
    require(status >= kStatusDone && status <= kStatusNoMemory, kTarget,
            "an exit status outside 0..4", run.out);
    if (status == kStatusNoMemory) {
        checkOverLimits(mode, path, run);
        return 0;
    }

    const naive::RunResult ref =
        naive::runDialogue(graphPath, mode == Mode::File ? &graph : nullptr, std::string(answers));
    if (ref.status != status || ref.out != run.out)
        fuzz::violated(kTarget, "the run differs from the literal reference", difference(run, ref));
    return 0;
}
