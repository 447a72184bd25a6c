// Recognises what kind of binary a file is from its header alone, so that a host can say
// "this is a 32-bit Windows plug-in" instead of passing on the dynamic loader's message.
// Reads at most the first few hundred bytes; loads and runs nothing.
#pragma once

#include <string>

enum class LibraryKind {
  Unreadable,     // cannot be opened or read
  NotABinary,     // no library header (text, audio, empty, a program...)
  Truncated,      // starts like a binary but ends inside its headers
  NativeLibrary,  // a shared library this host can load
  ForeignBinary,  // a binary for another system, processor or pointer width
};

struct LibraryFormat {
  LibraryKind kind = LibraryKind::Unreadable;
  // For ForeignBinary: what the file is, e.g. "a 32-bit Windows plug-in" or "a 64-bit
  // Linux library for aarch64"; for Unreadable: the system's reason; for NotABinary, where
  // known, what it is instead. Empty otherwise.
  std::string description;
};

// Called by hosts and tests before loading a library, on any thread; allocates.
LibraryFormat sniffLibraryFormat(const std::string& path);

// What this host itself loads, for messages: "64-bit Linux plug-ins", and with
// `withProcessor` "64-bit Linux plug-ins for x86-64".
std::string nativePluginDescription(bool withProcessor = false);
