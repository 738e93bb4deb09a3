// Asking for a number the way every question of kostra asks: the graph description's values, the
// menu choice, the forest method and the edge number. The answers come from the graph file, read
// silently and checked for its end after every read, or from standard input, where the question
// is shown before every read. An answer that holds no number, or one that is refused, is dropped
// and the same question is asked (or the next line of the file read) again.
#pragma once

#include "LineReader.h"
#include "Output.h"

struct Source {
    LineReader& in;
    Output* prompts;  // null for the graph file
};

// Asks until the answer is a number that accept() takes and stores it in value; false when the
// source ran out first (standard input ended, or the graph file met its end, the read that met it
// included). value is written only when an answer is taken.
template <Format Prompt, class Accept, class... Args>
bool ask(const Source& src, int& value, const Accept& accept, const Args&... args) {
    for (;;) {
        if (src.prompts != nullptr) src.prompts->print<Prompt>(args...);
        int v = 0;
        const LineReader::Got got = src.in.readInt(v);
        if (got == LineReader::Got::Nothing || (src.prompts == nullptr && src.in.endMet()))
            return false;
        if (got == LineReader::Got::Number && accept(v)) {
            value = v;
            return true;
        }
    }
}
