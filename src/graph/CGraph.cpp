#include "CGraph.h"

#include <algorithm>
#include <atomic>
#include <cassert>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <utility>

#include "BigVector.h"
#include "BitSet.h"
#include "DegreeOrder.h"
#include "KeyBuckets.h"
#include "LabelledUnionFind.h"
#include "NodeHeap.h"
#include "Output.h"
#include "Processors.h"
#include "RadixSort.h"
#include "Texts.h"

namespace {

// Asks the caches for an edge's record a few steps before it is read, where the edges are read
// in an order of their own rather than as they lie in memory.
void prefetchEdge(const Edge& e) { __builtin_prefetch(&e); }
// Asks the caches for a node's record, to be written a few steps later.
void prefetchNode(const Node& v) { __builtin_prefetch(&v, 1); }

}  // namespace

const CGraph* cmpweight_hint = nullptr;

extern "C" int cmpweight(const void* a, const void* b) {
    const int wa = cmpweight_hint->edges[*static_cast<const int*>(a)].weight;
    const int wb = cmpweight_hint->edges[*static_cast<const int*>(b)].weight;
    return wa > wb ? 1 : (wa < wb ? -1 : 0);
}

CGraph::CGraph(int n, int m) : nodeCount(n), edgeCount(m), nodes(nullptr), edges(nullptr) {
    assert(nodeCount >= 0 && edgeCount >= 0);
    // Every node starts as all zeros. Memory the system hands out zeroed
    // costs nothing until it is used, so a run that ends before the graph is complete (a file
    // cut short, the end of input at the menu) never touches the records of a huge node count.
    std::unique_ptr<Node, void (*)(void*)> ownNodes(
        newZeroedBigArray<Node>(static_cast<std::size_t>(nodeCount)), std::free);
    edges = newBigArray<Edge>(static_cast<std::size_t>(edgeCount));  // left for the caller to fill
    nodes = ownNodes.release();
    table_.reset(edges, edgeCount, nodeCount);
}

CGraph::~CGraph() {
    std::free(nodes);
    delete[] edges;
}

void CGraph::makeRoutes() {
    table_.reset(edges, edgeCount, nodeCount);
    table_.count();
}

void CGraph::clearVTags() {
    forRanges(nodeCount, [this](int from, int to) {
        for (int i = from; i < to; ++i) nodes[i].tag = 0;
    });
}

void CGraph::clearETags() {
    forRanges(edgeCount, [this](int from, int to) {
        for (int k = from; k < to; ++k) edges[k].tag = 0;
    });
}

// Only tree edges touch the nodes, so the pass over the edges is sequential and the node updates
// are at most 2(n - 1); those land at random, and are asked for a few edges ahead.
int CGraph::bones() {
    for (int i = 0; i < nodeCount; ++i) nodes[i].bones = 0;
    constexpr int kAhead = 16;
    for (int k = 0; k < edgeCount; ++k) {
        if (k + kAhead < edgeCount && edges[k + kAhead].inTree) {
            prefetchNode(nodes[edges[k + kAhead].from]);
            prefetchNode(nodes[edges[k + kAhead].to]);
        }
        const Edge& e = edges[k];
        if (!e.inTree) continue;
        ++nodes[e.from].bones;
        if (e.to != e.from) ++nodes[e.to].bones;
    }
    int leaves = 0;
    for (int i = 0; i < nodeCount; ++i) leaves += nodes[i].bones == 1 ? 1 : 0;
    return leaves;
}

bool CGraph::bonesAreCurrent() const {
    BigVector<int> count(static_cast<std::size_t>(nodeCount), 0);
    for (int k = 0; k < edgeCount; ++k) {
        if (!edges[k].inTree) continue;
        ++count[edges[k].from];
        if (edges[k].to != edges[k].from) ++count[edges[k].to];
    }
    for (int i = 0; i < nodeCount; ++i)
        if (nodes[i].bones != count[i]) return false;
    return true;
}

bool CGraph::isTail(int node) const { return degree(node) == 1; }

bool CGraph::isTailBone(int node) const { return nodes[node].bones == 1; }

// The first node of the order in which the forest of skeleton() picks its starts.
int CGraph::getCentroid(bool onlyUntagged) const {
    for (const int i : orderByDegree(nodeCount, [this](int i) { return degree(i); }))
        if (!onlyUntagged || nodes[i].tag == 0) return i;
    return -1;
}

