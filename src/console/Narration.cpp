#include "Narration.h"

#include "Observed.h"
#include "Texts.h"

void Narration::sortingEdges() { out_.print<texts::kKruskalSorting>(); }

void Narration::accepted(int edge, int goneLabel, int keptLabel) {
    const Edge& e = g_.edges[edge];
    out_.print<texts::kKruskalJoining>(edge, e.weight);
    out_.print<texts::kKruskalMoving>(goneLabel, e.to, keptLabel, e.from);
}

void Narration::chosen(int node, int /*key*/, int /*edge*/) {
    out_.print<texts::kPrimAdding>(node);
}

void Narration::keyLowered(int node, int /*keyBefore*/, int /*edgeBefore*/, int key, int edge) {
    out_.print<texts::kPrimOffering>(node, key, edge);
}

void Narration::componentsCounted(int count) {
    if (prim_) {
        out_.print<texts::kPrimCount>(count);
    } else {
        out_.print<texts::kKruskalCount>(count);
    }
}

int narratedForest(CGraph& g, Method method, Output* narration) {
    if (narration == nullptr) return g.markForest(method);
    Narration narrate(*narration, g, method);
    return g.markForest(method, narrate);
}
