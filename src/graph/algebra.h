// Numeric helpers: minimum, maximum, sign, an order-independent range test and rounding to a
// step. Plain C linkage, so the names are the same from C and C++. The floating forms use
// ordered comparisons: with a NaN operand every comparison is false.
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

int max2i(int a, int b);           // a if a > b, else b
int min2i(int a, int b);           // a if a < b, else b
int max3i(int a, int b, int c);    // a against max2i(b, c)
int min3i(int a, int b, int c);    // a against min2i(b, c)
double max2d(double a, double b);  // a if a > b, else b (b when either is NaN)
double min2d(double a, double b);  // a if a < b, else b (b when either is NaN)
double max3d(double a, double b, double c);
double min3d(double a, double b, double c);
int sgni(int x);     // 1, -1 or 0
int sgnd(double x);  // 1, -1 or 0; 0 for -0.0 and NaN
// 1 when b lies between a and c inclusive, the bounds in either order; else 0.
int betweeni(int a, int b, int c);
int betweend(double a, double b, double c);  // 0 when any operand is NaN
// step * floor(x / step + 0.5): x rounded half up to a multiple of step; x itself when step is 0.
double roundto(double x, double step);

#ifdef __cplusplus
}
#endif
