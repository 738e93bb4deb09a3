// Writes a graph in kostra's file format on standard output: the edge count, the node count,
// then from, to and weight of every edge, one integer per line. The same arguments always give
// the same file. Weights are uniform in 1..1000.
//
// usage: kostra-gen SHAPE ARGS... > graph.txt
//   random N M SEED     N nodes, M edges with uniform random endpoints (self-loops and parallel
//                       edges occur as they do in random graphs)
//   power N M EXPONENT SEED
//                       N nodes, M edges whose endpoints are drawn from a power law (a Chung-Lu
//                       graph): the node of rank i has weight (i+1)^(-1/(EXPONENT-1)), an endpoint
//                       is node v with probability proportional to its weight, so degrees fall off
//                       with about the given exponent (2.1 is typical of real networks); the ranks
//                       are given node numbers in a random order, so the hubs are anywhere.
//                       Self-loops and parallel edges occur as they do in random graphs.
//   path N [SEED]       i -> i+1 for every i: a walk as deep as the graph
//   star N [SEED]       0 -> i for every i: one node of degree N-1
//   dense N [SEED]      every pair i -> j, i < j, once: N(N-1)/2 edges
//   comps K N M SEED    N nodes in K components (node v in component v mod K), each a random
//                       tree plus random edges inside it; M >= N-K edges in all
//   grid W H [SEED]     a W x H grid, node r*W + c; every node's edge to the right, then down
// Exit statuses: 2 bad arguments, 4 out of memory, 5 the graph cannot be written.
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string_view>
#include <utility>
#include <vector>

#include "Decimal.h"  // the digits as kostra writes them

