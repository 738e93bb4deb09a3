// Adjacency lists in one block, built by a counting sort, and the steps of that sort on their own:
// count the routes of every node, lay the blocks out (with spare slots before the blocks of
// nodes of many routes, where a walk keeps a cursor), place every edge's routes, and spread lists
// laid out without spare slots into the same lists with them, in place.
//
// Node i's routes are the edges that touch it, in ascending edge number, each with the node at its
// other end; a self-loop appears once, pointing back at its node. Node i's block is
// routes[first[i]] up to routes[first[i + 1]]: the spare slots, if it has them, then its routes.
// A node without routes has an empty block, never a spare slot.
//
// Contract: edges[0 .. m - 1] have from and to in 0 .. n - 1; first has n + 1 entries. The lists
// hold one route per edge, one more per edge that is not a self-loop, and the spare slots (at
// most 2m + gap·n; lists that would not fit 32-bit positions are refused with std::bad_alloc, like
// memory that cannot be had). Spare slots are left as the memory had them. Cost: O(n + m) for
// each step.
//
// The counting and placing go through compact arrays of positions rather than the node records:
// the edges hit the nodes at random, and 4 bytes a node stay in the caches where larger records
// do not.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

#include "BigVector.h"
#include "Processors.h"

// Which edges have routes: by default every edge; take(e) false leaves e out of the lists.
struct EveryEdge {
    template <class Edge>
    bool operator()(const Edge& /*e*/) const {
        return true;
    }
};

// Counts every node's routes and lays the blocks out without spare slots: afterwards node i's
// routes are to be first[i] up to first[i + 1]. The edges are cut into `shares` ranges, each
// counted on a processor of its own (runShares); earlier[s - 1][i], for s = 1 .. shares - 1, is
// then the number of node i's routes among the edges before range s, which placing the ranges
// each on its own needs. Only the edges that take accepts have routes (placeRoutes must be given
// the same). Memory: n + 1 positions, and n for every share but the first.
template <class Edge, class Take = EveryEdge>
void countRoutes(const Edge* edges, int m, int n, int shares, BigVector<std::uint32_t>& first,
                 std::vector<BigVector<std::uint32_t>>& earlier, const Take& take = {}) {
    first.assign(static_cast<std::size_t>(n) + 1, 0);
    earlier.resize(static_cast<std::size_t>(shares - 1));
    for (BigVector<std::uint32_t>& counts : earlier) counts.assign(static_cast<std::size_t>(n), 0);
    runShares(shares, [&](int s) {
        // The last range counts into first, one place on, the others into their own counts.
        std::uint32_t* counts =
            s + 1 < shares ? earlier[static_cast<std::size_t>(s)].data() : first.data() + 1;
        for (int k = shareBegin(m, s, shares); k < shareBegin(m, s + 1, shares); ++k) {
            const Edge& e = edges[k];
            if (!take(e)) continue;
            ++counts[e.from];
            if (e.to != e.from) ++counts[e.to];
        }
    });
    // earlier[j] becomes the routes of ranges 0 .. j, and first the positions.
    std::uint64_t end = 0;
    for (int i = 0; i < n; ++i) {
        std::uint32_t before = 0;
        for (BigVector<std::uint32_t>& counts : earlier) {
            before += counts[i];
            counts[i] = before;
        }
        end += before + first[i + 1];
        if (end > UINT32_MAX) throw std::bad_alloc();
        first[i + 1] = static_cast<std::uint32_t>(end);
    }
}

// The spare slots before a block of count routes: gap for a block of at least minRoutes routes
// (minRoutes >= 1: a node without routes never has any).
inline std::uint32_t spareSlots(std::uint32_t count, std::uint32_t gap, std::uint32_t minRoutes) {
    return count >= minRoutes ? gap : 0;
}

// The size of the lists of first (laid out without spare slots) once spreadRoutes or
// addSpareSlots gives them their spare slots.
inline std::uint64_t sizeWithSpareSlots(const BigVector<std::uint32_t>& first, int n,
                                        std::uint32_t gap, std::uint32_t minRoutes) {
    std::uint64_t size = first[n];
    for (int i = 0; i < n; ++i) size += spareSlots(first[i + 1] - first[i], gap, minRoutes);
    return size;
}

