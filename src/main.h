// The console driver: one run of kostra, from the graph description to the report.
//
// The whole dialogue is runKostra: it takes the graph file's path (or none, for the keyboard),
// the reader of standard input and the two output streams, and returns the exit status, so a
// test or a fuzz driver can run the whole program many times in one process. main() only wires
// the process's streams to it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "CGraph.h"
#include "LineReader.h"
#include "Output.h"

// Exit statuses.
enum Status : int {
    kStatusDone = 0,          // the report is written
    kStatusInconsistent = 1,  // the graph file ended before the description did
    kStatusCannotOpen = 2,    // the graph file cannot be opened (a directory cannot either)
    kStatusInputEnded = 3,    // standard input ended while a question was waiting for an answer
    kStatusNoMemory = 4,      // memory for the graph or a working array cannot be obtained
    kStatusCannotWrite = 5,   // the output could not be written
};

struct RunLimits {
    // A graph whose records would take more bytes than this is treated like memory that cannot
    // be obtained (the fuzz driver keeps its runs small with it).
    std::size_t maxGraphBytes = SIZE_MAX;
};

int runKostra(const char* graphPath, LineReader& answers, Output& out, Output& err,
              const RunLimits& limits = {});

// Opens a graph file for reading: a descriptor, or -1 when it cannot be opened (a directory
// cannot). The caller closes it.
int openGraphFile(const char* path);

// Reads the graph description: the edge count, the node count, then from, to and weight of every
// edge. With prompts (standard input) every question is shown first and only the end of input
// stops the reading; without (a graph file) reading stops as soon as any read meets the end of
// the file. A value out of range, or a read without a number, is dropped and the same field is
// read again. Returns kStatusDone with the graph in *graph, kStatusInconsistent (the file ran
// out), kStatusInputEnded (standard input ran out) or kStatusNoMemory (over limits).
int readGraph(LineReader& in, Output* prompts, std::unique_ptr<CGraph>& graph,
              const RunLimits& limits = {});
