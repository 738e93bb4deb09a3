#include "GraphInput.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <new>

#include "ParallelEdges.h"
#include "Processors.h"
#include "Questions.h"
#include "Texts.h"
#include "algebra.h"

namespace {

// A graph file open for reading, closed when the object goes, also when running out of memory
// ends the reading early. A directory counts as a file that cannot be opened.
class GraphFile {
public:
    explicit GraphFile(const char* path) : fd_(::open(path, O_RDONLY | O_CLOEXEC)) {
        struct stat st {};
        if (fd_ >= 0 && (::fstat(fd_, &st) != 0 || S_ISDIR(st.st_mode))) {
            ::close(fd_);
            fd_ = -1;
        }
    }
    ~GraphFile() {
        if (fd_ >= 0) ::close(fd_);
    }
    GraphFile(const GraphFile&) = delete;
    GraphFile& operator=(const GraphFile&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

bool anyValue(int /*value*/) { return true; }

}  // namespace

RunLimits machineLimits() {
    RunLimits limits;
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    if (pages > 0 && pageSize > 0)
        limits.maxGraphBytes = static_cast<std::size_t>(pages) * static_cast<std::size_t>(pageSize);
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
                  const RunLimits& limits, const EdgesAtOnce& edgesAtOnce) {
    const Source src{in, prompts};
    const int ended = prompts != nullptr ? kStatusInputEnded : kStatusInconsistent;
    int m = 0;
    int n = 0;
    if (!ask<texts::kEdgeCountPrompt>(src, m, [](int v) { return v >= 0; })) return ended;
    if (!ask<texts::kNodeCountPrompt>(src, n, [](int v) { return v >= 1; })) return ended;

    const std::size_t bytes = static_cast<std::size_t>(n) * sizeof(Node) +
                              static_cast<std::size_t>(m) * (sizeof(Edge) + 2 * sizeof(Route));
    if (bytes > limits.maxGraphBytes) return kStatusNoMemory;
    graph = std::make_unique<CGraph>(n, m);
    if (edgesAtOnce(*graph)) return kStatusDone;

    const auto endpoint = [n](int v) { return betweend(0, v, n - 1) != 0; };
    for (int i = 0; i < m; ++i) {
        Edge& e = graph->edges[i];
        e.inTree = false;
        e.tag = 0;
        if (!ask<texts::kFromPrompt>(src, e.from, endpoint, i) ||
            !ask<texts::kToPrompt>(src, e.to, endpoint, i) ||
            !ask<texts::kWeightPrompt>(src, e.weight, anyValue, i))
            return ended;
    }
    return kStatusDone;
}

}  // namespace

int readGraph(LineReader& in, Output* prompts, std::unique_ptr<CGraph>& graph,
              const RunLimits& limits) {
    return readGraphWith(in, prompts, graph, limits, [](CGraph& /*g*/) { return false; });
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

int readGraphFile(const char* path, std::unique_ptr<CGraph>& graph, const RunLimits& limits) {
    const GraphFile file(path);
    if (file.fd() < 0) return kStatusCannotOpen;
    try {
        LineReader in(file.fd());
        return readGraphWith(in, nullptr, graph, limits, [&](CGraph& g) {
            return readEdgesAtOnce(file.fd(), in.taken(), g, limits);
        });
    } catch (const std::bad_alloc&) {
        graph.reset();
        return kStatusNoMemory;
    }
}
