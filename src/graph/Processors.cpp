#include "Processors.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <new>

namespace {

// Set once by the program before any work starts; read by every pass.
std::atomic<int> allowed{0};  // 0: not said, the standard library's count
void (*before)() = nullptr;
void (*after)() = nullptr;

// The helpers, started at the first pass that wants them and kept until the process ends. A pass
// is offered to them under the lock; each helper that wakes while it is open takes shares one at
// a time, under the lock, and runs them outside it. The calling thread takes shares the same way
// (or runs its own part), closes the pass, and waits only for the shares that helpers have taken
// and not finished: never for a helper that has not woken.
class Pool {
public:
    ~Pool() {
        {
            const std::lock_guard<std::mutex> lock(m_);
            quit_ = true;
        }
        wake_.notify_all();
        threads_.clear();  // joins them
    }

    void run(const processors_detail::Pass& pass, int helpers, void (*own)(const void*),
             const void* ownWork) {
        std::unique_lock<std::mutex> lock(m_);
        start(helpers);
        pass_ = &pass;
        ++generation_;
        next_ = 0;
        unfinished_ = 0;
        wanted_ = std::min(helpers, static_cast<int>(threads_.size()));
        lock.unlock();
        wake_.notify_all();
        // However the calling thread's part ends, the pass is closed and the shares that helpers
        // took are finished before it returns.
        struct Close {
            Pool& pool;
            std::unique_lock<std::mutex>& lock;
            ~Close() {
                if (!lock.owns_lock()) lock.lock();
                pool.next_ = pool.pass_->shares;  // a helper that wakes now takes nothing
                pool.finished_.wait(lock, [this] { return pool.unfinished_ == 0; });
                pool.pass_ = nullptr;
                pool.wanted_ = 0;
            }
        } close{*this, lock};
        if (own != nullptr) {
            own(ownWork);
        } else {
            lock.lock();
            takeShares(lock, generation_);
        }
    }

private:
    // Starts helpers until there are `helpers` of them, or the system will start no more. Called
    // under the lock: a helper started waits for it, and the room for it is there before it starts,
    // so that no failure leaves a thread to be joined while it waits.
    void start(int helpers) {
        try {
            threads_.reserve(static_cast<std::size_t>(helpers));
            while (static_cast<int>(threads_.size()) < helpers)
                threads_.push_back(helperThread([this] { serve(); }));
        } catch (const std::system_error&) {
            // No more threads to be had: the ones there and the calling thread do the work.
        } catch (const std::bad_alloc&) {
            // Nor the memory to start one.
        }
    }

    // A helper's life: waits for a pass it has not seen, takes its shares, waits again.
    void serve() {
        std::unique_lock<std::mutex> lock(m_);
        std::uint64_t seen = 0;
        for (;;) {
            wake_.wait(lock, [&] { return quit_ || (generation_ != seen && wanted_ > 0); });
            if (quit_) return;
            seen = generation_;
            --wanted_;
            takeShares(lock, seen);
        }
    }

    // Takes the shares of pass `generation` one at a time until none is left or the pass is
    // closed; the lock is held between shares, not while one runs.
    void takeShares(std::unique_lock<std::mutex>& lock, std::uint64_t generation) {
        while (pass_ != nullptr && generation_ == generation && next_ < pass_->shares) {
            const processors_detail::Pass& pass = *pass_;
            const int share = next_++;
            ++unfinished_;
            lock.unlock();
            pass.run(pass.work, share);
            lock.lock();
            if (--unfinished_ == 0) finished_.notify_all();
        }
    }

    std::mutex m_;
    std::condition_variable wake_;      // a pass is offered, or the process ends
    std::condition_variable finished_;  // the last share taken is done
    const processors_detail::Pass* pass_ = nullptr;
    std::uint64_t generation_ = 0;  // counts the passes
    int next_ = 0;                  // the next share to take
    int unfinished_ = 0;            // shares taken and not finished
    int wanted_ = 0;                // helpers that may still join the pass
    bool quit_ = false;
    std::vector<HelperThread> threads_;  // last: joined before the rest goes
};

// One pass at a time runs on the helpers; a pass started meanwhile (from within a share, or from
// another thread) runs on its own thread alone.
std::mutex passRunning;

}  // namespace

void useProcessors(const ProcessorUse& use) {
    before = use.beforeHelperStarts;
    after = use.afterHelperStarts;
    allowed.store(std::max(1, use.processors));
}

int usableProcessors() {
    const int said = allowed.load(std::memory_order_relaxed);
    if (said > 0) return said;
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

int rangeShares(int count) {
    constexpr int kRangeItems = 1 << 16;
    return std::max(1, count / kRangeItems);
}

namespace processors_detail {

void beforeStart() {
    if (before != nullptr) before();
}

void afterStart() {
    if (after != nullptr) after();
}

void runPass(const Pass& pass, int helpers, void (*own)(const void*), const void* ownWork) {
    helpers = std::min(helpers, usableProcessors() - 1);
    if (helpers > 0) {
        const std::unique_lock<std::mutex> alone(passRunning, std::try_to_lock);
        if (alone.owns_lock()) {
            static Pool pool;
            pool.run(pass, helpers, own, ownWork);
            return;
        }
    }
    if (own != nullptr) {
        own(ownWork);
        return;
    }
    for (int s = 0; s < pass.shares; ++s) pass.run(pass.work, s);
}

}  // namespace processors_detail
