#include "Memory.h"

#include <algorithm>
#include <charconv>
#include <new>
#include <vector>

#include "CGraph.h"
#include "Output.h"
#include "Texts.h"

#if defined(__linux__)
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace memory {

namespace {

constexpr std::uint64_t kMiB = std::uint64_t{1} << 20;

// The bytes a node and an edge take at the peak of the task that needs most, and what a run takes
// besides (the program, its buffers, the helpers' stacks), as measured on random, power-law,
// path, star and many-component graphs (docs/performance.md): a node that some edge touches
// takes its record, its place in the route table and in the degree order, a cursor slot, a mark
// and a union-find entry; a node without an edge only its record, its place in the table and the
// order and an entry; an edge its record, its two routes, a walk's stack entry and its bits. The
// address space counts what is reserved and never touched too (room for the cursor slots, the
// heap of the tree-growing method, the walk's stack).
constexpr std::uint64_t kNodeBytes = 32;
constexpr std::uint64_t kIdleNodeBytes = 18;
constexpr std::uint64_t kEdgeBytes = 40;
constexpr std::uint64_t kRunBytes = 16 * kMiB;
constexpr std::uint64_t kNodeSpace = 34;
constexpr std::uint64_t kIdleNodeSpace = 28;
constexpr std::uint64_t kEdgeSpace = 42;
constexpr std::uint64_t kRunSpace = 48 * kMiB;

// Values at least this large are a limit's way of saying that there is none (cgroup v1 writes
// 2^63 rounded down to a page).
constexpr std::uint64_t kNoLimit = std::uint64_t{1} << 62;

std::uint64_t saturatingSub(std::uint64_t a, std::uint64_t b) { return a > b ? a - b : 0; }

// The number at the start of text (after blanks); kUnknown when there is none.
std::uint64_t numberAt(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data() + i, text.data() + text.size(), value);
    return error == std::errc{} && end != text.data() + i ? value : kUnknown;
}

// The number after "key" at the start of a line of text ("MemAvailable:  123 kB", "file 4096");
// kUnknown when no line starts with it.
std::uint64_t field(std::string_view text, std::string_view key) {
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = text.find('\n', at);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(at, end - at);
        if (line.starts_with(key)) return numberAt(line.substr(key.size()));
        at = end + 1;
    }
    return kUnknown;
}

std::uint64_t kilobytes(std::uint64_t kb) { return kb == kUnknown ? kUnknown : kb * 1024; }

}  // namespace

Need graphNeeds(std::int64_t n, std::int64_t m) {
    const auto nodes = static_cast<std::uint64_t>(n);
    const auto edges = static_cast<std::uint64_t>(m);
    const std::uint64_t touched = std::min(nodes, 2 * edges);  // an edge touches two nodes at most
    const std::uint64_t idle = nodes - touched;
    return {kNodeBytes * touched + kIdleNodeBytes * idle + kEdgeBytes * edges + kRunBytes,
            kNodeSpace * touched + kIdleNodeSpace * idle + kEdgeSpace * edges + kRunSpace};
}

std::uint64_t availableFrom(std::string_view meminfo) {
    const std::uint64_t available = kilobytes(field(meminfo, "MemAvailable:"));
    const std::uint64_t swap = kilobytes(field(meminfo, "SwapFree:"));
    if (available == kUnknown) return kUnknown;
    return available + (swap == kUnknown ? 0 : swap);
}

std::uint64_t addressSpaceFrom(std::uint64_t limit, std::string_view status) {
    if (limit == kUnknown || limit >= kNoLimit) return kUnknown;
    const std::uint64_t used = kilobytes(field(status, "VmSize:"));
    return saturatingSub(limit, used == kUnknown ? 0 : used);
}

std::uint64_t groupRoomFrom(std::string_view limit, std::string_view usage, std::string_view stat) {
    const std::uint64_t most = numberAt(limit);  // "max" is no number: no limit
    if (most == kUnknown || most >= kNoLimit) return kUnknown;
    const std::uint64_t used = numberAt(usage);
    if (used == kUnknown) return most;
    std::uint64_t cache = field(stat, "file ");  // version 2
    std::uint64_t shared = field(stat, "shmem ");
    if (cache == kUnknown) {
        cache = field(stat, "total_cache ");  // version 1
        shared = field(stat, "total_shmem ");
    }
    const std::uint64_t reclaimable =
        cache == kUnknown ? 0 : saturatingSub(cache, shared == kUnknown ? 0 : shared);
    return saturatingSub(most, saturatingSub(used, reclaimable));
}

