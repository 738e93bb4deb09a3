// The console driver: one run of kostra, from the graph description to the report.
//
// The whole dialogue is runKostra: it takes the graph file's path (or none, for the keyboard),
// the reader of standard input and the two output streams, and returns the exit status, so a
// test or a fuzz driver can run the whole program many times in one process. main() only wires
// the process's streams to it.
#pragma once

#include "GraphInput.h"
#include "LineReader.h"
#include "Output.h"
#include "Status.h"

int runKostra(const char* graphPath, LineReader& answers, Output& out, Output& err,
              const RunLimits& limits = {});
