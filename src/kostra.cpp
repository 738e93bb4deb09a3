// The process entry of kostra: standard input, standard output and standard error wired to the
// dialogue; its status becomes the exit status.
#include <unistd.h>

#include "main.h"

int main(int argc, char** argv) {
    Output out(STDOUT_FILENO);
    Output err(STDERR_FILENO);
    LineReader answers(STDIN_FILENO, &out);
    // A graph whose records alone exceed the machine's memory can never be worked on: it is
    // refused as memory that cannot be had, before the system grants address space it cannot
    // back and ends the process later without a word.
    RunLimits limits;
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    if (pages > 0 && pageSize > 0)
        limits.maxGraphBytes = static_cast<std::size_t>(pages) * static_cast<std::size_t>(pageSize);
    return runKostra(argc > 1 ? argv[1] : nullptr, answers, out, err, limits);
}
