// A priority queue of (key, node) pairs, smallest key first and the lowest node number among equal
// keys: the pair that a scan for "the smallest key, the lowest number on ties" would pick. Both
// are 32-bit signed numbers and every value works, the extremes included.
//
// Contract: pop() takes a non-empty heap and returns the node of the smallest pair, removing it.
// A node may be pushed again with another key; the heap does not look for its older pairs (the
// caller tells an outdated pair when it comes up). Cost: O(log size) per push and pop.
//
// Each pair is packed into one 64-bit number (the key, sign bit flipped, above the node), so
// ordering the pairs is ordering the numbers; a 4-ary heap keeps the children of an entry in
// one cache line.
#pragma once

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <cstdint>

#include "BigVector.h"

class NodeHeap {
public:
    bool empty() const { return heap_.empty(); }
    std::size_t size() const { return heap_.size(); }

    void push(int key, int node) {
        const std::uint64_t entry = pack(key, node);
        std::size_t at = heap_.size();
        heap_.push_back(entry);
        while (at > 0) {
            const std::size_t parent = (at - 1) / kArity;
            if (heap_[parent] <= entry) break;
            heap_[at] = heap_[parent];
            at = parent;
        }
        heap_[at] = entry;
    }

    int pop() {
        assert(!heap_.empty());
        const std::uint64_t top = heap_[0];
        const std::uint64_t last = heap_.back();
        heap_.pop_back();
        const std::size_t size = heap_.size();
        std::size_t at = 0;
        for (;;) {
            const std::size_t first = at * kArity + 1;
            if (first >= size) break;
            std::size_t best = first;
            const std::size_t end = std::min(first + kArity, size);
            for (std::size_t c = first + 1; c < end; ++c)
                if (heap_[c] < heap_[best]) best = c;
            if (heap_[best] >= last) break;
            heap_[at] = heap_[best];
            at = best;
        }
        if (size > 0) heap_[at] = last;
        return static_cast<int>(top & 0xFFFFFFFFU);
    }

private:
    static constexpr std::size_t kArity = 4;
    static std::uint64_t pack(int key, int node) {
        return std::uint64_t{static_cast<std::uint32_t>(key) ^ 0x80000000U} << 32 |
               static_cast<std::uint32_t>(node);
    }
    BigVector<std::uint64_t> heap_;
};
