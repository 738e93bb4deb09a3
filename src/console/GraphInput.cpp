#include "GraphInput.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>

#if defined(__EMSCRIPTEN__)
#include <emscripten/heap.h>
#endif

#include "ParallelEdges.h"
#include "Processors.h"
#include "Progress.h"
#include "Questions.h"
#include "Texts.h"
#include "algebra.h"

namespace {

// A graph file open for reading, closed when the object goes, also when running out of memory
// ends the reading early. A directory counts as a file that cannot be opened.
class GraphFile {
public:
    explicit GraphFile(const char* path) : fd_(::open(path, O_RDONLY | O_CLOEXEC)) {
        error_ = fd_ < 0 ? errno : 0;
        struct stat st {};
        if (fd_ >= 0 && (::fstat(fd_, &st) != 0 || S_ISDIR(st.st_mode))) {
            error_ = S_ISDIR(st.st_mode) ? EISDIR : errno;
            ::close(fd_);
            fd_ = -1;
        }
        // A size the system reports for a file whose contents it makes as they are read (under
        // /proc, 0) is not the size of the data; nor is a pipe's.
        if (fd_ >= 0 && S_ISREG(st.st_mode) && st.st_size > 0)
            size_ = static_cast<std::uint64_t>(st.st_size);
    }
    ~GraphFile() {
        if (fd_ >= 0) ::close(fd_);
    }
    GraphFile(const GraphFile&) = delete;
    GraphFile& operator=(const GraphFile&) = delete;
    int fd() const { return fd_; }
    int error() const { return error_; }          // why it cannot be opened
    std::uint64_t size() const { return size_; }  // of a regular file, when known

private:
    int fd_;
    int error_ = 0;
    std::uint64_t size_ = LineReader::kUnknownSize;
};

bool anyValue(int /*value*/) { return true; }

// Edges read between two looks of the progress line at how far the reading is.
constexpr int kEdgesPerLook = 1 << 16;

// The records of a graph this small are taken even for a file that is too short to hold it.
constexpr std::uint64_t kSmallGraphBytes = std::uint64_t{1} << 20;

}  // namespace

RunLimits machineLimits() {
    RunLimits limits;
#if defined(__EMSCRIPTEN__)
    // A browser's WebAssembly memory, which grows up to its maximum: 32-bit addresses.
    limits.maxGraphBytes = emscripten_get_heap_max();
#endif
    limits.system = memory::askSystem;
    return limits;
}

namespace {

// A file mapped for reading, unmapped when the object goes.
class MappedFile {
public:
    MappedFile(int fd, std::size_t size)
        : size_(size), data_(::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0)) {}
    ~MappedFile() {
        if (data_ != MAP_FAILED) ::munmap(data_, size_);
    }
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;
    const char* data() const { return data_ == MAP_FAILED ? nullptr : static_cast<char*>(data_); }

private:
    std::size_t size_;
    void* data_;
};

// Reads every edge of g at once from the graph file open at fd, whose first `taken` bytes hold
// the counts, when the file is large enough to gain by it; false when it does not, or cannot be
// sure of the result (ParallelEdges.h), and the edges are to be read one value a read.
bool readEdgesAtOnce(int fd, std::size_t taken, CGraph& g, const RunLimits& limits) {
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return false;
    const auto size = static_cast<std::size_t>(st.st_size);
    if (size <= taken || size - taken < limits.parallelFrom) return false;
    const MappedFile file(fd, size);
    if (file.data() == nullptr) return false;
    const int threads = limits.threads > 0 ? limits.threads : usableProcessors();
    return parseEdgesInParallel(file.data() + taken, size - taken, g.nodeCount, g.edges,
                                g.edgeCount, threads, limits.pieceSize);
}

