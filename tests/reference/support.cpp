#include "support.h"

#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <limits>
#include <numeric>
#include <sstream>
#include <thread>
#include <utility>

#include "LineReader.h"
#include "main.h"

namespace reference {

std::string describe(const GraphData& g) {
    std::ostringstream s;
    s << "n=" << g.n << " edges(from,to,weight)=";
    for (const auto& e : g.edges) s << " (" << e.from << "," << e.to << "," << e.weight << ")";
    return s.str();
}

void fill(CGraph& g, const GraphData& data) {
    for (int k = 0; k < g.edgeCount; ++k) {
        g.edges[k].from = data.edges[k].from;
        g.edges[k].to = data.edges[k].to;
        g.edges[k].weight = data.edges[k].weight;
        g.edges[k].inTree = false;
        g.edges[k].tag = 0;
    }
}

Twin::Twin(const GraphData& s)
    : data(s),
      ref(s.n, s.edges),
      real(s.n, static_cast<int>(s.edges.size())),
      realOut(&realNarration) {
    fill(real, data);
    ref.narration = &refNarration;
}

int Twin::realForest(int method, bool verbose) {
    return narratedForest(real, static_cast<Method>(method), verbose ? &realOut : nullptr);
}

std::string Twin::takeRef() { return std::exchange(refNarration, {}); }

std::string Twin::takeReal() {
    realOut.flush();
    return std::exchange(realNarration, {});
}

namespace {

template <class T>
std::string listed(const std::vector<T>& v) {
    std::ostringstream s;
    s << "{";
    for (std::size_t i = 0; i < v.size(); ++i) s << (i ? ", " : "") << v[i];
    s << "}";
    return s.str();
}

::testing::AssertionResult sameLists(const char* what, const std::vector<int>& expected,
                                     const std::vector<int>& actual) {
    if (expected == actual) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << what << ": reference " << listed(expected) << ", CGraph " << listed(actual);
}

}  // namespace

std::vector<int> treeFlags(const CGraph& g) {
    std::vector<int> v;
    for (int k = 0; k < g.edgeCount; ++k) v.push_back(g.edges[k].inTree ? 1 : 0);
    return v;
}
std::vector<int> edgeTags(const CGraph& g) {
    std::vector<int> v;
    for (int k = 0; k < g.edgeCount; ++k) v.push_back(g.edges[k].tag);
    return v;
}
std::vector<int> nodeTags(const CGraph& g) {
    std::vector<int> v;
    for (int i = 0; i < g.nodeCount; ++i) v.push_back(g.nodes[i].tag);
    return v;
}
std::vector<int> boneCounts(const CGraph& g) {
    std::vector<int> v;
    for (int i = 0; i < g.nodeCount; ++i) v.push_back(g.nodes[i].bones);
    return v;
}
std::vector<int> treeFlags(const naive::Graph& g) {
    std::vector<int> v;
    for (const auto& e : g.edges) v.push_back(e.inTree ? 1 : 0);
    return v;
}
std::vector<int> edgeTags(const naive::Graph& g) {
    std::vector<int> v;
    for (const auto& e : g.edges) v.push_back(e.tag);
    return v;
}
std::vector<int> nodeTags(const naive::Graph& g) {
    std::vector<int> v;
    for (const auto& nd : g.nodes) v.push_back(nd.tag);
    return v;
}
std::vector<int> boneCounts(const naive::Graph& g) {
    std::vector<int> v;
    for (const auto& nd : g.nodes) v.push_back(nd.bones);
    return v;
}

::testing::AssertionResult sameRoutes(const naive::Graph& ref, const CGraph& real) {
    for (int i = 0; i < ref.nodeCount; ++i) {
        const naive::Node& a = ref.nodes[i];
        std::vector<int> expected;
        std::vector<int> actual;
        for (const auto& r : a.routes) {
            expected.push_back(r.edge);
            expected.push_back(r.node);
        }
        for (const Route& r : real.routes(i)) {
            actual.push_back(r.edge);
            actual.push_back(r.node);
        }
        if (a.degree != real.degree(i))
            return ::testing::AssertionFailure() << "degree of node " << i << ": reference "
                                                 << a.degree << ", CGraph " << real.degree(i);
        if (expected != actual)
            return ::testing::AssertionFailure()
                   << "routes (edge, node) of node " << i << ": reference " << listed(expected)
                   << ", CGraph " << listed(actual);
    }
    return ::testing::AssertionSuccess();
}

void EventLog::log(const char* what, std::initializer_list<int> values) {
    text += what;
    for (const int v : values) {
        text += ' ';
        text += std::to_string(v);
    }
    text += "\n";
}

void EventLog::sortingEdges() {
    log("sorting", {});
    if (narration_ != nullptr) narration_->sortingEdges();
}

void EventLog::accepted(int edge, int goneLabel, int keptLabel) {
    log("accepted", {edge, goneLabel, keptLabel});
    if (narration_ != nullptr) narration_->accepted(edge, goneLabel, keptLabel);
}

void EventLog::componentsCounted(int count) {
    log("count", {count});
    if (narration_ != nullptr) narration_->componentsCounted(count);
}

void EventLog::chosen(int node, int key, int edge) {
    log("chosen", {node, key, edge});
    if (narration_ != nullptr) narration_->chosen(node, key, edge);
}

void EventLog::keyLowered(int node, int keyBefore, int edgeBefore, int key, int edge) {
    log("lowered", {node, keyBefore, edgeBefore, key, edge});
    if (narration_ != nullptr) narration_->keyLowered(node, keyBefore, edgeBefore, key, edge);
}

std::string shownWalk(const std::string& literal) {
    std::string shown;
    std::size_t keep = 0;  // what is shown of the trees so far
    std::size_t at = 0;
    bool startsTree = false;
    while (at < literal.size()) {
        const std::size_t end = literal.find('\n', at) + 1;
        const std::string line = literal.substr(at, end - at);
        at = end;
        if (line.starts_with("tree ")) {
            shown.resize(keep);
            startsTree = true;
        }
        shown += line;
        // A tree is shown up to its start's entry, and on to its last claim.
        if (line.starts_with("claim ") || (startsTree && line.starts_with("entry ")))
            keep = shown.size();
        if (line.starts_with("entry ")) startsTree = false;
    }
    shown.resize(keep);
    return shown;
}

::testing::AssertionResult sameTreeFlags(const naive::Graph& ref, const CGraph& real) {
    return sameLists("inTree", treeFlags(ref), treeFlags(real));
}
::testing::AssertionResult sameEdgeTags(const naive::Graph& ref, const CGraph& real) {
    return sameLists("edge tags", edgeTags(ref), edgeTags(real));
}
::testing::AssertionResult sameNodeTags(const naive::Graph& ref, const CGraph& real) {
    return sameLists("node tags", nodeTags(ref), nodeTags(real));
}
::testing::AssertionResult sameBones(const naive::Graph& ref, const CGraph& real) {
    return sameLists("bones", boneCounts(ref), boneCounts(real));
}

namespace {

struct Sets {
    std::vector<int> parent;
    explicit Sets(int n) : parent(static_cast<std::size_t>(n)) {
        std::iota(parent.begin(), parent.end(), 0);
    }
    int find(int v) {
        while (parent[v] != v) v = parent[v];
        return v;
    }
    bool join(int a, int b) {
        a = find(a);
        b = find(b);
        if (a == b) return false;
        parent[a] = b;
        return true;
    }
};

}  // namespace

int componentCount(const GraphData& g) {
    Sets s(g.n);
    int c = g.n;
    for (const auto& e : g.edges)
        if (s.join(e.from, e.to)) --c;
    return c;
}

::testing::AssertionResult isSpanningForest(const GraphData& g, const std::vector<int>& inTree) {
    Sets s(g.n);
    int count = 0;
    for (std::size_t k = 0; k < g.edges.size(); ++k) {
        if (!inTree[k]) continue;
        if (!s.join(g.edges[k].from, g.edges[k].to))
            return ::testing::AssertionFailure() << "tree edge " << k << " closes a cycle";
        ++count;
    }
    if (count != g.n - componentCount(g))
        return ::testing::AssertionFailure()
               << count << " tree edges, a spanning forest has " << g.n - componentCount(g);
    return ::testing::AssertionSuccess();
}

std::int64_t forestWeight(const GraphData& g, const std::vector<int>& inTree) {
    std::int64_t w = 0;
    for (std::size_t k = 0; k < g.edges.size(); ++k)
        if (inTree[k]) w += g.edges[k].weight;
    return w;
}

std::int64_t bruteForceMinimum(const GraphData& g) {
    const int m = static_cast<int>(g.edges.size());
    const int need = g.n - componentCount(g);
    std::int64_t best = std::numeric_limits<std::int64_t>::max();
    for (std::uint32_t mask = 0; mask < (std::uint32_t{1} << m); ++mask) {
        if (std::popcount(mask) != need) continue;
        Sets s(g.n);
        bool acyclic = true;
        std::int64_t w = 0;
        for (int k = 0; k < m && acyclic; ++k) {
            if (!(mask >> k & 1U)) continue;
            acyclic = s.join(g.edges[k].from, g.edges[k].to);
            w += g.edges[k].weight;
        }
        if (acyclic && w < best) best = w;
    }
    return best;
}

::testing::AssertionResult isLoopOf(const GraphData& g, const std::vector<int>& inTree, int e,
                                    const std::vector<int>& tags) {
    if (tags[e] != 1) return ::testing::AssertionFailure() << "the chosen edge has " << tags[e];
    std::vector<int> sum(static_cast<std::size_t>(g.n), 0);
    for (std::size_t k = 0; k < g.edges.size(); ++k) {
        const int t = tags[k];
        if (t < -1 || t > 1) return ::testing::AssertionFailure() << "edge " << k << " has " << t;
        if (static_cast<int>(k) != e && !inTree[k] && t != 0)
            return ::testing::AssertionFailure() << "non-tree edge " << k << " in the loop";
        sum[g.edges[k].from] -= t;
        sum[g.edges[k].to] += t;
    }
    for (int i = 0; i < g.n; ++i)
        if (sum[i] != 0)
            return ::testing::AssertionFailure() << "the loop does not close at node " << i;
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult isCutOf(const GraphData& g, const std::vector<int>& inTree, int e,
                                   const std::vector<int>& tags) {
    // side[v]: 1 for the from side, 2 for the to side, 0 for other trees.
    std::vector<int> side(static_cast<std::size_t>(g.n), 0);
    auto flood = [&](int start, int label) {
        std::deque<int> queue{start};
        side[start] = label;
        while (!queue.empty()) {
            const int v = queue.front();
            queue.pop_front();
            for (std::size_t k = 0; k < g.edges.size(); ++k) {
                if (!inTree[k] || static_cast<int>(k) == e) continue;
                const auto& d = g.edges[k];
                const int w = d.from == v ? d.to : (d.to == v ? d.from : -1);
                if (w >= 0 && side[w] == 0) {
                    side[w] = label;
                    queue.push_back(w);
                }
            }
        }
    };
    flood(g.edges[e].from, 1);
    if (side[g.edges[e].to] != 0)
        return ::testing::AssertionFailure() << "edge " << e << " is not a bridge of the forest";
    flood(g.edges[e].to, 2);
    for (std::size_t k = 0; k < g.edges.size(); ++k) {
        const auto& d = g.edges[k];
        int expected = 0;
        if (side[d.from] == 1 && side[d.to] == 2) expected = 1;
        if (side[d.from] == 2 && side[d.to] == 1) expected = -1;
        if (tags[k] != expected)
            return ::testing::AssertionFailure()
                   << "edge " << k << " has " << tags[k] << " in the cut of " << e << ", expected "
                   << expected;
    }
    return ::testing::AssertionSuccess();
}

std::uint64_t Rng::next() {
    // splitmix64
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

int Rng::pick(int lo, int hi) {
    const auto span = static_cast<std::uint64_t>(static_cast<std::int64_t>(hi) - lo + 1);
    return static_cast<int>(lo + static_cast<std::int64_t>(next() % span));
}

bool Rng::chance(int percent) { return pick(0, 99) < percent; }

int Rng::weight(int mode) {
    static const int kExtremes[] = {INT_MIN, INT_MIN + 1, -1, 0, 1, INT_MAX - 1, INT_MAX};
    switch (mode) {
        case 0:
            return pick(-2, 2);
        case 1:
            return pick(0, 3);
        case 2:
            return kExtremes[pick(0, 6)];
        case 3:
            return static_cast<int>(static_cast<std::uint32_t>(next()));
        default:
            return pick(1, 9);
    }
}

GraphData randomGraph(Rng& rng, int maxNodes, int maxEdges) {
    GraphData g;
    g.n = rng.pick(1, maxNodes);
    const int m = rng.pick(0, maxEdges);
    // Nodes fall into groups and edges stay within a group, so there are often several
    // components; isolated nodes come for free.
    const int groups = rng.pick(1, std::min(g.n, 4));
    std::vector<std::vector<int>> members(static_cast<std::size_t>(groups));
    for (int i = 0; i < g.n; ++i) members[rng.pick(0, groups - 1)].push_back(i);
    const int mode = rng.chance(20) ? 2 : rng.pick(0, 4);
    for (int k = 0; k < m; ++k) {
        naive::EdgeData e{0, 0, rng.weight(mode)};
        if (!g.edges.empty() && rng.chance(12)) {
            const auto& p = g.edges[rng.pick(0, static_cast<int>(g.edges.size()) - 1)];
            const bool reversed = rng.chance(50);
            e.from = reversed ? p.to : p.from;
            e.to = reversed ? p.from : p.to;
        } else {
            const auto& group = members[rng.pick(0, groups - 1)];
            if (group.empty()) continue;
            e.from = group[rng.pick(0, static_cast<int>(group.size()) - 1)];
            e.to = rng.chance(10) ? e.from : group[rng.pick(0, static_cast<int>(group.size()) - 1)];
        }
        g.edges.push_back(e);
    }
    return g;
}

RealRun runReal(const char* graphPath, const std::string& input) {
    RealRun r;
    LineReader in(input.data(), input.size());
    Output out(&r.out);
    Output err(&r.err);
    r.status = runKostra(graphPath, in, out, err);
    out.flush();
    err.flush();
    return r;
}

RealRun runRealStreamed(const char* graphPath, const std::string& input, Rng& rng) {
    int fds[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, fds) != 0) std::abort();
    std::vector<std::size_t> pieces;
    for (std::size_t done = 0; done < input.size();) {
        const auto piece =
            static_cast<std::size_t>(rng.chance(50) ? rng.pick(1, 8) : rng.pick(1, 700));
        pieces.push_back(std::min(piece, input.size() - done));
        done += pieces.back();
    }
    // The writer gives up when the reader has gone (the run may end before the input does).
    std::thread writer([&input, &pieces, fd = fds[1]] {
        std::size_t at = 0;
        for (const std::size_t piece : pieces) {
            for (std::size_t sent = 0; sent < piece;) {
                const ssize_t w = ::send(fd, input.data() + at + sent, piece - sent, MSG_NOSIGNAL);
                if (w <= 0) return;
                sent += static_cast<std::size_t>(w);
            }
            at += piece;
            std::this_thread::yield();
        }
        ::shutdown(fd, SHUT_WR);
    });
    RealRun r;
    {
        Output out(&r.out);
        Output err(&r.err);
        LineReader in(fds[0], &out);
        r.status = runKostra(graphPath, in, out, err);
        out.flush();
        err.flush();
    }
    ::shutdown(fds[0], SHUT_RDWR);
    writer.join();
    ::close(fds[0]);
    ::close(fds[1]);
    return r;
}

ScratchFile::ScratchFile() {
    char pattern[] = "/tmp/kostra-reference-XXXXXX";
    const char* made = ::mkdtemp(pattern);
    if (made == nullptr) std::abort();
    dir_ = made;
    path_ = dir_ + "/graf.txt";
}

ScratchFile::~ScratchFile() {
    ::unlink(path_.c_str());
    ::rmdir(dir_.c_str());
}

void ScratchFile::write(const std::string& bytes) const {
    // A fresh file each time: some file systems flush a truncated file to disk on close, which
    // would make thousands of runs wait on the disk.
    ::unlink(path_.c_str());
    std::ofstream f(path_, std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace reference
