#include "CGraph.h"

#include <algorithm>
#include <cassert>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <utility>

#include "BigVector.h"
#include "BitSet.h"
#include "DegreeOrder.h"
#include "LabelledUnionFind.h"
#include "NodeHeap.h"
#include "Output.h"
#include "RadixSort.h"
#include "RouteLists.h"
#include "Texts.h"

const CGraph* cmpweight_hint = nullptr;

extern "C" int cmpweight(const void* a, const void* b) {
    const int wa = cmpweight_hint->edges[*static_cast<const int*>(a)].weight;
    const int wb = cmpweight_hint->edges[*static_cast<const int*>(b)].weight;
    return wa > wb ? 1 : (wa < wb ? -1 : 0);
}

CGraph::CGraph(int n, int m) : nodeCount(n), edgeCount(m), nodes(nullptr), edges(nullptr) {
    assert(nodeCount >= 0 && edgeCount >= 0);
    // Every node starts as all zeros: degree 0 and no routes. Memory the system hands out zeroed
    // costs nothing until it is used, so a run that ends before the graph is complete (a file
    // cut short, the end of input at the menu) never touches the records of a huge node count.
    std::unique_ptr<Node, void (*)(void*)> ownNodes(
        newZeroedBigArray<Node>(static_cast<std::size_t>(nodeCount)), std::free);
    edges = newBigArray<Edge>(static_cast<std::size_t>(edgeCount));  // left for the caller to fill
    nodes = ownNodes.release();
}

CGraph::~CGraph() {
    std::free(nodes);
    delete[] edges;
}

// Builds every node's route list: for each incident edge in ascending edge order, the edge and
// the node at its other end. Nodes that no edge touches keep degree 0 and no list. All lists
// share one block. Cost: O(n + m).
void CGraph::makeRoutes() {
    // Room for the header slots that the walk of the recursive forest may add: address space
    // only, which costs nothing until it is used.
    routePool_.reserve(2 * static_cast<std::size_t>(edgeCount) +
                       static_cast<std::size_t>(nodeCount));
    routeGap_ = 0;
    listRoutes(
        edges, edgeCount, nodeCount, routeGap_, [](const Edge&) { return true; }, routeStart_,
        routePool_);
    for (int i = 0; i < nodeCount; ++i) {
        nodes[i].degree = static_cast<int>(routeStart_[i + 1] - routeStart_[i]);
        nodes[i].routes = nodes[i].degree > 0 ? routePool_.data() + routeStart_[i] : nullptr;
    }
}

void CGraph::clearVTags() {
    for (int i = 0; i < nodeCount; ++i) nodes[i].tag = 0;
}

void CGraph::clearETags() {
    for (int k = 0; k < edgeCount; ++k) edges[k].tag = 0;
}

// Counts the tree edges at every node (a route whose edge is in the tree counts once) and
// returns the number of leaves, the nodes with exactly one. Only tree edges touch the nodes, so
// the pass over the edges is sequential and the node updates are at most 2(n - 1). Cost: O(n + m).
int CGraph::bones() {
    for (int i = 0; i < nodeCount; ++i) nodes[i].bones = 0;
    for (int k = 0; k < edgeCount; ++k) {
        const Edge& e = edges[k];
        if (!e.inTree) continue;
        ++nodes[e.from].bones;
        if (e.to != e.from) ++nodes[e.to].bones;
    }
    int leaves = 0;
    for (int i = 0; i < nodeCount; ++i) leaves += nodes[i].bones == 1 ? 1 : 0;
    return leaves;
}

bool CGraph::isTail(int node) const { return nodes[node].degree == 1; }

bool CGraph::isTailBone(int node) const { return nodes[node].bones == 1; }

// The node of greatest degree, the lowest-numbered one on ties, among all nodes or (onlyUntagged)
// among those whose tag is 0; -1 when no node qualifies. Cost: O(n + greatest degree).
int CGraph::getCentroid(bool onlyUntagged) const {
    for (const int i : orderByDegree(nodeCount, [this](int i) { return nodes[i].degree; }))
        if (!onlyUntagged || nodes[i].tag == 0) return i;
    return -1;
}

