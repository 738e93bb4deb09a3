// The methods of the graph that tell an observer their decisions (Observer.h), as templates: the
// code that runs one of them with an observer of its own includes this. The graph's own
// translation units run them unwatched.
#pragma once

#include <cassert>

#include "CGraph.h"
#include "LoopAndCut.h"
#include "MinimumForest.h"
#include "Skeleton.h"

template <class Observer>
int CGraph::markForest(int method, Observer& tell) {
    assert(1 <= method && method <= 3);
    if (method == 1) return skeleton(tell);
    if (method == 2) return BoruvkaKruskal(tell);
    return JarnikPrim(tell);
}
