// A second, naive kostra dialogue for the tests: the whole run from the graph description to the
// report, written the plain way (a 256-byte line buffer filled like fgets fills it, numbers taken
// like "%d" takes them, printf-formatted texts) on top of naive::Graph.
#pragma once

#include <string>
#include <string_view>

#include "Texts.h"

namespace naive {

struct RunResult {
    std::string out;  // everything written to standard output
    int status;       // the exit status
};

// One run. graphPath null: the graph is read from the keyboard (standard input, with prompts).
// Otherwise graphFile holds the bytes of the file at graphPath, or is null when that path cannot
// be opened. input holds the bytes of standard input.
RunResult runDialogue(const char* graphPath, const std::string* graphFile,
                      const std::string& input);

// A read of at most 255 characters that stops after a line break, as fgets into a buffer of 256
// fills it; it remembers meeting the end of the data as the stream's end-of-file flag does.
class LineStream {
public:
    explicit LineStream(const std::string& data) : data_(data) {}
    // False when nothing at all could be read. The buffer ends with a NUL after what was read
    // (the read itself may hold NUL bytes, which end it as a C string).
    bool gets(char (&buffer)[256]);
    bool eof() const { return eof_; }

private:
    const std::string& data_;
    std::size_t pos_ = 0;
    bool eof_ = false;
};

// "%d" on a C string, with a number outside the 32-bit range counted as no number.
bool parseInt(const char* text, int& value);

// Every line of text is a note, a warning or a remark in either language (or text is empty):
// what standard error may hold when a run has nothing else to say there.
inline bool onlyNotes(std::string_view text) {
    const auto isNote = [](std::string_view line) {
        for (const Language language : {Language::Czech, Language::English}) {
            if (line.starts_with(texts::kWarning.in(language)) ||
                line.starts_with(texts::kNote.in(language)))
                return true;
        }
        return false;
    };
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        if (end == std::string_view::npos || !isNote(text)) return false;
        text.remove_prefix(end + 1);
    }
    return true;
}

}  // namespace naive
