#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "CGraph.h"
#include "Narration.h"
#include "Observed.h"
#include "Output.h"
#include "Texts.h"

// The allocations to grant before one fails (-1: all of them); tests/failing_allocations.cpp.
extern long allocationsLeft;

namespace {

using EdgeList = std::vector<std::tuple<int, int, int>>;  // from, to, weight

void setEdges(CGraph& g, const EdgeList& list) {
    ASSERT_EQ(static_cast<int>(list.size()), g.edgeCount);
    for (int i = 0; i < g.edgeCount; ++i) {
        const auto [f, t, w] = list[static_cast<std::size_t>(i)];
        g.edges[i] = Edge{f, t, false, 0, w};
    }
}

std::vector<int> treeFlags(const CGraph& g) {
    std::vector<int> flags;
    for (int i = 0; i < g.edgeCount; ++i) flags.push_back(g.edges[i].inTree ? 1 : 0);
    return flags;
}

std::vector<int> edgeTags(const CGraph& g) {
    std::vector<int> tags;
    for (int i = 0; i < g.edgeCount; ++i) tags.push_back(g.edges[i].tag);
    return tags;
}

std::vector<std::pair<int, int>> routes(const CGraph& g, int node) {
    std::vector<std::pair<int, int>> list;
    for (const Route& r : g.routes(node)) list.emplace_back(r.edge, r.node);
    return list;
}

const EdgeList kFourNodes = {{0, 1, 4}, {1, 2, 1}, {2, 0, 3}, {2, 3, 2}, {3, 1, 5}};

TEST(cgraph, route_lists_hold_incident_edges_in_edge_order) {
    CGraph g(5, 6);
    setEdges(g, {{2, 2, 9}, {0, 1, 1}, {1, 0, 2}, {3, 1, 3}, {1, 3, 4}, {0, 3, 5}});
    g.makeRoutes();
    using R = std::vector<std::pair<int, int>>;
    EXPECT_EQ(routes(g, 0), (R{{1, 1}, {2, 1}, {5, 3}}));
    EXPECT_EQ(routes(g, 1), (R{{1, 0}, {2, 0}, {3, 3}, {4, 3}}));
    EXPECT_EQ(routes(g, 2), (R{{0, 2}}));  // a self-loop once, pointing back
    EXPECT_EQ(routes(g, 3), (R{{3, 1}, {4, 1}, {5, 0}}));
    EXPECT_EQ(g.degree(4), 0);
    EXPECT_TRUE(routes(g, 4).empty());
    EXPECT_TRUE(g.isTail(2));
    EXPECT_FALSE(g.isTail(4));
}

TEST(cgraph, centroid_is_the_lowest_node_of_greatest_degree) {
    CGraph g(4, 5);
    setEdges(g, kFourNodes);
    g.makeRoutes();
    g.clearVTags();
    EXPECT_EQ(g.getCentroid(true), 1);  // degrees 2, 3, 3, 2
    g.nodes[1].tag = 1;
    EXPECT_EQ(g.getCentroid(true), 2);
    EXPECT_EQ(g.getCentroid(false), 1);
    for (int i = 0; i < 4; ++i) g.nodes[i].tag = -1;
    EXPECT_EQ(g.getCentroid(true), -1);
    EXPECT_EQ(g.getCentroid(false), 1);
}

// Degrees of 65536 and more are ordered apart from the smaller ones: the same rule holds there.
TEST(cgraph, centroid_order_holds_among_degrees_of_65536_and_more) {
    EdgeList edges;
    for (const auto& [f, t, count] :
         {std::tuple{1, 2, 35000}, {2, 3, 35000}, {3, 1, 35000}, {4, 0, 66000}, {5, 6, 1}})
        for (int k = 0; k < count; ++k) edges.emplace_back(f, t, 1);
    CGraph g(7, static_cast<int>(edges.size()));
    setEdges(g, edges);
    g.makeRoutes();
    g.clearVTags();
    for (const int expected : {1, 2, 3, 0, 4, 5, 6}) {
        const int node = g.getCentroid(true);
        EXPECT_EQ(node, expected);
        if (node < 0) break;
        g.nodes[node].tag = 1;
    }
}

TEST(cgraph, skeleton_claims_all_neighbours_before_walking) {
    struct Case {
        int n;
        EdgeList edges;
        int trees;
        std::vector<int> inTree;
        std::vector<int> bones;
    };
    const Case cases[] = {
        {4, kFourNodes, 1, {1, 1, 0, 0, 1}, {1, 3, 1, 1}},
        // Node 0 is re-entered from node 2 before edge 2 leads on to node 3, so node 5 joins
        // through edge 5, not edge 6.
        {6,
         {{0, 1, 0}, {0, 2, 0}, {0, 3, 0}, {1, 2, 0}, {1, 4, 0}, {3, 5, 0}, {4, 5, 0}},
         1,
         {1, 1, 1, 0, 1, 1, 0},
         {3, 2, 1, 2, 1, 1}},
        {5, {{0, 1, 7}, {3, 4, 2}}, 3, {1, 1}, {1, 1, 0, 1, 1}},
        {3, {}, 3, {}, {0, 0, 0}},
        {2, {{0, 0, 1}, {0, 1, 1}, {1, 0, 1}, {1, 1, 1}}, 1, {0, 1, 0, 0}, {1, 1}},
    };
    for (const Case& c : cases) {
        CGraph g(c.n, static_cast<int>(c.edges.size()));
        setEdges(g, c.edges);
        g.makeRoutes();
        EXPECT_EQ(g.skeleton(), c.trees);
        EXPECT_EQ(treeFlags(g), c.inTree);
        g.bones();
        for (int i = 0; i < c.n; ++i) {
            EXPECT_EQ(g.nodes[i].bones, c.bones[static_cast<std::size_t>(i)]) << "node " << i;
            EXPECT_EQ(g.nodes[i].tag, 1);
        }
        for (int k = 0; k < g.edgeCount; ++k) EXPECT_EQ(g.edges[k].tag, 1);
        // A second walk over the same routes finds the same forest: the first left every
        // route naming its neighbour again.
        EXPECT_EQ(g.skeleton(), c.trees);
        EXPECT_EQ(treeFlags(g), c.inTree);
        for (int i = 0; i < c.n; ++i)
            for (const Route& r : g.routes(i)) {
                const Edge& e = g.edges[r.edge];
                EXPECT_EQ(r.node, e.from == i ? e.to : e.from);
            }
    }
}

// Memory that runs out during the walk, before it starts or where the second tree counts the
// components (after the first tree's nodes have renamed their routes into hops), leaves every
// route naming its neighbour again, so that the next walk finds the same forest.
TEST(cgraph, a_walk_that_runs_out_of_memory_gives_every_route_back) {
    EdgeList edges;  // a cube (three routes a node: cursor slots, hops), then a path of 32 nodes
    for (const auto& [f, t] : {std::pair{0, 1},
                               {1, 2},
                               {2, 3},
                               {3, 0},
                               {4, 5},
                               {5, 6},
                               {6, 7},
                               {7, 4},
                               {0, 4},
                               {1, 5},
                               {2, 6},
                               {3, 7}})
        edges.emplace_back(f, t, 1);
    for (int v = 8; v < 39; ++v) edges.emplace_back(v, v + 1, 1);
    CGraph g(40, static_cast<int>(edges.size()));
    setEdges(g, edges);
    std::vector<std::vector<std::pair<int, int>>> lists;
    for (int i = 0; i < g.nodeCount; ++i) lists.push_back(routes(g, i));
    ASSERT_EQ(g.skeleton(), 2);
    const std::vector<int> forest = treeFlags(g);

    int failed = 0;
    for (long granted = 0;; ++granted) {
        allocationsLeft = granted;
        bool done = true;
        try {
            g.skeleton();
        } catch (const std::bad_alloc&) {
            done = false;
            ++failed;
        }
        allocationsLeft = -1;
        for (int i = 0; i < g.nodeCount; ++i)
            ASSERT_EQ(routes(g, i), lists[static_cast<std::size_t>(i)]) << "after " << granted;
        ASSERT_EQ(g.skeleton(), 2);
        ASSERT_EQ(treeFlags(g), forest);
        if (done) break;
    }
    EXPECT_GE(failed, 5);  // the walk's own arrays, the degree order and the component count
}

TEST(cgraph, bones_counts_tree_edges_and_returns_the_leaves) {
    CGraph g(4, 5);
    setEdges(g, kFourNodes);
    g.makeRoutes();
    g.skeleton();
    EXPECT_EQ(g.bones(), 3);  // bones 1, 3, 1, 1
    EXPECT_TRUE(g.isTailBone(0));
    EXPECT_FALSE(g.isTailBone(1));
}

// Weight orders the sort must get right: equal weights, negative ones, only the low or only the
// high 16-bit half varying, both varying, one weight for all, the 32-bit extremes.
TEST(cgraph, edges_are_taken_by_weight_then_edge_number) {
    std::mt19937 rng(7);
    struct Range {
        int lo, hi, scale;
    };
    const Range ranges[] = {
        {1, 3, 1},         {-3, 3, 1},     {-70000, 70000, 1}, {-2147483647 - 1, 2147483647, 1},
        {65530, 65540, 1}, {-5, 5, 65536}, {7, 7, 1}};
    for (const auto& [lo0, hi0, scale] : ranges) {
        const int lo = lo0 * scale;
        const int hi = hi0 * scale;
        const int n = 60;
        const int m = 300;
        CGraph g(n, m);
        std::uniform_int_distribution<int> node(0, n - 1);
        std::uniform_int_distribution<int> weight(lo0, hi0);
        for (int k = 0; k < m; ++k)
            g.edges[k] = Edge{node(rng), node(rng), false, 0, weight(rng) * scale};
        g.edges[0].weight = hi;
        g.edges[1].weight = lo;
        g.makeRoutes();
        std::string trace;
        Output out(&trace);
        Narration narration(out, g, Method::BoruvkaKruskal);
        const int components = g.BoruvkaKruskal(narration);
        out.flush();

        // The same edges in the same order from a stable sort and a plain relabelling pass.
        std::vector<int> order(m);
        std::iota(order.begin(), order.end(), 0);
        cmpweight_hint = &g;
        std::stable_sort(order.begin(), order.end(),
                         [](int a, int b) { return cmpweight(&a, &b) < 0; });
        std::vector<int> label(n);
        std::iota(label.begin(), label.end(), 0);
        std::string expected;
        expected += texts::kKruskalSorting.cs.view();
        int joins = 0;
        for (const int e : order) {
            const int f = g.edges[e].from;
            const int t = g.edges[e].to;
            const int lf = label[static_cast<std::size_t>(f)];
            const int lt = label[static_cast<std::size_t>(t)];
            EXPECT_EQ(g.edges[e].inTree, lf != lt) << "edge " << e;
            if (lf == lt) continue;
            ++joins;
            expected += formatted<texts::kKruskalJoining.cs>(e, g.edges[e].weight);
            expected += formatted<texts::kKruskalMoving.cs>(lt, t, lf, f);
            for (int& l : label) l = l == lt ? lf : l;
        }
        expected += formatted<texts::kKruskalCount.cs>(n - joins);
        EXPECT_EQ(components, n - joins);
        EXPECT_EQ(trace, expected) << lo << ".." << hi;
        for (int i = 0; i < n; ++i) EXPECT_EQ(g.nodes[i].tag, -1);
    }
}

// The extreme weights are ordinary keys: "not reached" lies above them all.
TEST(cgraph, jarnik_prim_takes_every_32_bit_weight) {
    const int maxW = 2147483647;
    const int minW = -2147483647 - 1;
    struct Case {
        int n;
        EdgeList edges;
        std::vector<int> inTree;
        int components;
    };
    const Case cases[] = {
        {2, {{0, 1, maxW}}, {1}, 1},
        {3, {{0, 1, maxW}, {1, 2, maxW}, {0, 2, maxW}}, {1, 0, 1}, 1},
        {3, {{0, 1, minW}, {1, 2, minW}, {2, 0, 5}}, {1, 1, 0}, 1},
        {3, {{0, 0, minW}, {1, 1, minW}, {1, 2, maxW}}, {0, 0, 1}, 2},
        {4, {{0, 1, 5}, {1, 2, minW}, {0, 2, maxW}, {2, 3, maxW}}, {1, 1, 0, 1}, 1},
    };
    for (const Case& c : cases) {
        CGraph g(c.n, static_cast<int>(c.edges.size()));
        setEdges(g, c.edges);
        g.makeRoutes();
        EXPECT_EQ(g.JarnikPrim(), c.components);
        EXPECT_EQ(treeFlags(g), c.inTree);
        for (int i = 0; i < c.n; ++i) EXPECT_EQ(g.nodes[i].tag, CGraph::DONE);
    }
}

TEST(cgraph, loops_and_cuts_of_the_worked_examples) {
    const EdgeList square = {{0, 1, 1}, {1, 2, 2}, {2, 3, 3}, {3, 0, 4}};
    EdgeList reversed = square;
    reversed[1] = {2, 1, 2};
    struct Case {
        const EdgeList* edges;
        int n;
        int method;  // 1 skeleton, 2 BoruvkaKruskal
        bool loop;
        int edge;
        std::vector<int> orientation;
    };
    const Case cases[] = {
        {&kFourNodes, 4, 1, true, 2, {1, 1, 1, 0, 0}},
        {&kFourNodes, 4, 1, true, 3, {0, 1, 0, 1, 1}},
        {&kFourNodes, 4, 1, false, 0, {1, 0, -1, 0, 0}},
        {&kFourNodes, 4, 1, false, 1, {0, 1, -1, -1, 0}},
        {&kFourNodes, 4, 1, false, 4, {0, 0, 0, -1, 1}},
        {&square, 4, 2, true, 3, {1, 1, 1, 1}},
        {&reversed, 4, 2, true, 3, {1, -1, 1, 1}},
        {&square, 4, 2, false, 1, {0, 1, 0, -1}},
        {&square, 4, 2, false, 2, {0, 0, 1, -1}},
        {&square, 4, 2, false, 0, {1, 0, 0, -1}},
    };
    for (const Case& c : cases) {
        CGraph g(c.n, static_cast<int>(c.edges->size()));
        setEdges(g, *c.edges);
        g.makeRoutes();
        if (c.method == 1) g.skeleton();
        if (c.method == 2) g.BoruvkaKruskal();
        g.bones();
        if (c.loop)
            g.getLoop(c.edge);
        else
            g.getCut(c.edge);
        EXPECT_EQ(edgeTags(g), c.orientation) << (c.loop ? "loop of " : "cut of ") << c.edge;
    }
}

TEST(cgraph, cut_sides_are_labelled_when_neither_end_is_a_leaf) {
    CGraph g(4, 4);
    setEdges(g, {{0, 1, 1}, {1, 2, 2}, {2, 3, 3}, {3, 0, 4}});
    g.makeRoutes();
    g.BoruvkaKruskal();
    g.bones();
    g.getCut(1);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(g.nodes[i].tag, i < 2 ? 1 : 2) << "node " << i;
}

TEST(cgraph, loop_of_an_edge_whose_ends_no_tree_joins_signs_nothing) {
    CGraph g(3, 2);
    setEdges(g, {{0, 1, 1}, {1, 2, 1}});
    g.makeRoutes();  // no edge in a tree
    g.getLoop(0);
    EXPECT_EQ(edgeTags(g), (std::vector<int>{0, 0}));
}

TEST(cgraph, self_loop_is_its_own_loop_and_never_in_a_cut) {
    CGraph g(3, 4);
    setEdges(g, {{0, 1, 1}, {1, 1, 1}, {1, 2, 1}, {2, 2, 1}});
    g.makeRoutes();
    g.JarnikPrim();
    g.bones();
    g.getLoop(1);
    EXPECT_EQ(edgeTags(g), (std::vector<int>{0, 1, 0, 0}));
    g.getCut(2);  // node 2 is a leaf with a self-loop
    EXPECT_EQ(edgeTags(g), (std::vector<int>{0, 0, 1, 0}));
    g.getCut(0);
    EXPECT_EQ(edgeTags(g), (std::vector<int>{1, 0, 0, 0}));
}

}  // namespace
