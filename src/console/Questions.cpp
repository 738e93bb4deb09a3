#include "Questions.h"

Answer unusualAnswer(const Source& src, LineReader::Got got, int value, bool took,
                     Expected expected) {
    // A graph file ends with the read that meets its end, whatever that read holds.
    const bool ended =
        got == LineReader::Got::Nothing || (src.prompts == nullptr && src.in.endMet());
    if (src.notes != nullptr) {
        if (got != LineReader::Got::Nothing &&
            (!took || src.in.after() != LineReader::After::Blanks))
            src.notes->read(src.in, got, value, took, expected);
        if (ended && src.prompts == nullptr) src.notes->ended(src.in, took, expected);
    }
    if (ended) return Answer::Ended;
    return took ? Answer::Taken : Answer::Refused;
}
