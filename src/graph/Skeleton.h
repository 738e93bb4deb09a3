// The forest grown from the node of greatest degree: skeleton() and its walk, skeleton_R().
//
// The walk is this recursion, run for every tree from its start, the unclaimed node of greatest
// degree (lowest number on ties), which is claimed first:
//     enter(row): for every route (e, v) of row: if v is not claimed, claim v, e joins the tree;
//                 then for every route (e, v) of row: if e is not followed, follow e, enter(v).
// A node is entered once for every edge by which the walk reaches it, re-entries and self-loops
// included, and the order of the entries decides through which edge each node is claimed.
//
// skeleton_R makes exactly the claims of that recursion, in its order, on an explicit stack and
// with far less work. These facts make it equal:
// 1. A node claims all its neighbours at its first entry, so a later entry claims nothing.
// 2. Every route before the furthest one any entry of a node has looked at is followed already.
//    So one cursor per node stands for all of its frames: a re-entry goes on from the cursor, and
//    when it is done, every frame of that node below it on the stack would find nothing left.
// 3. What would do nothing is left out: an entry into a node whose routes are all followed, and
//    the frame of a node whose last unfollowed route is being followed (it goes before the entry,
//    a tail call). So a node of degree 1 or 2, entered by one of its routes, needs no frame and
//    no cursor: it has at most one route left.
// 4. Once every node with routes is claimed, no entry can claim any more: the tree is settled,
//    and the rest of the walk, which would only follow the remaining edges, is left out. When the
//    graph has several components, each later tree is settled by its component's size.
//
// Where it keeps things, so that a step touches as little memory as it can: a node of three routes
// or more keeps its cursor in the slot before its routes (RouteTable), and the stack holds those
// slots; the claimed nodes and followed edges are bits. The first entry into a node also renames
// its routes into hops that lead straight to the neighbours' cursor slots (RouteTable::Renaming;
// the table gives the routes back to whatever reads them next); a route to a neighbour whose
// only route it is becomes a dead end, which the walk follows without entering (by fact 3: that
// entry would do nothing, as its one neighbour is claimed and its one route followed).
//
// An observer is told every tree's start, every first entry and every claim; the walk is the same
// code, and without an observer the calls compile to nothing. A watched walk renames no route, so
// that every node it enters is known by its number, and counts the components first, so that it
// knows where each tree ends and tells no entry after a tree's last claim.
#pragma once

#include <climits>
#include <cstdint>
#include <optional>
#include <vector>

#include "BitSet.h"
#include "CGraph.h"
#include "DegreeOrder.h"
#include "LabelledUnionFind.h"
#include "Processors.h"

// The working state of the walk, for all the trees of one skeleton().
struct CGraph::Walk {
    Walk(RouteTable::Blocks lists, int n, int m)
        : blocks(lists), claimed(n), entered(n), followed(m), inTree(m) {
        stack.reserve(static_cast<std::size_t>(m) + 1);  // never moved; pages are taken as used
    }
    RouteTable::Blocks blocks;
    BitSet claimed;
    BitSet entered;                  // nodes without a cursor slot
    BitSet followed;                 // edges
    BitSet inTree;                   // edges
    BigVector<std::uint32_t> stack;  // the cursor slots of the open frames: one per edge at most,
                                     // and the start
    const RouteTable::Renaming* renaming = nullptr;  // set when first entries rename routes
    int unclaimed = 0;  // nodes with routes that the current tree can still claim: 0 = settled
};

template <class Observer>
int CGraph::skeleton(Observer& tell) {
    using Cursor = RouteTable::Cursor;
    const RouteTable::Blocks blocks = table_.blocks();
    Walk walk(blocks, nodeCount, edgeCount);
    for (int i = 0; i < nodeCount; ++i) {
        const int degree = table_.degree(i);
        if (degree == 0) continue;
        if (blocks.hasCursorSlot(i))
            blocks.cursor(blocks.start(i)) = Cursor{RouteTable::kNotEntered, degree};
        ++walk.unclaimed;
    }
    // A hop spares the walk one look-up on its critical path, the place of the block of the node
    // it enters, for the price of a write where the walk reads anyway; the routes are given back
    // only if something reads them after the walk.
    std::optional<RouteTable::Renaming> renaming;
    if (!kWatched<Observer> && table_.slotCount() <= INT_MAX) {
        renaming.emplace(table_);
        walk.renaming = &*renaming;
    }

    // The start of every tree is what getCentroid(true) would return at that moment: the first
    // node of the degree order that no earlier tree has claimed. Nodes are never unclaimed, so
    // one pass over the order finds them all. When a second tree with routes is needed, the graph
    // has several components; if they hold many of its nodes, their sizes, counted then, tell
    // each later tree when it is settled; if only a few nodes are left, their walks are short, and
    // they are not counted.
    int trees = 0;
    bool counted = false;
    BigVector<int> componentSize;  // at the union-find root of each component
    LabelledUnionFind components(0);
    if constexpr (kWatched<Observer>) {
        counted = true;
        countComponents(components, componentSize);
    }
    for (const int c : orderByDegree(nodeCount, [this](int i) { return table_.degree(i); })) {
        if (walk.claimed.has(c)) continue;
        walk.claimed.add(c);
        ++trees;
        tell.treeStarts(c);
        if (table_.degree(c) == 0) {
            tell.entered(c);  // an isolated node: its walk is this entry
            continue;
        }
        if (trees > 1 && !counted) {
            counted = true;
            if (walk.unclaimed >= nodeCount / 16) countComponents(components, componentSize);
        }
        if (componentSize.empty()) {
            --walk.unclaimed;
        } else {
            walk.unclaimed = componentSize[components.find(c)] - 1;
        }
        skeleton_R(c, walk, tell);
    }
    forRanges(nodeCount, [this](int from, int to) {
        for (int i = from; i < to; ++i) nodes[i].tag = 1;
    });
    forRanges(edgeCount, [this, &walk](int from, int to) {
        for (int k = from; k < to; ++k) {
            edges[k].tag = 1;
            edges[k].inTree = walk.inTree.has(k);
        }
    });
    return trees;
}

