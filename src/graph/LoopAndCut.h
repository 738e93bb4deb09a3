// The independent loop of a non-tree edge and the independent cut of a tree edge, with an observer
// (Observer.h); CGraph.h gives their contracts.
#pragma once

#include <cassert>
#include <cstddef>
#include <cstdint>

#include "BigVector.h"
#include "BitSet.h"
#include "CGraph.h"
#include "Processors.h"

// The routes of the current forest alone: for every node, the tree edges that touch it, in
// ascending edge number, as the route table holds all the edges; and a mark per node. The loop
// and cut searches walk only tree edges, so these lists, of 2(n - 1) routes at most, give them the
// same order as the whole table at a fraction of the cost of building it. They are built once the
// route table is given back, so a search never holds both. Cost: two passes over the edges and
// O(n), on every processor; memory: n + 1 positions, the routes, a byte a node, and while they
// are placed, n positions for every processor.
struct CGraph::Forest {
    struct Route {
        int edge;
        int node;  // at the other end
    };
    explicit Forest(CGraph& g);

    BigVector<std::uint32_t> first;  // node i's routes: lists[first[i]] up to lists[first[i + 1]]
    BigVector<Route> lists;
    // Visited 0/1 for the loop search, the side for the cut (0, 1 or 2: a label's code, see
    // split()); a byte each, which the caches keep for far more nodes than a tag's four.
    BigVector<std::uint8_t> mark;

    // The marks become the node tags: code c gives label[c].
    void copyMarksTo(CGraph& g, const int (&label)[3] = {0, 1, 2}) const {
        forRanges(g.nodeCount, [this, &g, &label](int from, int to) {
            for (int i = from; i < to; ++i) g.nodes[i].tag = label[mark[i]];
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
    struct Frame {
        int row;
        std::uint32_t next;  // the next of row's routes to look at
        std::uint32_t end;   // where row's routes end
    };
    BigVector<Frame> stack;
    stack.reserve(static_cast<std::size_t>(nodeCount));  // a frame per node at most; never moved
    stack.push_back({node, forest.first[node], forest.first[node + 1]});
    while (!stack.empty()) {
        Frame& top = stack.back();
        if (top.row == target) {
            tell.loopEdge(closing, 1);
            // The frames below the top each entered the next frame by their route next - 1.
            for (std::size_t k = 0; k + 1 < stack.size(); ++k) {
                const Frame& below = stack[k];
                const int e = forest.lists[below.next - 1].edge;
                edges[e].tag = edges[e].from == below.row ? 1 : -1;
                tell.loopEdge(e, edges[e].tag);
            }
            return true;
        }
        if (top.next == top.end) {
            stack.pop_back();
            continue;
        }
        const CGraph::Forest::Route& r = forest.lists[top.next++];
        if (forest.mark[r.node] != 0) continue;
        forest.mark[r.node] = 1;
        stack.push_back({r.node, forest.first[r.node], forest.first[r.node + 1]});
    }
    return false;
}

// A leaf's side is the leaf alone, and the cut its routes (every edge that touches it but a
// self-loop, found in one pass over the edges: the table of all routes is not built for them);
// otherwise the two sides are labelled by splitTree's floods and every edge is looked at once. An
// observer is told the two sides in either case: at a leaf they are labelled apart, and the node
// tags stay as they were.
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
    // The cut's edges, to an observer: in ascending edge number, the leaf's route order too.
    const auto tellCut = [&] {
        for (int k = 0; k < edgeCount; ++k)
            if (edges[k].tag != 0) tell.cutEdge(k, edges[k].tag);
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
        const bool leafIsFrom = leaf == f;
        forRanges(edgeCount, [this, leaf, leafIsFrom](int from, int to) {
            for (int k = from; k < to; ++k) {
                Edge& d = edges[k];
                if ((d.from == leaf) == (d.to == leaf)) continue;  // a self-loop never crosses
                const bool outward = d.from == leaf;               // leaves the leaf's side
                d.tag = outward == leafIsFrom ? 1 : -1;
            }
        });
        if constexpr (kWatched<Observer>) tellCut();
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
    if constexpr (kWatched<Observer>) tellCut();
    forest.copyMarksTo(*this);
}
