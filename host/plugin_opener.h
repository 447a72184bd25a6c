// Opens a plug-in file the way a careful host does, telling each kind of failure apart:
// a missing or unreadable file, a file that is no library, a library for another platform,
// one without an entry, an entry that answers null, a record with a wrong magic number.
#pragma once

#include <memory>
#include <string>

#include "aeffect.h"
#include "effect_instance.h"
#include "plugin_library.h"

enum class OpenFailure {
  None,
  Missing,           // no file at the path
  Unreadable,        // exists but cannot be read (permissions, a directory...)
  NotALibrary,       // not a binary, truncated, or refused by the dynamic loader
  WrongPlatform,     // a library for another system, processor or pointer width
  NoEntry,           // neither VSTPluginMain nor main is exported
  EntryReturnedNull, // the entry gave no record
  BadMagic,          // the record does not start with 'VstP'
};

// A loaded library with one instance made through its entry. The instance is closed
// before the library is unloaded.
struct OpenedPlugin {
  OpenFailure failure = OpenFailure::None;
  std::string message;  // one line naming the problem, without "error:"
  std::unique_ptr<PluginLibrary> library;
  // Declared after `library`, so it is closed before the library is unloaded.
  EffectInstance instance;
  const char* entryName = nullptr;  // "VSTPluginMain" or "main"
};

// Called by hosts on their main thread; allocates. `host` is the callback handed to the entry.
OpenedPlugin openPlugin(const std::string& path, audioMasterCallback host);
