// The page of `kostra-dot --html`: one self-contained HTML file that replays a run step by step
// over its drawing. The SVG, the steps, the styles and the script are all inside it, and its
// Content-Security-Policy lets it fetch nothing from anywhere.
//
// The state on show is readable by scripts: every node's element has the id "uN" and every edge's
// "hN", each with data-stav, its state after the step shown; body carries data-krok (the step
// shown, 0 = before the first) and data-kroku (the number of steps). The manual page lists every
// state and attribute. The page's words are in the language of the Output it is written to; the
// script takes its own from the page (#words), so that it holds none.
#pragma once

#include <string_view>

class CGraph;
class Output;
struct Replay;
struct Transcript;

// Writes the page of the run that g, t and r describe, with svg the drawing as dot laid it out and
// path the graph file's name as the user gave it (any bytes: every text that reaches the page is
// escaped). Cost: O(n + m + the steps' records + the lines + the SVG).
void writePage(const CGraph& g, const Transcript& t, const Replay& r, std::string_view svg,
               std::string_view path, Output& out);
