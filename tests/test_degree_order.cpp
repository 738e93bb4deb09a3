#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

#include "DegreeOrder.h"

namespace {

TEST(degree_order, greatest_degree_first_lowest_number_on_ties) {
    std::mt19937 rng(4);
    // Degrees on both sides of the counted ones, the greatest a degree can be included.
    const std::vector<std::vector<int>> fixed = {
        {0},
        {0, 0, 0},
        {2, 3, 3, 2},
        {5, 0, 5, 1000},
        {65535, 65536, 70000, 0, 70000, 65535, 2147483647, 1}};
    std::vector<std::vector<int>> cases = fixed;
    // Odd rounds: many ties among the degrees that are sorted rather than counted.
    for (int round = 0; round < 20; ++round) {
        std::vector<int> degrees(rng() % 200 + 1);
        const int base = round % 2 == 0 ? 0 : 65534;
        for (int& d : degrees) d = base + static_cast<int>(rng() % 9);
        cases.push_back(degrees);
    }
    for (const std::vector<int>& degrees : cases) {
        const int n = static_cast<int>(degrees.size());
        const BigVector<int> got =
            orderByDegree(n, [&degrees](int i) { return degrees[static_cast<std::size_t>(i)]; });
        std::vector<int> expected(degrees.size());
        std::iota(expected.begin(), expected.end(), 0);
        std::stable_sort(expected.begin(), expected.end(), [&degrees](int a, int b) {
            return degrees[static_cast<std::size_t>(a)] > degrees[static_cast<std::size_t>(b)];
        });
        EXPECT_EQ(std::vector<int>(got.begin(), got.end()), expected);
    }
}

}  // namespace
