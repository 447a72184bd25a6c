// Runs one piece of work in a forked child with a time limit, so that a crash or a hang
// in the code under test ends only that child. The child sends its outcome back over a
// pipe; the parent waits until the deadline, then kills it.
#pragma once

#include <functional>

#include "check_outcome.h"

// Called on the parent's only thread. The parent must not have started threads or loaded
// the library under test: the child loads it itself, so a crash while loading is also
// caught. `work` runs in the child and may allocate, start threads and crash.
CheckOutcome runInChild(const std::function<CheckOutcome()>& work, double timeoutSeconds);

// Called in the child: names what the work is about to do, so that a crash or a hang is
// reported with the step it happened in ("during opcode 14"). Does nothing in the parent.
void reportStep(const std::string& step);

// "SIGSEGV (Segmentation fault)" for a signal number.
std::string describeSignal(int signal);
