// The worked examples of the documentation of every graph operation, each run against both the
// naive graph and CGraph: a misreading on either side shows as a failure on that side.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "Notes.h"
#include "Texts.h"
#include "naive_dialogue.h"
#include "support.h"

namespace reference {
namespace {

using V = std::vector<int>;

// A graph of n nodes from "from to weight" triples separated by commas.
GraphData gr(int n, const char* edges) {
    GraphData g{n, {}};
    std::istringstream in(edges);
    std::string triple;
    while (std::getline(in, triple, ',')) {
        std::istringstream t(triple);
        naive::EdgeData e{0, 0, 0};
        t >> e.from >> e.to >> e.weight;
        g.edges.push_back(e);
    }
    return g;
}

const GraphData kFourNodes = gr(4, "0 1 4, 1 2 1, 2 0 3, 2 3 2, 3 1 5");
const GraphData kFiveNodes = gr(5, "0 1 7, 3 4 2");
const GraphData kSixNodes = gr(6, "0 1 1, 0 2 1, 0 3 1, 1 2 1, 1 4 1, 3 5 1, 4 5 1");
const GraphData kSquare = gr(4, "0 1 1, 1 2 2, 2 3 3, 3 0 4");
const GraphData kSquareTurned = gr(4, "0 1 1, 2 1 2, 2 3 3, 3 0 4");

constexpr int kDone = INT_MIN;

struct ForestCase {
    const char* name;
    GraphData graph;
    int method;  // 1 skeleton, 2 BoruvkaKruskal, 3 JarnikPrim (both narrating)
    int count;   // the return value
    V inTree;
    V bones;  // empty: not checked
    std::string narration;
};

const std::string kBkSort(texts::kKruskalSorting.cs.view());

std::string bkJoin(int e, int w, int tTag, int t, int fTag, int f) {
    return formatted<texts::kKruskalJoining.cs>(e, w) +
           formatted<texts::kKruskalMoving.cs>(tTag, t, fTag, f);
}
std::string bkCount(int c) { return formatted<texts::kKruskalCount.cs>(c); }
std::string jpNext(int a) { return formatted<texts::kPrimAdding.cs>(a); }
std::string jpKey(int v, int w, int e) { return formatted<texts::kPrimOffering.cs>(v, w, e); }
std::string jpCount(int c) { return formatted<texts::kPrimCount.cs>(c); }

const std::vector<ForestCase>& forestCases() {
    static const std::vector<ForestCase> cases = {
        {"four nodes, walk from node 1", kFourNodes, 1, 1, {1, 1, 0, 0, 1}, {1, 3, 1, 1}, ""},
        {"four nodes, edge order",
         kFourNodes,
         2,
         1,
         {0, 1, 1, 1, 0},
         {1, 1, 3, 1},
         kBkSort + bkJoin(1, 1, 2, 2, 1, 1) + bkJoin(3, 2, 3, 3, 1, 2) + bkJoin(2, 3, 0, 0, 1, 2) +
             bkCount(1)},
        {"four nodes, growing trees",
         kFourNodes,
         3,
         1,
         {0, 1, 1, 1, 0},
         {1, 1, 3, 1},
         jpNext(0) + jpKey(1, 4, 0) + jpKey(2, 3, 2) + jpNext(2) + jpKey(1, 1, 1) + jpKey(3, 2, 3) +
             jpNext(1) + jpNext(3) + jpCount(1)},
        {"five nodes, walk", kFiveNodes, 1, 3, {1, 1}, {1, 1, 0, 1, 1}, ""},
        {"five nodes, edge order",
         kFiveNodes,
         2,
         3,
         {1, 1},
         {1, 1, 0, 1, 1},
         kBkSort + bkJoin(1, 2, 4, 4, 3, 3) + bkJoin(0, 7, 1, 1, 0, 0) + bkCount(3)},
        {"five nodes, growing trees",
         kFiveNodes,
         3,
         3,
         {1, 1},
         {1, 1, 0, 1, 1},
         jpNext(0) + jpKey(1, 7, 0) + jpNext(1) + jpNext(2) + jpNext(3) + jpKey(4, 2, 1) +
             jpNext(4) + jpCount(3)},
        {"six nodes, re-entry decides the tree",
         kSixNodes,
         1,
         1,
         {1, 1, 1, 0, 1, 1, 0},
         {3, 2, 1, 2, 1, 1},
         ""},
        {"no edges, walk", gr(3, ""), 1, 3, {}, {0, 0, 0}, ""},
        {"no edges, edge order", gr(3, ""), 2, 3, {}, {0, 0, 0}, kBkSort + bkCount(3)},
        {"no edges, growing trees",
         gr(3, ""),
         3,
         3,
         {},
         {0, 0, 0},
         jpNext(0) + jpNext(1) + jpNext(2) + jpCount(3)},
        {"one node, walk", gr(1, ""), 1, 1, {}, {0}, ""},
        {"one node, edge order", gr(1, ""), 2, 1, {}, {0}, kBkSort + bkCount(1)},
        {"one node, growing trees", gr(1, ""), 3, 1, {}, {0}, jpNext(0) + jpCount(1)},
        {"self-loop, walk", gr(2, "0 0 1, 0 1 1"), 1, 1, {0, 1}, {1, 1}, ""},
        {"self-loop only, edge order", gr(1, "0 0 -1"), 2, 1, {0}, {0}, kBkSort + bkCount(1)},
        {"negative self-loop, growing trees",
         gr(2, "0 0 -5, 0 1 3"),
         3,
         1,
         {0, 1},
         {1, 1},
         jpNext(0) + jpKey(1, 3, 1) + jpNext(1) + jpCount(1)},
        {"parallel edges, walk", gr(3, "0 1 1, 1 2 1, 2 1 1"), 1, 1, {1, 1, 0}, {1, 2, 1}, ""},
        {"parallel edges, lower one first", gr(2, "0 1 1, 1 0 1"), 1, 1, {1, 0}, {1, 1}, ""},
        {"equal weights in edge order",
         gr(3, "1 2 5, 0 1 5, 0 2 5"),
         2,
         1,
         {1, 1, 0},
         {1, 2, 1},
         kBkSort + bkJoin(0, 5, 2, 2, 1, 1) + bkJoin(1, 5, 1, 1, 0, 0) + bkCount(1)},
        {"equal key does not replace",
         gr(3, "0 1 5, 0 2 5, 2 1 5"),
         3,
         1,
         {1, 1, 0},
         {2, 1, 1},
         jpNext(0) + jpKey(1, 5, 0) + jpKey(2, 5, 1) + jpNext(1) + jpNext(2) + jpCount(1)},
        {"negative weights first",
         gr(3, "0 1 2147483647, 1 2 -2147483648, 0 2 0"),
         2,
         1,
         {0, 1, 1},
         {1, 1, 2},
         kBkSort + bkJoin(1, INT_MIN, 2, 2, 1, 1) + bkJoin(2, 0, 1, 2, 0, 0) + bkCount(1)},
        {"largest weight reaches a node",
         gr(2, "0 1 2147483647"),
         3,
         1,
         {1},
         {1, 1},
         jpNext(0) + jpKey(1, INT_MAX, 0) + jpNext(1) + jpCount(1)},
        {"smallest weight is a key, not done",
         gr(3, "0 1 5, 1 2 -2147483648, 0 2 3"),
         3,
         1,
         {0, 1, 1},
         {1, 1, 2},
         jpNext(0) + jpKey(1, 5, 0) + jpKey(2, 3, 2) + jpNext(2) + jpKey(1, INT_MIN, 1) +
             jpNext(1) + jpCount(1)},
        {"both extremes",
         gr(3, "0 1 2147483647, 1 2 -2147483648, 0 2 2147483647"),
         3,
         1,
         {1, 1, 0},
         {1, 2, 1},
         jpNext(0) + jpKey(1, INT_MAX, 0) + jpKey(2, INT_MAX, 2) + jpNext(1) +
             jpKey(2, INT_MIN, 1) + jpNext(2) + jpCount(1)},
        {"both extremes, edge order",
         gr(3, "0 1 2147483647, 1 2 -2147483648, 0 2 2147483647"),
         2,
         1,
         {1, 1, 0},
         {1, 2, 1},
         kBkSort + bkJoin(1, INT_MIN, 2, 2, 1, 1) + bkJoin(0, INT_MAX, 1, 1, 0, 0) + bkCount(1)},
    };
    return cases;
}

TEST(reference_examples, forests_returns_marks_and_narration) {
    for (const ForestCase& c : forestCases()) {
        SCOPED_TRACE(c.name);
        Twin tw(c.graph);
        tw.makeRoutes();
        int refCount = 0;
        int realCount = 0;
        realCount = tw.realForest(c.method, true);
        if (c.method == 1) {
            refCount = tw.ref.skeleton();
        } else if (c.method == 2) {
            refCount = tw.ref.BoruvkaKruskal(true);
        } else {
            refCount = tw.ref.JarnikPrim(true);
        }
        EXPECT_EQ(refCount, c.count) << "reference";
        EXPECT_EQ(realCount, c.count) << "CGraph";
        EXPECT_EQ(treeFlags(tw.ref), c.inTree) << "reference";
        EXPECT_EQ(treeFlags(tw.real), c.inTree) << "CGraph";
        EXPECT_EQ(tw.takeRef(), c.narration) << "reference";
        EXPECT_EQ(tw.takeReal(), c.narration) << "CGraph";
        const int tag = c.method == 1 ? 1 : (c.method == 2 ? -1 : kDone);
        const V nodeTagsOnReturn(static_cast<std::size_t>(c.graph.n), tag);
        EXPECT_EQ(nodeTags(tw.ref), nodeTagsOnReturn) << "reference";
        EXPECT_EQ(nodeTags(tw.real), nodeTagsOnReturn) << "CGraph";
        if (c.method == 1) {
            const V followed(c.graph.edges.size(), 1);
            EXPECT_EQ(edgeTags(tw.ref), followed) << "reference";
            EXPECT_EQ(edgeTags(tw.real), followed) << "CGraph";
        }
        tw.ref.bones();
        tw.real.bones();
        EXPECT_EQ(boneCounts(tw.ref), c.bones) << "reference";
        EXPECT_EQ(boneCounts(tw.real), c.bones) << "CGraph";
    }
}

// The order in which the walk enters the nodes is what decides the tree; only the reference can
// show it, so this pins the reading that both sides are compared against.
TEST(reference_examples, walk_enters_nodes_again_before_going_on) {
    naive::Graph g(kSixNodes.n, kSixNodes.edges);
    std::vector<int> entries;
    g.entries = &entries;
    g.makeRoutes();
    EXPECT_EQ(g.skeleton(), 1);
    EXPECT_EQ(entries, (V{0, 1, 2, 0, 3, 5, 4, 1}));
}

TEST(reference_examples, routes_degrees_and_queries) {
    struct Case {
        const char* name;
        GraphData graph;
        int node;
        V routes;  // (edge, node) pairs
    };
    const std::vector<Case> cases = {
        {"four nodes, node 1", kFourNodes, 1, {0, 0, 1, 2, 4, 3}},
        {"four nodes, node 2", kFourNodes, 2, {1, 1, 2, 0, 3, 3}},
        {"self-loop counted once", gr(3, "0 1 1, 2 2 1"), 2, {1, 2}},
        {"parallel edges, one route each", gr(2, "0 1 1, 1 0 1"), 0, {0, 1, 1, 1}},
        {"parallel edges, other end", gr(2, "0 1 1, 1 0 1"), 1, {0, 0, 1, 0}},
        {"isolated node", gr(3, "0 1 1"), 2, {}},
        {"one node", gr(1, ""), 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Twin tw(c.graph);
        tw.makeRoutes();
        EXPECT_TRUE(sameRoutes(tw.ref, tw.real));
        V actual;
        for (const Route& r : tw.real.routes(c.node)) {
            actual.push_back(r.edge);
            actual.push_back(r.node);
        }
        EXPECT_EQ(actual, c.routes);
        EXPECT_EQ(tw.real.degree(c.node), static_cast<int>(c.routes.size() / 2));
    }

    Twin tw(kFourNodes);  // degrees 2, 3, 3, 2
    tw.makeRoutes();
    tw.ref.clearVTags();
    tw.real.clearVTags();
    EXPECT_EQ(tw.ref.getCentroid(true), 1);
    EXPECT_EQ(tw.real.getCentroid(true), 1);
    tw.ref.nodes[1].tag = 1;
    tw.real.nodes[1].tag = 1;
    EXPECT_EQ(tw.ref.getCentroid(true), 2);
    EXPECT_EQ(tw.real.getCentroid(true), 2);
    EXPECT_EQ(tw.ref.getCentroid(false), 1);
    EXPECT_EQ(tw.real.getCentroid(false), 1);
    for (int i = 0; i < 4; ++i) {
        tw.ref.nodes[i].tag = i == 3 ? -7 : 1;
        tw.real.nodes[i].tag = i == 3 ? -7 : 1;
    }
    EXPECT_EQ(tw.ref.getCentroid(true), -1);
    EXPECT_EQ(tw.real.getCentroid(true), -1);
    EXPECT_EQ(tw.real.getCentroid(false), 1);
    Twin tail(kFiveNodes);
    tail.makeRoutes();
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(tail.ref.isTail(i), i != 2);
        EXPECT_EQ(tail.real.isTail(i), i != 2);
    }
}

struct LoopCutCase {
    const char* name;
    GraphData graph;
    int method;
    bool loop;  // getLoop, else getCut
    int edge;
    V orientations;
    V nodeTags;  // empty: not checked
};

void markForest(Twin& tw, int method) {
    if (method == 1) {
        tw.ref.skeleton();
        tw.real.skeleton();
    } else if (method == 2) {
        tw.ref.BoruvkaKruskal(false);
        tw.real.BoruvkaKruskal();
    } else {
        tw.ref.JarnikPrim(false);
        tw.real.JarnikPrim();
    }
    tw.ref.bones();
    tw.real.bones();
}

TEST(reference_examples, loops_and_cuts) {
    const GraphData selfLoops = gr(4, "0 1 1, 1 2 1, 2 3 1, 1 1 0, 2 2 0, 3 0 9");
    const GraphData squareAndEdge = gr(6, "0 1 1, 1 2 2, 2 3 3, 3 0 4, 4 5 1");
    const GraphData threeComponents = gr(5, "0 1 7, 3 4 2, 4 3 3");
    const std::vector<LoopCutCase> cases = {
        {"four nodes, loop of edge 2", kFourNodes, 1, true, 2, {1, 1, 1, 0, 0}, {1, 1, 1, 0}},
        {"four nodes, loop of edge 3", kFourNodes, 1, true, 3, {0, 1, 0, 1, 1}, {1, 1, 1, 1}},
        {"square, loop of edge 3", kSquare, 2, true, 3, {1, 1, 1, 1}, {}},
        {"square turned, loop of edge 3", kSquareTurned, 2, true, 3, {1, -1, 1, 1}, {}},
        {"self-loop is its own loop", gr(2, "0 1 1, 1 1 2"), 1, true, 1, {0, 1}, {0, 1}},
        {"loop in another component", threeComponents, 2, true, 2, {0, 1, 1}, {0, 0, 0, 1, 1}},
        {"four nodes, cut of edge 0", kFourNodes, 1, false, 0, {1, 0, -1, 0, 0}, {}},
        {"four nodes, cut of edge 1", kFourNodes, 1, false, 1, {0, 1, -1, -1, 0}, {}},
        {"four nodes, cut of edge 4", kFourNodes, 1, false, 4, {0, 0, 0, -1, 1}, {}},
        {"square, cut of edge 1", kSquare, 2, false, 1, {0, 1, 0, -1}, {1, 1, 2, 2}},
        {"square, cut of edge 2", kSquare, 2, false, 2, {0, 0, 1, -1}, {}},
        {"square, cut of edge 0", kSquare, 2, false, 0, {1, 0, 0, -1}, {}},
        {"self-loops stay out of a leaf's cut",
         gr(3, "0 1 1, 1 1 1, 1 2 1"),
         1,
         false,
         2,
         {0, 0, 1},
         {}},
        {"self-loops stay out of a cut", selfLoops, 2, false, 1, {0, 1, 0, 0, 0, -1}, {1, 1, 2, 2}},
        {"other components keep 0",
         squareAndEdge,
         2,
         false,
         1,
         {0, 1, 0, -1, 0},
         {1, 1, 2, 2, 0, 0}},
        {"other components keep 0, leaf", threeComponents, 2, false, 0, {1, 0, 0}, {}},
    };
    for (const LoopCutCase& c : cases) {
        SCOPED_TRACE(c.name);
        Twin tw(c.graph);
        tw.makeRoutes();
        markForest(tw, c.method);
        // Leaf cuts leave node tags alone: give them something to keep.
        for (int i = 0; i < c.graph.n; ++i) {
            tw.ref.nodes[i].tag = 40 + i;
            tw.real.nodes[i].tag = 40 + i;
        }
        if (c.loop) {
            tw.ref.getLoop(c.edge);
            tw.real.getLoop(c.edge);
        } else {
            tw.ref.getCut(c.edge);
            tw.real.getCut(c.edge);
        }
        EXPECT_EQ(edgeTags(tw.ref), c.orientations) << "reference";
        EXPECT_EQ(edgeTags(tw.real), c.orientations) << "CGraph";
        V expectedNodes = c.nodeTags;
        if (expectedNodes.empty() && !c.loop)
            for (int i = 0; i < c.graph.n; ++i) expectedNodes.push_back(40 + i);
        if (!expectedNodes.empty()) {
            EXPECT_EQ(nodeTags(tw.ref), expectedNodes) << "reference";
            EXPECT_EQ(nodeTags(tw.real), expectedNodes) << "CGraph";
        }
    }
}

TEST(reference_examples, split_tree_leaves_a_lone_to_node_with_the_from_label) {
    struct Case {
        int edge, a, b;
        V labels;
    };
    // Square, forest of edges 0, 1, 2: node 3 has no tree edge but edge 2.
    const std::vector<Case> cases = {
        {2, 1, 2, {1, 1, 1, 1}},
        {1, 1, 2, {1, 1, 2, 2}},
        {1, 5, 7, {5, 5, 7, 7}},
        {0, 1, 2, {1, 2, 2, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.edge);
        Twin tw(kSquare);
        tw.makeRoutes();
        markForest(tw, 2);
        tw.ref.splitTree(c.edge, c.a, c.b);
        tw.real.splitTree(c.edge, c.a, c.b);
        EXPECT_EQ(nodeTags(tw.ref), c.labels) << "reference";
        EXPECT_EQ(nodeTags(tw.real), c.labels) << "CGraph";
        EXPECT_EQ(edgeTags(tw.real), (V{0, 0, 0, 0}));
    }
}

// Whole runs from the documentation's examples, written out by hand.
struct TranscriptCase {
    const char* name;
    bool file;             // the graph from the scratch file (else from the keyboard)
    std::string graph;     // the file's bytes
    std::string input;     // standard input
    std::string expected;  // "@" stands for the file's path
    int status;
};

std::string opening() { return formatted<texts::kOpening.cs>("@"); }

std::string withPath(std::string text, const std::string& path) {
    for (std::size_t at = text.find('@'); at != std::string::npos; at = text.find('@', at))
        text.replace(at, 1, path);
    return text;
}

const std::string kFourFile = "5\n4\n0\n1\n4\n1\n2\n1\n2\n0\n3\n2\n3\n2\n3\n1\n5\n";

std::string fourNodesTask1() {
    return std::string("\n>>VYSTUP<<\n") +
           "hrana  0: v kostre= 1, vaha= 4\n"
           "hrana  1: v kostre= 1, vaha= 1\n"
           "hrana  2: v kostre= 0, vaha= 3\n"
           "hrana  3: v kostre= 0, vaha= 2\n"
           "hrana  4: v kostre= 1, vaha= 5\n"
           "uzel   0: kosti z= 1, smeru= 2\n"
           "uzel   1: kosti z= 3, smeru= 3\n"
           "uzel   2: kosti z= 1, smeru= 3\n"
           "uzel   3: kosti z= 1, smeru= 2\n";
}

std::string fourNodesMinimum() {
    return std::string("\n>>VYSTUP<<\n") +
           "hrana  0: v kostre= 0, vaha= 4\n"
           "hrana  1: v kostre= 1, vaha= 1\n"
           "hrana  2: v kostre= 1, vaha= 3\n"
           "hrana  3: v kostre= 1, vaha= 2\n"
           "hrana  4: v kostre= 0, vaha= 5\n"
           "uzel   0: kosti z= 1, smeru= 2\n"
           "uzel   1: kosti z= 1, smeru= 3\n"
           "uzel   2: kosti z= 3, smeru= 3\n"
           "uzel   3: kosti z= 1, smeru= 2\n";
}

const char* const kWalkFlags =
    "hrana  0: v kostre=1\nhrana  1: v kostre=1\nhrana  2: v kostre=0\nhrana  3: v kostre=0\n"
    "hrana  4: v kostre=1\n";

std::string twoNodes(int weight) {
    char w[16];
    std::snprintf(w, sizeof w, "%2d", weight);
    std::string text = "\n>>VYSTUP<<\nhrana  0: v kostre= 1, vaha=";
    text += w;
    text += "\nuzel   0: kosti z= 1, smeru= 1\nuzel   1: kosti z= 1, smeru= 1\n";
    return text;
}

const std::vector<TranscriptCase>& transcriptCases() {
    const std::string menu(texts::kMenu.cs.view());
    const std::string inconsistent = opening() + std::string(texts::kInconsistent.cs.view());
    const std::string ended(texts::kInputEnded.cs.view());
    const std::string yesNo(texts::kVerbosePrompt.cs.view());
    const std::string method(texts::kMethodPrompt.cs.view());
    const std::string loopEdge(texts::kLoopPrompt.cs.view());
    const std::string cutEdge(texts::kCutPrompt.cs.view());
    const std::string ok = opening() + std::string(texts::kOpenedOk.cs.view()) + menu;
    const std::string spaces254(254, ' ');
    const std::string spaces253(253, ' ');
    static const std::vector<TranscriptCase> cases = {
        {"one edge", true, "1\n2\n0\n1\n5\n", "1\n", ok + twoNodes(5), 0},
        {"no final line break", true, "1\n2\n0\n1\n5", "1\n", inconsistent, 1},
        {"empty file", true, "", "1\n", inconsistent, 1},
        {"counts only", true, "2\n3\n", "1\n", inconsistent, 1},
        {"surplus lines are never read", true, "1\n2\n0\n1\n5\n9\nx\n", "1\n", ok + twoNodes(5), 0},
        {"endpoint out of range is dropped", true, "1\n3\n9\n0\n2\n7\n", "1\n",
         ok + "\n>>VYSTUP<<\nhrana  0: v kostre= 1, vaha= 7\nuzel   0: kosti z= 1, smeru= 1\n"
              "uzel   1: kosti z= 0, smeru= 0\nuzel   2: kosti z= 1, smeru= 1\n",
         0},
        {"blanks before and a word after", true, "1\n  2 uzly\n0\n1\n5\n", "1\n", ok + twoNodes(5),
         0},
        {"carriage returns", true, "1\r\n2\r\n0\r\n1\r\n5\r\n", "1\r\n", ok + twoNodes(5), 0},
        {"a weight that is no number is read again", true, "1\n2\n0\n1\nx\n5\n", "1\n",
         ok + twoNodes(5), 0},
        {"signs", true, "1\n+2\n-0\n1\n-5\n", "1\n", ok + twoNodes(-5), 0},
        {"weights beyond 32 bits are read again", true, "1\n2\n0\n1\n2147483648\n-2147483648\n",
         "1\n", ok + twoNodes(INT_MIN), 0},
        {"last line of 255 characters does not meet the end", true,
         "1\n2\n0\n1\n" + spaces254 + "5", "1\n", ok + twoNodes(5), 0},
        {"last line of 254 characters meets the end", true, "1\n2\n0\n1\n" + spaces253 + "5", "1\n",
         inconsistent, 1},
        {"four nodes, task 1", true, kFourFile, "1\n", ok + fourNodesTask1(), 0},
        {"menu choice out of range is read again silently", true, kFourFile, "0\n6\nx\n1\n",
         ok + fourNodesTask1(), 0},
        {"a read is 255 characters", true, kFourFile, spaces254 + "12\n3\n", ok + fourNodesTask1(),
         0},
        {"yes/no by the first character", true, kFourFile, "2\nx\n\nA\nano\n",
         ok + yesNo + yesNo + yesNo + yesNo + kBkSort + bkJoin(1, 1, 2, 2, 1, 1) +
             bkJoin(3, 2, 3, 3, 1, 2) + bkJoin(2, 3, 0, 0, 1, 2) + bkCount(1) + fourNodesMinimum(),
         0},
        {"no narration", true, kFourFile, "3\nn\n", ok + yesNo + fourNodesMinimum(), 0},
        {"loop of edge 2", true, kFourFile, "4\n1\n0\n5\n-1\nx\n2\n",
         ok + method + kWalkFlags + loopEdge + loopEdge + loopEdge + loopEdge + loopEdge +
             "\n>>VYSTUP<<\nhrana  0: orientace= 1\nhrana  1: orientace= 1\n"
             "hrana  2: orientace= 1\nhrana  3: orientace= 0\nhrana  4: orientace= 0\n",
         0},
        {"cut of edge 1", true, kFourFile, "5\n0\n4\n1\n2\n3\n1",
         ok + method + method + method + kWalkFlags + cutEdge + cutEdge + cutEdge +
             "\n>>VYSTUP<<\nhrana  0: orientace= 0\nhrana  1: orientace= 1\n"
             "hrana  2: orientace=-1\nhrana  3: orientace=-1\nhrana  4: orientace= 0\n",
         0},
        {"no edges accept no edge number", true, "0\n2\n", "5\n1\n-1\n0\n",
         ok + method + cutEdge + cutEdge + cutEdge + ended, 3},
        {"no non-tree edge", true, "1\n2\n0\n1\n5\n", "4\n2\n0\n0\n",
         ok + method + "hrana  0: v kostre=1\n" + loopEdge + loopEdge + loopEdge + ended, 3},
        {"keyboard, values refused and asked again", false, "", "-1\n1\n0\n2\n5\n1\n0\n7\n1\n",
         "pocet hran: pocet hran: pocet uzlu : pocet uzlu : hrana 0 od uzlu: hrana 0 od uzlu: "
         "hrana 0 do uzlu: hrana 0 ma vahu: " +
             menu + twoNodes(7),
         0},
        {"keyboard, nothing typed", false, "", "", "pocet hran: " + ended, 3},
        {"keyboard, input ends at the yes/no question", false, "", "0\n1\n2\n",
         "pocet hran: pocet uzlu : " + menu + yesNo + ended, 3},
        {"keyboard, last answer without a line break", false, "", "0\n1\n1",
         "pocet hran: pocet uzlu : " + menu + "\n>>VYSTUP<<\nuzel   0: kosti z= 0, smeru= 0\n", 0},
        {"input ends at the menu", true, kFourFile, "", ok + ended, 3},
    };
    return cases;
}

TEST(reference_examples, transcripts) {
    ScratchFile scratch;
    for (const TranscriptCase& c : transcriptCases()) {
        SCOPED_TRACE(c.name);
        const std::string expected = withPath(c.expected, scratch.path());
        const char* path = c.file ? scratch.path() : nullptr;
        if (c.file) scratch.write(c.graph);
        const naive::RunResult ref = naive::runDialogue(path, c.file ? &c.graph : nullptr, c.input);
        EXPECT_EQ(ref.out, expected) << "reference";
        EXPECT_EQ(ref.status, c.status) << "reference";
        const RealRun real = runReal(path, c.input);
        EXPECT_EQ(real.out, expected) << "kostra";
        EXPECT_EQ(real.status, c.status) << "kostra";
        EXPECT_TRUE(naive::onlyNotes(real.err)) << real.err;
    }
}

TEST(reference_examples, graph_file_that_cannot_be_opened) {
    ScratchFile scratch;
    const std::string missing = std::string(scratch.directory()) + "/chybi.txt";
    for (const std::string& path : {missing, std::string(scratch.directory()), std::string()}) {
        SCOPED_TRACE(path);
        const std::string expected = formatted<texts::kCannotOpen.cs>(path.c_str());
        const naive::RunResult ref = naive::runDialogue(path.c_str(), nullptr, "1\n");
        EXPECT_EQ(ref.out, expected);
        EXPECT_EQ(ref.status, 2);
        const RealRun real = runReal(path.c_str(), "1\n");
        EXPECT_EQ(real.out, expected);
        EXPECT_EQ(real.status, 2);
    }
}

}  // namespace
}  // namespace reference
