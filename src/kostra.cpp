// The process entry of kostra: standard input, standard output and standard error wired to the
// dialogue; its status becomes the exit status.
#include <unistd.h>

#include "main.h"

int main(int argc, char** argv) {
    Output out(STDOUT_FILENO);
    Output err(STDERR_FILENO);
    LineReader answers(STDIN_FILENO, &out);
    return runKostra(argc > 1 ? argv[1] : nullptr, answers, out, err, machineLimits());
}
