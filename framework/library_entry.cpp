// The symbols a host looks up. Compiled only into the plug-in libraries, never into test
// programs, which have a `main` of their own.
#include "entry.h"

#if defined(_WIN32)
#include <windows.h>

// The C runtime's DLL start-up calls DllMain; hand it on. The exports are named in the
// module-definition file, so nothing here is marked for export.
extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
  return DllEntryPoint(module, reason, reserved);
}
#else
#define FX_EXPORT __attribute__((visibility("default")))

// C++ reserves the name `main` for the program entry, so the function carries another name
// and the assembler symbol is set to `main`.
extern "C" FX_EXPORT AEffect* exportedMain(audioMasterCallback audioMaster) __asm__("main");
extern "C" AEffect* exportedMain(audioMasterCallback audioMaster) {
  return pluginMain(audioMaster);
}

// The name current 64-bit hosts look up before `main`.
extern "C" FX_EXPORT AEffect* VSTPluginMain(audioMasterCallback audioMaster) {
  return pluginMain(audioMaster);
}
#endif
