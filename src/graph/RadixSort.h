// A stable sort of the numbers 0 .. m - 1 by a 32-bit signed key: the order "ascending key, equal
// keys in ascending number", found in linear time.
//
// Contract: key(k) is called for every k in 0 .. m - 1, and must give the same value every time;
// place(at, k) is called exactly once for every k, with the position at that k takes in the
// order (0 .. m - 1). The calls to place come in ascending k when one pass or none sorts the keys.
// m == 0 calls nothing. Every 32-bit key works, the two extremes included.
//
// Method: a least-significant-digit radix sort on the two 16-bit halves of the key, its sign bit
// flipped so that negative keys come first. A half that is the same for every number needs no
// pass; when both halves vary, a first pass orders the numbers by the low half. Memory: two
// tables of 65536 counts, and m numbers when both halves vary. Cost: O(m).
// Reference: Knuth, TAOCP vol. 3, 5.2.5.
#pragma once

#include <cstdint>
#include <utility>

#include "BigVector.h"

template <class Key, class Place>
void radixSortByKey(int m, const Key& key, const Place& place) {
    if (m <= 0) return;
    constexpr std::size_t kDigits = std::size_t{1} << 16;
    auto biased = [&key](int k) { return static_cast<std::uint32_t>(int{key(k)}) ^ 0x80000000U; };
    auto low = [&biased](int k) { return biased(k) & 0xFFFFU; };
    auto high = [&biased](int k) { return biased(k) >> 16; };
    BigVector<int> lowStart(kDigits, 0);
    BigVector<int> highStart(kDigits, 0);
    for (int k = 0; k < m; ++k) {
        ++lowStart[low(k)];
        ++highStart[high(k)];
    }
    // Turns counts into starting positions; false when one digit holds every number.
    auto starts = [m](BigVector<int>& count) {
        int sum = 0;
        for (int& c : count) {
            if (c == m) return false;
            sum += std::exchange(c, sum);
        }
        return true;
    };
    const bool byLow = starts(lowStart);
    const bool byHigh = starts(highStart);

    BigVector<int> order;  // the numbers after the pass on the low half, when both halves vary
    if (byLow && byHigh) {
        order.resize(static_cast<std::size_t>(m));
        for (int k = 0; k < m; ++k) order[lowStart[low(k)]++] = k;
    }
    for (int i = 0; i < m; ++i) {
        const int k = order.empty() ? i : order[i];
        place(byHigh ? highStart[high(k)]++ : byLow ? lowStart[low(k)]++ : k, k);
    }
}
