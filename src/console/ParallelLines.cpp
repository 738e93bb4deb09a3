#include "ParallelLines.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "Processors.h"
#include "Progress.h"

namespace parallel_lines {

namespace {

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

// The lines of block b.
int blockStart(int b) { return b * kBlockLines; }
int blockEnd(int b, int count) { return std::min(count, (b + 1) * kBlockLines); }

}  // namespace

void writeBlocks(Output& out, int count, const Lines& lines, std::size_t blockBytes,
                 std::int64_t doneBefore) {
    const int blocks = count / kBlockLines + (count % kBlockLines != 0 ? 1 : 0);
    const int helpers = std::min(usableProcessors() - 1, blocks - 1);
    const auto told = [doneBefore](int b) {
        progress::done(doneBefore + std::int64_t{b + 1} * kBlockLines);
    };
    const auto make = [&](Output& into, int b) {
        lines.make(lines.lines, into, blockStart(b), blockEnd(b, count));
    };
    if (helpers <= 0) {
        for (int b = 0; b < blocks; ++b) {
            make(out, b);
            told(b);
        }
        return;
    }
    std::unique_ptr<Helper[]> state = std::make_unique<Helper[]>(static_cast<std::size_t>(helpers));
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
    const auto help = [&] {
        const int k = started.fetch_add(1);
        Helper& me = state[k];
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
            const int end = blockEnd(b, count);
            for (int from = blockStart(b); from < end && written.load() < b; from += kStepLines) {
                lines.make(lines.lines, *me.into, from, std::min(end, from + kStepLines));
                me.made.fetch_add(1, std::memory_order_relaxed);
            }
            me.into->flush();
            me.scratch.swap(me.text[j]);
            if (written.load() < b) me.holds[j].store(b);
        }
    };

    // Writes block b if its helper holds it ready.
    const auto ready = [&out](Helper& helper, int b) {
        for (int j = 0; j < 2; ++j) {
            if (helper.holds[j].load() != b) continue;
            out.write(helper.text[j]);
            helper.holds[j].store(-1);
            return true;
        }
        return false;
    };
    // Whether the writer makes block b of helper h itself: when the helper is not at it (behind,
    // or not started), or not getting on with it; otherwise the block is written when ready. (A
    // helper tells a block ready before it starts the next, so a block just made is seen here.)
    const auto makeHere = [&](Helper& helper, int b) {
        auto since = std::chrono::steady_clock::now();
        for (int lastMade = -1; !ready(helper, b);) {
            if (helper.block.load() != b) return !ready(helper, b);
            const int made = helper.made.load();
            const auto now = std::chrono::steady_clock::now();
            if (made != lastMade) {
                lastMade = made;
                since = now;
            } else if (now - since > kStall) {
                return true;
            }
            std::this_thread::yield();
        }
        return false;
    };
    // The writer: its own blocks made here, every other one from the buffer of the helper that
    // made it, or made here too. However it ends (an output into a string may run out of memory),
    // the helpers stop.
    const auto write = [&] {
        struct Stop {
            std::atomic<int>& written;
            int blocks;
            ~Stop() {
                written.store(blocks);
                written.notify_all();
            }
        } stop{written, blocks};
        for (int b = 0; b < blocks && !out.failed(); ++b) {
            if (b % threads == 0 || makeHere(state[b % threads - 1], b)) make(out, b);
            written.store(b);
            written.notify_all();
            told(b);
        }
    };
    runBeside(helpers, help, write);
}

}  // namespace parallel_lines
