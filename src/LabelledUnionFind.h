// Disjoint sets of the numbers 0 .. n - 1, each set carrying a label: at first every number is a
// set of its own, labelled with itself; joining two sets gives the joined set the label of the
// one named first. So the labels are those that relabelling every member of the second set with
// the first set's label would leave, at the cost of a union-find.
//
// Contract: find() takes 0 <= v < n and returns the root that stands for v's set; label() and
// join() take roots, join() two different ones. Cost: O(α(n)) amortised per call; memory 8 bytes
// per number. Reference: Tarjan 1975 (union by size, path halving).
#pragma once

#include <cassert>
#include <cstddef>

#include "BigVector.h"

class LabelledUnionFind {
public:
    explicit LabelledUnionFind(int n)
        : parent_(static_cast<std::size_t>(n), -1), label_(static_cast<std::size_t>(n)) {
        for (int i = 0; i < n; ++i) label_[i] = i;
    }

    int find(int v) {
        assert(0 <= v && static_cast<std::size_t>(v) < parent_.size());
        while (parent_[v] >= 0) {
            if (parent_[parent_[v]] >= 0) parent_[v] = parent_[parent_[v]];
            v = parent_[v];
        }
        return v;
    }

    int label(int root) const { return label_[root]; }

    // Joins the sets whose roots are keep and other; the joined set keeps keep's label.
    void join(int keep, int other) {
        assert(keep != other && parent_[keep] < 0 && parent_[other] < 0);
        const int kept = label_[keep];
        const int root = parent_[keep] <= parent_[other] ? keep : other;  // the larger stays root
        const int child = root == keep ? other : keep;
        parent_[root] += parent_[child];
        parent_[child] = root;
        label_[root] = kept;
    }

private:
    BigVector<int> parent_;  // a root holds minus the size of its set
    BigVector<int> label_;   // the label of a set, kept at its root
};
