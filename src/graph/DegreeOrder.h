// The order in which the recursive forest picks the start of every tree: the node of greatest
// degree first, and among nodes of equal degree the lowest number first. getCentroid() is the
// first node of this order that qualifies.
//
// Contract: degree(i) >= 0 for every i in 0 .. n - 1. Returns the n node numbers in that order.
// Cost: O(n + k log k) for k nodes of degree 65536 or more (at most 2m / 65536 of them): the
// others go through a stable counting sort by degree, those few through a comparison sort, so the
// memory is n numbers and a table of 65536 counts, whatever the greatest degree.
#pragma once

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

#include "BigVector.h"

template <class Degree>
BigVector<int> orderByDegree(int n, const Degree& degree) {
    constexpr int kCounted = 65536;          // degrees below this are counted, the rest sorted
    std::vector<std::pair<int, int>> large;  // (degree, node)
    // at[kCounted - 1 - d]: where the nodes of degree d go; counted one place further first.
    BigVector<int> at(static_cast<std::size_t>(kCounted) + 1, 0);
    for (int i = 0; i < n; ++i) {
        const int d = degree(i);
        if (d >= kCounted) {
            large.emplace_back(d, i);
        } else {
            ++at[kCounted - d];
        }
    }
    std::sort(large.begin(), large.end(), [](const auto& a, const auto& b) {
        return a.first > b.first || (a.first == b.first && a.second < b.second);
    });
    at[0] = static_cast<int>(large.size());
    for (int d = 1; d <= kCounted; ++d) at[d] += at[d - 1];
    BigVector<int> order(static_cast<std::size_t>(n));
    for (std::size_t k = 0; k < large.size(); ++k) order[k] = large[k].second;
    for (int i = 0; i < n; ++i) {
        const int d = degree(i);
        if (d < kCounted) order[at[kCounted - 1 - d]++] = i;
    }
    return order;
}
