#include "parameter_lookup.h"

#include <cctype>
#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdlib>

#include "exit_status.h"
#include "text_escape.h"

namespace {

bool sameIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

bool allDigits(const std::string& text) {
  if (text.empty() || text.size() > 9) return false;
  for (unsigned char c : text)
    if (!std::isdigit(c)) return false;
  return true;
}

}  // namespace

std::string trimTrailingBlanks(const std::string& text) {
  std::size_t end = text.size();
  while (end > 0 && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
  return text.substr(0, end);
}

ParameterSetting splitSetting(const std::string& setting) {
  const std::size_t eq = setting.rfind('=');
  if (eq == std::string::npos || eq == 0)
    throw CommandError(ExitStatus::Usage, "--set takes NAME_OR_INDEX=VALUE, not '" + setting + "'");
  return {setting.substr(0, eq), setting.substr(eq + 1)};
}

std::int32_t findParameter(const std::string& wanted, const std::vector<std::string>& names) {
  if (allDigits(wanted)) {
    const long index = std::strtol(wanted.c_str(), nullptr, 10);
    if (index < static_cast<long>(names.size())) return static_cast<std::int32_t>(index);
    throw CommandError(ExitStatus::UnknownParameter, "no parameter " + wanted + ": the plug-in has " +
                                                         std::to_string(names.size()) + " (0 to " +
                                                         std::to_string(static_cast<long>(names.size()) - 1) + ")");
  }
  const std::string key = trimTrailingBlanks(wanted);
  for (std::size_t i = 0; i < names.size(); ++i)
    if (sameIgnoringCase(trimTrailingBlanks(names[i]), key)) return static_cast<std::int32_t>(i);
  std::string known;
  for (const std::string& name : names) known += (known.empty() ? "" : ", ") + visibleText(trimTrailingBlanks(name));
  throw CommandError(ExitStatus::UnknownParameter,
                     "no parameter named " + visibleText(wanted) + "; the plug-in has " + (known.empty() ? "none" : known));
}

float parseParameterValue(const std::string& text, const std::string& parameter) {
  const char* begin = text.c_str();
  char* end = nullptr;
  errno = 0;
  const double value = std::strtod(begin, &end);
  const bool whole = end != begin && *end == '\0' && !std::isspace(static_cast<unsigned char>(text[0]));
  if (!whole || errno == ERANGE || !std::isfinite(value) || std::fabs(value) > FLT_MAX)
    throw CommandError(ExitStatus::BadValue,
                       "the value " + visibleText(text) + " for parameter " + visibleText(parameter) + " is not a number");
  return static_cast<float>(value);
}
