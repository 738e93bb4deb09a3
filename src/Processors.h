// Work on every processor the program may use: the processors its affinity allows (taskset -c 0
// makes it one), at least one.
#pragma once

#include <pthread.h>

#include <csignal>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

int usableProcessors();

// A thread that does a share of the work. It takes no signal, so that the progress line's timer
// (and anything else the program is sent) interrupts the main thread only: the mask is set before
// the thread starts, which inherits it.
template <class F>
std::jthread helperThread(F&& f) {
    sigset_t all;
    sigset_t old;
    sigfillset(&all);
    pthread_sigmask(SIG_BLOCK, &all, &old);
    try {
        std::jthread thread(std::forward<F>(f));
        pthread_sigmask(SIG_SETMASK, &old, nullptr);
        return thread;
    } catch (...) {
        pthread_sigmask(SIG_SETMASK, &old, nullptr);
        throw;
    }
}

// Runs work(s) for every share s = 0 .. shares - 1 at once, share 0 on the calling thread and each
// other share on a thread of its own; returns when all are done. When the system will not start a
// thread, the calling thread does the shares left over after its own. work must not throw.
template <class Work>
void runShares(int shares, const Work& work) {
    int started = 1;
    {
        std::vector<std::jthread> helpers;
        helpers.reserve(static_cast<std::size_t>(shares > 1 ? shares - 1 : 0));
        try {
            for (; started < shares; ++started)
                helpers.push_back(helperThread([&work, started] { work(started); }));
        } catch (const std::system_error&) {
            // No more threads to be had.
        }
        work(0);
    }
    for (int s = started; s < shares; ++s) work(s);
}

// Where share s of `shares` nearly equal ranges of count items, in order, begins.
inline int shareBegin(int count, int s, int shares) {
    return static_cast<int>(static_cast<long long>(count) * s / shares);
}

// The shares to cut count items of work into: one for every usable processor, none smaller than
// `least` items.
inline int sharesFor(long long count, long long least) {
    const long long most = count / least;
    const int processors = usableProcessors();
    return most < 1 ? 1 : most < processors ? static_cast<int>(most) : processors;
}

// Runs work(begin, end) for ranges that cut [0, count) into shares, one for every usable processor
// and none smaller than kRangeItems items, at once (runShares). For passes over every node or
// edge whose items are independent of each other.
template <class Work>
void forRanges(int count, const Work& work) {
    constexpr long long kRangeItems = 1 << 16;
    const int shares = sharesFor(count, kRangeItems);
    runShares(shares,
              [&](int s) { work(shareBegin(count, s, shares), shareBegin(count, s + 1, shares)); });
}
