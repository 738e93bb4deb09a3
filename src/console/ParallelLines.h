// The lines of a report written with every processor the process may use: printLines<F>(out, count,
// values) writes out.print<F>(values(i)...) for i = 0 .. count - 1, in that order, byte for byte
// as a plain loop writes them.
//
// The lines are cut into blocks. Helper threads format blocks ahead into buffers of their own,
// a few at most each; the calling thread writes the blocks in order, and formats a block itself
// when no helper has taken it yet. Nothing is allocated once the helpers run: every buffer is as
// large as a block of the longest lines can be, taken before. When the output fails, the writing
// stops, as a plain loop's printing would be dropped. Without helpers (one processor, a short
// report, or a system that will not start a thread) it is the plain loop.
//
// Contract: values(i) returns a std::tuple of the ints of line i and may be called from any thread
// (it must only read); F holds "%d" and "%2d" conversions only. The progress line (Progress.h)
// learns after every block that doneBefore + the lines written so far are done. Cost: the plain
// loop's, shared by the threads; memory: 3 buffers of a block (at most kBlockLines lines) a helper.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <system_error>
#include <thread>
#include <tuple>
#include <vector>

#include "Output.h"
#include "Processors.h"
#include "Progress.h"

namespace parallel_lines {

constexpr int kBlockLines = 16384;

// A buffer that holds one formatted block, or none (block -1).
struct Slot {
    std::string text;
    std::atomic<int> block{-1};
};

// The most characters a line of F takes: every conversion at most 11 ("-2147483648").
template <std::size_t N>
consteval std::size_t longestLine(const Format<N>& f) {
    std::size_t conversions = 0;
    for (std::size_t i = 0; i < Format<N>::size; ++i) conversions += f.text[i] == '%' ? 1 : 0;
    return Format<N>::size + 11 * conversions;
}

template <Format F, class Values>
void formatBlock(Output& out, int block, int count, const Values& values) {
    const int end = std::min(count, (block + 1) * kBlockLines);
    for (int i = block * kBlockLines; i < end; ++i)
        std::apply([&out](auto... v) { out.print<F>(v...); }, values(i));
}

}  // namespace parallel_lines

template <Format F, class Values>
void printLines(Output& out, int count, const Values& values, std::int64_t doneBefore = 0) {
    using parallel_lines::kBlockLines;
    using parallel_lines::Slot;
    const int blocks = count / kBlockLines + (count % kBlockLines != 0 ? 1 : 0);
    const int helpers = std::min(usableProcessors() - 1, blocks - 1);
    auto written = [doneBefore](int b) {
        progress::done(doneBefore + std::int64_t{b + 1} * kBlockLines);
    };
    if (helpers <= 0) {
        for (int b = 0; b < blocks; ++b) {
            parallel_lines::formatBlock<F>(out, b, count, values);
            written(b);
        }
        return;
    }
    constexpr std::size_t blockBytes = kBlockLines * parallel_lines::longestLine(F);
    const std::size_t slotCount = 2 * static_cast<std::size_t>(helpers);
    std::unique_ptr<Slot[]> slots = std::make_unique<Slot[]>(slotCount);
    std::vector<std::string> own(static_cast<std::size_t>(helpers));
    for (std::size_t s = 0; s < slotCount; ++s) slots[s].text.reserve(blockBytes);
    for (std::string& text : own) text.reserve(blockBytes);

    std::atomic<int> next{0};  // the first block no thread has taken
    std::atomic<bool> stop{false};
    auto help = [&](std::string& text) {
        Output formatter(&text);
        for (int b = next.fetch_add(1); b < blocks && !stop.load(); b = next.fetch_add(1)) {
            Slot& slot = slots[static_cast<std::size_t>(b) % slotCount];
            for (int held = slot.block.load(); held != -1; held = slot.block.load()) {
                if (stop.load()) return;
                slot.block.wait(held);
            }
            text.clear();
            parallel_lines::formatBlock<F>(formatter, b, count, values);
            formatter.flush();
            text.swap(slot.text);
            slot.block.store(b);
            slot.block.notify_all();
        }
    };
    std::vector<HelperThread> threads;
    try {
        threads.reserve(static_cast<std::size_t>(helpers));
        for (std::string& text : own)
            threads.push_back(helperThread([&help, &text] { help(text); }));
    } catch (const std::system_error&) {
        // No more threads to be had: the ones started and this one do it all.
    }
    for (int b = 0; b < blocks && !out.failed(); ++b) {
        int mine = b;
        if (next.compare_exchange_strong(mine, b + 1)) {
            parallel_lines::formatBlock<F>(out, b, count, values);
            written(b);
            continue;
        }
        Slot& slot = slots[static_cast<std::size_t>(b) % slotCount];
        for (int held = slot.block.load(); held != b; held = slot.block.load())
            slot.block.wait(held);
        out.write(slot.text);
        slot.text.clear();
        slot.block.store(-1);
        slot.block.notify_all();
        written(b);
    }
    stop.store(true);
    for (std::size_t s = 0; s < slotCount; ++s) {
        slots[s].block.store(-2);  // no slot is waited for any more: a helper waiting goes
        slots[s].block.notify_all();
    }
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
