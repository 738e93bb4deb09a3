// Whether a graph can be worked on in the memory this process can have, judged from its two counts
// before its records are taken, and what a person is told about the memory and the size of a run.
//
// A graph needs its records, its route lists and the working arrays of the task that needs most:
// graphNeeds() says how much of the memory that is touched (resident) and of the address space
// that is reserved, from the counts alone. The system gives the least of what is known of: the
// memory available and the free swap, the process's address-space limit less what it uses, and
// its control group's limit less what the group holds that cannot be reclaimed. A system this
// program cannot ask (not Linux) says nothing, and every graph fits. Every count is 64 bits wide,
// also where size_t is narrower (a browser page).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "Format.h"

class CGraph;
class Output;

namespace memory {

constexpr std::uint64_t kUnknown = UINT64_MAX;

// What a run on a graph of n nodes and m edges takes at most.
struct Need {
    std::uint64_t resident;      // memory touched
    std::uint64_t addressSpace;  // address space reserved, touched or not
};
Need graphNeeds(std::int64_t n, std::int64_t m);

// What the system can give this process now; kUnknown where it does not say.
struct System {
    std::uint64_t available = kUnknown;     // available memory and free swap
    std::uint64_t addressSpace = kUnknown;  // the address-space limit less the space in use
    std::uint64_t group = kUnknown;         // the control group's limit less what it holds
};
System askSystem();

// The texts /proc and the control group's files give, read into System (each part on its own,
// so that the tests can give their own): MemAvailable and SwapFree of /proc/meminfo; the
// address-space limit (RLIM_INFINITY: none) less VmSize of /proc/self/status; a group's limit
// ("max": none) less its usage, less what of it is reclaimable page cache (memory.stat's file
// less shmem in version 2, total_cache less total_shmem in version 1).
std::uint64_t availableFrom(std::string_view meminfo);
std::uint64_t addressSpaceFrom(std::uint64_t limit, std::string_view status);
std::uint64_t groupRoomFrom(std::string_view limit, std::string_view usage, std::string_view stat);
// The least room that the memory limits of the process's control group and of every group above
// it leave, from the texts of /proc/self/cgroup and /proc/self/mountinfo, the groups' files read
// with read (empty: no such file): memory.max, memory.current and memory.stat in version 2,
// memory.limit_in_bytes, memory.usage_in_bytes and memory.stat in version 1.
std::uint64_t groupRoomOf(std::string_view groups, std::string_view mounts,
                          std::string (*read)(const std::string& path));

// Why a graph does not fit, for the note that says so.
struct Shortage {
    enum class Bound { None, Run, Available, AddressSpace, Group };
    Bound bound = Bound::None;  // None: the graph fits
    std::int64_t nodes = 0;
    std::int64_t edges = 0;
    std::uint64_t needed = 0;  // what the graph needs of what the bound counts
    std::uint64_t room = 0;    // what the bound leaves
};
// Judges a graph of n nodes and m edges against the system and a run's own limit on the bytes of
// a graph's records (recordBytes > runLimit: the run refuses it; the fuzz driver keeps its runs
// small with it).
Shortage judge(std::int64_t n, std::int64_t m, const System& system, std::uint64_t recordBytes,
               std::uint64_t runLimit);

// The note on standard error for a graph refused for its size, in the language of err.
void tellShortage(const Shortage& shortage, Output& err);

// A graph far larger in nodes than its edges touch (at most n / 20 edges, so that nine tenths of
// its nodes or more have none, and at least kIdleNodes nodes without an edge): a note on err that
// the report of tasks 1 to 3 has a line for each node, how many lines and about how large.
// Nothing otherwise. Cost: O(m log m) for such a graph, and nothing for any other.
constexpr std::int64_t kIdleNodes = 1000000;
void tellIdleNodes(const CGraph& g, Output& err);

// A number of bytes as people read it, in the language: "734 B", "1,2 kB", "56 GB" (Czech) or
// "1.2 kB" (English): three figures at most, in powers of 1000.
std::string bytesShown(std::uint64_t bytes, Language language);

}  // namespace memory
