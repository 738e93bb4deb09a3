// A priority queue of the nodes 0 .. n - 1, each with a key: the smallest key first and the lowest
// node number among equal keys, the node that a scan for "the smallest key, the lowest number on
// ties" would pick. Keys are 32-bit signed numbers and every value works, the extremes included.
//
// Contract: set(key, node) puts a node in that is not in, or lowers the key of one that is (a key
// is never raised); pop() takes a non-empty heap and returns the node of the smallest pair,
// removing it; a popped node may be put in again. has() and keyOf() tell whether a node is in and
// with which key, so a caller needs no keys of its own. Cost: O(log size) per set and pop, O(1)
// for the rest; the heap never holds more than n entries, so its memory is fixed at construction
// (16 bytes per node).
//
// Each entry is the pair packed into one 64-bit number (the key, sign bit flipped, above the node),
// so ordering the pairs is ordering the numbers; a 4-ary heap keeps the children of an entry in one
// cache line, and every node knows where its entry is, so lowering a key moves that entry only.
// Every node's key is kept beside that as well, so that reading a key takes one look, not two.
// Reference: Johnson 1975 (d-ary heaps).
#pragma once

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <cstdint>

#include "BigVector.h"

class NodeHeap {
public:
    explicit NodeHeap(int n)
        : where_(static_cast<std::size_t>(n), kAbsent), key_(static_cast<std::size_t>(n)) {
        heap_.reserve(static_cast<std::size_t>(n));
    }

    bool empty() const { return heap_.empty(); }
    std::size_t size() const { return heap_.size(); }
    // Whether node is in the heap, and its key there.
    bool has(int node) const { return where_[node] != kAbsent; }
    int keyOf(int node) const {
        assert(has(node));
        return key_[node];
    }
    // Asks the caches for the node's key and where its entry is, ahead of keyOf and set.
    void prefetch(int node) const {
        __builtin_prefetch(&where_[node]);
        __builtin_prefetch(&key_[node]);
    }
    // The node pop() would return now; the heap must not be empty.
    int top() const {
        assert(!heap_.empty());
        return nodeOf(heap_[0]);
    }

    void set(int key, int node) {
        key_[node] = key;
        const std::uint64_t entry = pack(key, node);
        std::uint32_t at = where_[node];
        if (at == kAbsent) {
            at = static_cast<std::uint32_t>(heap_.size());
            heap_.push_back(entry);
        }
        assert(entry <= heap_[at]);
        siftUp(at, entry);
    }

    int pop() {
        assert(!heap_.empty());
        const std::uint64_t top = heap_[0];
        const std::uint64_t last = heap_.back();
        heap_.pop_back();
        where_[nodeOf(top)] = kAbsent;
        if (!heap_.empty()) siftDown(last);
        return nodeOf(top);
    }

private:
    static constexpr std::uint32_t kArity = 4;
    static constexpr std::uint32_t kAbsent = 0xFFFFFFFFU;

    static std::uint64_t pack(int key, int node) {
        return std::uint64_t{static_cast<std::uint32_t>(key) ^ 0x80000000U} << 32 |
               static_cast<std::uint32_t>(node);
    }
    static int nodeOf(std::uint64_t entry) { return static_cast<int>(entry & 0xFFFFFFFFU); }

    void place(std::uint32_t at, std::uint64_t entry) {
        heap_[at] = entry;
        where_[nodeOf(entry)] = at;
    }

    void siftUp(std::uint32_t at, std::uint64_t entry) {
        while (at > 0) {
            const std::uint32_t parent = (at - 1) / kArity;
            if (heap_[parent] <= entry) break;
            place(at, heap_[parent]);
            at = parent;
        }
        place(at, entry);
    }

    // Puts entry into the hole at the root and lets it sink to its place.
    void siftDown(std::uint64_t entry) {
        const std::size_t size = heap_.size();
        std::size_t at = 0;
        for (;;) {
            const std::size_t first = at * kArity + 1;
            if (first >= size) break;
            std::size_t best = first;
            const std::size_t end = std::min(first + kArity, size);
            for (std::size_t c = first + 1; c < end; ++c)
                if (heap_[c] < heap_[best]) best = c;
            if (heap_[best] >= entry) break;
            place(static_cast<std::uint32_t>(at), heap_[best]);
            at = best;
        }
        place(static_cast<std::uint32_t>(at), entry);
    }

    BigVector<std::uint64_t> heap_;
    BigVector<std::uint32_t> where_;  // the entry of each node in heap_, or kAbsent
    BigVector<int> key_;              // of each node in the heap; as last set for the others
};
