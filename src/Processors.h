// How many threads the program may run at once: the processors its affinity allows (taskset -c 0
// makes it 1), at least 1. The readers and the report use that many.
#pragma once

int usableProcessors();
