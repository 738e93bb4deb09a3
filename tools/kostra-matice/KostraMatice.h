// kostra-matice's whole run as one function over its streams, so that a test or a fuzz driver runs
// exactly the program's code many times in one process; main() wires the process's standard
// output and error to it through runCompanion.
#pragma once

#include "GraphInput.h"
#include "Output.h"

// One run of kostra-matice with the arguments argv[0 .. argc - 1], in the language of --lang, else
// of languageVariable (KOSTRA_LANG's value, null when it is not set; Language.h), else Czech; the
// kinds and the options are taken in either language. Returns the exit status: 0 the
// matrix (or the usage asked for) is on out, 1 the graph file is inconsistent, 2 it cannot be
// opened, 3 bad arguments, kStatusNoMemory when the graph exceeds limits.maxGraphBytes. Every
// refusal is one line on err, with nothing on out; running out of memory otherwise throws
// std::bad_alloc before anything is written, which the caller reports (runCompanion,
// finishCompanion).
int runKostraMatice(int argc, char** argv, Output& out, Output& err,
                    const RunLimits& limits = machineLimits(),
                    const char* languageVariable = nullptr);