// Reads the counts and the edges; edgesAtOnce(graph) may take every edge at once (true), or
// leave them to be read one value a read.
template <class EdgesAtOnce>
int readGraphWith(LineReader& in, Output* prompts, std::unique_ptr<CGraph>& graph,
                  const RunLimits& limits, Notes* notes, memory::Shortage* shortage,
                  const EdgesAtOnce& edgesAtOnce) {
    const Source src{in, prompts, notes};
    const int ended = prompts != nullptr ? kStatusInputEnded : kStatusInconsistent;
    const progress::Phase phase({texts::kReadingGraph, texts::kEdgeUnit, prompts != nullptr});
    int m = 0;
    int n = 0;
    if (!ask<texts::kEdgeCountPrompt>(src, {Expected::EdgeCount}, m, [](int v) { return v >= 0; }))
        return ended;
    if (notes != nullptr) notes->counts(m, 0);
    if (!ask<texts::kNodeCountPrompt>(src, {Expected::NodeCount}, n, [](int v) { return v >= 1; }))
        return ended;
    if (notes != nullptr) notes->counts(m, n);
    const std::uint64_t bytes = static_cast<std::uint64_t>(n) * sizeof(Node) +
                                static_cast<std::uint64_t>(m) * (sizeof(Edge) + 2 * sizeof(Route));
    // Every edge takes three reads of a digit and a line break at least, the last line's break
    // included: a file that cannot hold them ends before the graph does. A large graph is refused
    // so at once, before its memory is taken (or found missing); a small one is read to where
    // the file ends, which tells more.
    if (prompts == nullptr && m > 0 && 6 * static_cast<std::uint64_t>(m) - 1 > in.bytesLeft() &&
        (bytes > kSmallGraphBytes || bytes > limits.maxGraphBytes)) {
        if (notes != nullptr) notes->tooShort(in, m);
        return kStatusInconsistent;
    }
    const memory::Shortage judged =
        memory::judge(n, m, limits.system != nullptr ? limits.system() : memory::System{}, bytes,
                      limits.maxGraphBytes);
    if (judged.bound != memory::Shortage::Bound::None) {
        if (shortage != nullptr) *shortage = judged;
        return kStatusNoMemory;
    }
    graph = std::make_unique<CGraph>(n, m);
    if (edgesAtOnce(*graph)) return kStatusDone;

    const auto endpoint = [n](int v) { return betweend(0, v, n - 1) != 0; };
    progress::total(m);
    for (int from = 0; from < m; from += kEdgesPerLook) {
        progress::done(from);
        const int to = m - from > kEdgesPerLook ? from + kEdgesPerLook : m;
        for (int i = from; i < to; ++i) {
            Edge& e = graph->edges[i];
            e.inTree = false;
            e.tag = 0;
            if (!ask<texts::kFromPrompt>(src, {Expected::From, i}, e.from, endpoint, i) ||
                !ask<texts::kToPrompt>(src, {Expected::To, i}, e.to, endpoint, i) ||
                !ask<texts::kWeightPrompt>(src, {Expected::Weight, i}, e.weight, anyValue, i))
                return ended;
        }
    }
    return kStatusDone;
}

}  // namespace

int readGraph(LineReader& in, Output* prompts, std::unique_ptr<CGraph>& graph,
              const RunLimits& limits, Notes* notes, memory::Shortage* shortage) {
    return readGraphWith(in, prompts, graph, limits, notes, shortage,
                         [](CGraph& /*g*/) { return false; });
}

void tellUnreadGraph(int status, std::string_view path, Verdict style, Output& to) {
    if (status == kStatusCannotOpen) {
        to.print<texts::kCannotOpen>(path);
    } else if (status == kStatusInconsistent && style == Verdict::Kostra) {
        to.print<texts::kInconsistent>();
    } else if (status == kStatusInconsistent) {
        to.print<texts::kNotAGraph>(path);
    }
}

int readGraphFile(const char* path, std::unique_ptr<CGraph>& graph, const RunLimits& limits,
                  Notes* notes, memory::Shortage* shortage) {
    const GraphFile file(path);
    try {
        if (file.fd() < 0) {
            if (notes != nullptr) notes->cannotOpen(path, file.error());
            return kStatusCannotOpen;
        }
        LineReader in(file.fd());
        in.knowSize(file.size());
        const int status = readGraphWith(
            in, nullptr, graph, limits, notes, shortage,
            [&](CGraph& g) { return readEdgesAtOnce(file.fd(), in.taken(), g, limits); });
        if (notes != nullptr) notes->closeWarnings();
        return status;
    } catch (const std::bad_alloc&) {
        graph.reset();
        return kStatusNoMemory;
    }
}
