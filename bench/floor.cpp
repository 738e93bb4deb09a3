// The floor of every task: what no program that reads the graph file and writes kostra's report
// can avoid. It reads and parses the file (large reads, a parser written by hand), keeps the
// three edge arrays, counts the degrees and writes a report of the same shape and size as
// kostra's, with every tree flag, tree-edge count and orientation 0: no graph algorithm at all.
//
// usage: kostra-floor GRAPH [forest|orient]
//   forest  the report of tasks 1 to 3 (the default)
//   orient  what tasks 4 and 5 print: the tree flags, then the orientations
#include <cstring>

#include "graph_io.h"

int main(int argc, char** argv) {
    const bool orient = argc == 3 && std::strcmp(argv[2], "orient") == 0;
    if (argc < 2 || argc > 3 || (argc == 3 && !orient && std::strcmp(argv[2], "forest") != 0)) {
        bench::fail(2, "usage", "kostra-floor GRAPH [forest|orient]");
    }
    const bench::CGraphArrays g = bench::readGraph(argv[1]);
    if (orient) {
        bench::writeOrientReport(g.edgeCount, nullptr, nullptr);
    } else {
        const bench::CBigArray<int> degree = bench::countDegrees(g);
        bench::writeForestReport(g, nullptr, nullptr, degree.data());
    }
    return 0;
}
