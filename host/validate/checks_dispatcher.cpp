#include <climits>
#include <cmath>
#include <cstdio>

#include "checks.h"
#include "child_process.h"
#include "guarded_memory.h"

namespace {
constexpr std::int32_t kHasEditor = 0x01;  // flags bit: the effect has an editor window
}

CheckOutcome checkOpcodes(const CheckContext& context) {
  CheckOutcome outcome;
  PluginUnderTest plugin;
  if (!loadPlugin(context, plugin, outcome)) return outcome;
  auto fx = openInstance(plugin, outcome);
  if (!fx) return outcome;
  const bool editor = (*fx)->flags & kHasEditor;
  const std::int32_t params = (*fx)->numParams, programs = (*fx)->numPrograms;

  auto text = [&](std::int32_t opcode, std::int32_t index) {
    reportStep("opcode " + std::to_string(opcode));
    GuardedText buffer(256);
    fx->dispatch(opcode, index, 0, buffer.data());
    if (!buffer.untouched() && !buffer.terminated()) outcome.fail("opcode " + std::to_string(opcode) + " left its text unterminated");
  };
  auto scratch = [&](std::int32_t opcode, std::intptr_t value, float opt) {
    reportStep("opcode " + std::to_string(opcode));
    GuardedMemory buffer(4096);
    return fx->dispatch(opcode, 0, value, buffer.data(), opt);
  };

  // The opcodes that need no buffer go through `plain`, so each is named if it crashes.
  auto plain = [&](std::int32_t opcode, std::intptr_t value = 0, float opt = 0.0f, void* ptr = nullptr) {
    reportStep("opcode " + std::to_string(opcode));
    return fx->dispatch(opcode, 0, value, ptr, opt);
  };
  plain(effOpen);
  if (programs > 0) {
    plain(effSetProgram, programs - 1);
    const std::intptr_t current = plain(effGetProgram);
    if (current != programs - 1)
      outcome.fail("program " + std::to_string(programs - 1) + " selected, opcode 3 answers " + std::to_string(current));
    GuardedText name(32);
    std::snprintf(name.data(), name.size(), "%s", "Validator");
    plain(effSetProgramName, 0, 0.0f, name.data());
    text(effGetProgramName, 0);
    plain(effSetProgram, 0);
  } else {
    plain(effGetProgram);
  }
  for (std::int32_t opcode : {effGetParamLabel, effGetParamDisplay, effGetParamName})
    if (params > 0) text(opcode, 0);
  plain(effGetVu);
  plain(effSetSampleRate, 0, 44100.0f);
  plain(effSetBlockSize, 512);
  plain(effMainsChanged, 1);
  plain(effMainsChanged, 0);
  if (editor) {
    // A host without a display does not ask an effect with an editor about its window.
    outcome.note("opcodes 13..21 not sent: the effect has an editor window and fxhost has no window to give it");
  } else {
    // Without an editor, the editor opcodes (the size question, open with no window, the
    // old event opcodes 16..18, idle, 20, 21) must be harmless no-ops.
    void* rect = nullptr;
    plain(effEditGetRect, 0, 0.0f, &rect);
    for (std::int32_t opcode = effEditOpen; opcode <= 21; ++opcode) scratch(opcode, 0, 0.0f);
  }
  scratch(effIdentify, 0, 0.0f);
  // Opcodes no version of the interface defines.
  for (std::int32_t opcode : {-1, 200, 1000, INT_MAX, INT_MIN}) scratch(opcode, 0, 0.0f);

  // Still working afterwards: parameters readable, a block processed.
  for (std::int32_t p = 0; p < params; ++p)
    if (!std::isfinite((*fx)->getParameter(fx->get(), p)))
      outcome.fail("parameter " + std::to_string(p) + " reads non-finite after the opcodes");
  reportStep("processing after the opcodes");
  fx->dispatch(effMainsChanged, 0, 1);
  SeededRandom random(context.seed);
  const Signal out = runBlocks(*fx, makeSignal(SignalKind::Noise, inputChannels(*fx), 512, random), {512});
  if (firstNonFinite(out) >= 0) outcome.fail("after the opcodes: " + describeNonFinite(out));
  return outcome;
}
