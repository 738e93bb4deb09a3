// The Graphviz drawing of one kostra result: every node and every edge of the graph, the forest
// of the run in bold over the other edges, dashed, and for a loop or cut its edges in colour on
// top, with arrows in the direction in which the loop runs or the cut is crossed.
#pragma once

class CGraph;
class Output;
struct Transcript;

// Writes one DOT graph (undirected, so that parallel edges and self-loops stay as they are) for
// the result readTranscript found in g and t. Nodes are labelled with their numbers, edges with
// "h<edge number>: <weight>" and, in a loop or cut, the orientation. A caption on top names the
// task and explains the styles. Cost: O(n + m), no memory beyond the output's buffer.
void writeDot(const CGraph& g, const Transcript& t, Output& out);
