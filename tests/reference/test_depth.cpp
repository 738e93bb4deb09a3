// Walks as deep as the graph is long, on a thread whose call stack is only 256 KiB: a path and a
// cycle of a million nodes and a star of a million leaves, through CGraph directly and through
// the whole dialogue. A walk whose call depth grew with the graph would overflow that stack and
// crash the test. The results are known in closed form.
#include <gtest/gtest.h>
#include <pthread.h>

#include <charconv>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "CGraph.h"
#include "Texts.h"
#include "support.h"

namespace reference {
namespace {

constexpr int kNodes = 1000000;
constexpr std::size_t kSmallStack = 256 * 1024;

void* trampoline(void* arg) {
    (*static_cast<const std::function<void()>*>(arg))();
    return nullptr;
}

// Runs body on a thread of its own with a small stack and waits for it.
void onSmallStack(const std::function<void()>& body) {
    pthread_attr_t attr;
    ASSERT_EQ(pthread_attr_init(&attr), 0);
    ASSERT_EQ(pthread_attr_setstacksize(&attr, kSmallStack), 0);
    pthread_t thread;
    ASSERT_EQ(pthread_create(&thread, &attr, trampoline, const_cast<std::function<void()>*>(&body)),
              0);
    ASSERT_EQ(pthread_join(thread, nullptr), 0);
    pthread_attr_destroy(&attr);
}

struct Link {
    int from, to, weight;
};

// A path 0 -> 1 -> ... -> n-1 of weight 1, closed (when closed) by the edge 0 -> n-1 of weight 2.
std::vector<Link> pathEdges(int n, bool closed) {
    std::vector<Link> e;
    for (int k = 0; k + 1 < n; ++k) e.push_back({k, k + 1, 1});
    if (closed) e.push_back({0, n - 1, 2});
    return e;
}

// The edges 0 -> k for k = 1 .. leaves, all of weight 3, then 1 -> 2 of weight 3.
std::vector<Link> starEdges(int leaves) {
    std::vector<Link> e;
    for (int k = 1; k <= leaves; ++k) e.push_back({0, k, 3});
    e.push_back({1, 2, 3});
    return e;
}

void appendLine(std::string& s, int v) {
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, v).ptr;
    s.append(digits, end);
    s += '\n';
}

void build(CGraph& g, const std::vector<Link>& links) {
    for (int k = 0; k < g.edgeCount; ++k) {
        g.edges[k].from = links[k].from;
        g.edges[k].to = links[k].to;
        g.edges[k].weight = links[k].weight;
        g.edges[k].inTree = false;
        g.edges[k].tag = 0;
    }
    g.makeRoutes();
}

// The edges whose flag or tag is not the expected one, at most a few of them.
template <class Expected>
std::string mismatches(int count, const Expected& expected, const std::function<int(int)>& got) {
    std::string s;
    int shown = 0;
    for (int k = 0; k < count && shown < 5; ++k) {
        if (got(k) == expected(k)) continue;
        s += " [" + std::to_string(k) + "]=" + std::to_string(got(k)) + " (expected " +
             std::to_string(expected(k)) + ")";
        ++shown;
    }
    return s;
}

TEST(reference_depth, path_and_cycle_of_a_million_nodes) {
    onSmallStack([] {
        const int n = kNodes;
        {
            CGraph g(n, n - 1);
            build(g, pathEdges(n, false));
            EXPECT_EQ(g.skeleton(), 1);
            g.bones();
            auto inTree = [&g](int k) { return g.edges[k].inTree ? 1 : 0; };
            EXPECT_EQ(mismatches(
                          n - 1, [](int) { return 1; }, inTree),
                      "");
            EXPECT_EQ(mismatches(
                          n, [n](int i) { return i == 0 || i == n - 1 ? 1 : 2; },
                          [&g](int i) { return g.nodes[i].bones; }),
                      "");
            // The cut of a middle edge: the general case, a flood along each half.
            const int k = n / 2;
            g.getCut(k);
            EXPECT_EQ(mismatches(
                          n - 1, [k](int d) { return d == k ? 1 : 0; },
                          [&g](int d) { return g.edges[d].tag; }),
                      "");
            EXPECT_EQ(mismatches(
                          n, [k](int i) { return i <= k ? 1 : 2; },
                          [&g](int i) { return g.nodes[i].tag; }),
                      "");
        }
        {
            CGraph g(n, n);
            build(g, pathEdges(n, true));
            auto tags = [&g](int d) { return g.edges[d].tag; };
            auto inTree = [&g](int k) { return g.edges[k].inTree ? 1 : 0; };
            // Every node has degree 2: the walk starts at node 0, which claims nodes 1 and n-1;
            // it then runs once round the cycle, so node n-1 joins by the closing edge.
            EXPECT_EQ(g.skeleton(), 1);
            EXPECT_EQ(mismatches(
                          n, [n](int d) { return d == n - 2 ? 0 : 1; }, inTree),
                      "");
            g.bones();
            // The loop of edge n-2 runs back from n-1 to 0 by the closing edge, against it, and
            // then along the whole path.
            g.getLoop(n - 2);
            EXPECT_EQ(mismatches(
                          n, [n](int d) { return d == n - 1 ? -1 : 1; }, tags),
                      "");

            for (int method = 2; method <= 3; ++method) {
                SCOPED_TRACE(method);
                EXPECT_EQ(method == 2 ? g.BoruvkaKruskal() : g.JarnikPrim(), 1);
                EXPECT_EQ(mismatches(
                              n, [n](int d) { return d == n - 1 ? 0 : 1; }, inTree),
                          "");
                g.bones();
                g.getLoop(n - 1);  // back from n-1 to 0 against every path edge
                EXPECT_EQ(mismatches(
                              n, [n](int d) { return d == n - 1 ? 1 : -1; }, tags),
                          "");
                const int k = n / 3;
                g.getCut(k);  // the closing edge crosses from node 0's side to node n-1's
                EXPECT_EQ(mismatches(
                              n, [n, k](int d) { return d == k || d == n - 1 ? 1 : 0; }, tags),
                          "");
                EXPECT_EQ(mismatches(
                              n, [k](int i) { return i <= k ? 1 : 2; },
                              [&g](int i) { return g.nodes[i].tag; }),
                          "");
            }
        }
    });
}

TEST(reference_depth, star_of_a_million_leaves) {
    onSmallStack([] {
        const int leaves = kNodes;
        const int m = leaves + 1;
        CGraph g(leaves + 1, m);
        build(g, starEdges(leaves));
        auto tags = [&g](int d) { return g.edges[d].tag; };
        for (int method = 1; method <= 3; ++method) {
            SCOPED_TRACE(method);
            const int trees =
                method == 1 ? g.skeleton() : (method == 2 ? g.BoruvkaKruskal() : g.JarnikPrim());
            EXPECT_EQ(trees, 1);
            EXPECT_EQ(mismatches(
                          m, [leaves](int d) { return d == leaves ? 0 : 1; },
                          [&g](int k) { return g.edges[k].inTree ? 1 : 0; }),
                      "");
            g.bones();
            EXPECT_EQ(g.nodes[0].bones, leaves);
            // The loop of 1 -> 2 runs back from 2 to the centre and out to 1.
            g.getLoop(leaves);
            EXPECT_EQ(
                mismatches(
                    m, [leaves](int d) { return d == 0 || d == leaves ? 1 : (d == 1 ? -1 : 0); },
                    tags),
                "");
            // Node 1 is a leaf with edges 0 (into it) and 1 -> 2 (out of it).
            g.getCut(0);
            EXPECT_EQ(mismatches(
                          m, [leaves](int d) { return d == 0 ? 1 : (d == leaves ? -1 : 0); }, tags),
                      "");
            g.getCut(leaves - 1);
            EXPECT_EQ(mismatches(
                          m, [leaves](int d) { return d == leaves - 1 ? 1 : 0; }, tags),
                      "");
        }
    });
}

// The whole dialogue, graph file to report, on the same shapes.
TEST(reference_depth, whole_dialogue_on_a_million_nodes) {
    ScratchFile scratch;
    struct Case {
        const char* name;
        int nodes;
        std::vector<Link> edges;
        std::string answers;
        std::vector<int> expected;  // the orientation of every edge
    };
    const int n = kNodes;
    std::vector<Case> cases;
    {
        std::vector<int> loop(static_cast<std::size_t>(n), 1);
        loop[n - 1] = -1;
        cases.push_back({"loop round the cycle", n, pathEdges(n, true),
                         "4\n1\n" + std::to_string(n - 2) + "\n", loop});
    }
    {
        std::vector<int> cut(static_cast<std::size_t>(n), 0);
        cut[n / 2] = 1;
        cut[n - 1] = 1;
        cases.push_back({"cut across the cycle", n, pathEdges(n, true),
                         "5\n2\n" + std::to_string(n / 2) + "\n", cut});
    }
    {
        std::vector<int> cut(static_cast<std::size_t>(n + 1), 0);
        cut[0] = 1;
        cut[n] = -1;
        cases.push_back({"cut at a leaf of the star", n + 1, starEdges(n), "5\n3\n0\n", cut});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string file;
        file.reserve(c.edges.size() * 24);
        appendLine(file, static_cast<int>(c.edges.size()));
        appendLine(file, c.nodes);
        for (const Link& e : c.edges) {
            appendLine(file, e.from);
            appendLine(file, e.to);
            appendLine(file, e.weight);
        }
        scratch.write(file);
        std::string report(texts::kBanner.cs.view());
        char line[64];
        for (std::size_t k = 0; k < c.expected.size(); ++k) {
            std::snprintf(line, sizeof line, texts::kOrientationLine.cs.text, static_cast<int>(k),
                          c.expected[k]);
            report += line;
        }
        RealRun run;
        onSmallStack([&] { run = runReal(scratch.path(), c.answers); });
        EXPECT_EQ(run.status, 0);
        ASSERT_GE(run.out.size(), report.size());
        const std::size_t at = run.out.size() - report.size();
        EXPECT_TRUE(run.out.compare(at, std::string::npos, report) == 0)
            << "the report differs; it begins: " << run.out.substr(at, 200);
        EXPECT_EQ(run.out.compare(0, 34, texts::kOpening.cs.view().substr(0, 34)), 0);
    }
}

}  // namespace
}  // namespace reference
