#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "RouteLists.h"

namespace {

struct E {
    int from;
    int to;
    bool keep;
};
struct R {
    int edge;
    int node;
};

// Random edges with self-loops and parallel edges, half of them selected, against the lists built
// edge by edge for every node, with and without spare slots before each node's routes.
TEST(route_lists, every_node_lists_its_selected_edges_in_edge_order) {
    std::mt19937 rng(9);
    for (const std::uint32_t gap : {0U, 1U, 3U}) {
        for (const int n : {1, 2, 5, 60}) {
            for (const int m : {0, 1, 3, 200}) {
                std::vector<E> edges;
                for (int k = 0; k < m; ++k) {
                    edges.push_back(E{static_cast<int>(rng() % n), static_cast<int>(rng() % n),
                                      rng() % 2 == 0});
                }
                BigVector<std::uint32_t> first;
                BigVector<R> routes;
                listRoutes(
                    edges.data(), m, n, gap, [](const E& e) { return e.keep; }, first, routes);
                ASSERT_EQ(first.size(), static_cast<std::size_t>(n) + 1);
                ASSERT_EQ(first[0], 0U);
                ASSERT_EQ(first[n], routes.size());
                for (int i = 0; i < n; ++i) {
                    std::vector<std::pair<int, int>> expected;
                    for (int k = 0; k < m; ++k) {
                        const E& e = edges[static_cast<std::size_t>(k)];
                        if (!e.keep) continue;
                        if (e.from == i)
                            expected.emplace_back(k, e.to);
                        else if (e.to == i)
                            expected.emplace_back(k, e.from);
                    }
                    // An empty block for a node without routes, else the spare slots and its
                    // routes.
                    const std::uint32_t spare = expected.empty() ? 0 : gap;
                    ASSERT_EQ(first[i + 1] - first[i], spare + expected.size()) << "node " << i;
                    std::vector<std::pair<int, int>> got;
                    for (std::uint32_t j = first[i] + spare; j < first[i + 1]; ++j)
                        got.emplace_back(routes[j].edge, routes[j].node);
                    ASSERT_EQ(got, expected) << "n " << n << " m " << m << " node " << i;
                }
            }
        }
    }
}

}  // namespace
