#include "algebra.h"

#include <cmath>

namespace {

// Each helper once, for int and double alike. The comparisons are the ordered ones, so with a NaN
// operand every test is false: larger and smaller return b, sign returns 0, between returns 0.
template <class T>
T larger(T a, T b) {
    return a > b ? a : b;
}
template <class T>
T smaller(T a, T b) {
    return a < b ? a : b;
}
template <class T>
int sign(T x) {
    return x > 0 ? 1 : (x < 0 ? -1 : 0);
}
template <class T>
int between(T a, T b, T c) {
    return (a <= b && b <= c) || (a >= b && b >= c) ? 1 : 0;
}

}  // namespace

extern "C" {

int max2i(int a, int b) { return larger(a, b); }
int min2i(int a, int b) { return smaller(a, b); }
int max3i(int a, int b, int c) { return larger(a, max2i(b, c)); }
int min3i(int a, int b, int c) { return smaller(a, min2i(b, c)); }

double max2d(double a, double b) { return larger(a, b); }
double min2d(double a, double b) { return smaller(a, b); }
double max3d(double a, double b, double c) { return larger(a, max2d(b, c)); }
double min3d(double a, double b, double c) { return smaller(a, min2d(b, c)); }

int sgni(int x) { return sign(x); }
int sgnd(double x) { return sign(x); }

int betweeni(int a, int b, int c) { return between(a, b, c); }
int betweend(double a, double b, double c) { return between(a, b, c); }

double roundto(double x, double step) {
    // The formula has no meaning for a step of 0 (it would divide by zero): x is returned as is.
    if (step == 0) return x;
    const double q = x / step + 0.5;  // a half goes up, towards positive infinity
    return step * std::floor(q);
}

}  // extern "C"
