// The exit statuses of kostra. The companion programs end with kStatusNoMemory and
// kStatusCannotWrite for the same two failures, so that a script can tell them apart alike.
#pragma once

enum Status : int {
    kStatusDone = 0,          // the report is written
    kStatusInconsistent = 1,  // the graph file ended before the description did
    kStatusCannotOpen = 2,    // the graph file cannot be opened (a directory cannot either)
    kStatusInputEnded = 3,    // standard input ended while a question was waiting for an answer
    kStatusNoMemory = 4,      // memory for the graph or a working array cannot be obtained
    kStatusCannotWrite = 5,   // the output could not be written
    // kostra's command line is wrong: a --lang option without a language it knows
    kStatusBadCommandLine = 6,
};
