// What the fuzz targets share: memory files that stand in for the files a program opens or reads,
// the output streams of in-process runs, kostra run in-process, a line splitter and the one way a
// broken invariant ends a run (abort, which libFuzzer reports as a crash and saves the input).
#pragma once

#include <cstddef>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "Companion.h"
#include "GraphInput.h"
#include "Output.h"
#include "Status.h"

namespace fuzz {

// Graphs stay small in every target, so that one run stays fast and the checks that redo the
// program's work (the literal reference, a loop or cut per row) stay cheap: a graph whose records
// take more than this many bytes is refused as memory that cannot be obtained (status 4). That is
// up to 455 edges or 682 nodes, more than a fuzz input of 4 KiB can describe edge by edge. A
// graph file's edge lines are read at once whatever their size, in pieces of 64 bytes on two
// threads, so that the pieces' seams fall everywhere (a file that reading at once cannot be sure
// of is read again one value a read, the ordinary way).
constexpr RunLimits kLimits{std::size_t{1} << 14, 0, 64, 2};

// A memory file, created once and refilled for every input. A program opens it by path() like any
// file named on its command line, or reads it through fd() as its standard input.
class MemoryFile {
public:
    explicit MemoryFile(const char* name);
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    // Replaces the contents with bytes and puts the read position back to the start.
    void fill(std::string_view bytes);
    int fd() const { return fd_; }
    const char* path() const { return path_.c_str(); }

private:
    int fd_;
    std::string path_;
};

// The standard output and error of an in-process run: two Outputs over strings that live as long
// as the process, as the program's own streams do, so a run costs only the program's own work.
struct Streams {
    std::string out;
    std::string err;
    Output outStream{&out};
    Output errStream{&err};

    void clear();  // before a run
    void flush();  // after a run
};

// kostra run in-process with the graph file at graphPath (null: the keyboard) and answers on
// standard input; its standard output goes to transcript. Returns the exit status.
int runKostraTo(const char* graphPath, std::string_view answers, std::string& transcript);

// The lines of text without their line breaks; a last line without one counts too.
std::vector<std::string_view> splitLines(std::string_view text);

// Standard error of a refusal: whole lines, exactly one of them a message and every other a note
// (Notes.h); the message starts with start.
bool oneMessageAndNotes(std::string_view err, std::string_view start = "");

// Ends the run as a crash: prints what was violated and the context, then aborts.
[[noreturn]] void violated(const char* target, const char* what, std::string_view context);

inline void require(bool ok, const char* target, const char* what, std::string_view context) {
    if (!ok) violated(target, what, context);
}

// The run of a companion program's body(out, err) on s, ended as runCompanion ends it (running out
// of memory reported, the output flushed); returns the exit status.
template <class Body>
int runCompanionOn(Streams& s, const Body& body) {
    s.clear();
    int status = kStatusDone;
    try {
        status = body(s.outStream, s.errStream);
    } catch (const std::bad_alloc&) {
        status = kStatusNoMemory;
    }
    status = finishCompanion(status, s.outStream, s.errStream);
    s.flush();
    return status;
}

}  // namespace fuzz
