// The validator's named checks. Each runs in a child process of its own (see
// child_process.h) and loads the plug-in itself.
#pragma once

#include <vector>

#include "check_outcome.h"
#include "check_support.h"

struct ValidatorCheck {
  const char* name;  // group.what, matched by --include/--exclude
  const char* what;  // one line for --list and the README
  CheckOutcome (*run)(const CheckContext& context);
};

// Every check, in the order they run.
const std::vector<ValidatorCheck>& validatorChecks();

// The groups, one file each.
CheckOutcome checkOpenClose(const CheckContext&);
CheckOutcome checkManyAlive(const CheckContext&);
CheckOutcome checkOpcodes(const CheckContext&);
CheckOutcome checkParameterTexts(const CheckContext&);
CheckOutcome checkParameterSweep(const CheckContext&);
CheckOutcome checkPrograms(const CheckContext&);
CheckOutcome checkBlockSizes(const CheckContext&);
CheckOutcome checkSignals(const CheckContext&);
CheckOutcome checkSampleRates(const CheckContext&);
CheckOutcome checkInPlace(const CheckContext&);
CheckOutcome checkRepeatable(const CheckContext&);
CheckOutcome checkBlockSplit(const CheckContext&);
CheckOutcome checkOversizedBlocks(const CheckContext&);
CheckOutcome checkTwoThreads(const CheckContext&);
CheckOutcome checkParameterThread(const CheckContext&);
CheckOutcome checkAllocations(const CheckContext&);
CheckOutcome checkDenormalCost(const CheckContext&);
