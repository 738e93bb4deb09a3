// The Graphviz drawing of one kostra result: every node and every edge of the graph, the forest
// of the run in bold over the other edges, dashed, and for a loop or cut its edges in colour on
// top, with arrows in the direction in which the loop runs or the cut is crossed.
#pragma once

#include <string_view>

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
// the styles. For a page, the drawing is the layout alone: no caption and no styles (the page
// shows every state itself, the result too), every node with the id "u<number>" and every edge
// "h<number>", which the SVG that Graphviz makes of it keeps. A layout engine named ("neato")
// goes into the graph's layout attribute. Cost: O(n + m), no memory beyond the output's buffer.
void writeDot(const CGraph& g, const Transcript& t, Output& out, bool page = false,
              std::string_view layout = {});
