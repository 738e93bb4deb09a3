// The page of `kostra-dot --html`: one self-contained HTML file that replays a run step by step
// over its drawing. The SVG, the steps, the words, the styles and the script are all inside it, and
// its Content-Security-Policy lets it fetch nothing from anywhere.
//
// The replay is the script's (page/stranka.js, with page/stranka.css), which any page can mount on
// an element of its own with the three things written here: the SVG of the drawing (writeDot for a
// page, laid out by Graphviz), the data (writePageData) and the words (writePageWords). The state
// on show is readable by scripts: every node's element has the id "uN" and every edge's "hN", each
// with data-stav, its state after the step shown; body carries data-krok (the step shown, 0 =
// before the first) and data-kroku (the number of steps). docs/kostra-dot.md lists every state,
// attribute and panel. The data and the words are written by PageData.cpp, which needs nothing of
// the page's own script and styles, so that kostra's browser page builds it in without them.
#pragma once

#include <cstddef>
#include <string_view>

class CGraph;
class Output;
struct Replay;
struct Transcript;

// The run's data as one JSON object, for the replay's script: the task, the method replayed,
// whether kostra narrated, the counts, the chosen edge (-1: none), every edge's from, to and
// weight, the forest, the orientations (tasks 4 and 5) and sides (task 5), how many steps are the
// forest's, every step's record (Replay.h) and every line with its step. Numbers, fixed names
// and the lines, escaped to stand in a script element. Cost: O(n + m + the steps + the lines).
void writePageData(const CGraph& g, const Transcript& t, const Replay& r, Output& out);

// Every word the replay's script shows, as one JSON object from the catalogue's name of the word
// to its text in the language out speaks ("%d" and "%s" in it are the script's to fill in).
void writePageWords(Output& out);

// The length of the valid UTF-8 sequence that starts at s[i], or 0 when none does (a stray
// continuation byte, an overlong form, a surrogate, a code point beyond U+10FFFF, a cut sequence):
// every text the page's writers put into a page is checked with it.
std::size_t utf8SequenceLength(std::string_view s, std::size_t i);

// Writes the page of the run that g, t and r describe, with svg the drawing as Graphviz laid it
// out and path the graph file's name as the user gave it (any bytes: every text that reaches the
// page is escaped). Cost: O(n + m + the steps' records + the lines + the SVG).
void writePage(const CGraph& g, const Transcript& t, const Replay& r, std::string_view svg,
               std::string_view path, Output& out);
