// Reading a graph description into a CGraph: the edge count, the node count, then from, to and
// weight of every edge, one value a read. kostra reads it from a graph file or from the keyboard;
// the companion programs read the same graph files with the same rules.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "CGraph.h"
#include "LineReader.h"
#include "Memory.h"
#include "Notes.h"
#include "Output.h"
#include "Status.h"

struct RunLimits {
    // A graph whose records would take more bytes than this is treated like memory that cannot
    // be obtained (the fuzz driver keeps its runs small with it). Counted in 64 bits wherever
    // size_t is narrower, so that a graph beyond the address space is never counted small.
    std::uint64_t maxGraphBytes = UINT64_MAX;
    // What the system can give the run, asked once the counts are known: a graph that needs more
    // (memory::judge) is refused before its records are taken. None: not asked.
    memory::System (*system)() = nullptr;
    // The edge lines of a graph file of at least parallelFrom bytes are read at once, on threads
    // threads (0: every processor the process may use), in pieces of pieceSize bytes
    // (ParallelEdges.h); the tests and the fuzz driver make them small.
    std::size_t parallelFrom = std::size_t{1} << 20;
    std::size_t pieceSize = std::size_t{4} << 20;
    int threads = 0;
};

// The limits of a run on this machine: a graph that needs more memory than the system can give
// is refused as memory that cannot be had, at once, before the system grants address space it
// cannot back and ends the process later without a word, or the run fails halfway.
RunLimits machineLimits();

// Reads the graph description from in. With prompts (standard input) every question is shown
// first and only the end of input stops the reading; without (a graph file) reading stops as soon
// as any read meets the end of the file. A value out of range, or a read without a number, is
// dropped and the same field is read again. Returns kStatusDone with the graph in graph,
// kStatusInconsistent (the file ran out, or its size, when in knows it, cannot hold the edges
// its counts announce), kStatusInputEnded (standard input ran out) or kStatusNoMemory (over the
// limits: why, in shortage, if given). Running out of memory otherwise throws std::bad_alloc.
// What is worth a note (a value refused, a number with text after it, why the file ran out) is
// told to notes, if given.
int readGraph(LineReader& in, Output* prompts, std::unique_ptr<CGraph>& graph,
              const RunLimits& limits = {}, Notes* notes = nullptr,
              memory::Shortage* shortage = nullptr);

// Opens the graph file at path and reads it: kStatusDone with the graph in graph,
// kStatusCannotOpen (no such file, no permission, a directory), kStatusInconsistent (the file
// ended before the description did) or kStatusNoMemory (over the limits: why, in shortage, if
// given; or memory ran out). The file is closed on return, whatever the status. Never throws. The
// file's notes (why it cannot be opened, its warnings, why it is refused) go to notes, if given.
int readGraphFile(const char* path, std::unique_ptr<CGraph>& graph, const RunLimits& limits = {},
                  Notes* notes = nullptr, memory::Shortage* shortage = nullptr);

// How a program says why it did not read a graph file: kostra ends its opening line with a
// verdict on the file, a companion program names the file in a line of its own.
enum class Verdict { Kostra, Companion };

// Says on to why the graph file at path (as the program shows it) was not read, for a status of
// readGraphFile other than kStatusDone: that it cannot be opened, or that it is not a consistent
// graph description. Running out of memory is the caller's to tell, with every other such end.
void tellUnreadGraph(int status, std::string_view path, Verdict style, Output& to);
