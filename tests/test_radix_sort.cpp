#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <numeric>
#include <random>
#include <vector>

#include "RadixSort.h"

namespace {

// The order radixSortByKey gives, checked to be a permutation, against a stable comparison sort.
void expectStableOrder(const std::vector<int>& keys) {
    const int m = static_cast<int>(keys.size());
    std::vector<int> got(keys.size(), -1);
    int calls = 0;
    radixSortByKey(
        m, [&keys](int k) { return keys[static_cast<std::size_t>(k)]; },
        [&](int at, int k) {
            ASSERT_TRUE(0 <= at && at < m);
            ASSERT_EQ(got[static_cast<std::size_t>(at)], -1) << "position " << at << " twice";
            got[static_cast<std::size_t>(at)] = k;
            ++calls;
        });
    EXPECT_EQ(calls, m);
    std::vector<int> expected(keys.size());
    std::iota(expected.begin(), expected.end(), 0);
    std::stable_sort(expected.begin(), expected.end(), [&keys](int a, int b) {
        return keys[static_cast<std::size_t>(a)] < keys[static_cast<std::size_t>(b)];
    });
    EXPECT_EQ(got, expected);
}

TEST(radix_sort, stable_ascending_for_every_kind_of_key) {
    expectStableOrder({});
    expectStableOrder({INT_MIN});
    expectStableOrder({7, 7, 7, 7});                          // no pass at all
    expectStableOrder({3, 1, 2, 1, 0, 65535, 3});             // the low half varies
    expectStableOrder({1 << 16, 0, 5 << 16, -(1 << 16), 0});  // the high half varies
    expectStableOrder({INT_MAX, INT_MIN, -1, 0, 1, INT_MIN, INT_MAX, -65536, 65535, 65536});
    std::mt19937 rng(5);
    for (const int span : {3, 70000, INT_MAX}) {
        std::uniform_int_distribution<int> key(-span, span);
        std::vector<int> keys(5000);
        for (int& k : keys) k = key(rng);
        expectStableOrder(keys);
    }
}

}  // namespace
