// A set of the integers 0 .. size - 1, one bit each. A walk that jumps across a graph of millions
// of nodes keeps its marks in the caches far better as bits than as fields of the records.
//
// Contract: the size is fixed at construction and every element starts absent; has(), add() and
// remove() take 0 <= i < size (asserted). Memory: size / 8 bytes, rounded up to whole 64-bit words.
#pragma once

#include <cassert>
#include <cstddef>
#include <cstdint>

#include "BigVector.h"

class BitSet {
public:
    explicit BitSet(int size)
        : size_(size), words_((static_cast<std::size_t>(size) + 63) / 64, 0) {}

    bool has(int i) const {
        assert(0 <= i && i < size_);
        return (words_[static_cast<std::size_t>(i) >> 6] >> (i & 63)) & 1U;
    }
    void add(int i) {
        assert(0 <= i && i < size_);
        words_[static_cast<std::size_t>(i) >> 6] |= std::uint64_t{1} << (i & 63);
    }
    void remove(int i) {
        assert(0 <= i && i < size_);
        words_[static_cast<std::size_t>(i) >> 6] &= ~(std::uint64_t{1} << (i & 63));
    }
    int size() const { return size_; }
    // The bits 64·w .. 64·w + 63 as one word, the lowest bit first, for a scan for set bits.
    std::size_t wordCount() const { return words_.size(); }
    std::uint64_t word(std::size_t w) const { return words_[w]; }

private:
    int size_;
    BigVector<std::uint64_t> words_;
};
