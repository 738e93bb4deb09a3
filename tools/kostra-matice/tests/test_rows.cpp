// The rows of kostra-matice against the loops and cuts that CGraph::getLoop / getCut and the naive
// reference write for the same edge, on many random small graphs and every forest method; the two
// matrices orthogonal and each the identity on its own edges; running out of memory at every
// allocation; a cycle long enough to need every walk to be iterative. (The texts are read back
// end to end, against kostra's own output, by test_cli.py.)
#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

#include "FundamentalRows.h"
#include "MatrixText.h"
#include "support.h"

// Set by a test: the allocations to grant before one fails (-1: all of them). See
// tests/failing_allocations.cpp.
extern long allocationsLeft;

namespace {

using reference::GraphData;
using Dense = std::vector<int>;

// A row as one value per edge; fails on columns out of order.
::testing::AssertionResult toDense(std::span<const RowEntry> row, int m, Dense& dense) {
    dense.assign(static_cast<std::size_t>(m), 0);
    for (std::size_t i = 0; i < row.size(); ++i) {
        if (i > 0 && row[i - 1].edge() >= row[i].edge())
            return ::testing::AssertionFailure() << "columns not ascending at entry " << i;
        dense[static_cast<std::size_t>(row[i].edge())] = row[i].sign();
    }
    return ::testing::AssertionSuccess();
}

void runMethod(reference::Twin& tw, int method) {
    tw.real.markForest(static_cast<Method>(method));
    if (method == 1) tw.ref.skeleton();
    if (method == 2) tw.ref.BoruvkaKruskal(false);
    if (method == 3) tw.ref.JarnikPrim(false);
    tw.real.bones();
    tw.ref.bones();
}

// Everything about one graph, for every method. Stops at the first difference.
void checkGraph(const GraphData& graph) {
    reference::Twin tw(graph);
    tw.makeRoutes();
    const int m = static_cast<int>(graph.edges.size());
    for (int method = 1; method <= 3; ++method) {
        SCOPED_TRACE("method " + std::to_string(method));
        runMethod(tw, method);
        ASSERT_TRUE(reference::sameTreeFlags(tw.ref, tw.real));
        FundamentalRows loops(tw.real, MatrixKind::Loops);
        FundamentalRows cuts(tw.real, MatrixKind::Cuts);
        std::vector<int> loopEdges, cutEdges;
        std::vector<Dense> loopRows, cutRows;
        std::int64_t loopEntries = 0, cutEntries = 0;
        for (int e = 0; e < m; ++e) {
            SCOPED_TRACE("edge " + std::to_string(e));
            const bool tree = tw.real.edges[e].inTree;
            ASSERT_NE(loops.hasRow(e), tree);
            ASSERT_EQ(cuts.hasRow(e), tree);
            FundamentalRows& rows = tree ? cuts : loops;
            const std::span<const RowEntry> row = rows.row(e);
            (tree ? cutEntries : loopEntries) += static_cast<std::int64_t>(row.size());
            Dense dense;
            ASSERT_TRUE(toDense(row, m, dense));
            if (tree) {
                tw.real.getCut(e);
                tw.ref.getCut(e);
            } else {
                tw.real.getLoop(e);
                tw.ref.getLoop(e);
            }
            ASSERT_EQ(dense, reference::edgeTags(tw.ref)) << "against the naive reference";
            ASSERT_EQ(dense, reference::edgeTags(tw.real)) << "against CGraph";
            (tree ? cutEdges : loopEdges).push_back(e);
            (tree ? cutRows : loopRows).push_back(dense);
        }
        ASSERT_EQ(loops.rowCount(), static_cast<int>(loopRows.size()));
        ASSERT_EQ(cuts.rowCount(), static_cast<int>(cutRows.size()));
        ASSERT_EQ(loops.countNonZeros(), loopEntries);
        ASSERT_EQ(cuts.countNonZeros(), cutEntries);
        // Each matrix is the identity on its own edges, and B Q^T = 0.
        for (std::size_t i = 0; i < loopRows.size(); ++i) {
            for (std::size_t j = 0; j < loopRows.size(); ++j)
                ASSERT_EQ(loopRows[i][loopEdges[j]], i == j ? 1 : 0);
        }
        for (std::size_t i = 0; i < cutRows.size(); ++i) {
            for (std::size_t j = 0; j < cutRows.size(); ++j)
                ASSERT_EQ(cutRows[i][cutEdges[j]], i == j ? 1 : 0);
        }
        for (const Dense& b : loopRows) {
            for (const Dense& q : cutRows) {
                int dot = 0;
                for (int k = 0; k < m; ++k) dot += b[k] * q[k];
                ASSERT_EQ(dot, 0);
            }
        }
    }
}

TEST(matice_rows, every_row_is_the_loop_or_cut_of_its_edge_on_random_graphs) {
    reference::Rng rng(20240611);
    for (int round = 0; round < 2000 / reference::kRoundsDivisor; ++round) {
        const GraphData graph =
            round % 5 == 4 ? reference::randomGraph(rng, 30, 80) : reference::randomGraph(rng);
        SCOPED_TRACE(reference::describe(graph));
        checkGraph(graph);
        if (HasFailure()) return;  // one reproducer is enough
    }
}

// Larger graphs, where a cut's ends span many blocks of the segment tree: rows checked against
// CGraph alone (the naive reference recurses as deep as the graph).
TEST(matice_rows, cut_rows_of_larger_graphs_match_getCut) {
    reference::Rng rng(99);
    for (int round = 0; round < 20; ++round) {
        const GraphData graph = reference::randomGraph(rng, 400, 3000);
        CGraph g(graph.n, static_cast<int>(graph.edges.size()));
        reference::fill(g, graph);
        g.makeRoutes();
        g.markForest(static_cast<Method>(1 + round % 3));
        g.bones();
        FundamentalRows cuts(g, MatrixKind::Cuts);
        FundamentalRows loops(g, MatrixKind::Loops);
        for (int e = 0; e < g.edgeCount; e += 7) {
            Dense dense;
            const bool tree = g.edges[e].inTree;
            ASSERT_TRUE(toDense((tree ? cuts : loops).row(e), g.edgeCount, dense));
            if (tree) {
                g.getCut(e);
            } else {
                g.getLoop(e);
            }
            ASSERT_EQ(dense, reference::edgeTags(g)) << "edge " << e << " round " << round;
        }
    }
}

// Running out of memory at each allocation in turn, from the rows' working arrays to the table's
// line: either the whole text is written, the same as with all the memory it wants, or
// std::bad_alloc comes before the first character.
TEST(matice_rows, running_out_of_memory_writes_nothing) {
    reference::Rng rng(5);
    const GraphData graph = reference::randomGraph(rng, 30, 80);
    CGraph g(graph.n, static_cast<int>(graph.edges.size()));
    reference::fill(g, graph);
    g.makeRoutes();
    for (int method = 1; method <= 3; ++method) {
        g.markForest(static_cast<Method>(method));
        for (const MatrixKind kind : {MatrixKind::Loops, MatrixKind::Cuts}) {
            for (const bool table : {false, true}) {
                // True when the text was written; false when an allocation failed, with what
                // had been written by then in text.
                auto write = [&](std::string& text, long limit) {
                    Output out(&text);  // its buffer stands for the program's, taken first
                    allocationsLeft = limit;
                    bool done = true;
                    try {
                        FundamentalRows rows(g, kind);
                        const MatrixTitle title{"g", static_cast<Method>(method)};
                        if (table) {
                            writeTable(rows, title, out);
                        } else {
                            writeMatrixMarket(rows, title, out);
                        }
                    } catch (const std::bad_alloc&) {
                        done = false;
                    }
                    allocationsLeft = -1;
                    return done;
                };
                std::string whole;
                ASSERT_TRUE(write(whole, -1));
                int failed = 0;
                for (long limit = 0;; ++limit) {
                    std::string text;
                    if (write(text, limit)) {
                        ASSERT_EQ(text, whole);
                        break;
                    }
                    ASSERT_EQ(text, "") << "allocation " << limit << " failed after writing";
                    ++failed;
                }
                EXPECT_GE(failed, table ? 4 : 3) << "method " << method;
            }
        }
    }
}

// A cycle of 200000 edges all running the same way: the one loop holds every edge with +1, and
// the cut of every tree edge is that edge, +1, and the one non-tree edge, which crosses back, -1.
// Every forest of it is a path 200000 nodes deep.
TEST(matice_rows, a_long_cycle) {
    const int n = 200000;
    CGraph g(n, n);
    for (int k = 0; k < n; ++k) g.edges[k] = Edge{k, (k + 1) % n, false, 0, 1};
    g.makeRoutes();
    for (int method = 1; method <= 3; ++method) {
        g.markForest(static_cast<Method>(method));
        FundamentalRows loops(g, MatrixKind::Loops);
        FundamentalRows cuts(g, MatrixKind::Cuts);
        ASSERT_EQ(loops.rowCount(), 1);
        ASSERT_EQ(cuts.rowCount(), n - 1);
        ASSERT_EQ(loops.countNonZeros(), n);
        ASSERT_EQ(cuts.countNonZeros(), 2 * (n - 1));
        int closing = 0;
        while (g.edges[closing].inTree) ++closing;
        const std::span<const RowEntry> loop = loops.row(closing);
        ASSERT_EQ(static_cast<int>(loop.size()), n);
        for (int k = 0; k < n; ++k) ASSERT_EQ(loop[k].edge(), k) << "method " << method;
        for (int k = 0; k < n; ++k) ASSERT_EQ(loop[k].sign(), 1) << "method " << method;
        for (int e = 0; e < n; ++e) {
            if (e == closing) continue;
            const std::span<const RowEntry> cut = cuts.row(e);
            ASSERT_EQ(cut.size(), 2U);
            const int own = cut[0].edge() == e ? 0 : 1;
            ASSERT_EQ(cut[own].edge(), e);
            ASSERT_EQ(cut[own].sign(), 1);
            ASSERT_EQ(cut[1 - own].edge(), closing) << "edge " << e << " method " << method;
            ASSERT_EQ(cut[1 - own].sign(), -1) << "edge " << e << " method " << method;
        }
    }
}

}  // namespace
