#include "Drawing.h"

#include "CGraph.h"
#include "Output.h"
#include "Texts.h"
#include "Transcript.h"

namespace {

// The caption: what the picture shows and how to read it, one left-aligned line each ("\l").
void writeCaption(const Transcript& t, Output& out) {
    if (t.task == 1) out.print<join<texts::kMethod1, "\\l">()>();
    if (t.task == 2 && !t.narrated) out.print<"minimalni kostra\\l">();
    if (t.task == 2 && t.narrated) {
        out.print<"minimalni kostra (%s)\\l">(t.method == 2 ? texts::kKruskal.view()
                                                            : texts::kPrim.view());
    }
    if (t.task == 4) out.print<"nezavisla smycka hrany %d\\l">(t.chosen);
    if (t.task == 5) out.print<"nezavisly rez hrany %d\\l">(t.chosen);
    out.print<"tucne: hrany kostry, carkovane: ostatni hrany; popisek hN: vaha hrany N\\l">();
    if (t.task >= 4) {
        out.print<
            "cervene: orientace +1, sipka od->do; modre: orientace -1, sipka do->od; "
            "silne: zvolena hrana\\l">();
    }
    if (t.task == 5)
        out.print<"oranzove: strana uzlu od zvolene hrany, zelene: strana uzlu do\\l">();
}

}  // namespace

void writeDot(const CGraph& g, const Transcript& t, Output& out) {
    out.print<"graph kostra {\n    labelloc=t;\n    labeljust=l;\n    label=\"">();
    writeCaption(t, out);
    out.print<"\";\n    node [shape=circle];\n">();

    for (int i = 0; i < g.nodeCount; ++i) {
        const int side = t.task == 5 ? g.nodes[i].tag : 0;
        if (side == 1) {
            out.print<"    %d [style=filled, fillcolor=\"#fdd0a2\"];\n">(i);
        } else if (side == 2) {
            out.print<"    %d [style=filled, fillcolor=\"#c7e9c0\"];\n">(i);
        } else {
            out.print<"    %d;\n">(i);
        }
    }

    for (int k = 0; k < g.edgeCount; ++k) {
        const Edge& e = g.edges[k];
        const int sign = t.task >= 4 ? t.orientation[static_cast<std::size_t>(k)] : 0;
        out.print<"    %d -- %d [label=\"h%d: %d">(e.from, e.to, k, e.weight);
        if (k == t.chosen) {
            out.print<" (+1, zvolena)\", penwidth=3">();
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
