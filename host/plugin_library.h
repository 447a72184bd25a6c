// Loads a plug-in library and finds its entry, as a host does: dlopen on Linux,
// LoadLibrary on Windows. Shared by the command-line host and the interface tests.
#pragma once

#include <string>

#include "aeffect.h"

using PluginEntryProc = AEffect*(FX_CDECL*)(audioMasterCallback audioMaster);

class PluginLibrary {
 public:
  PluginLibrary() = default;
  ~PluginLibrary();
  PluginLibrary(const PluginLibrary&) = delete;
  PluginLibrary& operator=(const PluginLibrary&) = delete;

  // Loads the library at `path` (relative paths are taken from the working directory, never
  // searched for); on failure returns false and describes why in error().
  bool load(const std::string& path);
  // The exported function `name`, or null.
  PluginEntryProc entry(const char* name) const;
  // The entry a 64-bit host calls: `VSTPluginMain` where exported, else `main`; null when
  // neither is. hostEntryName() tells which one was found.
  PluginEntryProc hostEntry() const;
  const char* hostEntryName() const;
  const std::string& error() const { return lastError; }

 private:
  void* handle = nullptr;
  std::string lastError;
};
