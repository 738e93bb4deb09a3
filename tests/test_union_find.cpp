#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "LabelledUnionFind.h"

namespace {

// Joins at random, against the plain method: relabel every member of the second set.
TEST(labelled_union_find, labels_are_those_of_relabelling_every_member) {
    std::mt19937 rng(11);
    for (const int n : {1, 2, 3, 17, 400}) {
        LabelledUnionFind sets(n);
        std::vector<int> label(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i) label[static_cast<std::size_t>(i)] = i;
        std::uniform_int_distribution<int> node(0, n - 1);
        for (int step = 0; step < 3 * n; ++step) {
            const int a = node(rng);
            const int b = node(rng);
            const int ra = sets.find(a);
            const int rb = sets.find(b);
            const int la = label[static_cast<std::size_t>(a)];
            const int lb = label[static_cast<std::size_t>(b)];
            ASSERT_EQ(ra == rb, la == lb) << "n " << n << " step " << step;
            if (ra == rb) continue;
            sets.join(ra, rb);
            for (int& l : label)
                if (l == lb) l = la;
            for (int v = 0; v < n; ++v)
                ASSERT_EQ(sets.label(sets.find(v)), label[static_cast<std::size_t>(v)]) << v;
        }
    }
}

// A long chain of joins, each naming the new single node first: the label is always the newest,
// though the new node never becomes the root of the large set.
TEST(labelled_union_find, a_chain_keeps_the_first_named_label) {
    const int n = 100000;
    LabelledUnionFind sets(n);
    for (int v = 1; v < n; ++v) sets.join(sets.find(v), sets.find(v - 1));
    EXPECT_EQ(sets.label(sets.find(0)), n - 1);
    EXPECT_EQ(sets.find(0), sets.find(n - 1));
}

}  // namespace