// The cursor of a node the walk has not entered yet, in the header slot of the node's block.
constexpr int kNotEntered = -1;

// The working state of the skeleton walk. A node of degree kHeaderDegree or more keeps its cursor
// in the header slot of its block; one of smaller degree needs none (see skeleton_R).
struct CGraph::Walk {
    explicit Walk(int n, int m) : claimed(n), entered(n), followed(m), inTree(m) {
        stack.reserve(static_cast<std::size_t>(m) + 1);  // never moved; pages are taken as used
    }
    BitSet claimed;
    BitSet entered;                  // nodes without a header slot
    BitSet followed;                 // edges
    BitSet inTree;                   // edges
    BigVector<std::uint32_t> stack;  // the header slots of the open frames: one per edge at most,
                                     // and the start
    bool convert = false;  // the first entry into a node renames its routes (see skeleton)
    int unclaimed = 0;     // nodes with routes that the current tree can still claim: 0 = settled
};

// Marks a spanning forest in inTree without regard to weights and returns the number of trees
// (an isolated node is one; a graph without edges gives n trees and no tree edge). Each tree
// grows from the untagged node of greatest degree, lowest number on ties, by the walk of
// skeleton_R. On return every node tag and every edge tag is 1: the walk follows every edge.
// Cost: O(n + m + greatest degree).
int CGraph::skeleton() {
    if (routeGap_ == 0) {
        spreadRoutes(routeStart_, routePool_, nodeCount, 1, kHeaderDegree);
        routeGap_ = 1;
        for (int i = 0; i < nodeCount; ++i)
            if (nodes[i].degree > 0) nodes[i].routes = routePool_.data() + firstRoute(i);
    }
    Walk walk(nodeCount, edgeCount);
    // A route is followed once, and a route that names the block of its node spares the walk one
    // look-up on its critical path. That pays where the walk goes on long enough to follow most
    // of the routes it has renamed, which it does when nodes have few neighbours each; with many
    // neighbours a tree is settled early, and renaming would mostly be wasted.
    walk.convert = edgeCount < 8 * static_cast<std::int64_t>(nodeCount) &&
                   routePool_.size() <= static_cast<std::size_t>(INT_MAX);
    for (int i = 0; i < nodeCount; ++i) {
        if (nodes[i].degree == 0) continue;
        if (hasHeader(i)) routePool_[routeStart_[i]] = Route{kNotEntered, nodes[i].degree};
        ++walk.unclaimed;
    }

    // The start of every tree is what getCentroid(true) would return at that moment: the first
    // node of the degree order that no earlier tree has claimed. Nodes are never unclaimed, so
    // one pass over the order finds them all. A tree is settled once every node with routes is
    // claimed. When a second tree with routes is needed, the graph has several components; if
    // they hold many of its nodes, their sizes, counted then, tell each later tree when it is
    // settled; if only a few nodes are left, their walks are short, and they are not counted.
    int trees = 0;
    bool counted = false;
    BigVector<int> componentSize;  // at the union-find root of each component
    LabelledUnionFind components(0);
    for (const int c : orderByDegree(nodeCount, [this](int i) { return nodes[i].degree; })) {
        if (walk.claimed.has(c)) continue;
        walk.claimed.add(c);
        ++trees;
        if (nodes[c].degree == 0) continue;
        if (trees > 1 && !counted) {
            counted = true;
            if (walk.unclaimed >= nodeCount / 16) countComponents(components, componentSize);
        }
        if (componentSize.empty()) {
            --walk.unclaimed;
        } else {
            walk.unclaimed = componentSize[components.find(c)] - 1;
        }
        skeleton_R(c, walk);
    }

    // Routes that name a block instead of a node get their node back: the other end of the edge.
    for (int v = 0; v < nodeCount && walk.convert; ++v) {
        const bool entered =
            hasHeader(v) ? routePool_[routeStart_[v]].edge != kNotEntered : walk.entered.has(v);
        if (!entered) continue;
        for (std::uint32_t j = firstRoute(v); j < routeStart_[v + 1]; ++j) {
            Route& r = routePool_[j];
            if (r.node < 0) r.node = edges[r.edge].from ^ edges[r.edge].to ^ v;
        }
    }
    for (int i = 0; i < nodeCount; ++i) nodes[i].tag = 1;
    for (int k = 0; k < edgeCount; ++k) {
        edges[k].tag = 1;
        edges[k].inTree = walk.inTree.has(k);
    }
    return trees;
}