// Turns the layout of first from blocks without spare slots into blocks with them, before any
// route is placed. Returns the size of the lists.
inline std::uint32_t addSpareSlots(BigVector<std::uint32_t>& first, int n, std::uint32_t gap,
                                   std::uint32_t minRoutes) {
    const std::uint64_t size = sizeWithSpareSlots(first, n, gap, minRoutes);
    if (size > UINT32_MAX) throw std::bad_alloc();
    std::uint32_t added = 0;
    std::uint32_t start = first[0];
    for (int i = 0; i < n; ++i) {
        const std::uint32_t next = first[i + 1];
        first[i] = start + added;
        added += spareSlots(next - start, gap, minRoutes);
        start = next;
    }
    first[n] = start + added;
    return first[n];
}

// Calls place(at, k, other) for every route: at is the route's position in the lists that first
// lays out, as countRoutes and then addSpareSlots(first, n, gap, minRoutes) leave it (gap 0:
// countRoutes alone), k the edge and other the node at its other end. The ranges that countRoutes
// counted on their own are placed on their own, at once (earlier: what countRoutes left in it,
// used up here); within a range, in ascending edge number; the edges that take refuses are passed
// over, as countRoutes passed them over. A block has spare slots exactly when it holds
// minRoutes + gap slots or more.
template <class Edge, class Place, class Take = EveryEdge>
void placeRoutes(const Edge* edges, int m, int n, const BigVector<std::uint32_t>& first,
                 std::uint32_t gap, std::uint32_t minRoutes,
                 std::vector<BigVector<std::uint32_t>>& earlier, const Place& place,
                 const Take& take = {}) {
    const int shares = static_cast<int>(earlier.size()) + 1;
    BigVector<std::uint32_t> at(static_cast<std::size_t>(n));
    runShares(shares, [&](int s) {
        std::uint32_t* next = s == 0 ? at.data() : earlier[static_cast<std::size_t>(s - 1)].data();
        for (int i = 0; i < n; ++i) {
            const std::uint32_t size = first[i + 1] - first[i];
            const std::uint32_t start = first[i] + (gap > 0 && size >= minRoutes + gap ? gap : 0);
            next[i] = s == 0 ? start : start + next[i];  // after the earlier ranges' routes
        }
        for (int k = shareBegin(m, s, shares); k < shareBegin(m, s + 1, shares); ++k) {
            const Edge& e = edges[k];
            if (!take(e)) continue;
            place(next[e.from]++, k, e.to);
            if (e.to != e.from) place(next[e.to]++, k, e.from);
        }
    });
    earlier.clear();
}

// Turns lists laid out without spare slots into the same lists with gap spare slots before every
// block of at least minRoutes routes, in place: every block moves towards the end, the last one
// first, so nothing is overwritten before it is moved. first is updated; the spare slots hold
// whatever they held. routes must have the capacity for the spare slots (one per node is enough
// for a gap of 1), or it is moved once to larger memory.
template <class Slot>
void spreadRoutes(BigVector<std::uint32_t>& first, BigVector<Slot>& routes, int n,
                  std::uint32_t gap, std::uint32_t minRoutes) {
    const std::uint64_t size = sizeWithSpareSlots(first, n, gap, minRoutes);
    if (size > UINT32_MAX) throw std::bad_alloc();
    routes.resize(static_cast<std::size_t>(size));
    auto newEnd = static_cast<std::uint32_t>(size);  // where the block of node i + 1 starts now
    std::uint32_t oldEnd = first[n];
    for (int i = n - 1; i >= 0; --i) {
        const std::uint32_t oldStart = first[i];
        const std::uint32_t count = oldEnd - oldStart;
        const std::uint32_t spare = spareSlots(count, gap, minRoutes);
        const std::uint32_t newStart = newEnd - count - spare;
        if (count > 0) {
            std::memmove(static_cast<void*>(&routes[newStart + spare]), &routes[oldStart],
                         count * sizeof(Slot));
        }
        first[i + 1] = newEnd;
        newEnd = newStart;
        oldEnd = oldStart;
    }
    first[0] = newEnd;
}
