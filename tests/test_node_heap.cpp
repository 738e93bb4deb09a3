#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <random>
#include <set>
#include <utility>

#include "NodeHeap.h"

namespace {

// Puts in, lowers and pops at random, against an ordered set of (key, node) pairs, with keys and
// node numbers at their extremes.
TEST(node_heap, pops_the_smallest_key_then_the_lowest_node) {
    std::mt19937 rng(3);
    const int keys[] = {INT_MIN, INT_MIN + 1, -1, 0, 1, 7, INT_MAX - 1, INT_MAX};
    const int n = 6;
    const int nodes[n] = {0, 1, 2, 3, 4, n - 1};
    NodeHeap heap(n);
    std::set<std::pair<int, int>> model;
    std::map<int, int> keyOf;  // the nodes in the heap
    for (int step = 0; step < 20000; ++step) {
        const int node = nodes[rng() % n];
        const int key = keys[rng() % std::size(keys)];
        const auto in = keyOf.find(node);
        if (rng() % 3 != 0 && (in == keyOf.end() || key < in->second)) {
            if (in != keyOf.end()) model.erase({in->second, node});
            heap.set(key, node);
            model.emplace(key, node);
            keyOf[node] = key;
        } else if (!model.empty()) {
            const auto [smallest, first] = *model.begin();
            ASSERT_EQ(heap.pop(), first) << "step " << step << ", key " << smallest;
            model.erase(model.begin());
            keyOf.erase(first);
        }
        ASSERT_EQ(heap.size(), model.size());
        for (const int v : nodes) {
            const auto kept = keyOf.find(v);
            ASSERT_EQ(heap.has(v), kept != keyOf.end()) << "node " << v;
            if (kept != keyOf.end()) {
                ASSERT_EQ(heap.keyOf(v), kept->second) << "node " << v;
            }
        }
        if (!model.empty()) {
            ASSERT_EQ(heap.top(), model.begin()->second);
        }
    }
    while (!model.empty()) {
        ASSERT_EQ(heap.pop(), model.begin()->second);
        model.erase(model.begin());
    }
    EXPECT_TRUE(heap.empty());
}

}  // namespace
