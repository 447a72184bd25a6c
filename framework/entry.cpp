#include "entry.h"

#include <new>

#include "audioeffect.h"

extern "C" AEffect* FX_CDECL pluginMain(audioMasterCallback audioMaster) {
  if (!audioMaster) return nullptr;
  if (audioMaster(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) return nullptr;
  try {
    // A constructor that throws has its object's memory and every finished member
    // released on the way out, so a failure here leaves nothing behind.
    return createEffectInstance(audioMaster)->getAeffect();
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

extern "C" int DllEntryPoint(void*, std::uint32_t, void*) { return 1; }
