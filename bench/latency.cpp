// The machine's dependent-miss latency: the time of one load whose address comes from the load
// before it, over memory far larger than the last-level cache. The buffer's cache lines are
// linked into one cycle in a random order (Sattolo's shuffle), so every load is a miss the
// processor cannot predict or overlap with the next; the buffer asks for huge pages as kostra's
// large arrays do, so the figure is a miss in memory rather than in the address translation.
// One round through every line warms the buffer, the next rounds are timed in this thread's
// processor time, which the other programs of a busy machine do not lengthen (on a quiet one it
// is the wall time), as the benchmark times the walk it compares with this figure.
//
// usage: kostra-latency [MIB [ROUNDS]]
//   MIB     the buffer's size (default 512)
//   ROUNDS  timed rounds through every line (default 1)
// Prints the nanoseconds a load, one number on a line.
// Exit statuses: 1 the chase did not go through every line once a round (a fault of this tool)
// or there is no clock of the thread's time, 2 bad arguments, 4 out of memory, 5 the figure
// cannot be written.
#include <sys/mman.h>
#include <time.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>
#include <vector>

namespace {

[[noreturn]] void fail(int status, const char* what) {
    std::fprintf(stderr, "kostra-latency: %s\n", what);
    std::exit(status);
}

std::int64_t argument(const char* text, std::int64_t lo, std::int64_t hi) {
    errno = 0;
    char* end = nullptr;
    const long long v = std::strtoll(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || v < lo || v > hi) {
        fail(2, "usage: kostra-latency [MIB (1 to 65536) [ROUNDS (1 to 1000)]]");
    }
    return v;
}

// SplitMix64, as the generator uses. Reference: Steele, Lea, Flood 2014.
std::uint64_t nextRandom(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

struct alignas(64) Line {
    const Line* next;
};

// Follows `loads` links from `at`; returns where it ends and counts the visits of `mark`.
const Line* chase(const Line* at, std::uint64_t loads, const Line* mark, std::uint64_t& marks) {
    for (std::uint64_t k = 0; k < loads; ++k) {
        at = at->next;
        marks += at == mark ? 1 : 0;
    }
    return at;
}

double threadSeconds() {
    timespec t{};
    if (::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t) != 0) fail(1, "no thread clock");
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 3) fail(2, "usage: kostra-latency [MIB [ROUNDS]]");
    const std::int64_t mib = argc > 1 ? argument(argv[1], 1, 65536) : 512;
    const std::int64_t rounds = argc > 2 ? argument(argv[2], 1, 1000) : 1;
    const auto bytes = static_cast<std::size_t>(mib) << 20;
    const std::size_t lines = bytes / sizeof(Line);

    void* p = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) fail(4, "out of memory");
    ::madvise(p, bytes, MADV_HUGEPAGE);
    Line* line = static_cast<Line*>(p);

    // Sattolo's shuffle: order[i] is the line after line i, one cycle through all of them.
    std::vector<std::uint32_t> order;
    try {
        order.resize(lines);
    } catch (const std::bad_alloc&) {
        fail(4, "out of memory");
    }
    for (std::size_t i = 0; i < lines; ++i) order[i] = static_cast<std::uint32_t>(i);
    std::uint64_t state = 1;
    for (std::size_t i = lines - 1; i > 0; --i) {
        std::swap(order[i], order[nextRandom(state) % i]);
    }
    for (std::size_t i = 0; i < lines; ++i) line[i].next = &line[order[i]];
    order = std::vector<std::uint32_t>();

    std::uint64_t marks = 0;
    const Line* at = chase(line, lines, line, marks);  // warm-up
    const double start = threadSeconds();
    const auto loads = static_cast<std::uint64_t>(rounds) * lines;
    at = chase(at, loads, line, marks);
    const double took = threadSeconds() - start;
    if (at != line || marks != static_cast<std::uint64_t>(rounds) + 1) {
        fail(1, "the lines are not one cycle");
    }
    std::printf("%.1f\n", took * 1e9 / static_cast<double>(loads));
    return std::fflush(stdout) == 0 ? 0 : 5;
}