// Sorts the nodes into the graph's components (a union-find over the edges) and counts the nodes
// of each, at its root. Cost: O(n + m α(n)).
void CGraph::countComponents(LabelledUnionFind& components, BigVector<int>& size) const {
    components = LabelledUnionFind(nodeCount);
    for (int k = 0; k < edgeCount; ++k) {
        const int rf = components.find(edges[k].from);
        const int rt = components.find(edges[k].to);
        if (rf != rt) components.join(rf, rt);
    }
    size.assign(static_cast<std::size_t>(nodeCount), 0);
    for (int i = 0; i < nodeCount; ++i) ++size[components.find(i)];
}

// The walk that grows one tree from start, on an explicit stack. It reproduces this recursion:
//     enter(row): claim every neighbour not yet claimed (and put the edge to it in the tree);
//                 then for every route whose edge has not been followed: follow the edge and
//                 enter the node at its other end.
// A node is entered once per edge by which the walk reaches it, a self-loop included, and the
// order of entries decides the tree. Two facts let one cursor per node stand for all of a
// node's frames: all of its neighbours are claimed at its first entry, so a re-entry claims
// nothing; and every route before the furthest position any of its frames has reached is
// already followed, so a re-entry goes on from there, and when it is done so is every frame of
// that node below it. The cursor sits in the header slot of the node's block, beside its routes,
// and the stack holds header slots, so a step touches one place in memory for the node it enters.
// On sparse graphs the first entry into a node also renames each of its routes to a node with a
// header: the route names that node's block (as ~position) instead of the node, so following it
// later needs no look-up of where the block is; skeleton gives the routes their nodes back.
//
// What needs no frame gets none. When the walk follows the last route of a node that is not yet
// followed, that node has nothing left to do once the call returns, so its frame goes first (a
// tail call), and no entry can come back to it, as all its edges are followed. A node of degree 1
// or 2 entered by one of its routes has at most one route left: entering it is a claim and at
// most such a tail call, so it needs no frame and no cursor at all. An entry into a node whose
// routes are all followed would return at once and is left out. And once every node with routes
// is claimed, no entry can claim any more: the tree is settled, and the rest of the walk, which
// would only follow the remaining edges of the component, is left out too.
void CGraph::skeleton_R(int start, Walk& walk) {
    Route* pool = routePool_.data();
    // A node's first entry: claims the neighbours at the ends of the routes [first, end).
    auto claim = [&](std::uint32_t first, std::uint32_t end) {
        for (std::uint32_t j = first; j < end; ++j) {
            const Route r = pool[j];
            if (!walk.convert) {
                // The walk goes on to these nodes soon: where their blocks are, at hand by then.
                __builtin_prefetch(&routeStart_[r.node]);
            } else if (hasHeader(r.node)) {
                pool[j].node = ~static_cast<int>(routeStart_[r.node]);  // the block, not the node
            }
            if (walk.claimed.has(r.node)) continue;
            walk.claimed.add(r.node);
            walk.inTree.add(r.edge);
            --walk.unclaimed;
        }
    };
    // The first route at or after j, before end, whose edge is not followed yet; end if none.
    auto unfollowed = [&](std::uint32_t j, std::uint32_t end) {
        while (j < end && walk.followed.has(pool[j].edge)) ++j;
        return j;
    };
    // Enters v, by a route already followed (or as the start), and walks on through nodes
    // without a header; a node with one gets a frame.
    auto enterHeader = [&](std::uint32_t at) {
        Route& head = pool[at];
        if (head.edge == head.node) return;  // every route followed
        if (head.edge == kNotEntered) {
            head.edge = 0;
            claim(at + 1, at + 1 + static_cast<std::uint32_t>(head.node));
        }
        walk.stack.push_back(at);
    };
    auto enter = [&](int v) {
        while (walk.unclaimed > 0) {
            if (v < 0) {
                enterHeader(static_cast<std::uint32_t>(~v));
                return;
            }
            const std::uint32_t at = routeStart_[v];
            const std::uint32_t end = routeStart_[v + 1];
            if (hasHeader(v)) {
                enterHeader(at);
                return;
            }
            if (!walk.entered.has(v)) {
                walk.entered.add(v);
                claim(at, end);
            }
            const std::uint32_t j = unfollowed(at, end);
            if (j == end) return;
            walk.followed.add(pool[j].edge);
            v = pool[j].node;
        }
    };

    // Runs the frames on the stack until none is left or the tree is settled.
    auto run = [&] {
        while (!walk.stack.empty() && walk.unclaimed > 0) {
            const std::uint32_t h = walk.stack.back();
            Route& head = pool[h];
            const std::uint32_t end = h + 1 + static_cast<std::uint32_t>(head.node);
            const std::uint32_t j = unfollowed(h + 1 + static_cast<std::uint32_t>(head.edge), end);
            if (j == end) {
                head.edge = head.node;
                walk.stack.pop_back();
                continue;
            }
            const Route r = pool[j];
            walk.followed.add(r.edge);
            const std::uint32_t next = unfollowed(j + 1, end);
            head.edge = static_cast<int>(next - (h + 1));
            if (next == end) walk.stack.pop_back();  // this node's last route: a tail call
            enter(r.node);
        }
        walk.stack.clear();
    };

    if (hasHeader(start)) {
        enter(start);
        run();
        return;
    }
    // A start without a header has at most two routes, and both may be open: its frame is this
    // loop.
    walk.entered.add(start);
    const std::uint32_t end = routeStart_[start + 1];
    claim(routeStart_[start], end);
    for (std::uint32_t j = unfollowed(routeStart_[start], end); j < end && walk.unclaimed > 0;
         j = unfollowed(j + 1, end)) {
        walk.followed.add(pool[j].edge);
        enter(pool[j].node);
        run();
    }
}

