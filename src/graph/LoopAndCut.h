// The independent loop of a non-tree edge and the independent cut of a tree edge, with an observer
// (Observer.h); CGraph.h gives their contracts.
#pragma once

#include <cassert>
#include <cstddef>

#include "BigVector.h"
#include "BitSet.h"
#include "CGraph.h"
#include "Processors.h"

// The tree edges of the current forest as one bit each, and a mark per node: the loop and cut
// searches walk the route lists and pass over the routes whose edge is not in the tree, which a
// bit answers without a look at the edge's record.
struct CGraph::Forest {
    explicit Forest(const CGraph& g) : tree(g.edgeCount), mark(g.nodeCount, 0) {
        for (int k = 0; k < g.edgeCount; ++k)
            if (g.edges[k].inTree) tree.add(k);
    }
    BitSet tree;
    BigVector<int> mark;  // visited 0/1 for the loop search, the side label for the cut

    // The marks become the node tags.
    void copyMarksTo(CGraph& g) const {
        forRanges(g.nodeCount, [this, &g](int from, int to) {
            for (int i = from; i < to; ++i) g.nodes[i].tag = mark[i];
        });
    }
};

template <class Observer>
void CGraph::getLoop(int edge, Observer& tell) {
    assert(0 <= edge && edge < edgeCount && !edges[edge].inTree);
    clearETags();
    const int f = edges[edge].from;
    const int t = edges[edge].to;
    Forest forest(*this);
    forest.mark[t] = 1;
    if (getLoop_R(t, f, forest, tell, edge)) edges[edge].tag = 1;
    forest.copyMarksTo(*this);
}

// Searches the tree path from node to target over unvisited tree edges and signs its edges. It
// reproduces, on an explicit stack, the depth-first recursion that tries the routes of a node in
// stored order (tree edges only), marks a neighbour visited before entering it, and on success
// signs the edge it came by (+1 when the edge's from is the node it left) while it returns; so
// the visited marks are those of that recursion. True when target was reached; then the observer
// is told the loop: closing (the edge whose loop it is), then the path from node to target.
template <class Observer>
bool CGraph::getLoop_R(int node, int target, Forest& forest, Observer& tell, int closing) {
    const RouteTable& table = listed();
    struct Frame {
        int row;
        int next;  // the next route of row to look at
    };
    BigVector<Frame> stack;
    stack.reserve(static_cast<std::size_t>(nodeCount));  // a frame per node at most; never moved
    stack.push_back({node, 0});
    while (!stack.empty()) {
        Frame& top = stack.back();
        if (top.row == target) {
            tell.loopEdge(closing, 1);
            // The frames below the top each entered the next frame by their route next - 1.
            for (std::size_t k = 0; k + 1 < stack.size(); ++k) {
                const Frame& below = stack[k];
                const int e = table.routes(below.row)[below.next - 1].edge;
                edges[e].tag = edges[e].from == below.row ? 1 : -1;
                tell.loopEdge(e, edges[e].tag);
            }
            return true;
        }
        const RouteTable::Routes routes = table.routes(top.row);
        while (top.next < routes.size() && !forest.tree.has(routes[top.next].edge)) ++top.next;
        if (top.next == routes.size()) {
            stack.pop_back();
            continue;
        }
        const Route r = routes[top.next++];
        if (forest.mark[r.node] != 0) continue;
        forest.mark[r.node] = 1;
        stack.push_back({r.node, 0});
    }
    return false;
}

// A leaf's side is the leaf alone, and the cut its route list; otherwise the two sides are
// labelled by splitTree's floods and every edge is looked at once. An observer is told the two
// sides in either case: at a leaf they are labelled apart, and the node tags stay as they were.
template <class Observer>
void CGraph::getCut(int edge, Observer& tell) {
    assert(0 <= edge && edge < edgeCount && edges[edge].inTree);
    assert(bonesAreCurrent());  // \pre bones() counted on the current forest
    const int f = edges[edge].from;
    const int t = edges[edge].to;
    // Every node of the two sides, to an observer: t is on the to side even when it is a leaf,
    // which the floods would leave with the from side's label.
    const auto tellSides = [&](Forest& forest) {
        forest.mark[t] = 2;
        for (int i = 0; i < nodeCount; ++i)
            if (forest.mark[i] != 0) tell.sideOf(i, forest.mark[i]);
    };
    clearETags();
    if (isTailBone(f) || isTailBone(t)) {
        const int leaf = isTailBone(f) ? f : t;
        if constexpr (kWatched<Observer>) {
            tell.cutAtLeaf(leaf);
            Forest sides(*this);
            split(edge, 1, 2, sides);
            tellSides(sides);
        }
        for (const Route r : routes(leaf)) {
            if (r.node == leaf) continue;  // a self-loop never crosses
            Edge& d = edges[r.edge];
            const bool outward = d.from == leaf;  // leaves the leaf's side
            d.tag = outward == (leaf == f) ? 1 : -1;
            tell.cutEdge(r.edge, d.tag);
        }
        return;
    }
    Forest forest(*this);
    split(edge, 1, 2, forest);
    if constexpr (kWatched<Observer>) tellSides(forest);
    forRanges(edgeCount, [this, &forest](int from, int to) {
        for (int k = from; k < to; ++k) {
            Edge& d = edges[k];
            const int side = forest.mark[d.from];
            if (side + forest.mark[d.to] == 3) d.tag = side == 1 ? 1 : -1;
        }
    });
    if constexpr (kWatched<Observer>) {
        for (int k = 0; k < edgeCount; ++k)
            if (edges[k].tag != 0) tell.cutEdge(k, edges[k].tag);
    }
    forest.copyMarksTo(*this);
}