namespace {

// The fields of a line of /proc/self/mountinfo: the mount's root within its file system (4th), its
// mount point (5th), the file system's type (after " - ") and its options (the last).
struct Mount {
    std::string_view root;
    std::string_view point;
    std::string_view type;
    std::string_view options;
};

bool parseMount(std::string_view line, Mount& mount) {
    std::string_view parts[5];
    std::size_t at = 0;
    for (std::string_view& part : parts) {
        const std::size_t end = line.find(' ', at);
        if (end == std::string_view::npos) return false;
        part = line.substr(at, end - at);
        at = end + 1;
    }
    const std::size_t dash = line.find(" - ", at);
    if (dash == std::string_view::npos) return false;
    std::string_view rest = line.substr(dash + 3);
    const std::size_t space = rest.find(' ');
    if (space == std::string_view::npos) return false;
    mount = {parts[3], parts[4], rest.substr(0, space), rest.substr(rest.rfind(' ') + 1)};
    return true;
}

}  // namespace

std::uint64_t groupRoomOf(std::string_view groups, std::string_view mounts,
                          std::string (*read)(const std::string& path)) {
    std::uint64_t room = kUnknown;
    for (std::size_t at = 0; at < groups.size();) {
        std::size_t end = groups.find('\n', at);
        if (end == std::string_view::npos) end = groups.size();
        const std::string_view line = groups.substr(at, end - at);
        at = end + 1;
        // "0::/path" (version 2) or "4:memory:/path" (version 1, controllers separated by commas).
        const std::size_t first = line.find(':');
        const std::size_t second = line.find(':', first + 1);
        if (first == std::string_view::npos || second == std::string_view::npos) continue;
        const std::string_view controllers = line.substr(first + 1, second - first - 1);
        const bool v2 = controllers.empty();
        bool hasMemory = false;
        for (std::size_t c = 0; c <= controllers.size();) {
            std::size_t comma = controllers.find(',', c);
            if (comma == std::string_view::npos) comma = controllers.size();
            hasMemory = hasMemory || controllers.substr(c, comma - c) == "memory";
            c = comma + 1;
        }
        if (!v2 && !hasMemory) continue;
        std::string_view path = line.substr(second + 1);
        for (std::size_t m = 0; m < mounts.size();) {
            std::size_t mend = mounts.find('\n', m);
            if (mend == std::string_view::npos) mend = mounts.size();
            Mount mount;
            const bool parsed = parseMount(mounts.substr(m, mend - m), mount);
            m = mend + 1;
            if (!parsed || mount.type != (v2 ? "cgroup2" : "cgroup")) continue;
            if (!v2 && mount.options.find("memory") == std::string_view::npos) continue;
            // The group's directory under the mount: its path less the mount's root.
            std::string_view below = path;
            if (mount.root != "/" && below.starts_with(mount.root))
                below.remove_prefix(mount.root.size());
            if (below == "/") below = {};
            std::string dir = std::string(mount.point) + std::string(below);
            const char* limitFile = v2 ? "/memory.max" : "/memory.limit_in_bytes";
            const char* usageFile = v2 ? "/memory.current" : "/memory.usage_in_bytes";
            // The group and every group above it, up to the mount point.
            for (;;) {
                const std::string limit = read(dir + limitFile);
                if (!limit.empty()) {
                    room = std::min(room, groupRoomFrom(limit, read(dir + usageFile),
                                                        read(dir + "/memory.stat")));
                }
                if (dir.size() <= mount.point.size()) break;
                dir.resize(dir.rfind('/'));
            }
            break;
        }
    }
    return room;
}

#if defined(__linux__)

