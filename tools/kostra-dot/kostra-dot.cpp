// kostra-dot: the result of one kostra run as a Graphviz drawing. It reads the graph file the run
// was given, with kostra's own reader and rules, and kostra's whole output on standard input, and
// writes one DOT graph to standard output:
//
//     kostra graf.txt < odpovedi.txt | kostra-dot graf.txt > graf.dot
//     dot -Tsvg graf.dot > graf.svg
//
// With --html before the graph file it writes instead one page that replays the run step by step
// over the drawing, laid out by Graphviz's dot (Page.h).
//
// Nothing is written to standard output before all of standard input has been read and checked
// against the graph, so input that is refused leaves standard output empty; the one message goes
// to standard error, after it the graph file's notes (why it is refused, warnings about its
// lines). Further arguments are ignored; "-h" or "--help" shows the usage, "--version" the
// version (a graph file of such a name is given as ./--help).
#include <unistd.h>

#include "Companion.h"
#include "KostraDot.h"

int main(int argc, char** argv) {
    return runCompanion(
        [&](Output& out, Output& err) { return runKostraDot(argc, argv, STDIN_FILENO, out, err); });
}
