// libFuzzer entry: one fuzz input is one whole run of kostra, through runKostra, the same code
// path as the program's main.
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
// reads it exactly as it opens a file named on the command line. Every run happens twice, and
// both runs must print the same bytes; after each run the invariants that hold for every run are
// checked, and a violation aborts, which libFuzzer reports as a crash with the input that caused
// it.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "ReadBack.h"
#include "Texts.h"
#include "main.h"

namespace {

constexpr std::string_view kSeparator = "@@@\n";
constexpr std::string_view kMenu = texts::kMenu.view();
constexpr std::string_view kBanner = texts::kBanner.view();
constexpr std::string_view kInputEnded = texts::kInputEnded.view();
constexpr std::string_view kInconsistent = texts::kInconsistent.view();

// Graphs stay small, so one run stays fast; larger counts behave like exhausted memory.
constexpr RunLimits kLimits{std::size_t{1} << 16};

enum class Mode { Keyboard, File, Directory, Missing };

struct Run {
    int status;
    std::string out;
    std::string err;
};

[[noreturn]] void violated(const char* what, const Run& run) {
    std::fprintf(stderr, "kostra fuzz: %s\nstatus %d\n--- standard output (%zu bytes) ---\n%s\n",
                 what, run.status, run.out.size(), run.out.substr(0, 4000).c_str());
    std::abort();
}

void require(bool ok, const char* what, const Run& run) {
    if (!ok) violated(what, run);
}

bool startsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

bool endsWith(std::string_view s, std::string_view suffix) {
    return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

// The memory file that stands in for the graph file; created once, refilled for every input.
int graphFd() {
    static const int fd = [] {
        const int f = memfd_create("kostra-fuzz-graph", MFD_CLOEXEC);
        if (f < 0) {
            std::perror("memfd_create");
            std::abort();
        }
        return f;
    }();
    return fd;
}

void fillGraphFile(std::string_view bytes) {
    const int fd = graphFd();
    if (ftruncate(fd, 0) != 0) std::abort();
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t w =
            pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
        if (w <= 0) std::abort();
        done += static_cast<std::size_t>(w);
    }
}

// One run of the program. The two output streams live as long as the process, as they do in
// the program, so a run costs no more than the program's own work.
Run runOnce(const char* path, std::string_view answers) {
    static std::string outText;
    static std::string errText;
    static Output out(&outText);
    static Output err(&errText);
    outText.clear();
    errText.clear();
    LineReader in(answers.data(), answers.size());
    const int status = runKostra(path, in, out, err, kLimits);
    out.flush();
    err.flush();
    return Run{status, outText, errText};
}

// The report after the banner: the edges numbered from 0, then (tasks 1 to 3) the nodes
// numbered from 0; every tree edge adds one bone at each of its two ends.
void checkReport(std::string_view report, const Run& run) {
    long edges = 0;
    long nodes = 0;
    long treeEdges = 0;
    long bonesTotal = 0;
    long degreeTotal = 0;
    long orientations = 0;
    long plusOnes = 0;
    std::size_t start = 0;
    while (start < report.size()) {
        const std::size_t nl = report.find('\n', start);
        require(nl != std::string_view::npos, "a report line without a line break", run);
        const std::string_view s = report.substr(start, nl - start);
        start = nl + 1;
        int v[3] = {};
        if (nodes == 0 && scanLine<texts::kEdgeLine>(s, v[0], v[1], v[2])) {
            require(orientations == 0 && v[0] == edges++, "edge lines out of order", run);
            require(v[1] == 0 || v[1] == 1, "a tree flag that is not 0 or 1", run);
            treeEdges += v[1];
        } else if (nodes == 0 && scanLine<texts::kOrientationLine>(s, v[0], v[1])) {
            require(edges == 0 && v[0] == orientations++, "edge lines out of order", run);
            require(v[1] >= -1 && v[1] <= 1, "an orientation that is not -1, 0 or 1", run);
            plusOnes += v[1] == 1;
        } else if (scanLine<texts::kNodeLine>(s, v[0], v[1], v[2])) {
            require(orientations == 0 && v[0] == nodes++, "node lines out of order", run);
            require(v[1] >= 0 && v[1] <= v[2], "more bones than routes at a node", run);
            bonesTotal += v[1];
            degreeTotal += v[2];
        } else {
            violated("a line that belongs to no report", run);
        }
    }
    if (orientations > 0) {
        require(plusOnes >= 1, "the chosen edge of a loop or cut is not +1", run);
        return;
    }
    require(nodes >= 1, "a forest report without nodes", run);
    require(treeEdges <= nodes - 1, "more tree edges than a forest can have", run);
    require(bonesTotal == 2 * treeEdges, "bones do not add up to twice the tree edges", run);
    require(degreeTotal <= 2 * edges, "degrees add up to more than twice the edges", run);
}

void checkRun(Mode mode, const std::string& path, const Run& run) {
    require(run.status >= 0 && run.status <= 4, "an exit status outside 0..4", run);
    require(run.err.empty(), "standard error used although standard output works", run);
    const std::string opening = formatted<texts::kOpening>(path.c_str());
    const std::string noMemory = "\n" + std::string(texts::kNoMemory.view());
    const std::string_view out = run.out;

    if (mode == Mode::Directory || mode == Mode::Missing) {
        require(run.status == 2 && out == formatted<texts::kCannotOpen>(path.c_str()),
                "a path that cannot be opened is not reported so", run);
        return;
    }
    require(run.status != 2, "status 2 although the graph could be opened", run);
    if (mode == Mode::File) {
        require(startsWith(out, opening), "the file run does not start with the opening line", run);
        if (run.status == 1) {
            require(
                out.size() == opening.size() + kInconsistent.size() && endsWith(out, kInconsistent),
                "an inconsistent file is not reported so", run);
            return;
        }
        if (run.status == 4 && out.size() == opening.size() + noMemory.size()) {
            require(endsWith(out, noMemory), "the memory message is wrong", run);
            return;
        }
        require(startsWith(out.substr(opening.size()),
                           std::string(texts::kOpenedOk.view()).append(kMenu)),
                "a good file is not followed by [OK] and the menu", run);
    } else {
        require(run.status != 1, "status 1 without a graph file", run);
        require(startsWith(out, texts::kEdgeCountPrompt.view()),
                "the keyboard run does not ask for the edges", run);
    }

    const std::size_t banner = out.find(kBanner);
    switch (run.status) {
        case 0:
            require(banner != std::string_view::npos, "status 0 without a report", run);
            require(out.find("CHYBA") == std::string_view::npos, "an error message in a good run",
                    run);
            require(out.find(kMenu) != std::string_view::npos, "a report without the menu", run);
            checkReport(out.substr(banner + kBanner.size()), run);
            break;
        case 3:
            require(endsWith(out, kInputEnded), "status 3 without its message", run);
            require(banner == std::string_view::npos, "status 3 after a report", run);
            break;
        case 4:
            require(endsWith(out, noMemory), "status 4 without its message", run);
            require(banner == std::string_view::npos, "status 4 after a report", run);
            break;
        default:
            violated("an unexpected status", run);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
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
    if (mode == Mode::File) {
        const std::size_t sep = rest.find(kSeparator);
        const std::string_view graph = rest.substr(0, sep);
        answers =
            rest.substr(sep == std::string_view::npos ? rest.size() : sep + kSeparator.size());
        fillGraphFile(graph);
        path = "/proc/self/fd/" + std::to_string(graphFd());
    } else if (mode == Mode::Directory) {
        path = "/proc/self";
    } else if (mode == Mode::Missing) {
        path = "/proc/self/no-such-graph";
    }
    const char* graphPath = mode == Mode::Keyboard ? nullptr : path.c_str();

    const Run first = runOnce(graphPath, answers);
    checkRun(mode, path, first);
    const Run second = runOnce(graphPath, answers);
    require(second.status == first.status && second.out == first.out,
            "the same input gives a different run the second time", second);
    return 0;
}