namespace {

// The text of a small file of /proc or /sys; empty when it cannot be read.
std::string readText(const std::string& path) {
    std::string text;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return text;
    char buffer[4096];
    for (ssize_t got = 0; (got = ::read(fd, buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(got));
    ::close(fd);
    return text;
}

}  // namespace

System askSystem() {
    System system;
    system.available = availableFrom(readText("/proc/meminfo"));
    struct rlimit limit {};
    if (::getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
        system.addressSpace = addressSpaceFrom(limit.rlim_cur, readText("/proc/self/status"));
    system.group =
        groupRoomOf(readText("/proc/self/cgroup"), readText("/proc/self/mountinfo"), readText);
    return system;
}

#else

System askSystem() { return {}; }  // not asked: every part unknown

#endif

Shortage judge(std::int64_t n, std::int64_t m, const System& system, std::uint64_t recordBytes,
               std::uint64_t runLimit) {
    Shortage s;
    s.nodes = n;
    s.edges = m;
    const Need need = graphNeeds(n, m);
    const auto over = [&s](Shortage::Bound bound, std::uint64_t needed, std::uint64_t room) {
        if (s.bound != Shortage::Bound::None || room == kUnknown || needed <= room) return;
        s.bound = bound;
        s.needed = needed;
        s.room = room;
    };
    over(Shortage::Bound::Run, recordBytes, runLimit == UINT64_MAX ? kUnknown : runLimit);
    over(Shortage::Bound::Group, need.resident, system.group);
    over(Shortage::Bound::AddressSpace, need.addressSpace, system.addressSpace);
    over(Shortage::Bound::Available, need.resident, system.available);
    return s;
}

std::string bytesShown(std::uint64_t bytes, Language language) {
    const char* const units[] = {"B", "kB", "MB", "GB", "TB", "PB", "EB"};
    // bytes / per rounded half up, in steps of one, or of a tenth below 10 units (never of bytes),
    // in the smallest unit that keeps it below 1000.
    const auto rounded = [bytes](std::uint64_t per, std::uint64_t steps) {
        const std::uint64_t step = per / steps;
        return bytes / step + (bytes % step >= step - step / 2 ? 1 : 0);
    };
    int unit = 0;
    std::uint64_t per = 1;  // bytes in the unit
    std::uint64_t tenths = 0;
    std::uint64_t whole = bytes;
    for (;;) {
        tenths = unit > 0 ? rounded(per, 10) : 0;
        whole = rounded(per, 1);
        if ((unit > 0 && tenths < 100) || whole < 1000 || unit == 6) break;
        per *= 1000;
        ++unit;
    }
    char text[32];
    char* end = nullptr;
    if (unit > 0 && tenths < 100) {
        end = std::to_chars(text, text + sizeof text, tenths / 10).ptr;
        *end++ = language == Language::English ? '.' : ',';
        *end++ = static_cast<char>('0' + tenths % 10);
    } else {
        end = std::to_chars(text, text + sizeof text, whole).ptr;
    }
    *end++ = ' ';
    for (const char* u = units[unit]; *u != '\0'; ++u) *end++ = *u;
    return {text, end};
}

namespace {

// What bounds the run, and what it leaves, as the note says it.
std::string boundShown(Shortage::Bound bound, const std::string& room, Language language) {
    if (bound == Shortage::Bound::Run) return formatted<texts::kRoomOfRun>(language, room);
    if (bound == Shortage::Bound::Group) return formatted<texts::kRoomGroup>(language, room);
    if (bound == Shortage::Bound::AddressSpace)
        return formatted<texts::kRoomAddressSpace>(language, room);
    return formatted<texts::kRoomAvailable>(language, room);
}

}  // namespace

void tellShortage(const Shortage& s, Output& err) {
    if (s.bound == Shortage::Bound::None) return;
    const Language language = err.language();
    err.print<texts::kGraphNeeds>(std::to_string(s.nodes), std::to_string(s.edges),
                                  bytesShown(s.needed, language),
                                  boundShown(s.bound, bytesShown(s.room, language), language));
    err.flush();
}

namespace {

// The sum over i = 0 .. count - 1 of how many characters "%2d" writes for i, less 2 each.
std::uint64_t widerThanTwo(std::uint64_t count) {
    std::uint64_t extra = 0;
    std::uint64_t from = 100;  // the first number of three digits
    for (std::uint64_t digits = 3; from < count; ++digits, from *= 10)
        extra += (std::min(count, from * 10) - from) * (digits - 2);
    return extra;
}

// How many characters "%2d" writes for v.
std::uint64_t widthOf(int v) {
    char text[16];
    const auto length =
        static_cast<std::uint64_t>(std::to_chars(text, text + sizeof text, v).ptr - text);
    return length < 2 ? 2 : length;
}

}  // namespace

void tellIdleNodes(const CGraph& g, Output& err) {
    const std::int64_t n = g.nodeCount;
    const std::int64_t m = g.edgeCount;
    if (n < kIdleNodes || 20 * m > n) return;
    std::int64_t touched = 0;
    std::uint64_t weights = 0;  // characters of the weights beyond two each
    try {
        std::vector<int> ends;
        ends.reserve(static_cast<std::size_t>(2 * m));
        for (int k = 0; k < g.edgeCount; ++k) {
            ends.push_back(g.edges[k].from);
            ends.push_back(g.edges[k].to);
            weights += widthOf(g.edges[k].weight) - 2;
        }
        std::sort(ends.begin(), ends.end());
        touched = std::unique(ends.begin(), ends.end()) - ends.begin();
    } catch (const std::bad_alloc&) {
        return;  // the note is not worth the memory
    }
    const std::int64_t idle = n - touched;
    if (idle < kIdleNodes) return;
    // The report of tasks 1 to 3: the banner, a line for every edge (its tree flag two
    // characters) and one for every node (its counts two characters when it has no edge, and at
    // least two otherwise).
    const Language language = err.language();
    const std::uint64_t edgeLine = formatted<texts::kEdgeLine>(language, 0, 0, 0).size();
    const std::uint64_t nodeLine = formatted<texts::kNodeLine>(language, 0, 0, 0).size();
    const std::uint64_t bytes =
        texts::kBanner.in(language).size() + edgeLine * static_cast<std::uint64_t>(m) +
        widerThanTwo(static_cast<std::uint64_t>(m)) + weights +
        nodeLine * static_cast<std::uint64_t>(n) + widerThanTwo(static_cast<std::uint64_t>(n));
    err.print<texts::kIdleNodes>(std::to_string(idle).c_str(), std::to_string(n).c_str(),
                                 std::to_string(n + m).c_str(),
                                 bytesShown(bytes, language).c_str());
    err.flush();
}

}  // namespace memory
