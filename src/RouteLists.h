// Adjacency lists in one block, built by a counting sort: for the edges that keep() selects, every
// node's routes (the edge, and the node at its other end) in ascending edge number. A node that
// some selected edge touches has a block of `gap` spare slots followed by its routes; a node that
// none touches has an empty block. Node i's block is routes[first[i]] up to routes[first[i + 1]],
// its routes the block without its first `gap` slots; a self-loop appears once, pointing back at
// its node.
//
// Contract: edges[0 .. m - 1] have from and to in 0 .. n - 1; first gets n + 1 entries; the lists
// hold one route per selected edge, one more per selected edge that is not a self-loop, and the
// spare slots (at most 2m + gap·n; lists that would not fit 32-bit positions are refused with
// std::bad_alloc, like memory that cannot be had). The spare slots are left as routes[] had them,
// or zero. Cost: O(n + m) time, two passes over the edges; besides the result, one
// working array of n positions.
//
// The counting and placing go through compact arrays of positions rather than the node records:
// the edges hit the nodes at random, and 4 bytes a node stay in the caches where larger records
// do not.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>

#include "BigVector.h"

// Calls place(at, k, other) for every route of the edges that keep() selects, in ascending edge
// number: at is the route's position in lists laid out as listRoutes lays them out with the same
// first and gap, k the edge and other the node at its other end.
template <class Edge, class Keep, class Place>
void placeRoutes(const Edge* edges, int m, int n, const BigVector<std::uint32_t>& first,
                 std::uint32_t gap, const Keep& keep, const Place& place) {
    BigVector<std::uint32_t> at(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) at[i] = first[i] + gap;
    for (int k = 0; k < m; ++k) {
        const Edge& e = edges[k];
        if (!keep(e)) continue;
        place(at[e.from]++, k, e.to);
        if (e.to != e.from) place(at[e.to]++, k, e.from);
    }
}

template <class Route, class Edge, class Keep>
void listRoutes(const Edge* edges, int m, int n, std::uint32_t gap, const Keep& keep,
                BigVector<std::uint32_t>& first, BigVector<Route>& routes) {
    first.assign(static_cast<std::size_t>(n) + 1, 0);
    for (int k = 0; k < m; ++k) {
        const Edge& e = edges[k];
        if (!keep(e)) continue;
        ++first[e.from + 1];
        if (e.to != e.from) ++first[e.to + 1];
    }
    std::uint64_t end = 0;
    for (int i = 0; i < n; ++i) {
        const std::uint32_t count = first[i + 1];
        first[i] = static_cast<std::uint32_t>(end);
        end += count + (count > 0 ? gap : 0);
        if (end > UINT32_MAX) throw std::bad_alloc();
    }
    first[n] = static_cast<std::uint32_t>(end);
    routes.resize(first[n]);
    placeRoutes(edges, m, n, first, gap, keep, [&routes](std::uint32_t at, int k, int other) {
        routes[at] = Route{k, other};
    });
}

// Turns lists laid out by listRoutes with no spare slots into the same lists with `gap` spare
// slots before every block of at least minRoutes routes, in place: every block moves towards the
// end, the last one first, so nothing is overwritten before it is moved. first is updated; the
// spare slots hold whatever they held. routes must have the capacity for the spare slots (one per
// node is enough), or it is moved once to larger memory. Cost: O(n + size of the lists).
template <class Route>
void spreadRoutes(BigVector<std::uint32_t>& first, BigVector<Route>& routes, int n,
                  std::uint32_t gap, std::uint32_t minRoutes) {
    auto spare = [gap, minRoutes](std::uint32_t count) { return count >= minRoutes ? gap : 0; };
    std::uint64_t size = first[n];
    for (int i = 0; i < n; ++i) size += spare(first[i + 1] - first[i]);
    if (size > UINT32_MAX) throw std::bad_alloc();
    routes.resize(static_cast<std::size_t>(size));
    auto newEnd = static_cast<std::uint32_t>(size);  // where the block of node i + 1 starts now
    std::uint32_t oldEnd = first[n];
    for (int i = n - 1; i >= 0; --i) {
        const std::uint32_t oldStart = first[i];
        const std::uint32_t count = oldEnd - oldStart;
        const std::uint32_t newStart = newEnd - count - spare(count);
        if (count > 0) {
            std::memmove(&routes[newStart + spare(count)], &routes[oldStart],
                         count * sizeof(Route));
        }
        first[i + 1] = newEnd;
        newEnd = newStart;
        oldEnd = oldStart;
    }
    first[0] = newEnd;
}
