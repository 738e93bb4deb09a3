// What the programs tell a person on standard error about what they read, beside their output:
//
// - warnings about the lines of a graph file: a value that is refused (and the next line that
//   takes its place), or a value that is taken although more follows it on its line ("2.5" is
//   read as 2); kept until the reading is over, so that they come after the line that says
//   whether the file was read, at most kMaxWarnings of them;
// - why a graph file was refused: where it ended and what was still missing, or that its last
//   line has no line break, or that it is too short for the edges it announces;
// - hints on answers read from standard input: what a question accepts when an answer is
//   refused, and at once when no answer can ever be taken.
//
// None of it changes what is read or what is written on standard output. Every text is a line of
// its own, in the language of err, starting with the catalogue's kWarning (a line of the file is
// not what it looks like) or kNote (why, and what is accepted).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "LineReader.h"
#include "Output.h"

class CGraph;

// What a question, or a line of the graph description, stands for.
struct Expected {
    enum Kind { EdgeCount, NodeCount, From, To, Weight, Choice, Method, LoopEdge, CutEdge };
    Kind kind;
    int edge = 0;  // From, To, Weight: the edge the value belongs to
};

class Notes {
public:
    enum class Source {
        GraphFile,  // warnings with line numbers, kept until print()
        Answers,    // hints, written at once
    };
    static constexpr int kMaxWarnings = 100;  // a file of broken lines is not told line by line

    // Notes on err. For answers, out (standard output) is flushed before every hint, so that the
    // hint comes after the question it is about.
    Notes(Source source, Output& err, Output* out = nullptr);
    ~Notes();
    Notes(const Notes&) = delete;
    Notes& operator=(const Notes&) = delete;

    // The graph's counts, as far as they are read: what the values of its edges accept, and how
    // many of them are to come.
    void counts(int edges, int nodes) {
        edges_ = edges;
        nodes_ = nodes;
    }

    // A read worth a note: a value refused (got NoNumber, or Number and not took), or one taken
    // (took) with more than blanks after it on its line (LineReader::after()).
    void read(const LineReader& in, LineReader::Got got, int value, bool took, const Expected& e);
    // The graph file ended with the read just made while e was read; took: that read's value was
    // taken (the file's last line has no line break).
    void ended(const LineReader& in, bool took, const Expected& e);
    // The graph file announces edges that the bytes left after the counts cannot hold.
    void tooShort(const LineReader& in, int edges);
    // The graph file at path cannot be opened, for the system's reason error (an errno value).
    void cannotOpen(const char* path, int error);
    // The yes/no question refused an answer.
    void refusedYesNo(const LineReader& in);

    // The edge question of task 4 (LoopEdge) or 5 (CutEdge) comes next in graph g, where usable
    // edges can be taken. When none can, says so at once.
    void edgeQuestion(const CGraph& g, Expected::Kind kind, int usable);

    // The graph file's warnings are over: how many of them were not kept.
    void closeWarnings();
    // There are notes that print() would write.
    bool any() const;
    // The graph file's notes (warnings, why it is refused or cannot be opened) on err. It takes
    // no memory, so a message that precedes them is never followed by running out of memory.
    void print();

private:
    void refused(const LineReader& in, LineReader::Got got, int value, const Expected& e);
    void taken(const LineReader& in, int value, const Expected& e);
    Output& text();  // where a note is made; made when the first one comes
    // Makes a note of a text of the catalogue and keeps it in pending_, ready to be written.
    template <Text T, class... Args>
    void say(const Args&... args) {
        text().print<T>(args...);
        text_->flush();
    }
    void hint();  // writes the hint made on err
    void printCannotOpen();
    bool warning();  // counts a warning: false when it is beyond kMaxWarnings
    std::string accepts(const Expected& e);
    std::string problem(const LineReader& in, LineReader::Got got, int value, const Expected& e);
    std::int64_t valuesFrom(const Expected& e) const;
    std::string lineOf(const LineReader& in) const;

    Source source_;
    Output& err_;
    Output* out_;
    std::string pending_;  // the notes made and not written yet
    std::unique_ptr<Output> text_;
    std::int64_t warnings_ = 0;
    const char* openPath_ = nullptr;  // a graph file that cannot be opened, and why
    int openError_ = 0;
    // The first line of the file with more than one number on it, and how many such lines.
    std::int64_t severalLine_ = 0;
    std::int64_t severalLines_ = 0;
    int edges_ = 0;
    int nodes_ = 0;
    // The edge question's graph and the number of edges it takes; the first few of them.
    const CGraph* graph_ = nullptr;
    int usable_ = 0;
    bool listed_ = false;
    std::string usableList_;
};
