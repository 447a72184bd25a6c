// Host calls against plug-in one (parameters DEPTH, MIX, Type).
#include "host_call_fuzzer.h"

namespace {
const host_call_fuzzer::EffectModel kModel = {
    3, 2, {0.25f, 0.0f, 0.9f, 0.0f}, "Quorvelandix"};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return host_call_fuzzer::run(kModel, data, size);
}