// A stable radix sort of the edge numbers by weight, then a union-find that keeps each subtree's
// label at its root, so the narration names the labels that relabelling every node of the
// absorbed subtree would give.
// Reference: Kruskal 1956; union by rank with path halving (Tarjan 1975).
int CGraph::BoruvkaKruskal(bool verbose) {
    Output* say = verbose ? narration_ : nullptr;
    cmpweight_hint = this;
    if (say) say->print<texts::kKruskalSorting>();
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
    for (int i = 0; i < edgeCount; ++i) {
        if (joined == nodeCount - 1) break;  // one tree holds every node: nothing joins any more
        if (i + kAhead < edgeCount) prefetchEdge(edges[order[i + kAhead]]);
        if (i + kAhead / 2 < edgeCount) {
            const Edge& soon = edges[order[i + kAhead / 2]];
            subtrees.prefetch(soon.from);
            subtrees.prefetch(soon.to);
        }
        const int e = order[i];
        const int f = edges[e].from;
        const int t = edges[e].to;
        const int rf = subtrees.find(f);
        const int rt = subtrees.find(t);
        if (rf == rt) continue;  // the edge would close a cycle; a self-loop always would
        if (say) {
            say->print<texts::kKruskalJoining>(e, edges[e].weight);
            say->print<texts::kKruskalMoving>(subtrees.label(rt), t, subtrees.label(rf), f);
        }
        edges[e].inTree = true;
        subtrees.join(rf, rt);
        ++joined;
    }

    forRanges(nodeCount, [this](int from, int to) {
        for (int i = from; i < to; ++i) nodes[i].tag = -1;
    });
    const int components = nodeCount - joined;
    if (say) say->print<texts::kKruskalCount>(components);
    return components;
}

// The open nodes wait in a queue keyed by (key, node number), so that ties go to the lowest number
// as a scan would take them; "not reached" and "done" are states apart from the keys. The keys are
// edge weights: when they take few values, a bucket a value (KeyBuckets.h) orders the open nodes
// for less than one indexed heap of them all (NodeHeap.h), in the same order.
// Reference: Jarnik 1930, Prim 1957.
int CGraph::JarnikPrim(bool verbose) {
    Output* say = verbose ? narration_ : nullptr;
    std::atomic<int> lightest{INT_MAX};
    std::atomic<int> heaviest{INT_MIN};
    forRanges(edgeCount, [this, &lightest, &heaviest](int from, int to) {
        int low = INT_MAX;
        int high = INT_MIN;
        for (int k = from; k < to; ++k) {
            edges[k].inTree = false;
            low = std::min(low, edges[k].weight);
            high = std::max(high, edges[k].weight);
        }
        for (int seen = lightest.load();
             low < seen && !lightest.compare_exchange_weak(seen, low);) {
        }
        for (int seen = heaviest.load();
             high > seen && !heaviest.compare_exchange_weak(seen, high);) {
        }
    });
    const std::int64_t span = std::int64_t{heaviest.load()} - lightest.load() + 1;
    // Buckets pay where they are few against the nodes (each one is a heap of its own to allocate
    // and grow), at least kNodesPerBucket nodes a bucket.
    constexpr std::int64_t kNodesPerBucket = 32;
    if (edgeCount > 0 && span <= KeyBuckets::kMostBuckets && span * kNodesPerBucket <= nodeCount) {
        KeyBuckets open(nodeCount, lightest.load(), static_cast<int>(span));
        return growPrim(open, say);
    }
    NodeHeap open(nodeCount);
    return growPrim(open, say);
}

