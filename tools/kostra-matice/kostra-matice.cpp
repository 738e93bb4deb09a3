// kostra-matice: every independent loop or every independent cut of one of kostra's spanning
// forests, as one signed matrix with a row per loop or cut and a column per edge:
//
//     kostra-matice [--lang LANGUAGE] [--table | --row-edges] GRAPH METHOD KIND
//     kostra-matice --help
//
// The graph file is read with kostra's own reader and rules, and METHOD as kostra reads its answer
// to the method question. Options come before the arguments ("--" ends them, so a graph file may
// start with "-"). Every failure is one line on standard error with its own exit status, and
// nothing on standard output: the arguments are checked and all memory is taken before the first
// character is written.
#include <cstdlib>

#include "Companion.h"
#include "KostraMatice.h"

int main(int argc, char** argv) {
    return runCompanion([&](Output& out, Output& err) {
        return runKostraMatice(argc, argv, out, err, machineLimits(), std::getenv("KOSTRA_LANG"));
    });
}