// Grows the tree of start (claimed already) until it is settled or the walk ends. A route of a
// node that has been entered is read as a hop: its target is the neighbour, or its cursor slot.
template <class Observer>
void CGraph::skeleton_R(int start, Walk& walk, Observer& tell) {
    using Cursor = RouteTable::Cursor;
    using Hop = RouteTable::Hop;
    const RouteTable::Blocks& b = walk.blocks;
    // The first entry of node: claims the neighbours at the ends of its routes [first, end).
    auto claim = [&](int node, std::uint32_t first, std::uint32_t end) {
        tell.entered(node);
        for (std::uint32_t j = first; j < end; ++j) {
            const Route r = b.route(j);
            if (walk.renaming == nullptr) {
                b.prefetchStart(r.node);
            } else if (b.hasCursorSlot(r.node)) {
                walk.renaming->toCursorSlot(j, r.node);
            } else if (b.end(r.node) - b.start(r.node) == 1) {
                walk.renaming->toDeadEnd(j);
            }
            if (walk.claimed.has(r.node)) continue;
            walk.claimed.add(r.node);
            walk.inTree.add(r.edge);
            --walk.unclaimed;
            tell.claimed(r.node, r.edge);
        }
    };
    // The first route at or after j, before end, whose edge is not followed yet; end if none.
    auto unfollowed = [&](std::uint32_t j, std::uint32_t end) {
        while (j < end && walk.followed.has(b.hop(j).edge)) ++j;
        return j;
    };
    // Enters the node whose cursor slot is at (node: its number; -1 when it came by a hop, which
    // only an unwatched walk takes): a frame for it, unless all its routes are followed.
    auto enterAt = [&](std::uint32_t at, int node) {
        Cursor& c = b.cursor(at);
        if (c.next == c.degree) return;
        if (c.next == RouteTable::kNotEntered) {
            c.next = 0;
            claim(node, at + 1, at + 1 + static_cast<std::uint32_t>(c.degree));
        }
        walk.stack.push_back(at);
    };
    // Enters the node a hop leads to, and walks on through nodes without a cursor slot, which
    // need no frame.
    auto enter = [&](int target) {
        while (walk.unclaimed > 0) {
            if (target < 0) {
                if (target != RouteTable::kDeadEnd)
                    enterAt(static_cast<std::uint32_t>(~target), -1);
                return;
            }
            const int v = target;
            const std::uint32_t at = b.start(v);
            const std::uint32_t end = b.end(v);
            if (b.hasCursorSlot(v)) {
                enterAt(at, v);
                return;
            }
            if (!walk.entered.has(v)) {
                walk.entered.add(v);
                claim(v, at, end);
            }
            const std::uint32_t j = unfollowed(at, end);
            if (j == end) return;
            walk.followed.add(b.hop(j).edge);
            target = b.hop(j).target;
        }
    };
    // Runs the frames on the stack until none is left or the tree is settled.
    auto run = [&] {
        while (!walk.stack.empty() && walk.unclaimed > 0) {
            const std::uint32_t at = walk.stack.back();
            Cursor& c = b.cursor(at);
            const std::uint32_t first = at + 1;
            const std::uint32_t end = first + static_cast<std::uint32_t>(c.degree);
            const std::uint32_t j = unfollowed(first + static_cast<std::uint32_t>(c.next), end);
            if (j == end) {
                c.next = c.degree;
                walk.stack.pop_back();
                continue;
            }
            const Hop hop = b.hop(j);
            walk.followed.add(hop.edge);
            const std::uint32_t next = unfollowed(j + 1, end);
            c.next = static_cast<int>(next - first);
            if (next == end) walk.stack.pop_back();  // this node's last route: a tail call
            enter(hop.target);
        }
        walk.stack.clear();
    };

    if (b.hasCursorSlot(start)) {
        enterAt(b.start(start), start);
        run();
        return;
    }
    // A start without a cursor slot has at most two routes, and both may be open: its frame is
    // this loop.
    walk.entered.add(start);
    const std::uint32_t end = b.end(start);
    claim(start, b.start(start), end);
    for (std::uint32_t j = unfollowed(b.start(start), end); j < end && walk.unclaimed > 0;
         j = unfollowed(j + 1, end)) {
        walk.followed.add(b.hop(j).edge);
        enter(b.hop(j).target);
        run();
    }
}