template <class Queue>
int CGraph::growPrim(Queue& open, Output* say) {
    const RouteTable& table = listed();
    // An open node's key is in the queue. Until the end, a node's tag holds the edge that gives
    // it its key (-1 for the start of a tree), and the tree edges are read from there at the end.
    BitSet reached(nodeCount);  // has a key: open, or done
    BitSet done(nodeCount);     // added to a tree; most routes lead to such nodes
    // Without narration a node of one route is done as soon as it is reached, past the queue: its
    // key can never change, and taking it would offer nothing, so no other node's turn depends on
    // when it comes (a star's leaves would otherwise pass through the queue one by one). Which
    // nodes those are is read here once, a bit a node, not from the table at every key set.
    BitSet leaves(say ? 0 : nodeCount);
    if (!say) {
        for (int v = 0; v < nodeCount; ++v)
            if (table.degree(v) == 1) leaves.add(v);
    }
    int components = 0;
    for (int s = 0; s < nodeCount; ++s) {
        if (reached.has(s)) continue;
        reached.add(s);
        nodes[s].tag = -1;
        // The tree's first node is added without a key; every later one is the open node of the
        // smallest key.
        for (int a = s;; a = open.pop()) {
            done.add(a);
            if (say) say->print<texts::kPrimAdding>(a);
            // The node after a is likely the one on top now: where its routes are, and then the
            // routes themselves, are on their way while a's routes are read.
            table.prefetchBlockStart(open.empty() ? a : open.top());
            const RouteTable::Routes routes = table.routes(a);
            // The neighbours' keys and the edges' weights lie at random: all are asked for
            // first, then compared.
            for (const auto [e, v] : routes) {
                if (done.has(v)) continue;
                open.prefetch(v);
                prefetchEdge(edges[e]);
                if (!say && !reached.has(v)) table.prefetchBlockStart(v);
            }
            for (const auto [e, v] : routes) {
                if (done.has(v)) continue;  // a itself too: a self-loop changes nothing
                const int w = edges[e].weight;
                if (reached.has(v) && !(w < open.keyOf(v))) continue;
                reached.add(v);
                nodes[v].tag = e;
                if (!say && leaves.has(v)) {
                    done.add(v);
                    continue;
                }
                open.set(w, v);
                if (say) say->print<texts::kPrimOffering>(v, w, e);
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
    if (say) say->print<texts::kPrimCount>(components);
    return components;
}

int CGraph::markForest(int method) {
    assert(1 <= method && method <= 3);
    if (method == 1) return skeleton();
    if (method == 2) return BoruvkaKruskal(false);
    return JarnikPrim(false);
}

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

void CGraph::getLoop(int edge) {
    assert(0 <= edge && edge < edgeCount && !edges[edge].inTree);
    clearETags();
    const int f = edges[edge].from;
    const int t = edges[edge].to;
    Forest forest(*this);
    forest.mark[t] = 1;
    if (getLoop_R(t, f, forest)) edges[edge].tag = 1;
    forest.copyMarksTo(*this);
}

// Searches the tree path from node to target over unvisited tree edges and signs its edges. It
// reproduces, on an explicit stack, the depth-first recursion that tries the routes of a node in
// stored order (tree edges only), marks a neighbour visited before entering it, and on success
// signs the edge it came by (+1 when the edge's from is the node it left) while it returns; so
// the visited marks are those of that recursion. True when target was reached.
bool CGraph::getLoop_R(int node, int target, Forest& forest) {
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
            // The frames below the top each entered the next frame by their route next - 1.
            for (std::size_t k = stack.size() - 1; k-- > 0;) {
                const Frame& below = stack[k];
                Edge& d = edges[table.routes(below.row)[below.next - 1].edge];
                d.tag = d.from == below.row ? 1 : -1;
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
// labelled by splitTree's floods and every edge is looked at once.
void CGraph::getCut(int edge) {
    assert(0 <= edge && edge < edgeCount && edges[edge].inTree);
    assert(bonesAreCurrent());  // \pre bones() counted on the current forest
    const int f = edges[edge].from;
    const int t = edges[edge].to;
    clearETags();
    if (isTailBone(f) || isTailBone(t)) {
        const int leaf = isTailBone(f) ? f : t;
        for (const Route r : routes(leaf)) {
            if (r.node == leaf) continue;  // a self-loop never crosses
            Edge& d = edges[r.edge];
            const bool outward = d.from == leaf;  // leaves the leaf's side
            d.tag = outward == (leaf == f) ? 1 : -1;
        }
        return;
    }
    Forest forest(*this);
    split(edge, 1, 2, forest);
    forRanges(edgeCount, [this, &forest](int from, int to) {
        for (int k = from; k < to; ++k) {
            Edge& d = edges[k];
            const int side = forest.mark[d.from];
            if (side + forest.mark[d.to] == 3) d.tag = side == 1 ? 1 : -1;
        }
    });
    forest.copyMarksTo(*this);
}

void CGraph::splitTree(int edge, int a, int b) {
    clearETags();
    Forest forest(*this);
    split(edge, a, b, forest);
    forest.copyMarksTo(*this);
}

// splitTree's labelling, into forest.mark, which starts all 0.
void CGraph::split(int edge, int a, int b, Forest& forest) {
    const int f = edges[edge].from;
    const int t = edges[edge].to;
    forest.mark[t] = a;  // a barrier: the flood from f cannot pass t
    splitTree_R(f, a, forest);
    forest.mark[f] = b;  // a barrier again, and the flood from t relabels t when it comes back
    splitTree_R(t, b, forest);
    forest.mark[f] = a;
}

// Floods label over tree edges from node: every node reachable through nodes whose label differs
// gets it. The start node is labelled only when the flood comes back to it, as the recursion
// "for every tree route to a differently labelled neighbour: label it and flood from it" does;
// the labelled set does not depend on the order, so a plain stack serves.
void CGraph::splitTree_R(int node, int label, Forest& forest) {
    const RouteTable& table = listed();
    BigVector<int> stack;
    stack.reserve(static_cast<std::size_t>(nodeCount) + 1);  // every node once, and the start
    stack.push_back(node);
    while (!stack.empty()) {
        const int row = stack.back();
        stack.pop_back();
        for (const Route r : table.routes(row)) {
            if (!forest.tree.has(r.edge) || forest.mark[r.node] == label) continue;
            forest.mark[r.node] = label;
            stack.push_back(r.node);
        }
    }
}
