// The graph: a flat array of nodes, a flat array of edges and, per node, the list of its routes
// (incident edges). Every algorithm is a method that works by writing marks into these records:
// the tree flag of an edge, the tags of nodes and edges, and the count of tree edges at a node.
#pragma once

#include <cstdint>

#include "BigVector.h"

class LabelledUnionFind;
class Output;

struct Route {
    int edge;  // index into CGraph::edges
    int node;  // the node at the other end, seen from the owner (the owner itself for a self-loop)
};

struct Node {
    Route* routes;  // adjacency list in ascending edge order; null while degree is 0
    int degree;     // number of routes: incident edges, a self-loop counted once
    int bones;      // routes whose edge is in the tree; written by bones()
    int tag;        // working mark; its meaning belongs to the algorithm that last wrote it
};

struct Edge {
    int from;     // first endpoint; from -> to is the reference direction
    int to;       // second endpoint
    bool inTree;  // member of the current spanning forest
    int tag;      // working mark; after getLoop/getCut: orientation +1, -1 or 0
    int weight;
};

// Orders two edge numbers by the weights of their edges in the graph cmpweight_hint points to:
// 1 when the first weighs more, -1 when less, 0 when equal. BoruvkaKruskal sets the pointer.
extern "C" int cmpweight(const void* a, const void* b);
extern const class CGraph* cmpweight_hint;

class CGraph {
public:
    // The two states of a JarnikPrim node that are not keys. The method keeps them apart from
    // the keys, so that these two values are ordinary weights too; every node tag is DONE on
    // its return.
    static constexpr int NOT_REACHED = 0x7FFFFFFF;             // no key yet
    static constexpr int DONE = static_cast<int>(0x80000000);  // added to a tree

    int nodeCount;
    int edgeCount;
    Node* nodes;  // nodeCount records, index = node number
    Edge* edges;  // edgeCount records, index = edge number; the caller fills from, to, weight

    // Allocates both arrays; every node starts with degree 0 and no routes.
    CGraph(int n, int m);  // n nodes, m edges
    ~CGraph();
    CGraph(const CGraph&) = delete;
    CGraph& operator=(const CGraph&) = delete;

    // Where BoruvkaKruskal and JarnikPrim narrate their steps when asked to (nowhere by default).
    void narrateTo(Output* out) { narration_ = out; }

    // Builds every node's route list; the methods below need it, and it is built once.
    void makeRoutes();
    void clearVTags();
    void clearETags();
    int bones();
    bool isTail(int node) const;
    bool isTailBone(int node) const;
    int getCentroid(bool onlyUntagged) const;

    int skeleton();
    int BoruvkaKruskal(bool verbose);
    int JarnikPrim(bool verbose);
    // The forest of method 1 (skeleton), 2 (BoruvkaKruskal) or 3 (JarnikPrim), without narration,
    // as the loop and cut tasks number them; returns the number of trees.
    int markForest(int method);

    void getLoop(int edge);
    void getCut(int edge);
    void splitTree(int edge, int a, int b);

private:
    struct Walk;
    struct Forest;
    void skeleton_R(int start, Walk& walk);
    void countComponents(LabelledUnionFind& components, BigVector<int>& size) const;
    bool getLoop_R(int node, int target, Forest& forest);
    void split(int edge, int a, int b, Forest& forest);
    void splitTree_R(int node, int label, Forest& forest);

    // Every node's routes in one pool, a block per node in node order: node i's block is
    // routePool_[routeStart_[i]] up to routePool_[routeStart_[i + 1]], empty for a node without
    // routes; its routes, where Node::routes points, are the block without its header slot, if
    // it has one. makeRoutes lays the blocks out without header slots; the recursive forest's
    // walk spreads them once (routeGap_ 1) to give every node of degree kHeaderDegree or more a
    // header slot, where the walk keeps the node's cursor beside its routes (edge: the next route
    // to look at, -1 before the first entry; node: the degree), so that entering a node touches
    // one place in memory.
    BigVector<Route> routePool_;
    BigVector<std::uint32_t> routeStart_;
    std::uint32_t routeGap_ = 0;
    // The nodes of this degree or more get the header slot; those of smaller degree need none.
    static constexpr std::uint32_t kHeaderDegree = 3;
    bool hasHeader(int node) const {
        return routeGap_ > 0 && routeStart_[node + 1] - routeStart_[node] > kHeaderDegree;
    }
    std::uint32_t firstRoute(int node) const {
        return routeStart_[node] + (hasHeader(node) ? 1 : 0);
    }
    Output* narration_ = nullptr;
};
