// Work on several processors: the one seam through which the graph library, and the programs built
// on it, run threads. How many processors the work may use, and what is done around the start of
// every helper thread, is the program's to say (useProcessors); until it does, the work uses the
// processors the standard library reports, and a helper starts with nothing done around it. Where
// threads cannot run (a browser page), the program says one processor, and no thread is started.
#pragma once

#include <system_error>
#include <thread>
#include <type_traits>
#include <utility>
#include <vector>

// What a program allows the work: how many processors (at least one is taken), and, if given,
// what is done on the starting thread right before a helper starts and right after (the console
// program blocks every signal there, so that the helper inherits a mask that keeps them all on
// the main thread, and unblocks them again).
struct ProcessorUse {
    int processors = 1;
    void (*beforeHelperStarts)() = nullptr;
    void (*afterHelperStarts)() = nullptr;
};
void useProcessors(const ProcessorUse& use);

// How many threads the work may run at once, at least one.
int usableProcessors();

// A thread that is joined when it goes (the work's threads end with the work that started them).
class HelperThread {
public:
    HelperThread() = default;
    // The work to run; never another helper (that is the move below).
    template <class F,
              class = std::enable_if_t<!std::is_same_v<std::remove_cvref_t<F>, HelperThread>>>
    explicit HelperThread(F&& f) : thread_(std::forward<F>(f)) {}
    HelperThread(HelperThread&&) noexcept = default;
    HelperThread& operator=(HelperThread&& other) noexcept {
        join();
        thread_ = std::move(other.thread_);
        return *this;
    }
    ~HelperThread() { join(); }
    HelperThread(const HelperThread&) = delete;
    HelperThread& operator=(const HelperThread&) = delete;

private:
    void join() {
        if (thread_.joinable()) thread_.join();
    }
    std::thread thread_;
};

namespace processors_detail {
void beforeStart();
void afterStart();
}  // namespace processors_detail

// A helper thread that does a share of the work, started as the program said (useProcessors).
// Throws std::system_error when the system will not start a thread.
template <class F>
HelperThread helperThread(F&& f) {
    processors_detail::beforeStart();
    try {
        HelperThread thread(std::forward<F>(f));
        processors_detail::afterStart();
        return thread;
    } catch (...) {
        processors_detail::afterStart();
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
        std::vector<HelperThread> helpers;
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
