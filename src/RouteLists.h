// Adjacency lists in one block, built by a counting sort: for the edges that keep() selects, every
// node's routes (the edge, and the node at its other end) in ascending edge number. Node i's routes
// are routes[first[i]] up to routes[first[i + 1]]; a self-loop appears once, pointing back at its
// node; a node that no selected edge touches has an empty range.
//
// Contract: edges[0 .. m - 1] have from and to in 0 .. n - 1; first gets n + 1 entries, routes one
// per selected edge and one more per selected edge that is not a self-loop (at most 2m, which fits
// the 32-bit positions for every m up to 2^31 - 1). Cost: O(n + m) time, two passes over the edges;
// besides the result, one working array of n positions.
//
// The counting and placing go through compact arrays of positions rather than the node records:
// the edges hit the nodes at random, and 4 bytes a node stay in the caches where larger records
// do not.
#pragma once

#include <cstddef>
#include <cstdint>

#include "BigVector.h"

// Calls place(at, k, other) for every route of the edges that keep() selects, in ascending edge
// number: at is the route's position in lists whose node i starts at first[i] (as listRoutes
// lays them out), k the edge and other the node at its other end.
template <class Edge, class Keep, class Place>
void placeRoutes(const Edge* edges, int m, int n, const BigVector<std::uint32_t>& first,
                 const Keep& keep, const Place& place) {
    BigVector<std::uint32_t> at(first.begin(), first.begin() + n);
    for (int k = 0; k < m; ++k) {
        const Edge& e = edges[k];
        if (!keep(e)) continue;
        place(at[e.from]++, k, e.to);
        if (e.to != e.from) place(at[e.to]++, k, e.from);
    }
}

template <class Route, class Edge, class Keep>
void listRoutes(const Edge* edges, int m, int n, const Keep& keep, BigVector<std::uint32_t>& first,
                BigVector<Route>& routes) {
    first.assign(static_cast<std::size_t>(n) + 1, 0);
    for (int k = 0; k < m; ++k) {
        const Edge& e = edges[k];
        if (!keep(e)) continue;
        ++first[e.from + 1];
        if (e.to != e.from) ++first[e.to + 1];
    }
    for (int i = 0; i < n; ++i) first[i + 1] += first[i];
    routes.resize(first[n]);
    placeRoutes(edges, m, n, first, keep, [&routes](std::uint32_t at, int k, int other) {
        routes[at] = Route{k, other};
    });
}
