#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "Output.h"
#include "ReadBack.h"

namespace {

// Every number printed with "%2d" and "%d" reads back as itself.
TEST(readback, reads_back_what_print_wrote) {
    for (const int v : {INT_MIN, INT_MIN + 1, -100, -10, -9, -1, 0, 1, 9, 10, 99, 100, INT_MAX}) {
        std::string line;
        {
            Output out(&line);
            out.print<"hrana %2d: v kostre=%d, vaha=%2d\n">(v, v, v);
        }
        line.pop_back();  // the line break, which a reader of lines has taken away
        int a = 7, b = 7, c = 7;
        ASSERT_TRUE((scanLine<"hrana %2d: v kostre=%d, vaha=%2d\n">(line, a, b, c))) << line;
        EXPECT_EQ(a, v);
        EXPECT_EQ(b, v);
        EXPECT_EQ(c, v);
    }
}

// Which lines "%d" and "%2d" take, and as what: only what printf itself writes.
TEST(readback, takes_only_what_print_writes) {
    struct Case {
        const char* line;
        bool narrow;  // taken by "x %d"
        bool wide;    // taken by "x %2d"
        int value;
    };
    const Case cases[] = {
        {"x 5", true, false, 5},  // one digit needs its blank for %2d
        {"x  5", false, true, 5},
        {"x -5", true, true, -5},
        {"x 10", true, true, 10},
        {"x 05", false, false, 0},
        {"x +5", false, false, 0},
        {"x -0", false, false, 0},
        {"x  5 ", false, false, 0},
        {"x   5", false, false, 0},
        {"x  -5", false, false, 0},
        {"x ", false, false, 0},
        {"x - 5", false, false, 0},
        {"y  5", false, false, 0},
        {"x  5\n", false, false, 0},
        {"x 2147483648", false, false, 0},
        {"x -2147483649", false, false, 0},
        {"x 12345678901", false, false, 0},
        {"x -2147483648", true, true, INT_MIN},
    };
    for (const Case& k : cases) {
        int narrow = 42;
        int wide = 42;
        EXPECT_EQ(scanLine<"x %d">(k.line, narrow), k.narrow) << '"' << k.line << '"';
        EXPECT_EQ(scanLine<"x %2d">(k.line, wide), k.wide) << '"' << k.line << '"';
        EXPECT_EQ(narrow, k.narrow ? k.value : 42) << k.line;  // nothing stored when refused
        EXPECT_EQ(wide, k.wide ? k.value : 42) << k.line;
    }
    EXPECT_TRUE(scanLine<">>VYSTUP<<\n">(">>VYSTUP<<"));
    EXPECT_FALSE(scanLine<">>VYSTUP<<\n">(">>VYSTUP<< "));
}

}  // namespace
