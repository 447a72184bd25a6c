#include "plugin_opener.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "library_format.h"

namespace {

OpenedPlugin failed(OpenFailure kind, std::string message) {
  OpenedPlugin result;
  result.failure = kind;
  result.message = std::move(message);
  return result;
}

std::string hex32(std::uint32_t v) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", v);
  return text;
}

}  // namespace

OpenedPlugin openPlugin(const std::string& path, audioMasterCallback host) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) return failed(OpenFailure::Missing, "no plug-in file " + path);
    return failed(OpenFailure::Unreadable, "cannot read plug-in file " + path + ": " + std::strerror(errno));
  }
  if (S_ISDIR(info.st_mode)) return failed(OpenFailure::Unreadable, path + " is a directory, not a plug-in file");

  const LibraryFormat format = sniffLibraryFormat(path);
  switch (format.kind) {
    case LibraryKind::Unreadable:
      return failed(OpenFailure::Unreadable, "cannot read plug-in file " + path + ": " + format.description);
    case LibraryKind::NotABinary:
      return failed(OpenFailure::NotALibrary,
                    path + " is not a plug-in library (" +
                        (format.description.empty() ? "no library header" : format.description) + ")");
    case LibraryKind::Truncated:
      return failed(OpenFailure::NotALibrary, path + " is not a plug-in library (the file is cut short)");
    case LibraryKind::ForeignBinary: {
      const bool sameSystem = format.description.find("Linux") != std::string::npos;
      return failed(OpenFailure::WrongPlatform, "this is " + format.description + "; fxhost loads " +
                                                    nativePluginDescription(sameSystem));
    }
    case LibraryKind::NativeLibrary:
      break;
  }

  OpenedPlugin result;
  result.library = std::make_unique<PluginLibrary>();
  if (!result.library->load(path))
    return failed(OpenFailure::NotALibrary, "cannot load " + path + ": " + result.library->error());
  PluginEntryProc entry = result.library->hostEntry();
  if (!entry)
    return failed(OpenFailure::NoEntry, path + " exports neither VSTPluginMain nor main: not a plug-in of this interface");
  result.entryName = result.library->hostEntryName();
  result.instance = EffectInstance(entry, host);
  if (!result.instance.get())
    return failed(OpenFailure::EntryReturnedNull, std::string(result.entryName) + " of " + path +
                                                      " returned no effect (null)");
  if (!result.instance.hasValidMagic()) {
    const std::uint32_t magic = static_cast<std::uint32_t>(result.instance->magic);
    result.instance.abandon();
    return failed(OpenFailure::BadMagic, "the record from " + path + " has the wrong magic number " +
                                             hex32(magic) + " (expected 0x56737450, 'VstP')");
  }
  return result;
}
