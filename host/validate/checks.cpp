#include "checks.h"

const std::vector<ValidatorCheck>& validatorChecks() {
  static const std::vector<ValidatorCheck> checks = {
      {"instances.open-close", "many instances opened and closed one after another", checkOpenClose},
      {"instances.many-alive", "several instances alive at once, closed in another order", checkManyAlive},
      {"dispatcher.opcodes", "every opcode 0..22 and unknown ones, with sensible arguments", checkOpcodes},
      {"parameters.texts", "names, labels and display texts terminated inside a guarded buffer", checkParameterTexts},
      {"parameters.sweep", "every parameter swept over 0..1 and set outside it", checkParameterSweep},
      {"programs.names", "programs selected, renamed and read back", checkPrograms},
      {"processing.block-sizes", "block sizes 0, 1, 7, 64, 4096 and the announced maximum", checkBlockSizes},
      {"processing.signals", "silence, noise, denormals, huge values, infinities and NaN in", checkSignals},
      {"processing.sample-rates", "sample rates 8000..768000 with random block sizes", checkSampleRates},
      {"processing.in-place", "in-place buffers give the same as separate ones", checkInPlace},
      {"processing.repeatable", "two fresh instances give the same output", checkRepeatable},
      {"processing.block-split", "other block sizes give the same output", checkBlockSplit},
      {"processing.oversized-blocks", "blocks larger than announced, and the block size changed", checkOversizedBlocks},
      {"threads.two-instances", "two instances processing in two threads", checkTwoThreads},
      {"threads.parameter-changes", "parameters changed from another thread while processing", checkParameterThread},
      {"realtime.allocations", "heap allocations made while processing", checkAllocations},
      {"realtime.denormal-cost", "processing time with denormal input against normal input", checkDenormalCost},
  };
  return checks;
}
