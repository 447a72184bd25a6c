#include "exit_status.h"

const ExitStatusInfo kExitStatuses[] = {
    {ExitStatus::Ok, "success (diff: the files are identical)"},
    {ExitStatus::FilesDiffer, "diff: the files differ"},
    {ExitStatus::Usage, "wrong command line"},
    {ExitStatus::PluginUnreadable, "plug-in file missing or unreadable"},
    {ExitStatus::NotAPlugin, "not a plug-in library"},
    {ExitStatus::WrongPlatform, "plug-in for another platform"},
    {ExitStatus::NoEntry, "no VSTPluginMain or main exported"},
    {ExitStatus::EntryReturnedNull, "the entry returned no effect"},
    {ExitStatus::BadMagic, "wrong magic number in the effect record"},
    {ExitStatus::InputUnreadable, "audio input unreadable or unsupported"},
    {ExitStatus::OutputUnwritable, "output cannot be written"},
    {ExitStatus::OutputExists, "output exists (use --overwrite)"},
    {ExitStatus::UnknownParameter, "unknown parameter name or index"},
    {ExitStatus::BadValue, "parameter value is not a number"},
    {ExitStatus::ProgramOutOfRange, "program number out of range"},
    {ExitStatus::ChannelMismatch, "input channels do not fit the plug-in (see --channel, --downmix)"},
    {ExitStatus::Internal, "internal failure of fxhost"},
};
const std::size_t kExitStatusCount = sizeof kExitStatuses / sizeof kExitStatuses[0];
