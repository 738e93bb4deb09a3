// The graph: a flat array of nodes, a flat array of edges and the table of every node's routes
// (incident edges). Every algorithm is a method that works by writing marks into the records: the
// tree flag of an edge, the tags of nodes and edges, and the count of tree edges at a node.
//
// With n nodes and m edges: nodes are 0 .. n - 1, edges 0 .. m - 1 in the order of the graph
// description, and every edge's from and to lie in 0 .. n - 1. The route table is built from the
// edges when a method first reads it (makeRoutes() below).
#pragma once

#include <cstdint>
#include <vector>

#include "BigVector.h"
#include "Observer.h"
#include "RouteTable.h"

class LabelledUnionFind;

struct Node {
    int bones;  // routes whose edge is in the tree; written by bones()
    int tag;    // working mark; its meaning belongs to the algorithm that last wrote it
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

// The three ways of marking a spanning forest, numbered as the loop and cut tasks ask for them.
enum class Method {
    Skeleton = 1,        // the forest grown from the node of greatest degree (skeleton)
    BoruvkaKruskal = 2,  // a minimum forest by ascending weight
    JarnikPrim = 3,      // a minimum forest grown tree by tree
};
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

    // Allocates both arrays; every node's bones and tag start at 0. Throws std::bad_alloc when
    // the memory cannot be had.
    CGraph(int n, int m);  // n nodes, m edges
    ~CGraph();
    CGraph(const CGraph&) = delete;
    CGraph& operator=(const CGraph&) = delete;

    // The edges are complete: the route table is built from them as far as it is read, the
    // degrees when first read, the lists by the first method that reads them, in the layout it
    // reads best. Called again after the edges change, it forgets what was built from the old
    // ones. A method that needs the table builds it itself when makeRoutes() was never called.
    // Cost: O(1) here; O(n + m) for what is read later.
    void makeRoutes();
    // The number of routes of the node: the edges that touch it, a self-loop once. The first call
    // counts every node's routes (O(n + m)): call countDegrees() first where several threads read
    // degrees at once.
    int degree(int node) const { return counted().degree(node); }
    void countDegrees() const { counted(); }
    // The node's routes in ascending edge number: for every edge that touches it, the edge and the
    // node at its other end (the node itself for a self-loop).
    RouteTable::Routes routes(int node) const { return listed().routes(node); }

    // Set every node tag (clearVTags) or every edge tag (clearETags) to 0; inTree stays.
    void clearVTags();
    void clearETags();
    // Counts the tree edges at every node into bones (a route whose edge is in the tree counts
    // once) and returns the number of leaves, the nodes with exactly one. Cost: O(n + m).
    int bones();
    // The node has exactly one route (isTail), or exactly one tree edge by bones (isTailBone).
    bool isTail(int node) const;
    bool isTailBone(int node) const;
    // The node of greatest degree, the lowest-numbered one on ties, among all nodes or
    // (onlyUntagged) among those whose tag is 0; -1 when no node qualifies.
    // Cost: O(n + greatest degree).
    int getCentroid(bool onlyUntagged) const;

    // Every method below that decides something comes twice: plain, and with an observer that it
    // tells every decision (Observer.h says what each tells, and in which order). The plain one is
    // the observed one with Unwatched, which tells nobody and costs nothing. The observed forms'
    // bodies are in Observed.h, for the code that runs them with an observer of its own.

