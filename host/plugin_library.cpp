#include "plugin_library.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

PluginLibrary::~PluginLibrary() {
  if (!handle) return;
#if defined(_WIN32)
  FreeLibrary(static_cast<HMODULE>(handle));
#else
  dlclose(handle);
#endif
}

bool PluginLibrary::load(const std::string& path) {
#if defined(_WIN32)
  handle = reinterpret_cast<void*>(LoadLibraryA(path.c_str()));
  if (!handle) lastError = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
#else
  // A name without a slash would be looked up in the library search path instead.
  const std::string local = path.find('/') == std::string::npos ? "./" + path : path;
  handle = dlopen(local.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) lastError = dlerror();
#endif
  return handle != nullptr;
}

PluginEntryProc PluginLibrary::entry(const char* name) const {
  if (!handle) return nullptr;
#if defined(_WIN32)
  return reinterpret_cast<PluginEntryProc>(
      reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name)));
#else
  return reinterpret_cast<PluginEntryProc>(dlsym(handle, name));
#endif
}

namespace {
const char* const kEntryNames[] = {"VSTPluginMain", "main"};
}

PluginEntryProc PluginLibrary::hostEntry() const {
  for (const char* name : kEntryNames)
    if (PluginEntryProc found = entry(name)) return found;
  return nullptr;
}

const char* PluginLibrary::hostEntryName() const {
  for (const char* name : kEntryNames)
    if (entry(name)) return name;
  return nullptr;
}