// Marks a minimum spanning forest in inTree and returns the number of components (an isolated
// node is one; a graph without edges gives n). Edges are taken in ascending weight, equal
// weights in ascending edge number, so the forest and the narration are reproducible; an edge
// is accepted when it joins two different subtrees. A subtree is named by a label, at first the
// number of its only node; when an edge joins two subtrees, the one holding its to node takes
// the label of the one holding its from node. A union-find keeps the label at each root, so the
// narration names the labels that relabelling every node would give. On return every node tag
// is -1; edge tags are untouched.
// Reference: Kruskal 1956; union by rank with path halving (Tarjan 1975).
// Cost: O(m) for the radix sort, then O(m α(n)).
int CGraph::BoruvkaKruskal(bool verbose) {
    Output* say = verbose ? narration_ : nullptr;
    cmpweight_hint = this;
    if (say) say->print<texts::kKruskalSorting>();
    BigVector<int> order(static_cast<std::size_t>(edgeCount));  // the edges by weight
    radixSortByKey(
        edgeCount, [this](int k) { return edges[k].weight; },
        [&order](int at, int k) { order[at] = k; });
    assert(std::is_sorted(order.begin(), order.end(), [](int a, int b) {
        const int c = cmpweight(&a, &b);
        return c < 0 || (c == 0 && a < b);
    }));
    for (int k = 0; k < edgeCount; ++k) edges[k].inTree = false;

    LabelledUnionFind subtrees(nodeCount);
    int joined = 0;
    // The edges come in weight order, their records at random: each is asked for a few turns
    // ahead of its use.
    constexpr int kAhead = 16;
    for (int i = 0; i < edgeCount; ++i) {
        if (joined == nodeCount - 1) break;  // one tree holds every node: nothing joins any more
        if (i + kAhead < edgeCount) __builtin_prefetch(&edges[order[i + kAhead]]);
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

    for (int i = 0; i < nodeCount; ++i) nodes[i].tag = -1;
    const int components = nodeCount - joined;
    if (say) say->print<texts::kKruskalCount>(components);
    return components;
}

// Marks a minimum spanning forest in inTree by growing one tree at a time and returns the
// number of trees (an isolated node is one; a graph without edges gives n). A tree starts at
// the lowest-numbered node no earlier tree has reached (node 0 first) and repeatedly adds the
// open node of smallest key, the lowest number on ties; adding node a offers each neighbour v
// the edge's weight as a new key when v is not yet added and the weight is strictly below v's
// key ("not reached" is above every weight, so every 32-bit weight works). A self-loop changes
// nothing. On return every node tag is DONE; edge tags are untouched.
// Reference: Jarnik 1930, Prim 1957. Cost: O(m log n).
int CGraph::JarnikPrim(bool verbose) {
    Output* say = verbose ? narration_ : nullptr;
    for (int k = 0; k < edgeCount; ++k) edges[k].inTree = false;
    // An open node's key is in the heap. Until the end, a node's tag holds the edge that gives
    // it its key (-1 for the start of a tree), and the tree edges are read from there at the end.
    BitSet reached(nodeCount);  // has a key: open, or done
    BitSet done(nodeCount);     // added to a tree; most routes lead to such nodes
    NodeHeap open(nodeCount);
    int components = 0;
    for (int s = 0; s < nodeCount; ++s) {
        if (reached.has(s)) continue;
        reached.add(s);
        nodes[s].tag = -1;
        open.set(0, s);
        while (!open.empty()) {
            const int a = open.pop();
            done.add(a);
            if (say) say->print<texts::kPrimAdding>(a);
            // The node after a is likely the one on top now: where its routes are, and then the
            // routes themselves, are on their way while a's routes are read.
            const int likelyNext = open.empty() ? a : open.top();
            __builtin_prefetch(&routeStart_[likelyNext]);
            const std::uint32_t end = routeStart_[a + 1];
            // The neighbours' heap entries and the edges' weights lie at random: all are asked for
            // first, then compared.
            for (std::uint32_t j = firstRoute(a); j < end; ++j) {
                const auto [e, v] = routePool_[j];
                if (done.has(v)) continue;
                open.prefetch(v);
                __builtin_prefetch(&edges[e].weight);
            }
            for (std::uint32_t j = firstRoute(a); j < end; ++j) {
                const auto [e, v] = routePool_[j];
                if (done.has(v)) continue;  // a itself too: a self-loop changes nothing
                const int w = edges[e].weight;
                if (reached.has(v) && !(w < open.keyOf(v))) continue;
                reached.add(v);
                nodes[v].tag = e;
                open.set(w, v);
                if (say) say->print<texts::kPrimOffering>(v, w, e);
            }
            if (!open.empty()) __builtin_prefetch(&routePool_[firstRoute(open.top())]);
        }
        ++components;
    }

    for (int v = 0; v < nodeCount; ++v) {
        if (nodes[v].tag != -1) edges[nodes[v].tag].inTree = true;
        nodes[v].tag = DONE;
    }
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
};

// Writes the independent loop of the non-tree edge into the edge tags: the edge itself +1, every
// edge of the tree path from its to node back to its from node +1 when the loop runs along it
// (from -> to) and -1 when against it, every other edge 0. A self-loop is its own loop. Node tags
// are left as the visited marks of the search. Cost: O(n + m).
void CGraph::getLoop(int edge) {
    assert(0 <= edge && edge < edgeCount && !edges[edge].inTree);
    clearETags();
    const int f = edges[edge].from;
    const int t = edges[edge].to;
    Forest forest(*this);
    forest.mark[t] = 1;
    if (getLoop_R(t, f, forest)) edges[edge].tag = 1;
    for (int i = 0; i < nodeCount; ++i) nodes[i].tag = forest.mark[i];
}

// Searches the tree path from node to target over unvisited tree edges and signs its edges. It
// reproduces, on an explicit stack, the depth-first recursion that tries the routes of a node in
// stored order (tree edges only), marks a neighbour visited before entering it, and on success
// signs the edge it came by (+1 when the edge's from is the node it left) while it returns; so
// the visited marks are those of that recursion. True when target was reached.
bool CGraph::getLoop_R(int node, int target, Forest& forest) {
    struct Frame {
        int row;
        std::uint32_t next;  // the next tree route of row to look at
    };
    BigVector<Frame> stack;
    stack.reserve(static_cast<std::size_t>(nodeCount));  // a frame per node at most; never moved
    stack.push_back({node, firstRoute(node)});
    while (!stack.empty()) {
        Frame& top = stack.back();
        if (top.row == target) {
            // The frames below the top each entered the next frame by their route next - 1.
            for (std::size_t k = stack.size() - 1; k-- > 0;) {
                const Frame& below = stack[k];
                Edge& d = edges[routePool_[below.next - 1].edge];
                d.tag = d.from == below.row ? 1 : -1;
            }
            return true;
        }
        const std::uint32_t end = routeStart_[top.row + 1];
        while (top.next < end && !forest.tree.has(routePool_[top.next].edge)) ++top.next;
        if (top.next == end) {
            stack.pop_back();
            continue;
        }
        const Route r = routePool_[top.next++];
        if (forest.mark[r.node] != 0) continue;
        forest.mark[r.node] = 1;
        stack.push_back({r.node, firstRoute(r.node)});
    }
    return false;
}

// Writes the independent cut of the tree edge into the edge tags: removing the edge splits its
// tree into the side of its from node and the side of its to node; every edge joining the two
// sides gets +1 when it runs from the from side to the to side, -1 when the other way, and every
// other edge 0 (self-loops and edges of other trees included). Needs bones() of the current
// forest. When an endpoint is a leaf of the forest its side is that node alone and the cut is its
// route list; node tags are then left untouched. Otherwise the node tags end as the side labels
// of splitTree(edge, 1, 2). Cost: O(n + m).
void CGraph::getCut(int edge) {
    assert(0 <= edge && edge < edgeCount && edges[edge].inTree);
    const int f = edges[edge].from;
    const int t = edges[edge].to;
    clearETags();
    if (isTailBone(f) || isTailBone(t)) {
        const int leaf = isTailBone(f) ? f : t;
        const Node& nd = nodes[leaf];
        for (int j = 0; j < nd.degree; ++j) {
            const Route r = nd.routes[j];
            if (r.node == leaf) continue;  // a self-loop never crosses
            Edge& d = edges[r.edge];
            const bool outward = d.from == leaf;  // leaves the leaf's side
            d.tag = outward == (leaf == f) ? 1 : -1;
        }
        return;
    }
    Forest forest(*this);
    split(edge, 1, 2, forest);
    for (int k = 0; k < edgeCount; ++k) {
        Edge& d = edges[k];
        const int from = forest.mark[d.from];
        if (from + forest.mark[d.to] == 3) d.tag = from == 1 ? 1 : -1;
    }
    for (int i = 0; i < nodeCount; ++i) nodes[i].tag = forest.mark[i];
}

// Labels the from side of the tree edge with a and its to side with b, every other node 0, after
// clearing all node and edge tags. The to node ends with b only when it has another tree edge
// (otherwise it keeps a); the from node always ends with a. Cost: O(n + m).
void CGraph::splitTree(int edge, int a, int b) {
    clearETags();
    Forest forest(*this);
    split(edge, a, b, forest);
    for (int i = 0; i < nodeCount; ++i) nodes[i].tag = forest.mark[i];
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
    BigVector<int> stack;
    stack.reserve(static_cast<std::size_t>(nodeCount) + 1);  // every node once, and the start
    stack.push_back(node);
    while (!stack.empty()) {
        const int row = stack.back();
        stack.pop_back();
        for (std::uint32_t j = firstRoute(row); j < routeStart_[row + 1]; ++j) {
            const Route r = routePool_[j];
            if (!forest.tree.has(r.edge) || forest.mark[r.node] == label) continue;
            forest.mark[r.node] = label;
            stack.push_back(r.node);
        }
    }
}
