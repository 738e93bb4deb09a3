#include "Processors.h"

#include <algorithm>
#include <atomic>

namespace {

// Set once by the program before any work starts; read by every pass.
std::atomic<int> allowed{0};  // 0: not said, the standard library's count
void (*before)() = nullptr;
void (*after)() = nullptr;

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

namespace processors_detail {

void beforeStart() {
    if (before != nullptr) before();
}

void afterStart() {
    if (after != nullptr) after();
}

}  // namespace processors_detail
