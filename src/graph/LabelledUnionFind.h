// Disjoint sets of the numbers 0 .. n - 1, each set carrying a label: at first every number is a
// set of its own, labelled with itself; joining two sets gives the joined set the label of the
// one named first. So the labels are those that relabelling every member of the second set with
// the first set's label would leave, at the cost of a union-find.
//
// Contract: find() takes 0 <= v < n and returns the root that stands for v's set; label() and
// join() take roots, join() two different ones. Cost: O(α(n)) amortised per call; memory 5 bytes
// per number: a link per number (a root keeps its set's label there instead) and a rank.
// Reference: Tarjan 1975 (union by rank, path halving).
#pragma once

#include <cassert>
#include <cstddef>
#include <cstdint>

#include "BigVector.h"

class LabelledUnionFind {
public:
    explicit LabelledUnionFind(int n)
        : link_(static_cast<std::size_t>(n)), rank_(static_cast<std::size_t>(n), 0) {
        for (int i = 0; i < n; ++i) link_[i] = ~i;
    }

    int find(int v) {
        assert(0 <= v && static_cast<std::size_t>(v) < link_.size());
        while (link_[v] >= 0) {
            if (link_[link_[v]] >= 0) link_[v] = link_[link_[v]];
            v = link_[v];
        }
        return v;
    }

    // Asks the caches for v's link, where find(v) starts, ahead of the call.
    void prefetch(int v) const { __builtin_prefetch(&link_[v]); }

    int label(int root) const {
        assert(link_[root] < 0);
        return ~link_[root];
    }

    // Joins the sets whose roots are keep and other; the joined set keeps keep's label.
    void join(int keep, int other) {
        assert(keep != other && link_[keep] < 0 && link_[other] < 0);
        const int kept = link_[keep];
        const int root = rank_[keep] >= rank_[other] ? keep : other;  // the taller tree stays root
        const int child = root == keep ? other : keep;
        if (rank_[keep] == rank_[other]) ++rank_[root];
        link_[child] = root;
        link_[root] = kept;
    }

private:
    BigVector<int> link_;           // the next number towards the root, or ~label at a root
    BigVector<std::uint8_t> rank_;  // bounds the height of a root's tree: below 32 for any n
};
