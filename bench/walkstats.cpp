// Counts the entries of kostra's recursive forest (task 1), walked literally, by what an entry
// needs from memory. The walk is this recursion, run for every tree from its start, the unclaimed
// node of greatest degree (lowest number on ties), which is claimed first:
//     enter(row): for every route (e, v) of row: if v is not claimed, claim v, e joins the tree;
//                 then for every route (e, v) of row: if e is not followed, follow e, enter(v).
// A node's routes are its edges in ascending edge number, a self-loop once. The recursion runs on
// an explicit stack; a node's second loop goes on from the furthest route any entry of it has
// looked at, as every route before that one is followed already, which changes no step of the
// walk. No entry after the first claims anything (a node claims all its neighbours at its first
// entry), so the claims are made only then.
//
// A tree is settled by its last claim: the entries after it only follow edges. The entries up to
// it, the start's own entry included, are counted by kind:
//   first        the node's first entry: its routes are read;
//   routes left  a later entry into a node that still has a route to follow: its place among its
//                routes is read;
//   spent        an entry into a node whose routes are all followed, which needs nothing of it.
// The first two each need the node's own block of memory, a dependent miss on a large graph.
//
// usage: kostra-walkstats GRAPH [flags]
//   prints "trees T", "entries E" (all entries of the walk), and the counts of the entries up to
//   each tree's last claim, summed over the trees: "first F", "routes-left R", "spent S", one a
//   line; with flags, instead every edge's tree flag, 0 or 1, one a line.
// Exit statuses as kostra-floor's.
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include "graph_io.h"

namespace {

struct Route {
    int edge;
    int node;  // the other end
};

struct Counts {
    std::uint64_t first = 0;
    std::uint64_t routesLeft = 0;
    std::uint64_t spent = 0;
};

class CWalk {
public:
    explicit CWalk(const bench::CGraphArrays& g)
        : n_(static_cast<std::size_t>(g.nodeCount)),
          begin_(n_ + 1),
          cursor_(n_),
          claimed_(n_),
          entered_(n_),
          followed_(static_cast<std::size_t>(g.edgeCount)),
          inTree_(static_cast<std::size_t>(g.edgeCount)) {
        const auto m = static_cast<std::size_t>(g.edgeCount);
        for (std::size_t e = 0; e < m; ++e) {
            ++begin_[static_cast<std::size_t>(g.from[e]) + 1];
            if (g.to[e] != g.from[e]) ++begin_[static_cast<std::size_t>(g.to[e]) + 1];
        }
        for (std::size_t v = 0; v < n_; ++v) begin_[v + 1] += begin_[v];
        routes_ = bench::CBigArray<Route>(begin_[n_]);
        for (std::size_t v = 0; v < n_; ++v) cursor_[v] = begin_[v];
        for (std::size_t e = 0; e < m; ++e) {
            const int f = g.from[e];
            const int t = g.to[e];
            routes_[cursor_[static_cast<std::size_t>(f)]++] = {static_cast<int>(e), t};
            if (t != f) routes_[cursor_[static_cast<std::size_t>(t)]++] = {static_cast<int>(e), f};
        }
        for (std::size_t v = 0; v < n_; ++v) cursor_[v] = begin_[v];
    }

    void run() {
        for (const int start : startOrder()) {
            if (claimed_[static_cast<std::size_t>(start)] != 0) continue;
            ++trees_;
            claimed_[static_cast<std::size_t>(start)] = 1;
            Counts tree;
            Counts atLastClaim;
            enter(start, tree, atLastClaim);
            atLastClaim = tree;  // the start's own entry counts, whether it claims or not
            while (!stack_.empty()) {
                const int row = stack_.back();
                const std::size_t next = nextRoute(row);
                if (next == end(row)) {
                    stack_.pop_back();
                    continue;
                }
                const Route r = routes_[next];
                followed_[static_cast<std::size_t>(r.edge)] = 1;
                enter(r.node, tree, atLastClaim);
            }
            settled_.first += atLastClaim.first;
            settled_.routesLeft += atLastClaim.routesLeft;
            settled_.spent += atLastClaim.spent;
        }
    }

