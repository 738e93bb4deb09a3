// Asking for a number the way every question of kostra asks: the graph description's values, the
// menu choice, the forest method and the edge number. The answers come from the graph file, read
// silently and checked for its end after every read, or from standard input, where the question
// is shown before every read. An answer that holds no number, or one that is refused, is dropped
// and the same question is asked (or the next line of the file read) again. A refused answer, and
// a number taken from a line with more on it, are told to Notes, when the source has them.
#pragma once

#include "LineReader.h"
#include "Notes.h"
#include "Output.h"

struct Source {
    LineReader& in;
    Output* prompts;         // null for the graph file
    Notes* notes = nullptr;  // where the answers worth a note are told, if anywhere
};

enum class Answer { Taken, Refused, Ended };

// An answer that is not a number right before its line break: the notes about it, if the source
// has them, and what becomes of it. took: accept() takes its number.
Answer unusualAnswer(const Source& src, LineReader::Got got, int value, bool took,
                     Expected expected);

// Asks until the answer is a number that accept() takes and stores it in value; false when the
// source ran out first (standard input ended, or the graph file met its end, the read that met it
// included). value is written only when an answer is taken. expected says what the question
// stands for, for the notes.
template <Text Prompt, class Accept, class... Args>
bool ask(const Source& src, Expected expected, int& value, const Accept& accept,
         const Args&... args) {
    for (;;) {
        if (src.prompts != nullptr) src.prompts->print<Prompt>(args...);
        int v = 0;
        const LineReader::Got got = src.in.readInt(v);
        // The usual answer, a number right before its line break, is taken here; everything else
        // out of the way of the loop that reads a graph's millions of values.
        const bool took = got == LineReader::Got::Number && accept(v);
        if (took && src.in.plain()) {
            value = v;
            return true;
        }
        switch (unusualAnswer(src, got, v, took, expected)) {
            case Answer::Taken:
                value = v;
                return true;
            case Answer::Ended:
                return false;
            case Answer::Refused:
                break;
        }
    }
}
