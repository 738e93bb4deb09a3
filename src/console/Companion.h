// The process entry that kostra's companion programs share: standard output and standard error as
// Output streams, and the two failures that can strike anywhere ended the same way in every one of
// them: running out of memory with status 4 and the catalogue's kNoMemory, an output that cannot
// be written with status 5 and kCannotWrite, both on standard error, in the language the body
// chose for err (Language.h). Progress of long work is shown on standard error when it is a
// terminal (Progress.h).
//
//     int main(int argc, char** argv) {
//         return runCompanion([&](Output& out, Output& err) { return convert(argc, argv, out, err);
//         });
//     }
#pragma once

#include <unistd.h>

#include <new>

#include "Machine.h"
#include "Output.h"
#include "Progress.h"
#include "Status.h"

// Reports the two shared failures of a run that ended with status, on err; returns the status the
// process ends with.
int finishCompanion(int status, Output& out, Output& err);

// Runs body(out, err) on the process's standard output and error; returns its exit status.
template <class Body>
int runCompanion(const Body& body) {
    Output out(STDOUT_FILENO);
    Output err(STDERR_FILENO);
    progress::showOn(STDERR_FILENO);
    useMachineProcessors();
    int status = kStatusDone;
    try {
        status = body(out, err);
    } catch (const std::bad_alloc&) {
        status = kStatusNoMemory;
    }
    return finishCompanion(status, out, err);
}
