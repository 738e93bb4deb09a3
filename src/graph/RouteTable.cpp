#include "RouteTable.h"

#include <new>

#include "CGraph.h"
#include "Processors.h"
#include "RouteLists.h"

void RouteTable::reset(const Edge* edges, int m, int n) {
    hops_ = false;
    edges_ = edges;
    edgeCount_ = m;
    nodeCount_ = n;
    layout_ = Layout::None;
    earlier_.clear();
}

void RouteTable::release() {
    reset(edges_, edgeCount_, nodeCount_);
    BigVector<Slot>().swap(pool_);
    BigVector<std::uint32_t>().swap(first_);
}

void RouteTable::count() {
    if (counted()) return;
    countRoutes(edges_, edgeCount_, nodeCount_, sharesFor(edgeCount_, kShareSize), first_,
                earlier_);
    layout_ = Layout::Counted;
}

// While the lists are being built the table holds nothing (Layout::None): when memory runs out
// halfway, the next use starts again from the edges.
void RouteTable::list() {
    if (listed()) return;
    if (hops_) {
        restoreRoutes();
        return;
    }
    count();
    layout_ = Layout::None;
    // Room for the cursor slots the walk may want later: address space only, which costs nothing
    // until it is used, and spares moving the lists then.
    pool_.reserve(static_cast<std::size_t>(first_[nodeCount_]) +
                  static_cast<std::size_t>(nodeCount_));
    pool_.resize(first_[nodeCount_]);
    place(0);
    layout_ = Layout::Plain;
}

void RouteTable::listWithCursors() {
    if (hops_) restoreRoutes();
    if (hasCursors()) return;
    const bool placed = listed();
    count();
    layout_ = Layout::None;
    if (placed) {
        spreadRoutes(first_, pool_, nodeCount_, 1, kCursorDegree);
    } else {
        const std::uint64_t size = sizeWithSpareSlots(first_, nodeCount_, 1, kCursorDegree);
        if (size > UINT32_MAX) throw std::bad_alloc();
        pool_.resize(static_cast<std::size_t>(size));
        addSpareSlots(first_, nodeCount_, 1, kCursorDegree);
        place(1);
    }
    layout_ = Layout::Cursors;
}

void RouteTable::place(std::uint32_t gap) {
    Slot* pool = pool_.data();
    placeRoutes(edges_, edgeCount_, nodeCount_, first_, gap, kCursorDegree, earlier_,
                [pool](std::uint32_t at, int k, int other) {
                    pool[at].route = Route{k, other};
                });
}

// A hop's neighbour is the other end of its edge; only the nodes the walk entered have hops, but
// a look at every block costs no more than finding out which those are. The nodes are cut into
// ranges, each restored on a processor of its own. The edges lie at random: each is asked for a
// few slots ahead (a cursor slot read as a hop never looks like one).
void RouteTable::restoreRoutes() {
    const int shares = sharesFor(nodeCount_, kShareSize);
    runShares(shares, [this, shares](int s) {
        constexpr std::uint32_t kAhead = 16;
        const int last = shareBegin(nodeCount_, s + 1, shares);
        const std::uint32_t end = first_[last];
        for (int v = shareBegin(nodeCount_, s, shares); v < last; ++v) {
            const std::uint32_t from = first_[v] + (hasCursorSlot(v) ? 1 : 0);
            for (std::uint32_t j = from; j < first_[v + 1]; ++j) {
                if (j + kAhead < end && pool_[j + kAhead].hop.target < 0)
                    __builtin_prefetch(&edges_[pool_[j + kAhead].hop.edge]);
                Slot& slot = pool_[j];
                if (slot.hop.target >= 0) continue;
                const Edge& e = edges_[slot.hop.edge];
                slot.route = Route{slot.hop.edge, e.from ^ e.to ^ v};
            }
        }
    });
    hops_ = false;
}
