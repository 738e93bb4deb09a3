#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "algebra.h"

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(algebra, minimum_and_maximum_of_two_and_three) {
    struct Case {
        int a, b, c;
        int max2, min2;  // of a and b
        int max3, min3;
    };
    const Case cases[] = {
        {1, 5, 3, 5, 1, 5, 1},
        {5, 1, 3, 5, 1, 5, 1},
        {3, 3, 3, 3, 3, 3, 3},
        {-1, -5, -3, -1, -5, -1, -5},
        {1, 2, 9, 2, 1, 9, 1},
        {2147483647, -2147483647 - 1, 0, 2147483647, -2147483647 - 1, 2147483647, -2147483647 - 1},
    };
    for (const Case& k : cases) {
        EXPECT_EQ(max3i(k.a, k.b, k.c), k.max3) << k.a << ' ' << k.b << ' ' << k.c;
        EXPECT_EQ(min3i(k.a, k.b, k.c), k.min3) << k.a << ' ' << k.b << ' ' << k.c;
        EXPECT_EQ(max3d(k.a, k.b, k.c), k.max3);
        EXPECT_EQ(min3d(k.a, k.b, k.c), k.min3);
        EXPECT_EQ(max2i(k.a, k.b), k.max2) << k.a << ' ' << k.b;
        EXPECT_EQ(min2i(k.a, k.b), k.min2) << k.a << ' ' << k.b;
        EXPECT_EQ(max2d(k.a, k.b), k.max2);
        EXPECT_EQ(min2d(k.a, k.b), k.min2);
    }
    EXPECT_EQ(min3d(2.0, 2.0, 1.0), 1.0);
    EXPECT_EQ(max2d(2.5, -2.5), 2.5);
}

TEST(algebra, not_a_number_loses_every_comparison) {
    EXPECT_EQ(max2d(kNaN, 1.0), 1.0);  // b when a comparison fails
    EXPECT_EQ(min2d(kNaN, 1.0), 1.0);
    EXPECT_TRUE(std::isnan(max2d(1.0, kNaN)));
    EXPECT_TRUE(std::isnan(min2d(1.0, kNaN)));
    EXPECT_EQ(sgnd(kNaN), 0);
    EXPECT_EQ(betweend(0, kNaN, 5), 0);
    EXPECT_EQ(betweend(kNaN, 1, 5), 0);
    EXPECT_EQ(betweend(kNaN, kNaN, kNaN), 0);
}

TEST(algebra, sign) {
    EXPECT_EQ(sgni(0), 0);
    EXPECT_EQ(sgni(7), 1);
    EXPECT_EQ(sgni(-2147483647 - 1), -1);
    EXPECT_EQ(sgnd(0.0), 0);
    EXPECT_EQ(sgnd(-0.0), 0);
    EXPECT_EQ(sgnd(1e-300), 1);
    EXPECT_EQ(sgnd(-std::numeric_limits<double>::infinity()), -1);
}

TEST(algebra, between_takes_the_bounds_in_either_order) {
    struct Case {
        double a, b, c;
        int expected;
    };
    const Case cases[] = {
        {0, 3, 2, 0},
        {5, 3, 1, 1},
        {1, 1, 1, 1},
        {1, 5, 5, 1},
        {5, 5, 1, 1},
        {0, -1, 9, 0},
        {0, 10, 9, 0},
        {0, 2147483647, 2147483646, 0},
        {0, -2147483648.0, 2147483646, 0},
    };
    for (const Case& k : cases) {
        EXPECT_EQ(betweend(k.a, k.b, k.c), k.expected) << k.a << ' ' << k.b << ' ' << k.c;
        EXPECT_EQ(betweeni(static_cast<int>(k.a), static_cast<int>(k.b), static_cast<int>(k.c)),
                  k.expected);
    }
}

TEST(algebra, roundto_rounds_halves_up_to_the_step) {
    struct Case {
        double x, step, expected;
    };
    const Case cases[] = {
        {2.5, 1, 3},      {-2.5, 1, -2}, {7, 5, 5},   {7.5, 5, 10}, {7.5, -5, 5},
        {0.26, 0.5, 0.5}, {-7.5, 5, -5}, {12, 0, 12},  // a step of 0 leaves x as it is
    };
    for (const Case& k : cases)
        EXPECT_DOUBLE_EQ(roundto(k.x, k.step), k.expected) << k.x << ' ' << k.step;
}

}  // namespace
