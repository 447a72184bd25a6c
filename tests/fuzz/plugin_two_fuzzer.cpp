// Host calls against plug-in two (parameters Type, PreAmp, DEPTH, MIX).
#include "host_call_fuzzer.h"

namespace {
const host_call_fuzzer::EffectModel kModel = {
    4, 0, {0.9f, 1.0f, 0.25f, 0.0f}, "Quorvelandix.02"};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return host_call_fuzzer::run(kModel, data, size);
}
