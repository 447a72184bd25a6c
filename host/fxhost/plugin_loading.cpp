#include "plugin_loading.h"

#include "exit_status.h"
#include "host_callback.h"

namespace {

ExitStatus statusFor(OpenFailure failure) {
  switch (failure) {
    case OpenFailure::None: return ExitStatus::Ok;
    case OpenFailure::Missing:
    case OpenFailure::Unreadable: return ExitStatus::PluginUnreadable;
    case OpenFailure::NotALibrary: return ExitStatus::NotAPlugin;
    case OpenFailure::WrongPlatform: return ExitStatus::WrongPlatform;
    case OpenFailure::NoEntry: return ExitStatus::NoEntry;
    case OpenFailure::EntryReturnedNull: return ExitStatus::EntryReturnedNull;
    case OpenFailure::BadMagic: return ExitStatus::BadMagic;
  }
  return ExitStatus::Internal;
}

}  // namespace

OpenedPlugin openPluginOrFail(const std::string& path) {
  OpenedPlugin plugin = openPlugin(path, host_callback::answer);
  if (plugin.failure != OpenFailure::None) throw CommandError(statusFor(plugin.failure), plugin.message);
  return plugin;
}
