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
#include "DegreeOrder.h"
#include "LabelledUnionFind.h"
#include "Observed.h"
#include "Processors.h"
#include "RouteLists.h"

namespace {

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

void CGraph::makeRoutes() { table_.reset(edges, edgeCount, nodeCount); }

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

// The methods nobody watches: the observed ones (Observed.h) with the observer that tells nobody.
int CGraph::skeleton() {
    Unwatched nobody;
    return skeleton(nobody);
}

int CGraph::BoruvkaKruskal() {
    Unwatched nobody;
    return BoruvkaKruskal(nobody);
}

int CGraph::JarnikPrim() {
    Unwatched nobody;
    return JarnikPrim(nobody);
}

int CGraph::markForest(Method method) {
    Unwatched nobody;
    return markForest(method, nobody);
}

void CGraph::getLoop(int edge) {
    Unwatched nobody;
    getLoop(edge, nobody);
}

void CGraph::getCut(int edge) {
    Unwatched nobody;
    getCut(edge, nobody);
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

void CGraph::weightRange(int& lightest, int& heaviest) {
    std::atomic<int> low{INT_MAX};
    std::atomic<int> high{INT_MIN};
    forRanges(edgeCount, [this, &low, &high](int from, int to) {
        int l = INT_MAX;
        int h = INT_MIN;
        for (int k = from; k < to; ++k) {
            edges[k].inTree = false;
            l = std::min(l, edges[k].weight);
            h = std::max(h, edges[k].weight);
        }
        for (int seen = low.load(); l < seen && !low.compare_exchange_weak(seen, l);) {
        }
        for (int seen = high.load(); h > seen && !high.compare_exchange_weak(seen, h);) {
        }
    });
    lightest = low.load();
    heaviest = high.load();
}

CGraph::Forest::Forest(CGraph& g) : mark(static_cast<std::size_t>(g.nodeCount), 0) {
    g.table_.release();  // read by no search; the next reader of routes builds it again
    const auto inTree = [](const Edge& e) { return e.inTree; };
    std::vector<BigVector<std::uint32_t>> earlier;
    countRoutes(g.edges, g.edgeCount, g.nodeCount, sharesFor(g.edgeCount, 1 << 16), first, earlier,
                inTree);
    lists.resize(first[static_cast<std::size_t>(g.nodeCount)]);
    placeRoutes(
        g.edges, g.edgeCount, g.nodeCount, first, 0, 1, earlier,
        [this](std::uint32_t at, int k, int other) {
            lists[at] = Route{k, other};
        },
        inTree);
}

void CGraph::splitTree(int edge, int a, int b) {
    clearETags();
    Forest forest(*this);
    split(edge, a, b, forest);
    // The codes of split() as labels: a label equal to another, or to 0, has its code.
    const int label[3] = {0, a, b};
    forest.copyMarksTo(*this, label);
}

// splitTree's labelling, into forest.mark, which starts all 0, as codes: 1 stands for a, 2 for b,
// 0 for 0 and for "no label". A label equal to 0 takes code 0 and b equal to a takes a's, so that
// the floods compare codes exactly as they would compare the labels.
void CGraph::split(int edge, int a, int b, Forest& forest) {
    const std::uint8_t codeA = a == 0 ? 0 : 1;
    const std::uint8_t codeB = b == 0 ? 0 : b == a ? codeA : 2;
    const int f = edges[edge].from;
    const int t = edges[edge].to;
    forest.mark[t] = codeA;  // a barrier: the flood from f cannot pass t
    splitTree_R(f, codeA, forest);
    forest.mark[f] = codeB;  // a barrier again, and the flood from t relabels t when it comes back
    splitTree_R(t, codeB, forest);
    forest.mark[f] = codeA;
}

// Floods code over tree edges from node: every node reachable through nodes whose code differs
// gets it. The start node is coded only when the flood comes back to it, as the recursion
// "for every tree route to a differently labelled neighbour: label it and flood from it" does;
// the labelled set does not depend on the order, so a plain stack of the nodes whose routes are
// still to be looked at serves.
void CGraph::splitTree_R(int node, std::uint8_t code, Forest& forest) {
    BigVector<int> stack;
    stack.reserve(static_cast<std::size_t>(nodeCount) + 1);  // every node once, and the start
    stack.push_back(node);
    while (!stack.empty()) {
        const int row = stack.back();
        stack.pop_back();
        for (std::uint32_t j = forest.first[row]; j < forest.first[row + 1]; ++j) {
            const Forest::Route& r = forest.lists[j];
            if (forest.mark[r.node] == code) continue;
            forest.mark[r.node] = code;
            __builtin_prefetch(&forest.first[r.node]);
            stack.push_back(r.node);
        }
    }
}
