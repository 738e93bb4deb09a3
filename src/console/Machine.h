// The processors a console program runs its work on: the ones its affinity allows (taskset -c 0
// makes it one), at least one; and helper threads that take no signal, so that the progress
// line's timer (and anything else the program is sent) interrupts the main thread only. The
// programs' mains call it once, before any work.
#pragma once

void useMachineProcessors();
