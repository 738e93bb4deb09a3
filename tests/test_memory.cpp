// Whether a graph fits the memory the system can give: what the system's files say, how a graph is
// judged against every limit and told about, and the note on a graph of nodes without edges.
#include "Memory.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "CGraph.h"
#include "Output.h"
#include "main.h"

// The allocations to grant before one fails (-1: all of them); tests/failing_allocations.cpp.
extern long allocationsLeft;

namespace {

constexpr std::uint64_t kUnknown = memory::kUnknown;
constexpr std::uint64_t kMiB = std::uint64_t{1} << 20;

TEST(memory, reads_what_the_system_says) {
    // /proc/meminfo: available memory and free swap, in kB; without MemAvailable nothing is known.
    EXPECT_EQ(memory::availableFrom("MemTotal: 900 kB\nMemAvailable:  100 kB\nSwapFree: 50 kB\n"),
              150 * 1024U);
    EXPECT_EQ(memory::availableFrom("MemAvailable: 100 kB\n"), 100 * 1024U);
    EXPECT_EQ(memory::availableFrom("MemFree: 100 kB\nSwapFree: 50 kB\n"), kUnknown);
    EXPECT_EQ(memory::availableFrom(""), kUnknown);

    // The address-space limit less the process's size; no limit, or a size beyond it.
    EXPECT_EQ(memory::addressSpaceFrom(100 * kMiB, "Name: kostra\nVmSize:\t  10240 kB\n"),
              90 * kMiB);
    EXPECT_EQ(memory::addressSpaceFrom(5 * kMiB, "VmSize: 10240 kB\n"), 0U);
    EXPECT_EQ(memory::addressSpaceFrom(100 * kMiB, "Name: kostra\n"), 100 * kMiB);
    EXPECT_EQ(memory::addressSpaceFrom(kUnknown, "VmSize: 10240 kB\n"), kUnknown);
    EXPECT_EQ(memory::addressSpaceFrom(std::uint64_t{1} << 63, "VmSize: 10240 kB\n"), kUnknown);

    // A control group's limit less what it holds that cannot be reclaimed: in version 2 its page
    // cache (file) less shared memory, which stays; in version 1 total_cache less total_shmem.
    struct Group {
        const char* limit;
        const char* usage;
        const char* stat;
        std::uint64_t room;
    };
    for (const Group& g : {
             Group{"max\n", "5000\n", "file 100\n", kUnknown},
             Group{"10000\n", "4000\n", "anon 3000\nfile 1000\nshmem 400\n", 6600},
             Group{"10000\n", "4000\n", "anon 4000\n", 6000},
             Group{"10000\n", "12000\n", "file 1000\n", 0}, Group{"10000\n", "", "", 10000},
             Group{"9223372036854771712\n", "4000\n", "", kUnknown},
             Group{"10000\n", "4000\n", "cache 1000\ntotal_cache 1500\ntotal_shmem 500\n", 7000},
             Group{"", "4000\n", "", kUnknown},
             Group{"99999999999999999999999\n", "4000\n", "", kUnknown},  // beyond 64 bits
         }) {
        EXPECT_EQ(memory::groupRoomFrom(g.limit, g.usage, g.stat), g.room) << g.limit << g.stat;
    }
}

// The files of the control groups the next test makes up.
std::map<std::string, std::string> groupFiles;

std::string groupFile(const std::string& path) {
    const auto found = groupFiles.find(path);
    return found == groupFiles.end() ? std::string() : found->second;
}

TEST(memory, the_control_groups_limits_are_found_up_the_tree) {
    const std::string mounts =
        "25 1 0:23 / /proc rw - proc proc rw\n"
        "26 1 0:24 / /broken rw\n"          // no separator
        "27 1 0:25 / /broken rw - tmpfs\n"  // no source after the type
        "28 1\n"
        "30 25 0:26 / /sys/fs/cgroup rw,nosuid - cgroup2 cgroup2 rw,nsdelegate\n"
        "36 32 0:33 / /sys/fs/cgroup/memory rw - cgroup cgroup rw,memory\n"
        "37 32 0:34 / /sys/fs/cgroup/cpu rw - cgroup cgroup rw,cpu\n"
        "40 32 0:35 /inner /mnt/group rw - cgroup2 cgroup2 rw\n";
    // (The first version-2 mount is /sys/fs/cgroup: /mnt/group is looked at alone, below.)
    struct Case {
        const char* groups;
        std::map<std::string, std::string> files;
        std::uint64_t room;
    };
    for (const Case& c : {
             // Version 2: the group's own limit, and a smaller one above it.
             Case{"0::/a/b\n",
                  {{"/sys/fs/cgroup/a/b/memory.max", "max\n"},
                   {"/sys/fs/cgroup/a/memory.max", "9000\n"},
                   {"/sys/fs/cgroup/a/memory.current", "1000\n"},
                   {"/sys/fs/cgroup/a/memory.stat", "anon 1000\nfile 0\n"}},
                  8000},
             Case{"0::/a/b\n",
                  {{"/sys/fs/cgroup/a/b/memory.max", "5000\n"},
                   {"/sys/fs/cgroup/a/b/memory.current", "1000\n"},
                   {"/sys/fs/cgroup/a/memory.max", "9000\n"}},
                  4000},
             // The root group, which has no limit file.
             Case{"0::/\n", {}, kUnknown},
             // Version 1: the memory controller's hierarchy, not the processor's.
             Case{"5:cpu,cpuacct:/x\n4:memory:/p/q\n",
                  {{"/sys/fs/cgroup/memory/p/q/memory.limit_in_bytes", "7000\n"},
                   {"/sys/fs/cgroup/memory/p/q/memory.usage_in_bytes", "3000\n"},
                   {"/sys/fs/cgroup/memory/p/memory.limit_in_bytes", "9223372036854771712\n"},
                   {"/sys/fs/cgroup/memory/memory.limit_in_bytes", "9223372036854771712\n"},
                   {"/sys/fs/cgroup/cpu/x/memory.limit_in_bytes", "10\n"}},
                  4000},
             Case{"5:cpu:/x\n", {{"/sys/fs/cgroup/cpu/x/memory.limit_in_bytes", "10\n"}}, kUnknown},
             Case{"garbage\n", {}, kUnknown},
             Case{"4:memory\n", {}, kUnknown},
             // The last line without its line break.
             Case{"4:memory:/p", {{"/sys/fs/cgroup/memory/p/memory.limit_in_bytes", "50\n"}}, 50},
         }) {
        groupFiles = c.files;
        EXPECT_EQ(memory::groupRoomOf(c.groups, mounts, groupFile), c.room) << c.groups;
    }
    // A mount of a group of its own (a container's): the paths below its root.
    groupFiles = {{"/mnt/group/c/memory.max", "100\n"}, {"/mnt/group/c/memory.current", "30\n"}};
    EXPECT_EQ(
        memory::groupRoomOf("0::/inner/c\n",
                            "40 32 0:35 /inner /mnt/group rw - cgroup2 cgroup2 rw\n", groupFile),
        70U);
    groupFiles.clear();
}

TEST(memory, sizes_as_people_read_them) {
    struct Size {
        std::uint64_t bytes;
        const char* czech;
        const char* english;
    };
    for (const Size& s : {
             Size{0, "0 B", "0 B"},
             Size{999, "999 B", "999 B"},
             Size{1000, "1,0 kB", "1.0 kB"},
             Size{1049, "1,0 kB", "1.0 kB"},
             Size{1050, "1,1 kB", "1.1 kB"},
             Size{9949, "9,9 kB", "9.9 kB"},
             Size{9950, "10 kB", "10 kB"},
             Size{999499, "999 kB", "999 kB"},
             Size{999500, "1,0 MB", "1.0 MB"},
             Size{36000000000, "36 GB", "36 GB"},
             Size{UINT64_MAX, "18 EB", "18 EB"},
         }) {
        EXPECT_EQ(memory::bytesShown(s.bytes, Language::Czech), s.czech) << s.bytes;
        EXPECT_EQ(memory::bytesShown(s.bytes, Language::English), s.english) << s.bytes;
    }
}

TEST(memory, a_graph_is_judged_against_every_limit_the_system_has) {
    using Bound = memory::Shortage::Bound;
    const memory::Need need = memory::graphNeeds(1000000, 10000000);
    // Nodes without an edge need less than nodes with one, and a node or an edge more needs more.
    EXPECT_LT(memory::graphNeeds(2000000, 1).resident,
              memory::graphNeeds(2000000, 1000000).resident);
    EXPECT_LT(need.resident, memory::graphNeeds(1000000, 10000001).resident);
    EXPECT_LE(need.resident, need.addressSpace);
    // What the benchmark measures stays within the estimate: at least 40 bytes an edge.
    EXPECT_GE(need.resident, 40U * 10000000);

    struct Case {
        memory::System system;
        std::uint64_t runLimit;
        Bound bound;
        std::uint64_t needed;
        std::uint64_t room;
    };
    const std::uint64_t records = 5000;
    const std::uint64_t few = need.resident - 1;
    for (const Case& c : {
             Case{{}, UINT64_MAX, Bound::None, 0, 0},
             Case{{need.resident, need.addressSpace, need.resident}, UINT64_MAX, Bound::None, 0, 0},
             Case{{few, kUnknown, kUnknown}, UINT64_MAX, Bound::Available, need.resident, few},
             Case{{kUnknown, need.addressSpace - 1, kUnknown},
                  UINT64_MAX,
                  Bound::AddressSpace,
                  need.addressSpace,
                  need.addressSpace - 1},
             Case{{kUnknown, kUnknown, 7}, UINT64_MAX, Bound::Group, need.resident, 7},
             // The run's own limit first, then a group's, then the address space, then the
             // system's memory.
             Case{{1, 1, 1}, records - 1, Bound::Run, records, records - 1},
             Case{{1, 2, 3}, records, Bound::Group, need.resident, 3},
             Case{{1, 2, kUnknown}, records, Bound::AddressSpace, need.addressSpace, 2},
         }) {
        const memory::Shortage s = memory::judge(1000000, 10000000, c.system, records, c.runLimit);
        EXPECT_EQ(s.bound, c.bound) << c.system.available << " " << c.runLimit;
        if (c.bound == Bound::None) continue;
        EXPECT_EQ(s.needed, c.needed);
        EXPECT_EQ(s.room, c.room);
        EXPECT_EQ(s.nodes, 1000000);
        EXPECT_EQ(s.edges, 10000000);
    }
}

struct Transcript {
    int status;
    std::string out;
    std::string err;
};

Transcript run(const char* path, const std::string& answers, const RunLimits& limits,
               Language language = Language::Czech) {
    Transcript r;
    {
        Output out(&r.out);
        Output err(&r.err);
        out.speak(language);
        err.speak(language);
        LineReader in(answers.data(), answers.size());
        r.status = runKostra(path, in, out, err, limits);
    }
    return r;
}

// The system as the tests make it: a gigabyte of memory, nothing else known.
memory::System aGigabyte() { return {1000000000, kUnknown, kUnknown}; }
memory::System aSmallGroup() { return {kUnknown, kUnknown, 300000000}; }
memory::System aSmallAddressSpace() { return {kUnknown, 200000000, kUnknown}; }

TEST(memory, a_graph_that_cannot_fit_is_refused_at_its_counts_with_the_reason) {
    struct Case {
        memory::System (*system)();
        std::uint64_t maxGraphBytes;
        const char* typed;  // the graph at the keyboard
        Language language;
        const char* reason;
    };
    for (const Case& c : {
             Case{aGigabyte, UINT64_MAX, "1\n2000000000\n", Language::Czech,
                  "POZNAMKA: graf (uzlu: 2000000000, hran: 1) potrebuje asi 36 GB pameti, system "
                  "ale ma volnych jen 1,0 GB (dostupna pamet a volny swap)\n"},
             Case{aGigabyte, UINT64_MAX, "2000000000\n1\n", Language::English,
                  "NOTE: the graph (nodes: 1, edges: 2000000000) needs about 80 GB of memory, but "
                  "the system has only 1.0 GB free (available memory and free swap)\n"},
             Case{aSmallGroup, UINT64_MAX, "10000000\n1000000\n", Language::Czech,
                  "POZNAMKA: graf (uzlu: 1000000, hran: 10000000) potrebuje asi 449 MB pameti, "
                  "limit pameti skupiny procesu (cgroup) ale dovoli uz jen 300 MB\n"},
             Case{aSmallAddressSpace, UINT64_MAX, "10000000\n1000000\n", Language::English,
                  "NOTE: the graph (nodes: 1000000, edges: 10000000) needs about 504 MB of "
                  "memory, but the process's address-space limit (ulimit -v) allows only 200 MB "
                  "more\n"},
             Case{nullptr, 1000, "100\n3\n", Language::Czech,
                  "POZNAMKA: graf (uzlu: 3, hran: 100) potrebuje asi 3,6 kB pameti, tento beh "
                  "ale smi na zaznamy grafu pouzit jen 1,0 kB\n"},
         }) {
        RunLimits limits;
        limits.system = c.system;
        limits.maxGraphBytes = c.maxGraphBytes;
        const Transcript r = run(nullptr, c.typed, limits, c.language);
        EXPECT_EQ(r.status, kStatusNoMemory);
        EXPECT_EQ(r.err, c.reason);
        EXPECT_TRUE(r.out.ends_with(c.language == Language::Czech ? ": \nCHYBA: nedostatek pameti\n"
                                                                  : ": \nERROR: out of memory\n"))
            << r.out;
    }
    // A graph that fits is read and worked on, and nothing is said about memory.
    RunLimits limits;
    limits.system = aGigabyte;
    const Transcript r = run(nullptr, "1\n3\n0\n2\n5\n1\n", limits);
    EXPECT_EQ(r.status, kStatusDone);
    EXPECT_EQ(r.err, "");
}

TEST(memory, nodes_far_more_than_the_edges_touch_get_a_note) {
    // Two million nodes: the report has a line for each, the note says how many and how large
    // the report of tasks 1 to 3 is, as it turns out to be.
    const std::string twoMillion = "1\n2000000\n0\n1\n5\n";
    Transcript r = run(nullptr, twoMillion + "1\n", {});
    ASSERT_EQ(r.status, kStatusDone);
    const std::size_t report = r.out.size() - r.out.find("\n>>VYSTUP<<\n");
    EXPECT_EQ(r.err,
              "POZNAMKA: 1999998 z 2000000 uzlu nema zadnou hranu; vypis uloh 1 az 3 ma "
              "radek i pro kazdy z nich, celkem 2000001 radku, asi " +
                  memory::bytesShown(report, Language::Czech) + "\n");
    // Too few nodes without an edge (999 999), or more edges than a twentieth of the nodes: no
    // note.
    r = run(nullptr, "1\n1000001\n0\n1\n5\n4\n", {});
    EXPECT_EQ(r.err.find("nema zadnou hranu"), std::string::npos);
    const std::string spread = [] {
        std::string g = "100001\n2000000\n";
        for (int k = 0; k <= 100000; ++k)
            g += std::to_string(k) + "\n" + std::to_string(k + 100001) + "\n1\n";
        return g;
    }();
    r = run(nullptr, spread + "4\n", {});
    EXPECT_EQ(r.err.find("nema zadnou hranu"), std::string::npos);

    // Without the memory to count the nodes with an edge, and for a graph that fits, nothing is
    // said.
    CGraph g(2000000, 1);
    g.edges[0] = {0, 1, false, 0, 5};
    std::string said;
    {
        Output err(&said);
        allocationsLeft = 0;
        memory::tellIdleNodes(g, err);
        allocationsLeft = -1;
        memory::tellShortage({}, err);
    }
    EXPECT_EQ(said, "");
}

}  // namespace
