#include "algebra.h"

#include <cmath>

extern "C" {

int max2i(int a, int b) { return a > b ? a : b; }
int min2i(int a, int b) { return a < b ? a : b; }

int max3i(int a, int b, int c) {
    const int m = max2i(b, c);
    return a > m ? a : m;
}

int min3i(int a, int b, int c) {
    const int m = min2i(b, c);
    return a < m ? a : m;
}

double max2d(double a, double b) { return a > b ? a : b; }
double min2d(double a, double b) { return a < b ? a : b; }

double max3d(double a, double b, double c) {
    const double m = max2d(b, c);
    return a > m ? a : m;
}

double min3d(double a, double b, double c) {
    const double m = min2d(b, c);
    return a < m ? a : m;
}

int sgni(int x) { return x > 0 ? 1 : (x < 0 ? -1 : 0); }
int sgnd(double x) { return x > 0 ? 1 : (x < 0 ? -1 : 0); }

int betweeni(int a, int b, int c) { return (a <= b && b <= c) || (a >= b && b >= c) ? 1 : 0; }
int betweend(double a, double b, double c) {
    return (a <= b && b <= c) || (a >= b && b >= c) ? 1 : 0;
}

double roundto(double x, double step) {
    // The formula has no meaning for a step of 0 (it would divide by zero): x is returned as is.
    if (step == 0) return x;
    const double q = x / step + 0.5;  // a half goes up, towards positive infinity
    return step * std::floor(q);
}

}  // extern "C"
