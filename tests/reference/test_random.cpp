// Thousands of small random graphs, every operation run on both the naive graph and CGraph with
// every mark compared, plus checks that rest on nothing but the edge list: forests span and are
// minimal, loops close, cuts separate, and loops and cuts of one forest are orthogonal.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "support.h"

namespace reference {
namespace {

using V = std::vector<int>;

constexpr int kDone = static_cast<int>(0x80000000);

int runMethod(Twin& tw, int method, bool verbose, int& realCount) {
    realCount = tw.real.markForest(static_cast<Method>(method));
    if (method == 1) return tw.ref.skeleton();
    if (method == 2) return tw.ref.BoruvkaKruskal(verbose);
    return tw.ref.JarnikPrim(verbose);
}

// Everything about one graph. Stops at the first difference (a fatal failure).
void checkGraph(const GraphData& graph, Rng& rng, std::int64_t bruteForce) {
    Twin tw(graph);
    const int m = static_cast<int>(graph.edges.size());
    tw.makeRoutes();
    ASSERT_TRUE(sameRoutes(tw.ref, tw.real));

    // The queries, under random tags.
    for (int round = 0; round < 3; ++round) {
        for (int i = 0; i < graph.n; ++i) {
            const int tag = rng.chance(60) ? 0 : rng.pick(-2, 2);
            tw.ref.nodes[i].tag = tag;
            tw.real.nodes[i].tag = tag;
        }
        ASSERT_EQ(tw.ref.getCentroid(true), tw.real.getCentroid(true));
        ASSERT_EQ(tw.ref.getCentroid(false), tw.real.getCentroid(false));
    }
    for (int i = 0; i < graph.n; ++i) ASSERT_EQ(tw.ref.isTail(i), tw.real.isTail(i)) << i;

    std::vector<std::int64_t> minimum;
    for (int method = 1; method <= 3; ++method) {
        SCOPED_TRACE("forest method " + std::to_string(method));
        // Marks left by the previous method must not matter: scribble on them.
        for (int k = 0; k < m; ++k) {
            const bool flag = rng.chance(50);
            const int tag = rng.pick(-1, 2);
            tw.ref.edges[k].inTree = flag;
            tw.real.edges[k].inTree = flag;
            tw.ref.edges[k].tag = tag;
            tw.real.edges[k].tag = tag;
        }
        for (int i = 0; i < graph.n; ++i) {
            const int tag = rng.pick(-1, 2);
            tw.ref.nodes[i].tag = tag;
            tw.real.nodes[i].tag = tag;
        }
        const V edgeTagsBefore = edgeTags(tw.real);
        const bool verbose = rng.chance(70);
        int realCount = 0;
        std::string literalEvents;
        tw.ref.events = &literalEvents;
        const int refCount = runMethod(tw, method, verbose, realCount);
        tw.ref.events = nullptr;
        {
            // The method again, watched (and narrating when verbose): it tells the decisions of
            // the literal method, and marks the same forest as unwatched.
            const V unwatched = treeFlags(tw.real);
            Narration narration(tw.realOut, tw.real, static_cast<Method>(method));
            EventLog events(verbose && method > 1 ? &narration : nullptr);
            ASSERT_EQ(tw.real.markForest(static_cast<Method>(method), events), realCount);
            ASSERT_EQ(events.text, method == 1 ? shownWalk(literalEvents) : literalEvents);
            ASSERT_EQ(treeFlags(tw.real), unwatched);
        }
        ASSERT_EQ(refCount, realCount);
        ASSERT_EQ(refCount, componentCount(graph)) << "the count of trees is not the count of "
                                                      "components";
        ASSERT_TRUE(sameTreeFlags(tw.ref, tw.real));
        ASSERT_EQ(tw.takeRef(), tw.takeReal()) << "narration, verbose=" << verbose;
        // The marks stated on return.
        const int onReturn = method == 1 ? 1 : (method == 2 ? -1 : kDone);
        ASSERT_EQ(nodeTags(tw.real), V(static_cast<std::size_t>(graph.n), onReturn));
        ASSERT_TRUE(sameNodeTags(tw.ref, tw.real));
        if (method == 1) {
            ASSERT_EQ(edgeTags(tw.real), V(static_cast<std::size_t>(m), 1));
        } else {
            ASSERT_EQ(edgeTags(tw.real), edgeTagsBefore) << "edge tags must be untouched";
        }
        ASSERT_TRUE(sameEdgeTags(tw.ref, tw.real));
        ASSERT_EQ(tw.ref.bones(), tw.real.bones());
        ASSERT_TRUE(sameBones(tw.ref, tw.real));
        for (int i = 0; i < graph.n; ++i) ASSERT_EQ(tw.ref.isTailBone(i), tw.real.isTailBone(i));
        ASSERT_TRUE(sameRoutes(tw.ref, tw.real));

        const V inTree = treeFlags(tw.real);
        ASSERT_TRUE(isSpanningForest(graph, inTree));
        for (int i = 0; i < graph.n; ++i) {
            int count = 0;
            for (int k = 0; k < m; ++k)
                if (inTree[k] && (graph.edges[k].from == i || graph.edges[k].to == i)) ++count;
            ASSERT_EQ(tw.real.nodes[i].bones, count) << "bones of node " << i;
        }
        if (method > 1) minimum.push_back(forestWeight(graph, inTree));

        std::vector<V> loops;
        std::vector<V> cuts;
        for (int e = 0; e < m; ++e) {
            SCOPED_TRACE("edge " + std::to_string(e));
            std::string literalTold;
            EventLog events;
            if (!inTree[e]) {
                tw.ref.events = &literalTold;
                tw.ref.getLoop(e);
                tw.ref.events = nullptr;
                tw.real.getLoop(e);
                ASSERT_TRUE(sameEdgeTags(tw.ref, tw.real)) << "loop";
                ASSERT_TRUE(sameNodeTags(tw.ref, tw.real)) << "loop";
                tw.real.getLoop(e, events);
                ASSERT_EQ(events.text, literalTold) << "loop";
                ASSERT_TRUE(sameEdgeTags(tw.ref, tw.real)) << "loop, watched";
                const V tags = edgeTags(tw.real);
                ASSERT_TRUE(isLoopOf(graph, inTree, e, tags));
                // A minimum forest: no loop edge weighs more than the edge that closes the loop.
                for (int k = 0; k < m && method > 1; ++k) {
                    ASSERT_FALSE(tags[k] != 0 && graph.edges[k].weight > graph.edges[e].weight)
                        << "edge " << k << " on the loop of " << e << " weighs more";
                }
                loops.push_back(tags);
            } else {
                // A cut at a leaf leaves the node tags as they were: give them something.
                for (int i = 0; i < graph.n; ++i) {
                    const int tag = rng.pick(-3, 3);
                    tw.ref.nodes[i].tag = tag;
                    tw.real.nodes[i].tag = tag;
                }
                tw.ref.events = &literalTold;
                tw.ref.getCut(e);
                tw.ref.events = nullptr;
                tw.real.getCut(e);
                ASSERT_TRUE(sameEdgeTags(tw.ref, tw.real)) << "cut";
                ASSERT_TRUE(sameNodeTags(tw.ref, tw.real)) << "cut";
                tw.real.getCut(e, events);
                ASSERT_EQ(events.text, literalTold) << "cut";
                ASSERT_TRUE(sameNodeTags(tw.ref, tw.real)) << "cut, watched";
                const V tags = edgeTags(tw.real);
                ASSERT_TRUE(isCutOf(graph, inTree, e, tags));
                cuts.push_back(tags);

                // splitTree itself, with labels of every kind, equal and zero ones included.
                const int a = rng.pick(-1, 3);
                const int b = rng.pick(-1, 3);
                tw.ref.splitTree(e, a, b);
                tw.real.splitTree(e, a, b);
                ASSERT_TRUE(sameNodeTags(tw.ref, tw.real))
                    << "splitTree(" << e << ", " << a << ", " << b << ")";
                ASSERT_TRUE(sameEdgeTags(tw.ref, tw.real)) << "splitTree";
            }
            ASSERT_TRUE(sameTreeFlags(tw.ref, tw.real)) << "the tree flags must not change";
            ASSERT_TRUE(sameBones(tw.ref, tw.real));
        }
        for (const V& loop : loops)
            for (const V& cut : cuts) {
                int dot = 0;
                for (int k = 0; k < m; ++k) dot += loop[k] * cut[k];
                ASSERT_EQ(dot, 0) << "a loop and a cut of one forest are not orthogonal";
            }
    }
    ASSERT_EQ(minimum.size(), 2U);
    EXPECT_EQ(minimum[0], minimum[1]) << "the two minimum forests weigh differently";
    if (bruteForce != INT64_MIN) {
        EXPECT_EQ(minimum[0], bruteForce) << "not a minimum forest";
    }
}

TEST(reference_random, every_operation_on_thousands_of_small_graphs) {
    Rng rng(20240601);
    int bruteForced = 0;
    for (int round = 0; round < 4000 / kRoundsDivisor; ++round) {
        const GraphData graph = randomGraph(rng);
        SCOPED_TRACE(describe(graph));
        const bool small = graph.edges.size() <= 12;
        const std::int64_t brute = small ? bruteForceMinimum(graph) : INT64_MIN;
        checkGraph(graph, rng, brute);
        if (HasFailure()) return;  // one reproducer is enough
        bruteForced += small ? 1 : 0;
    }
    // The generator must keep giving graphs small enough to check against brute force.
    EXPECT_GT(bruteForced, 500 / kRoundsDivisor);
}

// Larger graphs, fewer of them: denser ones (more ties, longer walks, more re-entries), and ones
// of hundreds of nodes, where with few weights the tree-growing method queues its open nodes in a
// bucket a weight rather than in one heap.
TEST(reference_random, larger_graphs) {
    struct Size {
        int nodes, edges, rounds;
    };
    Rng rng(77);
    for (const Size size : {Size{30, 80, 300}, Size{400, 600, 60}}) {
        for (int round = 0; round < size.rounds / kRoundsDivisor; ++round) {
            const GraphData graph = randomGraph(rng, size.nodes, size.edges);
            SCOPED_TRACE(describe(graph));
            checkGraph(graph, rng, INT64_MIN);
            if (HasFailure()) return;
        }
    }
}

// Sparse graphs of many components: paths and cycles, a few nodes of higher degree, self-loops,
// parallel edges and isolated nodes. Most nodes have degree 1 or 2, the walks of the recursive
// forest run through long chains, and several trees are settled before their walks would end;
// sometimes one long run leaves only a few nodes to the other trees.
TEST(reference_random, chains_and_cycles_in_many_components) {
    Rng rng(31);
    for (int round = 0; round < 1500 / kRoundsDivisor; ++round) {
        GraphData graph;
        graph.n = rng.pick(1, 60);
        const int mode = rng.pick(0, 4);
        std::vector<int> order(static_cast<std::size_t>(graph.n));
        for (int i = 0; i < graph.n; ++i) order[static_cast<std::size_t>(i)] = i;
        for (int i = graph.n - 1; i > 0; --i) std::swap(order[i], order[rng.pick(0, i)]);
        // Runs of the shuffled nodes become paths, some of them closed into cycles.
        for (int at = 0; at < graph.n;) {
            const int length =
                at == 0 && rng.chance(30) ? std::max(1, graph.n - rng.pick(0, 4)) : rng.pick(1, 8);
            const int end = std::min(graph.n, at + length);
            for (int i = at; i + 1 < end; ++i)
                graph.edges.push_back({order[i], order[i + 1], rng.weight(mode)});
            if (end - at > 2 && rng.chance(40))
                graph.edges.push_back({order[end - 1], order[at], rng.weight(mode)});
            at = end;
        }
        for (int extra = rng.pick(0, 6); extra > 0 && !graph.edges.empty(); --extra) {
            const auto& p = graph.edges[rng.pick(0, static_cast<int>(graph.edges.size()) - 1)];
            const int a =
                rng.chance(50) ? p.from : p.to;  // a self-loop, a parallel edge or a chord
            const int b = rng.chance(30) ? a : rng.chance(50) ? p.to : rng.pick(0, graph.n - 1);
            graph.edges.push_back({a, b, rng.weight(mode)});
        }
        SCOPED_TRACE(describe(graph));
        checkGraph(graph, rng, INT64_MIN);
        if (HasFailure()) return;
    }
}

}  // namespace
}  // namespace reference
