// kostra-dot: the result of one kostra run as a Graphviz drawing. It reads the graph file the run
// was given, with kostra's own reader and rules, and kostra's whole output on standard input, and
// writes one DOT graph to standard output:
//
//     kostra graph.txt < answers.txt | kostra-dot graph.txt > graph.dot
//     dot -Tsvg graph.dot > graph.svg
//
// With --html before the graph file it writes instead one page that replays the run step by step
// over the drawing, laid out by Graphviz's dot (Page.h); --lang chooses its language (Language.h).
//
// Nothing is written to standard output before all of standard input has been read and checked
// against the graph, so input that is refused leaves standard output empty; the one message goes
// to standard error, after it the graph file's notes (why it is refused, warnings about its
// lines). Further arguments are ignored; "-h" or "--help" among the options shows the usage,
// "--version" the version (a graph file of such a name is given as ./--help).
#include <unistd.h>

#include <cstdlib>

#include "Companion.h"
#include "KostraDot.h"

int main(int argc, char** argv) {
    return runCompanion([&](Output& out, Output& err) {
        return runKostraDot(argc, argv, STDIN_FILENO, out, err, machineLimits(),
                            std::getenv("KOSTRA_LANG"));
    });
}
