// Finding a plug-in's parameter from what the user typed, and reading the value to set.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A "--set NAME_OR_INDEX=VALUE" taken apart; throws CommandError(Usage) without '='.
struct ParameterSetting {
  std::string parameter;
  std::string value;
};
ParameterSetting splitSetting(const std::string& setting);

// The index of the parameter named `wanted`: a decimal index below names.size(), or a name
// that equals one of `names` once trailing spaces and tabs are dropped from both, ignoring
// case. Throws CommandError(UnknownParameter), listing the names, when there is none.
std::int32_t findParameter(const std::string& wanted, const std::vector<std::string>& names);

// A parameter value: a finite decimal number; throws CommandError(BadValue) otherwise.
float parseParameterValue(const std::string& text, const std::string& parameter);

// `text` without its trailing spaces and tabs.
std::string trimTrailingBlanks(const std::string& text);
