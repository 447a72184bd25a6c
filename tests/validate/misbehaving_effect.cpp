// A tiny effect written straight against the record, built into one library per fault
// (chosen by a compile definition) so the validator's tests can show each fault caught:
//   FAULT_CRASH_OPCODE=N  the dispatcher writes through a null pointer on opcode N
//   FAULT_HANG_PROCESS    processing never returns
//   FAULT_NAN_OUTPUT      processing writes NaN into every 100th sample
//   FAULT_LONG_DISPLAY    parameter 0's display text has 40 characters
//   FAULT_ALLOCATES       processing allocates and frees a scratch buffer per call
// Without a definition it is a well-behaved half-gain effect: 2 inputs, 2 outputs, one
// parameter ("Gain") and four programs.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "aeffect.h"

namespace {

struct Effect {
  AEffect record;
  float gain = 0.5f;
  int program = 0;
  char names[4][24] = {"One", "Two", "Three", "Four"};
};

Effect* effectOf(AEffect* e) { return static_cast<Effect*>(e->object); }

std::intptr_t FX_CDECL dispatch(AEffect* e, std::int32_t opcode, std::int32_t index, std::intptr_t value, void* ptr,
                                float) {
  Effect* fx = effectOf(e);
#ifdef FAULT_CRASH_OPCODE
  if (opcode == FAULT_CRASH_OPCODE) {
    volatile int* nowhere = nullptr;
    *nowhere = 1;
  }
#endif
  char* text = static_cast<char*>(ptr);
  switch (opcode) {
    case effClose: delete fx; return 1;
    case effSetProgram:
      if (value >= 0 && value < 4) fx->program = static_cast<int>(value);
      return 0;
    case effGetProgram: return fx->program;
    case effSetProgramName: std::snprintf(fx->names[fx->program], 24, "%s", text); return 0;
    case effGetProgramName: std::snprintf(text, 24, "%s", fx->names[fx->program]); return 0;
    case effGetParamName:
      if (index == 0) std::strcpy(text, "Gain");
      return 0;
    case effGetParamLabel:
      if (index == 0) std::strcpy(text, "");
      return 0;
    case effGetParamDisplay:
      if (index != 0) return 0;
#ifdef FAULT_LONG_DISPLAY
      std::strcpy(text, "a display text far longer than hosts pass");
#else
      std::snprintf(text, 9, "%.3f", std::isfinite(fx->gain) ? fx->gain : 0.0f);
#endif
      return 0;
    default: return 0;
  }
}

void FX_CDECL processReplacing(AEffect* e, float** in, float** out, std::int32_t frames) {
#ifdef FAULT_HANG_PROCESS
  for (volatile bool forever = true; forever;) {
  }
#endif
#ifdef FAULT_ALLOCATES
  float* volatile scratch = new float[64];
  delete[] scratch;
#endif
  const float g = effectOf(e)->gain;
  const float gain = std::isfinite(g) ? g : 0.0f;
  for (std::int32_t c = 0; c < 2; ++c)
    for (std::int32_t i = 0; i < frames; ++i) {
      const float x = in[c][i];
      float y = std::isnan(x) ? 0.0f : x * gain;
      y = y > 1.0f ? 1.0f : (y < -1.0f ? -1.0f : y);
#ifdef FAULT_NAN_OUTPUT
      if (i % 100 == 99) y = std::nanf("");
#endif
      out[c][i] = y;
    }
}

void FX_CDECL process(AEffect* e, float** in, float** out, std::int32_t frames) {
  // Not offered through the flags; kept harmless.
  (void)e, (void)in, (void)out, (void)frames;
}

void FX_CDECL setParameter(AEffect* e, std::int32_t index, float value) {
  if (index == 0) effectOf(e)->gain = value;
}

float FX_CDECL getParameter(AEffect* e, std::int32_t index) {
  const float g = effectOf(e)->gain;
  return index == 0 && std::isfinite(g) ? g : 0.0f;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) AEffect* main_entry(audioMasterCallback host) asm("main");

AEffect* main_entry(audioMasterCallback host) {
  if (!host || host(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) return nullptr;
  Effect* fx = new (std::nothrow) Effect;
  if (!fx) return nullptr;
  AEffect& r = fx->record;
  std::memset(&r, 0, sizeof r);
  r.magic = kEffectMagic;
  r.dispatcher = dispatch;
  r.process = process;
  r.setParameter = setParameter;
  r.getParameter = getParameter;
  r.processReplacing = processReplacing;
  r.numPrograms = 4;
  r.numParams = 1;
  r.numInputs = 2;
  r.numOutputs = 2;
  r.flags = effFlagsCanReplacing;
  r.ioRatio = 1.0f;
  r.object = fx;
  r.uniqueID = fourCharCode('f', 'x', 'F', 'x');
  r.version = 1;
  return &r;
}
