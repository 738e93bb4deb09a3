#include <gtest/gtest.h>
#include "algebra.h"
TEST(algebra, placeholder_build) { EXPECT_EQ(max2i(1, 2), 2); }
