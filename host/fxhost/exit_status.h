// Exit statuses of fxhost, one per kind of failure, and the error that carries one from
// wherever a command finds the problem to main, which prints it and exits with it.
#pragma once

#include <stdexcept>
#include <string>

enum class ExitStatus : int {
  Ok = 0,
  FilesDiffer = 1,        // diff: the two files are not identical
  Usage = 2,              // the command line itself is wrong
  PluginUnreadable = 3,   // no plug-in file at the path, or it cannot be read
  NotAPlugin = 4,         // not a library, or the loader refuses it
  WrongPlatform = 5,      // a library for another system, processor or pointer width
  NoEntry = 6,            // neither VSTPluginMain nor main is exported
  EntryReturnedNull = 7,  // the entry gave no effect
  BadMagic = 8,           // the effect record has the wrong magic number
  InputUnreadable = 9,    // an audio input that cannot be read or is not supported
  OutputUnwritable = 10,  // the output cannot be written
  OutputExists = 11,      // the output exists and --overwrite was not given
  UnknownParameter = 12,  // no parameter with that name or index
  BadValue = 13,          // a parameter value that is not a number
  ProgramOutOfRange = 14, // a program number outside the plug-in's bank
  ChannelMismatch = 15,   // the input's channels cannot be fed to the plug-in's inputs
  Internal = 70,          // a failure inside fxhost itself (out of memory...)
};

struct ExitStatusInfo {
  ExitStatus status;
  const char* meaning;
};

// Every status with its meaning, in order, for --help and the README.
extern const ExitStatusInfo kExitStatuses[];
extern const std::size_t kExitStatusCount;

inline int exitCode(ExitStatus status) { return static_cast<int>(status); }

// Thrown by the commands; main prints "error: <what()>" on stderr and exits with status.
class CommandError : public std::runtime_error {
 public:
  CommandError(ExitStatus status, const std::string& message)
      : std::runtime_error(message), exitStatus(status) {}
  ExitStatus status() const { return exitStatus; }

 private:
  ExitStatus exitStatus;
};