    // The forest grown from the node of greatest degree. Marks a spanning forest in inTree
    // without regard to weights and returns the number of trees (an isolated node is one; a graph
    // without edges gives n trees and no tree edge). Each tree grows from the untagged node of
    // greatest degree, lowest number on ties (getCentroid(true)), by a walk that, at every node
    // it enters, first claims every neighbour not yet claimed, putting the edge to it in the tree,
    // and then follows every edge not yet followed to the node at its other end; a node is
    // entered once per edge by which the walk reaches it. On return every node tag and every edge
    // tag is 1 (every edge is followed). Cost: O(n + m + greatest degree); no recursion. Watched,
    // it counts the components first, O(n + m α(n)), to tell where each tree ends.
    int skeleton();
    template <class Observer>
    int skeleton(Observer& tell);
    // A minimum spanning forest by ascending weight: marks it in inTree and returns the number of
    // components (an isolated node is one; a graph without edges gives n). Edges are taken in
    // ascending weight, equal weights in ascending edge number, so the forest and what it tells
    // are reproducible; an edge is accepted when it joins two different subtrees, and the subtree
    // of its to node takes the label of the subtree of its from node. On return every node tag is
    // -1; edge tags are untouched. Reads no route. Cost: O(m) for the sort, then O(m α(n)).
    int BoruvkaKruskal();
    template <class Observer>
    int BoruvkaKruskal(Observer& tell);
    // A minimum spanning forest grown tree by tree: marks it in inTree and returns the number of
    // trees (an isolated node is one; a graph without edges gives n). A tree starts at the
    // lowest-numbered node no earlier tree has reached and repeatedly adds the open node of
    // smallest key, the lowest number on ties; adding node a offers each neighbour not yet added
    // the edge's weight as its key when that is strictly below its key. Every 32-bit weight works;
    // a self-loop changes nothing. On return every node tag is DONE; edge tags are untouched.
    // Cost: O(m log n); the same with smaller heaps, a bucket a weight, when the weights span at
    // most 2^16 values and at most n / 32.
    int JarnikPrim();
    template <class Observer>
    int JarnikPrim(Observer& tell);
    // The forest of the method; returns the number of trees.
    int markForest(Method method);
    template <class Observer>
    int markForest(Method method, Observer& tell);

    // The independent loop of a non-tree edge (\pre !edges[edge].inTree), in the edge tags: the
    // edge +1, every edge of the tree path from its to node back to its from node +1 when the loop
    // runs along it (from -> to), -1 against it, every other edge 0; a self-loop is its own loop,
    // and an edge whose ends no tree joins leaves every tag 0. Node tags are left as the visited
    // marks (0/1) of a depth-first search from the to node over tree edges in route order.
    // Cost: O(n + m).
    void getLoop(int edge);
    template <class Observer>
    void getLoop(int edge, Observer& tell);
    // The independent cut of a tree edge (\pre edges[edge].inTree, and bones() counted on the
    // current forest), in the edge tags: every edge joining the side of its from node to the
    // side of its to node +1 when it runs from the from side to the to side, -1 the other way,
    // every other edge 0 (self-loops and other trees' edges included). When an endpoint is a
    // leaf of the forest its side is that node alone and node tags are left untouched; otherwise
    // they end as the side labels of splitTree(edge, 1, 2). Cost: O(n + m).
    void getCut(int edge);
    template <class Observer>
    void getCut(int edge, Observer& tell);
    // Labels the from side of the tree edge with a and its to side with b, every other node 0,
    // after clearing all node and edge tags. The to node ends with b only when it has another tree
    // edge (otherwise it keeps a); the from node always ends with a. Cost: O(n + m).
    void splitTree(int edge, int a, int b);

private:
    struct Walk;
    struct Forest;
    template <class Observer>
    void skeleton_R(int start, Walk& walk, Observer& tell);
    // JarnikPrim's trees grown with open as the queue of open nodes.
    template <class Queue, class Observer>
    int growPrim(Queue& open, Observer& tell);
    void countComponents(LabelledUnionFind& components, BigVector<int>& size) const;
    // The lowest and the highest weight of an edge, and every tree flag cleared.
    void weightRange(int& lightest, int& heaviest);
    template <class Observer>
    bool getLoop_R(int node, int target, Forest& forest, Observer& tell, int closing);
    void split(int edge, int a, int b, Forest& forest);
    void splitTree_R(int node, std::uint8_t code, Forest& forest);
    // bones holds, for every node, the count bones() gives for the current inTree flags.
    bool bonesAreCurrent() const;

    // The table as far as the caller reads it: the degrees, or the routes too. Built on first use.
    const RouteTable& counted() const {
        if (!table_.counted()) table_.count();
        return table_;
    }
    const RouteTable& listed() const {
        if (!table_.listed()) table_.list();
        return table_;
    }
    mutable RouteTable table_;  // derived from the edges, built as far as it is read
};