namespace {

[[noreturn]] void usage(const char* why) {
    std::fprintf(stderr,
                 "kostra-gen: %s\n"
                 "usage: kostra-gen random N M SEED | power N M EXPONENT SEED | path N [SEED] | "
                 "star N [SEED] | dense N [SEED] | comps K N M SEED | grid W H [SEED]\n",
                 why);
    std::exit(2);
}

// A decimal argument in [lo, hi].
std::int64_t argument(const char* text, std::int64_t lo, std::int64_t hi, const char* name) {
    errno = 0;
    char* end = nullptr;
    const long long v = std::strtoll(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || v < lo || v > hi) {
        static char why[160];
        std::snprintf(why, sizeof why, "%s must be a whole number from %lld to %lld", name,
                      static_cast<long long>(lo), static_cast<long long>(hi));
        usage(why);
    }
    return v;
}

// A decimal fraction argument above lo and at most hi.
double fraction(const char* text, double lo, double hi, const char* name) {
    errno = 0;
    char* end = nullptr;
    const double v = std::strtod(text, &end);
    if (errno != 0 || end == text || *end != '\0' || !std::isfinite(v) || !(v > lo) || v > hi) {
        static char why[160];
        std::snprintf(why, sizeof why, "%s must be a number above %g and at most %g", name, lo, hi);
        usage(why);
    }
    return v;
}

// SplitMix64: a counter passed through a mixing function. Reference: Steele, Lea, Flood 2014.
class CRandom {
public:
    explicit CRandom(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }
    // Uniform in [0, bound) for bound >= 1, by the high half of a 64 x 64-bit product (the bias
    // is below bound / 2^64). Reference: Lemire 2019.
    std::int64_t below(std::int64_t bound) {
        __extension__ using Wide = unsigned __int128;  // GCC's and Clang's 128-bit integer
        const Wide wide = static_cast<Wide>(next()) * static_cast<std::uint64_t>(bound);
        return static_cast<std::int64_t>(wide >> 64);
    }
    int weight() { return 1 + static_cast<int>(below(1000)); }
    // Uniform in [0, 1), 53 bits.
    double unit() { return static_cast<double>(next() >> 11) * 0x1p-53; }

private:
    std::uint64_t state_;
};

// Nodes drawn with probabilities proportional to given weights, in constant time a draw: Vose's
// alias method. Every slot i holds node i, the share of the slot that is node i's own (in [0, 1])
// and another node that takes the rest of the slot; a draw picks a slot uniformly, then one of its
// two nodes, reading one slot. Reference: Vose 1991, "A linear algorithm for generating random
// numbers with a given distribution".
class CAliasTable {
public:
    // weight[i] is the weight of node[i].
    CAliasTable(const std::vector<double>& weight, const std::vector<std::int64_t>& node)
        : slot_(weight.size()) {
        const std::size_t n = weight.size();
        double total = 0;
        for (const double w : weight) total += w;
        std::vector<double> scaled(n);
        std::vector<std::size_t> small;
        std::vector<std::size_t> large;
        for (std::size_t i = 0; i < n; ++i) {
            scaled[i] = weight[i] * static_cast<double>(n) / total;
            (scaled[i] < 1 ? small : large).push_back(i);
            slot_[i] = {1, static_cast<std::int32_t>(node[i]), static_cast<std::int32_t>(node[i])};
        }
        while (!small.empty() && !large.empty()) {
            const std::size_t s = small.back();
            const std::size_t l = large.back();
            small.pop_back();
            slot_[s].share = scaled[s];
            slot_[s].other = static_cast<std::int32_t>(node[l]);
            scaled[l] = (scaled[l] + scaled[s]) - 1;
            if (scaled[l] < 1) {
                large.pop_back();
                small.push_back(l);
            }
        }
        // What is left is 1 up to rounding: those slots are wholly their own, as they start.
    }
    std::int64_t draw(CRandom& random) const {
        const Slot& s =
            slot_[static_cast<std::size_t>(random.below(static_cast<std::int64_t>(slot_.size())))];
        return random.unit() < s.share ? s.own : s.other;
    }

private:
    struct Slot {  // 16 bytes: nodes are 32-bit numbers
        double share;
        std::int32_t own;
        std::int32_t other;
    };
    std::vector<Slot> slot_;
};

// Numbers as text, one per line, through a 4 MiB buffer written with write(2).
class CGraphWriter {
public:
    ~CGraphWriter() { flush(); }
    void number(std::int64_t v) {
        if (len_ > kCapacity - 24) flush();
        char* p = buf_ + len_;
        if (v < 0) *p++ = '-';
        const std::uint64_t u =
            v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
        char tmp[20];
        const char* t = decimalDigits(tmp + sizeof tmp, u);
        const auto k = static_cast<std::size_t>(tmp + sizeof tmp - t);
        std::memcpy(p, t, k);
        p[k] = '\n';
        len_ = static_cast<std::size_t>(p + k + 1 - buf_);
    }
    void edge(std::int64_t from, std::int64_t to, int weight) {
        number(from);
        number(to);
        number(weight);
    }
    void flush() {
        std::size_t at = 0;
        while (at < len_) {
            const ssize_t put = ::write(1, buf_ + at, len_ - at);
            if (put < 0 && errno == EINTR) continue;
            if (put <= 0) {
                std::fprintf(stderr, "kostra-gen: cannot write the graph: %s\n",
                             put < 0 ? std::strerror(errno) : "nothing written");
                std::exit(5);
            }
            at += static_cast<std::size_t>(put);
        }
        len_ = 0;
    }

private:
    static constexpr std::size_t kCapacity = std::size_t{4} << 20;
    static char buf_[kCapacity];
    std::size_t len_ = 0;
};
char CGraphWriter::buf_[CGraphWriter::kCapacity];

constexpr std::int64_t kMaxCount = INT32_MAX;

}  // namespace

