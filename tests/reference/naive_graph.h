// A second, deliberately naive CGraph for the tests to compare the real one against: every
// algorithm is written exactly as its procedure first reads, one step per line, recursion and
// quadratic scans included. It is slow and meant only for small graphs (the recursions grow with
// the graph). The records mirror CGraph's, with vectors instead of owned arrays.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "CGraph.h"

namespace naive {

struct Route {
    int edge;  // index into Graph::edges
    int node;  // the other end, seen from the owner (the owner itself for a self-loop)
};

struct Node {
    std::vector<Route> routes;  // in ascending edge order
    int degree = 0;             // routes, a self-loop counted once
    int bones = 0;              // routes whose edge is in the tree
    int tag = 0;
};

struct Edge {
    int from = 0;
    int to = 0;
    bool inTree = false;
    int tag = 0;
    int weight = 0;
};

struct EdgeData {
    int from;
    int to;
    int weight;
};

class Graph {
public:
    static constexpr int NOT_REACHED = 0x7FFFFFFF;
    static constexpr int DONE = static_cast<int>(0x80000000);

    int nodeCount;
    int edgeCount;
    std::vector<Node> nodes;
    std::vector<Edge> edges;
    std::string* narration = nullptr;     // where the verbose lines go; nowhere when null
    std::vector<int>* entries = nullptr;  // when set, skeleton_R appends every node it enters
    // When set, every method appends its decisions, a line each, as the tests' event log writes
    // what CGraph tells an observer (support.h): "tree 3", "entry 3", "claim 1 0", "sorting",
    // "accepted 4 2 1", "refused 5 1", "untaken 6", "chosen 2 3 1", "lowered 4 2147483647 -1 6 3",
    // "count 2", "loop 3 -1", "leaf 0", "side 2 1", "cut 3 -1". The walk tells every first entry,
    // also those after a tree's last claim, which CGraph leaves out.
    std::string* events = nullptr;

    Graph(int n, const std::vector<EdgeData>& data);

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

    void getLoop(int edge);
    void getCut(int edge);
    void splitTree(int edge, int a, int b);

private:
    void skeleton_R(int row);
    std::vector<bool> entered_;  // skeleton_R has run for the node
    bool getLoop_R(int row, int target);
    std::vector<int> path_;  // the loop's tree path, as getLoop_R finds it (from its far end)
    void logSides(int e);
    void splitTree_R(int row, int label);
    void narrate(const char* line);
    void log(const char* what, std::initializer_list<int> values);
};

// The inclusive range test of the console: b between a and c, in either order, on doubles.
bool betweend(double a, double b, double c);

}  // namespace naive
