// The two minimum spanning forest methods of the graph, BoruvkaKruskal and JarnikPrim, with an
// observer (Observer.h); CGraph.h gives their contracts.
#pragma once

#include <algorithm>
#include <cassert>
#include <climits>
#include <cstdint>

#include "BigVector.h"
#include "BitSet.h"
#include "CGraph.h"
#include "KeyBuckets.h"
#include "LabelledUnionFind.h"
#include "NodeHeap.h"
#include "Processors.h"
#include "RadixSort.h"

namespace cgraph_detail {

// Asks the caches for an edge's record a few steps before it is read, where the edges are read
// in an order of their own rather than as they lie in memory.
inline void prefetchEdge(const Edge& e) { __builtin_prefetch(&e); }

}  // namespace cgraph_detail

// A stable radix sort of the edge numbers by weight, then a union-find that keeps each subtree's
// label at its root, so the labels told are those that relabelling every node of the absorbed
// subtree would give.
// Reference: Kruskal 1956; union by rank with path halving (Tarjan 1975).
template <class Observer>
int CGraph::BoruvkaKruskal(Observer& tell) {
    cmpweight_hint = this;
    tell.sortingEdges();
    // The edges by weight; the sort's last pass takes every edge once, and clears its tree flag.
    BigVector<int> order(static_cast<std::size_t>(edgeCount));
    radixSortByKey(
        edgeCount, [this](int k) { return edges[k].weight; },
        [this, &order](int at, int k) {
            order[at] = k;
            edges[k].inTree = false;
        });
    assert(std::is_sorted(order.begin(), order.end(), [](int a, int b) {
        const int c = cmpweight(&a, &b);
        return c < 0 || (c == 0 && a < b);
    }));

    LabelledUnionFind subtrees(nodeCount);
    int joined = 0;
    // The edges come in weight order, their records and their ends' sets at random: each record
    // is asked for a few turns ahead of its use, and once it is at hand, its ends' links.
    constexpr int kAhead = 16;
    int i = 0;
    for (; i < edgeCount; ++i) {
        if (joined == nodeCount - 1) break;  // one tree holds every node: nothing joins any more
        if (i + kAhead < edgeCount) cgraph_detail::prefetchEdge(edges[order[i + kAhead]]);
        if (i + kAhead / 2 < edgeCount) {
            const Edge& soon = edges[order[i + kAhead / 2]];
            subtrees.prefetch(soon.from);
            subtrees.prefetch(soon.to);
        }
        const int e = order[i];
        const int rf = subtrees.find(edges[e].from);
        const int rt = subtrees.find(edges[e].to);
        if (rf == rt) {  // the edge would close a cycle; a self-loop always would
            if constexpr (kWatched<Observer>) tell.refused(e, subtrees.label(rf));
            continue;
        }
        if constexpr (kWatched<Observer>) tell.accepted(e, subtrees.label(rt), subtrees.label(rf));
        edges[e].inTree = true;
        subtrees.join(rf, rt);
        ++joined;
    }
    if constexpr (kWatched<Observer>) {
        for (; i < edgeCount; ++i) tell.notTaken(order[i]);
    }

    forRanges(nodeCount, [this](int from, int to) {
        for (int v = from; v < to; ++v) nodes[v].tag = -1;
    });
    const int components = nodeCount - joined;
    tell.componentsCounted(components);
    return components;
}

