#include "Machine.h"

#include <pthread.h>
#include <sched.h>

#include <algorithm>
#include <csignal>

#include "Processors.h"

namespace {

int affinityProcessors() {
#if defined(__EMSCRIPTEN__)
    return 1;  // a page opened from disk cannot share memory between threads
#else
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof set, &set) != 0) return 1;
    return std::max(1, CPU_COUNT(&set));
#endif
}

// The mask of the thread that starts a helper, while every signal is blocked for the helper to
// inherit.
thread_local sigset_t saved;

void blockSignals() {
    sigset_t all;
    sigfillset(&all);
    pthread_sigmask(SIG_BLOCK, &all, &saved);
}

void restoreSignals() { pthread_sigmask(SIG_SETMASK, &saved, nullptr); }

}  // namespace

void useMachineProcessors() { useProcessors({affinityProcessors(), blockSignals, restoreSignals}); }
