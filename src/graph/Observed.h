// The methods of the graph that tell an observer their decisions (Observer.h), as templates: the
// code that runs one of them with an observer of its own includes this. The graph's own
// translation units run them unwatched.
#pragma once

#include "CGraph.h"
#include "LoopAndCut.h"
#include "MinimumForest.h"
#include "Skeleton.h"

template <class Observer>
int CGraph::markForest(Method method, Observer& tell) {
    switch (method) {
        case Method::Skeleton:
            return skeleton(tell);
        case Method::BoruvkaKruskal:
            return BoruvkaKruskal(tell);
        case Method::JarnikPrim:
            break;
    }
    return JarnikPrim(tell);
}
