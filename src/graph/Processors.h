// Work on several processors: the one seam through which the graph library, and the programs built
// on it, run threads. How many processors the work may use, and what is done around the start of
// every helper thread, is the program's to say (useProcessors); until it does, the work uses the
// processors the standard library reports, and a helper starts with nothing done around it. Where
// threads cannot run (a browser page), the program says one processor, and no thread is started.
//
// Work is cut into shares, more of them than processors where the work allows, and the calling
// thread and the helpers take the next share from a shared counter until none is left. A machine
// shared with other programs gives some threads less time than others: a thread that is held up
// takes fewer shares, the others take the rest, and the calling thread never waits for a helper
// that has not started. The helpers are started once, at the first work that wants them, and wait
// for work between passes (the console program starts them with every signal blocked); a helper
// that is late to a pass finds it done and takes nothing.
#pragma once

#include <cstddef>
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

// A pass: shares to take, and what to do with one (run(work, share)).
struct Pass {
    int shares;
    void (*run)(const void* work, int share);
    const void* work;
};
// Runs the pass's shares on the calling thread and on up to `helpers` helpers (no more than the
// usable processors less one), each taking the next share until none is left; returns when every
// share is done. With own, the calling thread runs own(ownWork) instead of taking shares, and the
// pass ends for the helpers once own returns (a share taken is still finished). Runs everything
// on the calling thread when no helper can be had or is wanted, or when a pass runs already (one
// started from within a share).
void runPass(const Pass& pass, int helpers, void (*own)(const void*) = nullptr,
             const void* ownWork = nullptr);
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

// Runs work(s) once for every share s = 0 .. shares - 1 and returns when all are done: the calling
// thread and the usable processors' helpers take the shares in ascending order, each the next one
// no thread has taken, so shares may run at once in any combination, and a share never waits for
// another. With one usable processor, or when no helper can be started, the calling thread runs
// them all in order. work must not throw.
template <class Work>
void runShares(int shares, const Work& work) {
    const processors_detail::Pass pass{
        shares, [](const void* w, int s) { (*static_cast<const Work*>(w))(s); }, &work};
    processors_detail::runPass(pass, shares - 1);
}

// Runs own() on the calling thread while up to `helpers` helpers each run help(): for work where
// the calling thread has a part of its own (it writes, in order, what the helpers make ahead).
// help() must return once own() has, or it holds up the return; a helper that starts after own()
// has returned does not run it. Neither may throw.
template <class Help, class Own>
void runBeside(int helpers, const Help& help, const Own& own) {
    const processors_detail::Pass pass{
        helpers, [](const void* h, int /*share*/) { (*static_cast<const Help*>(h))(); }, &help};
    processors_detail::runPass(
        pass, helpers, [](const void* o) { (*static_cast<const Own*>(o))(); }, &own);
}

// Where share s of `shares` nearly equal ranges of count items, in order, begins.
inline int shareBegin(int count, int s, int shares) {
    return static_cast<int>(static_cast<long long>(count) * s / shares);
}

// The shares to cut count items of work into: one for every usable processor, none smaller than
// `least` items. For work whose shares each cost memory of their own.
inline int sharesFor(long long count, long long least) {
    const long long most = count / least;
    const int processors = usableProcessors();
    return most < 1 ? 1 : most < processors ? static_cast<int>(most) : processors;
}

// The pieces forRanges cuts count items into: 65536 items each (the last up to twice that).
int rangeShares(int count);

// Runs work(begin, end) for ranges that cut [0, count) into pieces (rangeShares), taken by the
// calling thread and the helpers (runShares), so a thread held up by another program takes fewer
// of them. For passes over every node or edge whose items are independent of each other.
template <class Work>
void forRanges(int count, const Work& work) {
    const int shares = rangeShares(count);
    runShares(shares,
              [&](int s) { work(shareBegin(count, s, shares), shareBegin(count, s + 1, shares)); });
}
