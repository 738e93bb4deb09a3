#include <gtest/gtest.h>

#include "BitSet.h"

namespace {

TEST(bitset, each_bit_stands_alone_across_word_boundaries) {
    for (const int size : {0, 1, 63, 64, 65, 130}) {
        BitSet set(size);
        EXPECT_EQ(set.size(), size);
        for (int i = 0; i < size; ++i) EXPECT_FALSE(set.has(i)) << size << ' ' << i;
        // Every third bit, the last one of each word and the very last one.
        for (int i = 0; i < size; ++i)
            if (i % 3 == 0 || i % 64 == 63 || i == size - 1) set.add(i);
        for (int i = 0; i < size; ++i) {
            EXPECT_EQ(set.has(i), i % 3 == 0 || i % 64 == 63 || i == size - 1) << size << ' ' << i;
        }
        if (size > 0) {
            set.add(size - 1);  // adding twice changes nothing
            EXPECT_TRUE(set.has(size - 1));
        }
    }
}

}  // namespace
