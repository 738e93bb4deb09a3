// The narration of the two minimum forest methods ("podrobny vypis"): an observer (Observer.h) that
// writes every decision of BoruvkaKruskal or JarnikPrim as kostra's line, in the language out
// speaks:
//
//     Narration narration(out, g, Method::BoruvkaKruskal);
//     g.BoruvkaKruskal(narration);
//
// It writes what the method tells, in the order told: the sorting line, the two lines of every
// accepted edge and the count (edge order); the line of every chosen node, the line of every key
// set after it and the count (growing trees).
#pragma once

#include "CGraph.h"
#include "Observer.h"
#include "Output.h"

class Narration : public Unwatched {
public:
    // The narration of BoruvkaKruskal or JarnikPrim on g.
    Narration(Output& out, const CGraph& g, Method method)
        : out_(out), g_(g), prim_(method == Method::JarnikPrim) {}

    void sortingEdges();
    void accepted(int edge, int goneLabel, int keptLabel);
    void chosen(int node, int key, int edge);
    void keyLowered(int node, int keyBefore, int edgeBefore, int key, int edge);
    void componentsCounted(int count);

private:
    Output& out_;
    const CGraph& g_;
    bool prim_;  // the tree-growing method narrates, else the edge-order one
};

// The forest of the method on g, narrated on narration (or not, without it); returns the number
// of components.
int narratedForest(CGraph& g, Method method, Output* narration);
