// Opening the plug-in a command names, with each kind of failure turned into fxhost's
// exit status for it.
#pragma once

#include <string>

#include "plugin_opener.h"

// Throws CommandError with the status for the failure; the result holds a valid instance.
OpenedPlugin openPluginOrFail(const std::string& path);
