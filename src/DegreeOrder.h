// The order in which the recursive forest picks the start of every tree: the node of greatest
// degree first, and among nodes of equal degree the lowest number first. getCentroid() is the
// first node of this order that qualifies.
//
// Contract: degree(i) >= 0 for every i in 0 .. n - 1. Returns the n node numbers in that order.
// Cost: O(n + greatest degree), a stable counting sort by degree; memory n + greatest degree
// numbers.
#pragma once

#include <algorithm>
#include <cstddef>

#include "BigVector.h"

template <class Degree>
BigVector<int> orderByDegree(int n, const Degree& degree) {
    int maxDegree = 0;
    for (int i = 0; i < n; ++i) maxDegree = std::max(maxDegree, degree(i));
    // at[maxDegree - d]: where the nodes of degree d go; counted one place further first.
    BigVector<int> at(static_cast<std::size_t>(maxDegree) + 2, 0);
    for (int i = 0; i < n; ++i) ++at[maxDegree - degree(i) + 1];
    for (int d = 1; d <= maxDegree + 1; ++d) at[d] += at[d - 1];
    BigVector<int> order(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) order[at[maxDegree - degree(i)]++] = i;
    return order;
}