    void printCounts() const {
        std::printf("trees %llu\nentries %llu\nfirst %llu\nroutes-left %llu\nspent %llu\n",
                    static_cast<unsigned long long>(trees_),
                    static_cast<unsigned long long>(entries_),
                    static_cast<unsigned long long>(settled_.first),
                    static_cast<unsigned long long>(settled_.routesLeft),
                    static_cast<unsigned long long>(settled_.spent));
    }

    void printFlags() const {
        bench::CReport out;
        for (std::size_t e = 0; e < inTree_.size(); ++e) {
            char* p = out.line();
            *p++ = inTree_[e] != 0 ? '1' : '0';
            *p++ = '\n';
            out.done(p);
        }
    }

private:
    std::size_t end(int v) const { return begin_[static_cast<std::size_t>(v) + 1]; }

    // The node's first route not followed yet, or end(v).
    std::size_t nextRoute(int v) {
        std::size_t& at = cursor_[static_cast<std::size_t>(v)];
        while (at < end(v) && followed_[static_cast<std::size_t>(routes_[at].edge)] != 0) ++at;
        return at;
    }

    void enter(int row, Counts& tree, Counts& atLastClaim) {
        ++entries_;
        const auto v = static_cast<std::size_t>(row);
        if (entered_[v] == 0) {
            entered_[v] = 1;
            ++tree.first;
            bool claims = false;
            for (std::size_t k = begin_[v]; k < end(row); ++k) {
                const Route r = routes_[k];
                if (claimed_[static_cast<std::size_t>(r.node)] != 0) continue;
                claimed_[static_cast<std::size_t>(r.node)] = 1;
                inTree_[static_cast<std::size_t>(r.edge)] = 1;
                claims = true;
            }
            if (claims) atLastClaim = tree;
        } else if (nextRoute(row) < end(row)) {
            ++tree.routesLeft;
        } else {
            ++tree.spent;
        }
        stack_.push_back(row);
    }

    // Every node by falling degree, lowest number first among equal degrees (a counting sort).
    std::vector<int> startOrder() const {
        std::size_t most = 0;
        for (std::size_t v = 0; v < n_; ++v) most = std::max(most, begin_[v + 1] - begin_[v]);
        std::vector<std::size_t> slot(most + 2);
        for (std::size_t v = 0; v < n_; ++v) ++slot[most - (begin_[v + 1] - begin_[v]) + 1];
        for (std::size_t d = 0; d + 1 < slot.size(); ++d) slot[d + 1] += slot[d];
        std::vector<int> order(n_);
        for (std::size_t v = 0; v < n_; ++v) {
            order[slot[most - (begin_[v + 1] - begin_[v])]++] = static_cast<int>(v);
        }
        return order;
    }

    std::size_t n_;
    std::vector<std::size_t> begin_;  // node v's routes are routes_[begin_[v], begin_[v + 1])
    std::vector<std::size_t> cursor_;
    bench::CBigArray<Route> routes_;
    std::vector<std::uint8_t> claimed_;
    std::vector<std::uint8_t> entered_;
    std::vector<std::uint8_t> followed_;
    std::vector<std::uint8_t> inTree_;
    std::vector<int> stack_;
    std::uint64_t trees_ = 0;
    std::uint64_t entries_ = 0;
    Counts settled_;
};

}  // namespace

int main(int argc, char** argv) try {
    const bool flags = argc == 3 && std::strcmp(argv[2], "flags") == 0;
    if (argc < 2 || argc > 3 || (argc == 3 && !flags)) {
        bench::fail(2, "usage", "kostra-walkstats GRAPH [flags]");
    }
    const bench::CGraphArrays g = bench::readGraph(argv[1]);
    CWalk walk(g);
    walk.run();
    if (flags) {
        walk.printFlags();
    } else {
        walk.printCounts();
        if (std::fflush(stdout) != 0)
            bench::fail(5, "cannot write the counts", std::strerror(errno));
    }
    return 0;
} catch (const std::bad_alloc&) {
    bench::fail(4, "out of memory", "the walk's arrays");
}