// The open nodes wait in a queue keyed by (key, node number), so that ties go to the lowest number
// as a scan would take them; "not reached" and "done" are states apart from the keys. The keys are
// edge weights: when they take few values, a bucket a value (KeyBuckets.h) orders the open nodes
// for less than one indexed heap of them all (NodeHeap.h), in the same order.
// Reference: Jarnik 1930, Prim 1957.
template <class Observer>
int CGraph::JarnikPrim(Observer& tell) {
    int lightest = 0;
    int heaviest = 0;
    weightRange(lightest, heaviest);
    const std::int64_t span = std::int64_t{heaviest} - lightest + 1;
    // Buckets pay where they are few against the nodes (each one is a heap of its own to allocate
    // and grow), at least kNodesPerBucket nodes a bucket.
    constexpr std::int64_t kNodesPerBucket = 32;
    if (edgeCount > 0 && span <= KeyBuckets::kMostBuckets && span * kNodesPerBucket <= nodeCount) {
        KeyBuckets open(nodeCount, lightest, static_cast<int>(span));
        return growPrim(open, tell);
    }
    NodeHeap open(nodeCount);
    return growPrim(open, tell);
}

template <class Queue, class Observer>
int CGraph::growPrim(Queue& open, Observer& tell) {
    constexpr bool watched = kWatched<Observer>;
    const RouteTable& table = listed();
    // An open node's key is in the queue. Until the end, a node's tag holds the edge that gives
    // it its key (-1 for the start of a tree), and the tree edges are read from there at the end.
    BitSet reached(nodeCount);  // has a key: open, or done
    BitSet done(nodeCount);     // added to a tree; most routes lead to such nodes
    // Unwatched, a node of one route is done as soon as it is reached, past the queue: its key
    // can never change, and taking it would offer nothing, so no other node's turn depends on
    // when it comes (a star's leaves would otherwise pass through the queue one by one). Which
    // nodes those are is read here once, a bit a node, not from the table at every key set.
    // Watched, every node is chosen in its turn, as the method chooses it.
    BitSet leaves(watched ? 0 : nodeCount);
    if (!watched) {
        for (int v = 0; v < nodeCount; ++v)
            if (table.degree(v) == 1) leaves.add(v);
    }
    int components = 0;
    for (int s = 0; s < nodeCount; ++s) {
        if (reached.has(s)) continue;
        reached.add(s);
        nodes[s].tag = -1;
        tell.treeStarts(s);
        // The tree's first node is added without a key; every later one is the open node of the
        // smallest key.
        int key = 0;  // told to an observer only
        for (int a = s;; key = watched ? open.keyOf(open.top()) : 0, a = open.pop()) {
            done.add(a);
            tell.chosen(a, key, nodes[a].tag);
            // The node after a is likely the one on top now: where its routes are, and then the
            // routes themselves, are on their way while a's routes are read.
            table.prefetchBlockStart(open.empty() ? a : open.top());
            const RouteTable::Routes routes = table.routes(a);
            // The neighbours' keys and the edges' weights lie at random: all are asked for
            // first, then compared.
            for (const auto [e, v] : routes) {
                if (done.has(v)) continue;
                open.prefetch(v);
                cgraph_detail::prefetchEdge(edges[e]);
                if (!watched && !reached.has(v)) table.prefetchBlockStart(v);
            }
            for (const auto [e, v] : routes) {
                if (done.has(v)) continue;  // a itself too: a self-loop changes nothing
                const int w = edges[e].weight;
                const bool hadKey = reached.has(v);
                if (hadKey && !(w < open.keyOf(v))) continue;
                if constexpr (watched) {
                    tell.keyLowered(v, hadKey ? open.keyOf(v) : NOT_REACHED,
                                    hadKey ? nodes[v].tag : -1, w, e);
                }
                reached.add(v);
                nodes[v].tag = e;
                if (!watched && leaves.has(v)) {
                    done.add(v);
                    continue;
                }
                open.set(w, v);
            }
            if (open.empty()) break;
            table.prefetchRoutes(open.top());
        }
        ++components;
    }

    // Every tree edge gives exactly one node its key: the ranges write different edges.
    forRanges(nodeCount, [this](int from, int to) {
        for (int v = from; v < to; ++v) {
            if (nodes[v].tag != -1) edges[nodes[v].tag].inTree = true;
            nodes[v].tag = DONE;
        }
    });
    tell.componentsCounted(components);
    return components;
}
