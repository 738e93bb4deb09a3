#include "Drawing.h"

#include "CGraph.h"
#include "Output.h"
#include "Texts.h"
#include "Transcript.h"

namespace {

// The caption: what the picture shows and how to read it, one left-aligned line each ("\l").
void writeCaption(const Transcript& t, Output& out) {
    writeTaskName(t, out);
    out.print<"\\l">();
    out.print<texts::kCaptionStyles>();
    if (!reportsForest(t.task)) out.print<texts::kCaptionOrientation>();
    if (t.task == Task::Cut) out.print<texts::kCaptionSides>();
}

}  // namespace

void writeTaskName(const Transcript& t, Output& out) {
    if (t.task == Task::Skeleton) out.print<texts::kMethod1>();
    if (t.task == Task::BoruvkaKruskal && !t.narrated) out.print<texts::kMinimumForest>();
    if (t.task == Task::BoruvkaKruskal && t.narrated) {
        out.print<texts::kMinimumForestBy>(t.method == Method::BoruvkaKruskal
                                               ? texts::kKruskal.in(out.language())
                                               : texts::kPrim.in(out.language()));
    }
    if (t.task == Task::Loop) out.print<texts::kLoopCaption>(t.chosen);
    if (t.task == Task::Cut) out.print<texts::kCutCaption>(t.chosen);
}

void writeDot(const CGraph& g, const Transcript& t, Output& out, bool page,
              std::string_view layout) {
    out.print<"graph kostra {\n">();
    if (!layout.empty()) out.print<"    layout=%s;\n">(layout);
    if (!page) {
        out.print<"    labelloc=t;\n    labeljust=l;\n    label=\"">();
        writeCaption(t, out);
        out.print<"\";\n">();
    }
    if (page) {
        // A page scales the drawing to its window: labels larger against the layout's spacing,
        // and ranks closer, let a larger graph fit with every label still readable; nodes apart
        // for the engines that would let them overlap.
        out.print<"    node [shape=circle, fontsize=20];\n    edge [fontsize=20];\n">();
        out.print<"    ranksep=0.3;\n    overlap=false;\n">();
    } else {
        out.print<"    node [shape=circle];\n">();
    }

    for (int i = 0; i < g.nodeCount; ++i) {
        const int side = t.task == Task::Cut ? g.nodes[i].tag : 0;
        const char* fill = side == 1 ? "#fdd0a2" : side == 2 ? "#c7e9c0" : nullptr;
        out.print<"    %d">(i);
        if (page) {
            out.print<" [id=\"u%d\"]">(i);
        } else if (fill != nullptr) {
            out.print<" [style=filled, fillcolor=\"%s\"]">(fill);
        }
        out.print<";\n">();
    }

    for (int k = 0; k < g.edgeCount; ++k) {
        const Edge& e = g.edges[k];
        out.print<"    %d -- %d [">(e.from, e.to);
        if (page) {
            // The page styles every state itself: the drawing is the layout alone.
            out.print<"id=\"h%d\", label=\"">(k);
            out.print<texts::kEdgeLabel>(k, e.weight);
            out.print<"\"];\n">();
            continue;
        }
        const int sign = reportsForest(t.task) ? 0 : t.orientation[static_cast<std::size_t>(k)];
        out.print<"label=\"">();
        out.print<texts::kEdgeLabel>(k, e.weight);
        if (k == t.chosen) {
            out.print<texts::kChosenLabel>();
            out.print<"\", penwidth=3">();
        } else if (sign == 1) {
            out.print<" (+1)\"">();
        } else if (sign == -1) {
            out.print<" (-1)\"">();
        } else {
            out.print<"\"">();
        }
        out.print<", style=%s">(e.inTree ? "bold" : "dashed");
        // Drawn as from -- to in every case, so the layout does not depend on the sign; the
        // arrowhead goes to the to node (+1) or back to the from node (-1).
        if (sign == 1) out.print<", color=\"#d62728\", fontcolor=\"#d62728\", dir=forward">();
        if (sign == -1) out.print<", color=\"#1f77b4\", fontcolor=\"#1f77b4\", dir=back">();
        out.print<"];\n">();
    }
    out.print<"}\n">();
}
