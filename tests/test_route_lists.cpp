#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "RouteLists.h"

namespace {

struct E {
    int from;
    int to;
};
struct R {
    int edge;
    int node;
};
using Pairs = std::vector<std::pair<int, int>>;

Pairs expectedRoutes(const std::vector<E>& edges, int node) {
    Pairs expected;
    for (int k = 0; k < static_cast<int>(edges.size()); ++k) {
        const E& e = edges[static_cast<std::size_t>(k)];
        if (e.from == node)
            expected.emplace_back(k, e.to);
        else if (e.to == node)
            expected.emplace_back(k, e.from);
    }
    return expected;
}

// Random edges with self-loops and parallel edges, counted and placed in 1 to 3 ranges at once,
// laid out without spare slots, with spare slots from the start, and spread in place from the
// first layout: every node's block is its spare slots, if it has at least minRoutes routes, then
// its routes in edge order, and spreading gives exactly the layout built with spare slots.
TEST(route_lists, blocks_hold_spare_slots_then_the_routes_in_edge_order) {
    std::mt19937 rng(9);
    for (const auto& [gap, minRoutes] : {std::pair{0U, 1U}, {1U, 1U}, {1U, 3U}, {3U, 2U}}) {
        for (const int n : {1, 2, 5, 60}) {
            for (const int m : {0, 1, 3, 200}) {
                std::vector<E> edges;
                for (int k = 0; k < m; ++k)
                    edges.push_back(E{static_cast<int>(rng() % n), static_cast<int>(rng() % n)});
                const int shares = 1 + static_cast<int>(rng() % 3);
                auto build = [&](BigVector<std::uint32_t>& first, std::uint32_t g,
                                 std::uint32_t min) {
                    std::vector<BigVector<std::uint32_t>> earlier;
                    countRoutes(edges.data(), m, n, shares, first, earlier);
                    BigVector<R> routes(addSpareSlots(first, n, g, min));
                    placeRoutes(edges.data(), m, n, first, g, min, earlier,
                                [&routes](std::uint32_t at, int k, int other) {
                                    routes[at] = R{k, other};
                                });
                    return routes;
                };
                BigVector<std::uint32_t> plainFirst;
                BigVector<R> plain = build(plainFirst, 0, 1);
                BigVector<std::uint32_t> first;
                const BigVector<R> routes = build(first, gap, minRoutes);

                ASSERT_EQ(first[0], 0U);
                ASSERT_EQ(first[n], routes.size());
                for (int i = 0; i < n; ++i) {
                    const Pairs expected = expectedRoutes(edges, i);
                    const std::uint32_t spare = expected.size() >= minRoutes ? gap : 0;
                    ASSERT_EQ(first[i + 1] - first[i], spare + expected.size()) << "node " << i;
                    ASSERT_EQ(plainFirst[i + 1] - plainFirst[i], expected.size());
                    Pairs got;
                    for (std::uint32_t j = first[i] + spare; j < first[i + 1]; ++j)
                        got.emplace_back(routes[j].edge, routes[j].node);
                    ASSERT_EQ(got, expected) << "n " << n << " m " << m << " node " << i;
                }

                spreadRoutes(plainFirst, plain, n, gap, minRoutes);
                ASSERT_EQ(plainFirst, first);
                for (int i = 0; i < n; ++i) {
                    const std::uint32_t spare =
                        first[i + 1] - first[i] >= minRoutes + gap && gap > 0 ? gap : 0;
                    for (std::uint32_t j = first[i] + spare; j < first[i + 1]; ++j) {
                        ASSERT_EQ(plain[j].edge, routes[j].edge) << "slot " << j;
                        ASSERT_EQ(plain[j].node, routes[j].node) << "slot " << j;
                    }
                }
            }
        }
    }
}

}  // namespace
