// The Graphviz drawing of one kostra result: every node and every edge of the graph, the forest
// of the run in bold over the other edges, dashed, and for a loop or cut its edges in colour on
// top, with arrows in the direction in which the loop runs or the cut is crossed.
#pragma once

#include "Output.h"

class CGraph;
struct Transcript;

// The caption's first line for a loop and for a cut, with the chosen edge's number.
inline constexpr Format kLoopCaption = "nezavisla smycka hrany %d";
inline constexpr Format kCutCaption = "nezavisly rez hrany %d";

// The task of the run, in words: the caption's first line ("nezavisla smycka hrany 2").
void writeTaskName(const Transcript& t, Output& out);

// Writes one DOT graph (undirected, so that parallel edges and self-loops stay as they are) for
// the result readTranscript found in g and t. Nodes are labelled with their numbers, edges with
// "h<edge number>: <weight>" and, in a loop or cut, the orientation. A caption on top names the
// task and explains the styles. With ids, every node carries the id "u<number>" and every edge
// "h<number>", which the SVG that dot makes of it keeps. Cost: O(n + m), no memory beyond the
// output's buffer.
void writeDot(const CGraph& g, const Transcript& t, Output& out, bool ids = false);