int main(int argc, char** argv) try {
    if (argc < 2) usage("no shape given");
    const std::string_view shape = argv[1];
    const int given = argc - 2;  // arguments after the shape
    // The seed selects the stream; the shape's name keeps equal seeds of two shapes apart.
    const auto seeded = [&](std::int64_t seed) {
        return CRandom(static_cast<std::uint64_t>(seed) * 0x100000001b3ULL + shape.size());
    };
    CGraphWriter out;
    // The counts, then m edges, each end drawn by draw() in turn and then the weight.
    const auto drawnEdges = [&out](std::int64_t n, std::int64_t m, CRandom& random, auto draw) {
        out.number(m);
        out.number(n);
        for (std::int64_t e = 0; e < m; ++e) {
            const std::int64_t f = draw();
            const std::int64_t t = draw();
            out.edge(f, t, random.weight());
        }
    };

    if (shape == "random") {
        if (given != 3) usage("random takes N M SEED");
        const std::int64_t n = argument(argv[2], 1, kMaxCount, "N");
        const std::int64_t m = argument(argv[3], 0, kMaxCount, "M");
        CRandom random = seeded(argument(argv[4], 0, INT64_MAX, "SEED"));
        drawnEdges(n, m, random, [&random, n] { return random.below(n); });
    } else if (shape == "power") {
        if (given != 4) usage("power takes N M EXPONENT SEED");
        const std::int64_t n = argument(argv[2], 1, kMaxCount, "N");
        const std::int64_t m = argument(argv[3], 0, kMaxCount, "M");
        const double exponent = fraction(argv[4], 1, 100, "EXPONENT");
        CRandom random = seeded(argument(argv[5], 0, INT64_MAX, "SEED"));
        const auto count = static_cast<std::size_t>(n);
        std::vector<double> weight(count);
        for (std::size_t i = 0; i < count; ++i) {
            weight[i] = std::pow(static_cast<double>(i + 1), -1 / (exponent - 1));
        }
        std::vector<std::int64_t> node(count);  // the number given to every rank
        for (std::size_t i = 0; i < count; ++i) node[i] = static_cast<std::int64_t>(i);
        for (std::int64_t i = n - 1; i > 0; --i) {  // Fisher-Yates
            std::swap(node[static_cast<std::size_t>(i)],
                      node[static_cast<std::size_t>(random.below(i + 1))]);
        }
        const CAliasTable nodes(weight, node);
        weight = std::vector<double>();
        node = std::vector<std::int64_t>();
        drawnEdges(n, m, random, [&random, &nodes] { return nodes.draw(random); });
    } else if (shape == "path" || shape == "star" || shape == "dense") {
        if (given != 1 && given != 2) usage("path, star and dense take N [SEED]");
        const std::int64_t n = argument(argv[2], 1, kMaxCount, "N");
        CRandom random = seeded(given == 2 ? argument(argv[3], 0, INT64_MAX, "SEED") : 1);
        if (shape == "dense") {
            if (n * (n - 1) / 2 > kMaxCount) usage("dense: N(N-1)/2 edges do not fit in 32 bits");
            out.number(n * (n - 1) / 2);
            out.number(n);
            for (std::int64_t i = 0; i < n; ++i) {
                for (std::int64_t j = i + 1; j < n; ++j) out.edge(i, j, random.weight());
            }
        } else {
            out.number(n - 1);
            out.number(n);
            const bool path = shape == "path";
            for (std::int64_t i = 1; i < n; ++i) out.edge(path ? i - 1 : 0, i, random.weight());
        }
    } else if (shape == "comps") {
        if (given != 4) usage("comps takes K N M SEED");
        const std::int64_t k = argument(argv[2], 1, kMaxCount, "K");
        const std::int64_t n = argument(argv[3], k, kMaxCount, "N (at least K)");
        const std::int64_t m = argument(argv[4], n - k, kMaxCount, "M (at least N-K)");
        CRandom random = seeded(argument(argv[5], 0, INT64_MAX, "SEED"));
        out.number(m);
        out.number(n);
        // The tree edges (node v >= K to an earlier node of its component, in order of v) and
        // the extra edges are interleaved at random, so the components mix in the file.
        std::int64_t v = k;
        std::int64_t extra = m - (n - k);
        while (v < n || extra > 0) {
            if (random.below((n - v) + extra) < n - v) {
                const std::int64_t c = v % k;
                out.edge(v, c + k * random.below(v / k), random.weight());
                ++v;
            } else {
                const std::int64_t c = random.below(k);
                const std::int64_t size = (n - c + k - 1) / k;  // nodes c, c+K, c+2K, ... below N
                const std::int64_t f = c + k * random.below(size);
                const std::int64_t t = c + k * random.below(size);
                out.edge(f, t, random.weight());
                --extra;
            }
        }
    } else if (shape == "grid") {
        if (given != 2 && given != 3) usage("grid takes W H [SEED]");
        const std::int64_t w = argument(argv[2], 1, kMaxCount, "W");
        const std::int64_t h = argument(argv[3], 1, kMaxCount, "H");
        if (w * h > kMaxCount || (w - 1) * h + w * (h - 1) > kMaxCount) {
            usage("grid: W*H nodes or their edges do not fit in 32 bits");
        }
        CRandom random = seeded(given == 3 ? argument(argv[4], 0, INT64_MAX, "SEED") : 1);
        out.number((w - 1) * h + w * (h - 1));
        out.number(w * h);
        for (std::int64_t r = 0; r < h; ++r) {
            for (std::int64_t c = 0; c < w; ++c) {
                const std::int64_t node = r * w + c;
                if (c + 1 < w) out.edge(node, node + 1, random.weight());
                if (r + 1 < h) out.edge(node, node + w, random.weight());
            }
        }
    } else {
        usage("unknown shape");
    }
    out.flush();
    return 0;
} catch (const std::bad_alloc&) {
    std::fprintf(stderr, "kostra-gen: out of memory\n");
    return 4;
}
