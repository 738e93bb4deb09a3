#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <numeric>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "KeyBuckets.h"
#include "NodeHeap.h"

namespace {

// Puts in, lowers and pops at random, against an ordered set of (key, node) pairs, with the keys
// given. A node is put in again after it is popped, and most keys are lowered more than once.
template <class Queue>
void popsTheSmallestKeyThenTheLowestNode(Queue& heap, const std::vector<int>& keys, int n) {
    std::mt19937 rng(3);
    std::vector<int> nodes(static_cast<std::size_t>(n));
    std::iota(nodes.begin(), nodes.end(), 0);
    std::set<std::pair<int, int>> model;
    std::map<int, int> keyOf;  // the nodes in the heap
    for (int step = 0; step < 20000; ++step) {
        const int node = nodes[rng() % nodes.size()];
        const int key = keys[rng() % keys.size()];
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

// Keys and node numbers at their extremes.
TEST(node_heap, pops_the_smallest_key_then_the_lowest_node) {
    NodeHeap heap(6);
    popsTheSmallestKeyThenTheLowestNode(
        heap, {INT_MIN, INT_MIN + 1, -1, 0, 1, 7, INT_MAX - 1, INT_MAX}, 6);
}

// The same order from a bucket a key, with the range of keys at either end of the ints and more
// nodes than buckets.
TEST(key_buckets, pop_in_the_order_of_the_node_heap) {
    for (const int lowest : {INT_MIN, -3, INT_MAX - 7}) {
        KeyBuckets buckets(20, lowest, 8);
        std::vector<int> keys;
        for (const int k : {0, 1, 2, 5, 7}) keys.push_back(lowest + k);
        SCOPED_TRACE(lowest);
        popsTheSmallestKeyThenTheLowestNode(buckets, keys, 20);
    }
    // Buckets far apart: the first one that holds an entry is found across many empty words.
    KeyBuckets wide(5, 0, KeyBuckets::kMostBuckets);
    popsTheSmallestKeyThenTheLowestNode(wide, {0, 63, 64, 4095, 4096, KeyBuckets::kMostBuckets - 1},
                                        5);
}

}  // namespace
