// The lines of a report written with every processor the process may use: printLines<F>(out, count,
// values) writes out.print<F>(values(i)...) for i = 0 .. count - 1, in that order, byte for byte
// as a plain loop writes them.
//
// The lines are cut into blocks. Helper threads make blocks ahead, each into one of its two
// buffers; the calling thread writes the blocks in order: a block that is ready straight from its
// helper's buffer, one that no helper has taken made by itself. A block a helper is still making
// is waited for while the helper gets on with it; when it does not (another program has its
// processor), the calling thread makes that block itself and the helper's copy is dropped, so the
// report never takes longer than the calling thread alone would take. Nothing is allocated once
// the helpers run: every buffer is as large as a block of the longest lines can be, taken before.
// When the output fails, the writing stops, as a plain loop's printing would be dropped. Without
// helpers (one processor, a short report, or a system that will not start a thread) it is the
// plain loop.
//
// Contract: values(i) returns a std::tuple of the ints of line i and may be called from any thread
// (it must only read); F holds "%d" and "%2d" conversions only. The progress line (Progress.h)
// learns after every block that doneBefore + the lines written so far are done. Cost: the plain
// loop's, shared by the threads; memory: 3 buffers of a block (at most kBlockLines lines) and an
// output's buffer a helper. The blocks are dealt out and written by writeBlocks
// (ParallelLines.cpp), the same for every format; only the making of lines is the format's.
#pragma once

#include <cstddef>
#include <cstdint>
#include <tuple>

#include "Output.h"

namespace parallel_lines {

constexpr int kBlockLines = 16384;

// What makes lines [from, to) of a report into an output: make(lines, out, from, to).
struct Lines {
    void (*make)(const void* lines, Output& out, int from, int to);
    const void* lines;
};

// Writes count lines into out, in blocks of kBlockLines, with the usable processors' helpers;
// blockBytes bounds a block's text.
void writeBlocks(Output& out, int count, const Lines& lines, std::size_t blockBytes,
                 std::int64_t doneBefore);

// The most characters a line of F takes: every conversion at most 11 ("-2147483648").
template <std::size_t N>
consteval std::size_t longestLine(const Format<N>& f) {
    std::size_t conversions = 0;
    for (std::size_t i = 0; i < Format<N>::size; ++i) conversions += f.text[i] == '%' ? 1 : 0;
    return Format<N>::size + 11 * conversions;
}

}  // namespace parallel_lines

template <Format F, class Values>
void printLines(Output& out, int count, const Values& values, std::int64_t doneBefore = 0) {
    const auto make = [](const void* lines, Output& into, int from, int to) {
        const Values& of = *static_cast<const Values*>(lines);
        for (int i = from; i < to; ++i)
            std::apply([&into](auto... v) { into.print<F>(v...); }, of(i));
    };
    parallel_lines::writeBlocks(out, count, {make, &values},
                                parallel_lines::kBlockLines * parallel_lines::longestLine(F),
                                doneBefore);
}

// The same for a text of the catalogue, in the language out speaks.
template <Text T, class Values>
void printLines(Output& out, int count, const Values& values, std::int64_t doneBefore = 0) {
    // (Returns rather than else: clang-tidy takes the two languages' calls for one branch twice.)
    if (out.language() == Language::English) {
        printLines<T.en>(out, count, values, doneBefore);
        return;
    }
    printLines<T.cs>(out, count, values, doneBefore);
}
