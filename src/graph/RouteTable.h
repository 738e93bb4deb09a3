// The adjacency of a graph: for every node, its routes (the edges that touch it, each with the node
// at its other end) in ascending edge number. This is the one place that holds them; every method
// of the graph reads a node's routes and its degree here.
//
// The table is built from the edge array when it is first read, and only as far as it is read:
// the degrees are counted first (a pass over the edges), the routes placed when some method reads
// them (a second pass), so a method that reads no route never pays for the lists. All lists share
// one pool of slots, a block per node in node order. The recursive forest's walk wants each node of
// kCursorDegree routes or more to have one more slot, before its routes, where it keeps its cursor
// over them (Cursor), so that entering a node touches one place in memory; the table lays the
// blocks out that way when the walk is the first to read them, and spreads them in place when
// another method has read them first. Readers of routes never see that slot.
//
// While the walk runs it may rename the routes of the nodes it has entered into hops (Hop), which
// lead straight to the neighbour's cursor slot. A Renaming is the only way to make hops; when it
// goes, whether the walk ends or an exception ends it, the table holds hops, and the next reader
// of a route gets every hop's route back before it reads (list() restores them). A run that reads
// no route after the walk (task 1) never pays for restoring them.
//
// Contract: reset() names the edges (from and to in 0 .. n - 1), which must not move or change
// while the table is used; reset() again after they change. degree() needs count(), routes()
// needs list() or listWithCursors() (asserted); each of these does nothing when its work is done.
// Cost: count O(n + m); list O(n + m), 16 bytes an edge and 4 a node besides the counts; the
// layout with cursors one slot more for every node of kCursorDegree routes or more. Lists that
// would need 2^32 slots or more are refused with std::bad_alloc, as memory that cannot be had.
#pragma once

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "BigVector.h"

struct Edge;

struct Route {
    int edge;  // index into CGraph::edges
    int node;  // the node at the other end of the edge (the owner itself for a self-loop)
};

class RouteTable {
public:
    // The walk's cursor over the routes of a node of kCursorDegree routes or more, in the slot
    // before them.
    struct Cursor {
        int next;    // the index of the next route to look at; kNotEntered before the first entry
        int degree;  // the node's number of routes; next == degree once every one is looked at
    };
    // A route of a node the walk has entered, as the walk follows it: to a neighbour without a
    // cursor slot by its number, to one with a cursor slot by that slot, as ~position, so that
    // following it needs no look-up of where the neighbour's block is; to a neighbour whose only
    // route is this one by kDeadEnd, as entering it by its only route claims nothing and leads
    // nowhere.
    struct Hop {
        int edge;    // as the route's
        int target;  // the neighbour (>= 0), ~(position of its cursor slot) (< 0), or kDeadEnd
    };
    static constexpr int kDeadEnd = ~0x7FFFFFFF;  // ~ of no position: the pool has fewer slots
    // A slot of the pool. Its three forms share one layout of two ints, so a slot may be read in
    // any form; a cursor slot is only ever used as a Cursor, a route slot as a Route, or as a Hop
    // while a Renaming lives.
    union Slot {
        Route route;
        Cursor cursor;
        Hop hop;
    };
    static constexpr int kNotEntered = -1;
    static constexpr std::uint32_t kCursorDegree = 3;  // nodes of this many routes or more

    // A node's routes in ascending edge number, as a range of const Route&.
    class Routes {
    public:
        class iterator {
        public:
            explicit iterator(const Slot* p) : p_(p) {}
            const Route& operator*() const { return p_->route; }
            iterator& operator++() {
                ++p_;
                return *this;
            }
            bool operator==(const iterator& other) const { return p_ == other.p_; }

        private:
            const Slot* p_;
        };
        Routes(const Slot* begin, const Slot* end) : begin_(begin), end_(end) {}
        iterator begin() const { return iterator(begin_); }
        iterator end() const { return iterator(end_); }
        int size() const { return static_cast<int>(end_ - begin_); }
        const Route& operator[](int j) const { return begin_[j].route; }

    private:
        const Slot* begin_;
        const Slot* end_;
    };

    class Renaming;

    // Forgets what was built: the next count() and list() work on these edges.
    void reset(const Edge* edges, int m, int n);
    // Forgets what was built and gives its memory back: the next count() and list() build anew.
    void release();

    // Counts every node's routes (degree() then works).
    void count();
    // Places the routes (routes() then works), without cursor slots unless they are there.
    void list();
    // Places the routes with a cursor slot before those of every node of kCursorDegree routes or
    // more, spreading lists placed without them.
    void listWithCursors();
    bool counted() const { return layout_ != Layout::None; }
    bool listed() const {
        return (layout_ == Layout::Plain || layout_ == Layout::Cursors) && !hops_;
    }
    bool hasCursors() const { return layout_ == Layout::Cursors; }

