#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <set>
#include <utility>

#include "NodeHeap.h"

namespace {

// Pushes and pops mixed at random, against an ordered set of (key, node) pairs.
TEST(node_heap, pops_the_smallest_key_then_the_lowest_node) {
    std::mt19937 rng(3);
    const int keys[] = {INT_MIN, INT_MIN + 1, -1, 0, 1, 7, INT_MAX - 1, INT_MAX};
    const int nodes[] = {0, 1, 2, 1000, INT_MAX};
    NodeHeap heap;
    std::multiset<std::pair<int, int>> model;
    for (int step = 0; step < 20000; ++step) {
        if (model.empty() || rng() % 3 != 0) {
            const int key = keys[rng() % std::size(keys)];
            const int node = nodes[rng() % std::size(nodes)];
            heap.push(key, node);
            model.emplace(key, node);
        } else {
            ASSERT_EQ(heap.pop(), model.begin()->second) << "step " << step;
            model.erase(model.begin());
        }
        ASSERT_EQ(heap.size(), model.size());
    }
    while (!model.empty()) {
        ASSERT_EQ(heap.pop(), model.begin()->second);
        model.erase(model.begin());
    }
    EXPECT_TRUE(heap.empty());
}

}  // namespace
