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
// output's buffer a helper.
#pragma once

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <tuple>

#include "Output.h"
#include "Processors.h"
#include "Progress.h"

namespace parallel_lines {

constexpr int kBlockLines = 16384;
// A helper says how far it is in its block every this many lines.
constexpr int kStepLines = 1024;
// The time the writer waits for a helper's block without seeing the helper get on with it (about
// the time of kStepLines lines) before it makes the block itself.
constexpr std::chrono::microseconds kStall{50};

// A helper's state, as the writer reads it.
struct Helper {
    std::atomic<int> block{-1};    // the block it is making; -1 none
    std::atomic<int> made{0};      // lines of it made, counted in steps
    std::string scratch;           // where a block is made, then swapped into text[j]
    std::unique_ptr<Output> into;  // makes blocks into scratch
    std::string text[2];
    std::atomic<int> holds[2] = {-1, -1};  // the block in text[j] ready to be written; -1 none
};

// The most characters a line of F takes: every conversion at most 11 ("-2147483648").
template <std::size_t N>
consteval std::size_t longestLine(const Format<N>& f) {
    std::size_t conversions = 0;
    for (std::size_t i = 0; i < Format<N>::size; ++i) conversions += f.text[i] == '%' ? 1 : 0;
    return Format<N>::size + 11 * conversions;
}

// Formats lines [from, to) of the report into out.
template <Format F, class Values>
void formatLines(Output& out, int from, int to, const Values& values) {
    for (int i = from; i < to; ++i)
        std::apply([&out](auto... v) { out.print<F>(v...); }, values(i));
}

template <Format F, class Values>
void formatBlock(Output& out, int block, int count, const Values& values) {
    formatLines<F>(out, block * kBlockLines, std::min(count, (block + 1) * kBlockLines), values);
}

}  // namespace parallel_lines

template <Format F, class Values>
void printLines(Output& out, int count, const Values& values, std::int64_t doneBefore = 0) {
    using parallel_lines::kBlockLines;
    using parallel_lines::kStepLines;
    const int blocks = count / kBlockLines + (count % kBlockLines != 0 ? 1 : 0);
    const int helpers = std::min(usableProcessors() - 1, blocks - 1);
    auto told = [doneBefore](int b) {
        progress::done(doneBefore + std::int64_t{b + 1} * kBlockLines);
    };
    if (helpers <= 0) {
        for (int b = 0; b < blocks; ++b) {
            parallel_lines::formatBlock<F>(out, b, count, values);
            told(b);
        }
        return;
    }
    constexpr std::size_t blockBytes = kBlockLines * parallel_lines::longestLine(F);
    std::unique_ptr<parallel_lines::Helper[]> state =
        std::make_unique<parallel_lines::Helper[]>(static_cast<std::size_t>(helpers));
    for (int h = 0; h < helpers; ++h) {
        for (std::string* text : {&state[h].scratch, &state[h].text[0], &state[h].text[1]})
            text->reserve(blockBytes);
        state[h].into = std::make_unique<Output>(&state[h].scratch);
    }

    // Block b is for the writer when b % threads is 0, and for helper b % threads - 1 otherwise.
    const int threads = helpers + 1;
    std::atomic<int> written{-1};  // the last block written (or, at the end, every block)
    std::atomic<int> started{0};   // helpers that have started, each taking the blocks of one

    // A helper makes its blocks in order, each whenever one of its buffers is free (its block
    // written), and passes over one, or stops making it, once the writer has gone past it.
    auto help = [&] {
        const int k = started.fetch_add(1);
        parallel_lines::Helper& me = state[k];
        Output& into = *me.into;
        for (int b = k + 1; b < blocks; b += threads) {
            int j = -1;
            for (int seen = written.load(); j < 0; seen = written.load()) {
                if (seen >= blocks) return;
                if (me.holds[0].load() <= seen) j = 0;
                if (me.holds[1].load() <= seen) j = 1;
                if (j < 0) written.wait(seen);
            }
            if (written.load() >= b) continue;
            me.made.store(0);
            me.block.store(b);
            me.scratch.clear();
            const int end = std::min(count, (b + 1) * kBlockLines);
            for (int from = b * kBlockLines; from < end && written.load() < b; from += kStepLines) {
                parallel_lines::formatLines<F>(into, from, std::min(end, from + kStepLines),
                                               values);
                me.made.fetch_add(1, std::memory_order_relaxed);
            }
            into.flush();
            me.scratch.swap(me.text[j]);
            if (written.load() < b) me.holds[j].store(b);
        }
    };

    // Writes block b if its helper holds it ready.
    const auto ready = [&out](parallel_lines::Helper& helper, int b) {
        for (int j = 0; j < 2; ++j) {
            if (helper.holds[j].load() != b) continue;
            out.write(helper.text[j]);
            helper.holds[j].store(-1);
            return true;
        }
        return false;
    };
    // The writer: its own blocks made here, every other one from the buffer of the helper that
    // made it; or made here too when the helper is not at it, or not getting on with it. However
    // it ends (an output into a string may run out of memory), the helpers stop.
    auto write = [&] {
        struct Stop {
            std::atomic<int>& written;
            int blocks;
            ~Stop() {
                written.store(blocks);
                written.notify_all();
            }
        } stop{written, blocks};
        for (int b = 0; b < blocks && !out.failed(); ++b) {
            bool make = b % threads == 0;
            if (!make) {
                parallel_lines::Helper& helper = state[b % threads - 1];
                auto since = std::chrono::steady_clock::now();
                for (int lastMade = -1; !ready(helper, b);) {
                    // Not at it: behind, or not started. (It tells a block ready before it
                    // starts the next, so a block it has just made is seen here.)
                    if (helper.block.load() != b) {
                        make = !ready(helper, b);
                        break;
                    }
                    const int made = helper.made.load();
                    const auto now = std::chrono::steady_clock::now();
                    if (made != lastMade) {
                        lastMade = made;
                        since = now;
                    } else if (now - since > parallel_lines::kStall) {
                        make = true;
                        break;
                    }
                    std::this_thread::yield();
                }
            }
            if (make) parallel_lines::formatBlock<F>(out, b, count, values);
            written.store(b);
            written.notify_all();
            told(b);
        }
    };
    runBeside(helpers, help, write);
}

// The same for a text of the catalogue, in the language out speaks.
template <Text T, class Values>
void printLines(Output& out, int count, const Values& values, std::int64_t doneBefore = 0) {
    if (out.language() == Language::English) {
        printLines<T.en>(out, count, values, doneBefore);
    } else {
        printLines<T.cs>(out, count, values, doneBefore);
    }
}
