// The library's entry: what the host's `main` lookup ends up calling.
#pragma once

#include <cstdint>

#include "aeffect.h"

class AudioEffect;

// Supplied by each plug-in: builds its effect object. May throw std::bad_alloc.
AudioEffect* createEffectInstance(audioMasterCallback audioMaster);

// Exported as `main`. Called by the host once per instance it wants, on its UI or loader
// thread; allocates the effect. Returns null when there is no callback, when the host
// refuses (version request answered 0), or when memory runs out: nothing is kept then.
extern "C" AEffect* FX_CDECL pluginMain(audioMasterCallback audioMaster);

// The library's load and unload procedure. Nothing to set up or tear down.
extern "C" int DllEntryPoint(void* module, std::uint32_t reason, void* reserved);
