// A priority queue of the nodes 0 .. n - 1 in NodeHeap's order (the smallest key first, the lowest
// node number among equal keys) for keys known to lie in a short range: a bucket for every key,
// each a heap of node numbers, and a bit for every bucket that holds anything. Prim's keys are
// edge weights; when a graph's weights take few values (1 to 1000, say), the nodes taken next sit
// in the few buckets of the smallest keys, whose heaps stay in the caches, where one heap of every
// open node does not.
//
// Contract: NodeHeap's, with every key in lowest .. lowest + span - 1 (1 <= span <= kMostBuckets).
// Lowering a key leaves the node's old entry in its bucket: an entry counts only while its node
// is in with that entry's key, and pop() and top() drop the others on their way. Cost: O(log b)
// per set and pop, b the entries of the bucket, and O(span / 4096) words looked at to find the
// first bucket that holds anything; memory: 4 bytes a node and a bucket, and 4 an entry (at most
// one entry per set).
#pragma once

#include <algorithm>
#include <bit>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "BigVector.h"
#include "BitSet.h"

class KeyBuckets {
public:
    static constexpr int kMostBuckets = 1 << 16;

    KeyBuckets(int n, int lowest, int span)
        : lowest_(lowest),
          in_(n),
          key_(static_cast<std::size_t>(n)),
          buckets_(static_cast<std::size_t>(span)),
          filled_(span),
          filledWords_(words(span)) {
        assert(1 <= span && span <= kMostBuckets);
    }

    bool empty() const { return size_ == 0; }
    std::size_t size() const { return size_; }
    bool has(int node) const { return in_.has(node); }
    int keyOf(int node) const {
        assert(has(node));
        return key_[node];
    }
    // Asks the caches for the node's key, ahead of keyOf and set.
    void prefetch(int node) const { __builtin_prefetch(&key_[node]); }
    // The node pop() would return now; the queue must not be empty.
    int top() { return buckets_[settle()].front(); }

    void set(int key, int node) {
        assert(!has(node) || key <= key_[node]);
        if (!in_.has(node)) {
            in_.add(node);
            ++size_;
        }
        key_[node] = key;
        const std::size_t b = bucketOf(key);
        std::vector<int>& bucket = buckets_[b];
        if (bucket.empty()) fill(b);
        bucket.push_back(node);
        std::push_heap(bucket.begin(), bucket.end(), std::greater<>());
    }

    int pop() {
        const std::size_t b = settle();
        const int node = buckets_[b].front();
        drop(b);
        in_.remove(node);
        --size_;
        return node;
    }

private:
    static int words(int bits) { return (bits + 63) / 64; }

    std::size_t bucketOf(int key) const {
        assert(lowest_ <= key &&
               std::int64_t{key} - lowest_ < static_cast<std::int64_t>(buckets_.size()));
        return static_cast<std::size_t>(std::int64_t{key} - lowest_);
    }

    // The first bucket that holds anything (the queue must hold an entry).
    std::size_t firstFilled() const {
        for (std::size_t w = 0;; ++w) {
            assert(w < filledWords_.wordCount());
            const std::uint64_t word = filledWords_.word(w);
            if (word == 0) continue;
            const std::size_t at = w * 64 + static_cast<std::size_t>(std::countr_zero(word));
            return at * 64 + static_cast<std::size_t>(std::countr_zero(filled_.word(at)));
        }
    }
    void fill(std::size_t b) {
        filled_.add(static_cast<int>(b));
        filledWords_.add(static_cast<int>(b / 64));
    }
    // Takes the smallest entry out of bucket b.
    void drop(std::size_t b) {
        std::vector<int>& bucket = buckets_[b];
        std::pop_heap(bucket.begin(), bucket.end(), std::greater<>());
        bucket.pop_back();
        if (!bucket.empty()) return;
        filled_.remove(static_cast<int>(b));
        if (filled_.word(b / 64) == 0) filledWords_.remove(static_cast<int>(b / 64));
    }
    // Drops the entries that no longer count ahead of the smallest that does, and returns the
    // bucket it is in.
    std::size_t settle() {
        assert(size_ > 0);
        for (;;) {
            const std::size_t b = firstFilled();
            const int node = buckets_[b].front();
            if (in_.has(node) && bucketOf(key_[node]) == b) return b;
            drop(b);
        }
    }

    int lowest_;
    std::size_t size_ = 0;
    BitSet in_;
    BigVector<int> key_;  // of each node in the queue; as last set for the others
    std::vector<std::vector<int>> buckets_;
    BitSet filled_;       // the buckets that hold an entry
    BitSet filledWords_;  // the words of filled_ that are not 0
};
