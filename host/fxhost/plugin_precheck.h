// What fxhost can tell about a plug-in file without loading it: for commands that load
// the library only in child processes (validate), so that a missing file or a library for
// another platform is still an `error:` with its own exit status.
#pragma once

#include <string>

// Called on the main thread; throws CommandError for a file that cannot be a plug-in here.
void precheckPluginFile(const std::string& path);
