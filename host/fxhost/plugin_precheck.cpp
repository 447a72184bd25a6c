#include "plugin_precheck.h"

#include "exit_status.h"
#include "library_format.h"

void precheckPluginFile(const std::string& path) {
  const LibraryFormat format = sniffLibraryFormat(path);
  switch (format.kind) {
    case LibraryKind::NativeLibrary: return;
    case LibraryKind::Unreadable:
      throw CommandError(ExitStatus::PluginUnreadable, "cannot read plug-in '" + path + "': " + format.description);
    case LibraryKind::NotABinary:
    case LibraryKind::Truncated:
      throw CommandError(ExitStatus::NotAPlugin, "'" + path + "' is not a plug-in library" +
                                                     (format.description.empty() ? "" : " (" + format.description + ")"));
    case LibraryKind::ForeignBinary:
      throw CommandError(ExitStatus::WrongPlatform,
                         "this is " + format.description + "; fxhost loads " + nativePluginDescription());
  }
}