    int degree(int node) const {
        assert(counted());
        const std::uint32_t size = first_[node + 1] - first_[node];
        return static_cast<int>(size - (hasCursorSlot(node) ? 1 : 0));
    }
    Routes routes(int node) const {
        assert(listed());
        const Slot* pool = pool_.data();
        return {pool + first_[node] + (hasCursorSlot(node) ? 1 : 0), pool + first_[node + 1]};
    }

    // The lists with cursors as the walk reads them: by position in the pool.
    class Blocks;
    Blocks blocks();
    // Slots in the pool, cursor slots included.
    std::uint32_t slotCount() const { return first_[nodeCount_]; }

    // Asks the caches for where a node's block is (its entry in the layout): a method that will
    // read the node's routes soon, and knows it a while before, calls this first.
    void prefetchBlockStart(int node) const { __builtin_prefetch(&first_[node]); }
    // Asks the caches for the first of a node's routes, once where they are is at hand.
    void prefetchRoutes(int node) const {
        __builtin_prefetch(&pool_[first_[node] + (hasCursorSlot(node) ? 1 : 0)]);
    }

private:
    enum class Layout { None, Counted, Plain, Cursors };
    void place(std::uint32_t gap);
    void restoreRoutes();
    bool hasCursorSlot(int node) const {
        return layout_ == Layout::Cursors && first_[node + 1] - first_[node] > kCursorDegree;
    }

    const Edge* edges_ = nullptr;
    int edgeCount_ = 0;
    int nodeCount_ = 0;
    Layout layout_ = Layout::None;
    bool hops_ = false;  // some routes may be hops: a Renaming lives, or has lived since list()
    BigVector<Slot> pool_;
    BigVector<std::uint32_t> first_;  // node i's block: pool_[first_[i]] to pool_[first_[i + 1]]
    // The edges are counted and placed, and the nodes' hops restored, in ranges of at least this
    // many, each on a processor of its own; from the counting to the placing, what the ranges
    // before each range hold (countRoutes in RouteLists.h).
    static constexpr long long kShareSize = 1 << 16;
    std::vector<BigVector<std::uint32_t>> earlier_;
};

// A node's block in the lists with cursors: its cursor slot, when it has kCursorDegree routes or
// more, then its routes; the block ends where the next node's starts. The walk reads the table
// this way, by position, and sets the cursors; it reads a route of a node it has entered as a Hop.
class RouteTable::Blocks {
public:
    std::uint32_t start(int node) const { return first_[node]; }
    std::uint32_t end(int node) const { return first_[node + 1]; }
    bool hasCursorSlot(int node) const { return end(node) - start(node) > kCursorDegree; }
    Cursor& cursor(std::uint32_t at) const { return pool_[at].cursor; }
    const Route& route(std::uint32_t at) const { return pool_[at].route; }
    const Hop& hop(std::uint32_t at) const { return pool_[at].hop; }
    // Asks the caches for where a node's block is: the walk calls it for the neighbours it
    // claims, which it goes on to soon.
    void prefetchStart(int node) const { __builtin_prefetch(&first_[node]); }

private:
    friend class RouteTable;
    Blocks(Slot* pool, const std::uint32_t* first) : pool_(pool), first_(first) {}
    Slot* pool_;
    const std::uint32_t* first_;
};

inline RouteTable::Blocks RouteTable::blocks() {
    listWithCursors();
    return Blocks(pool_.data(), first_.data());
}

// While it lives, the walk may rename the routes of the nodes it has entered into hops, in the
// lists with cursors, restored (listWithCursors() after the walk before). The table then holds
// hops until the next list() gives every hop its route back, in O(n + m). Positions must fit an
// int: the table must have no more than INT_MAX slots.
class RouteTable::Renaming {
public:
    explicit Renaming(RouteTable& table) : pool_(table.pool_.data()), first_(table.first_.data()) {
        assert(table.hasCursors() && !table.hops_ && table.slotCount() <= INT32_MAX);
        table.hops_ = true;
    }
    Renaming(const Renaming&) = delete;
    Renaming& operator=(const Renaming&) = delete;

    // The route at position at leads from now on to the cursor slot of its neighbour, which
    // must have one (toCursorSlot), or to a dead end: its neighbour has no other route (toDeadEnd).
    void toCursorSlot(std::uint32_t at, int neighbour) const {
        Slot& s = pool_[at];
        s.hop = Hop{s.route.edge, ~static_cast<int>(first_[neighbour])};
    }
    void toDeadEnd(std::uint32_t at) const {
        Slot& s = pool_[at];
        s.hop = Hop{s.route.edge, kDeadEnd};
    }

private:
    Slot* pool_;
    const std::uint32_t* first_;
};
