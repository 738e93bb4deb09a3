// Where a long run stands, for a person at a terminal: from about a second into a stretch of
// work (reading the graph, marking the forest, writing the report), one line on standard error,
// redrawn four times a second, such as (in English)
//
//     reading the graph, edge 3145728 of 10000000 (31 %), 2 s
//
// Its words are texts of the catalogue, in the language the program speaks (speak()).
// Nothing is ever shown unless the program's main asked for it with showOn() and standard error
// is a terminal, so a pipe or a file never gets it. The line is wiped (overwritten with blanks,
// which needs no terminal control sequence) before anything else is written on standard output
// or standard error, and when the work ends.
//
// The line is drawn by a SIGALRM handler of an interval timer, so the work itself is never
// interrupted to look at the clock: a loop only stores how far it is, now and then, with done().
// Phases do not nest; one process shows one line.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

#include "Format.h"

namespace progress {

// Progress may be shown on fd from now on, when it is a terminal (the programs' mains call it with
// standard error).
void showOn(int fd);

// The language of the line from now on (Czech until told otherwise).
void speak(Language language);

// A word of the line in both languages: a text of the catalogue, whose characters live as long
// as the program.
struct Words {
    const char* czech = nullptr;
    const char* english = nullptr;
    constexpr Words() = default;
    template <std::size_t C, std::size_t E>
    constexpr Words(const Text<C, E>& text)  // NOLINT(google-explicit-constructor): a text is words
        : czech(text.cs.text), english(text.en.text) {}
};

// A stretch of work, shown while the object lives.
struct Work {
    Words what;       // "reading the graph"
    Words unit = {};  // what done() and total() count ("edge"), if they are given
    // Not shown when standard input is a terminal: a person types there, and the line would
    // stand in the middle of the answers.
    bool readsInput = false;
    // Not shown when standard output is a terminal: the output is the sign of life.
    bool writesOutput = false;
};

class Phase {
public:
    explicit Phase(const Work& work);
    ~Phase();
    Phase(const Phase&) = delete;
    Phase& operator=(const Phase&) = delete;

private:
    bool shown_ = false;
};

namespace detail {
extern std::atomic<std::int64_t> done;
extern std::atomic<std::int64_t> total;
}  // namespace detail

// How far the phase is: done units of total. A plain store: call it every few thousand units.
inline void done(std::int64_t k) { detail::done.store(k, std::memory_order_relaxed); }
inline void total(std::int64_t n) { detail::total.store(n, std::memory_order_relaxed); }

// Output calls them around every write to descriptor fd: when fd shows on the terminal of the
// line, the line is wiped first, and not drawn again before the write is over, and only when
// what was written ended a line (so the line never stands in the middle of a question).
void writing(int fd);
void written(int fd, bool endsLine);

}  // namespace progress
