// The Graphviz drawing of one kostra result: every node and every edge of the graph, the forest
// of the run in bold over the other edges, dashed, and for a loop or cut its edges in colour on
// top, with arrows in the direction in which the loop runs or the cut is crossed.
#pragma once

#include "Output.h"

class CGraph;
struct Transcript;

// The task of the run, in words, in the language out speaks: the caption's first line
// ("fundamental loop of edge 2").
void writeTaskName(const Transcript& t, Output& out);

// Writes one DOT graph (undirected, so that parallel edges and self-loops stay as they are) for
// the result readTranscript found in g and t, its words in the language out speaks. Nodes are
// labelled with their numbers, edges with their number and weight ("h3: 5" in Czech, "e3: 5" in
// English) and, in a loop or cut, the orientation. A caption on top names the task and explains
// the styles. With ids, every node carries the id "u<number>" and every edge
// "h<number>", which the SVG that dot makes of it keeps. Cost: O(n + m), no memory beyond the
// output's buffer.
void writeDot(const CGraph& g, const Transcript& t, Output& out, bool ids = false);
