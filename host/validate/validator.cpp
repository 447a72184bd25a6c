#include "validator.h"

#include <fnmatch.h>

#include <cstdio>
#include <cstring>

#include <nlohmann/json.hpp>

#include "checks.h"
#include "child_process.h"

namespace {

bool matches(const std::string& pattern, const std::string& name) {
  if (fnmatch(pattern.c_str(), name.c_str(), 0) == 0) return true;
  // "processing" selects every processing.* check.
  return name.compare(0, pattern.size() + 1, pattern + ".") == 0;
}

// More findings than this are left to --json.
constexpr std::size_t kFindingsShown = 4;
// Reasons start in one column.
constexpr std::size_t kNameColumn = 30;

}  // namespace

bool checkSelected(const std::string& name, const std::vector<std::string>& include,
                   const std::vector<std::string>& exclude) {
  bool selected = include.empty();
  for (const std::string& p : include) selected = selected || matches(p, name);
  for (const std::string& p : exclude)
    if (matches(p, name)) selected = false;
  return selected;
}

ValidatorSummary runValidator(const ValidatorOptions& options, std::ostream& out) {
  ValidatorSummary summary;
  CheckContext context{options.pluginPath, options.seed};
  nlohmann::json document = {{"plugin", options.pluginPath}, {"seed", options.seed}, {"checks", nlohmann::json::array()}};
  if (!options.json) out << "validating " << options.pluginPath << " (seed " << options.seed << ")\n";

  for (const ValidatorCheck& check : validatorChecks()) {
    if (!checkSelected(check.name, options.include, options.exclude)) continue;
    const CheckOutcome outcome = runInChild([&] { return check.run(context); }, options.timeoutSeconds);
    if (outcome.verdict == Verdict::Fail) ++summary.failed;
    else ++summary.passed;
    if (outcome.verdict == Verdict::Warn) ++summary.warned;
    if (options.onlyFailed && outcome.verdict != Verdict::Fail) continue;

    if (options.json) {
      document["checks"].push_back({{"name", check.name},
                                    {"verdict", verdictWord(outcome.verdict)},
                                    {"reason", outcome.findings.empty() ? "" : outcome.findings.front()},
                                    {"findings", outcome.findings}});
      continue;
    }
    out << verdictWord(outcome.verdict) << "  " << check.name;
    if (!outcome.findings.empty())
      out << std::string(kNameColumn > std::strlen(check.name) ? kNameColumn - std::strlen(check.name) : 1, ' ')
          << outcome.findings.front();
    out << "\n";
    for (std::size_t i = 1; i < outcome.findings.size() && i < kFindingsShown; ++i)
      out << "      " << outcome.findings[i] << "\n";
    if (outcome.findings.size() > kFindingsShown)
      out << "      ... and " << outcome.findings.size() - kFindingsShown << " more (--json lists all)\n";
    out.flush();
  }

  if (options.json) {
    document["passed"] = summary.passed;
    document["warned"] = summary.warned;
    document["failed"] = summary.failed;
    out << document.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
  } else {
    if (summary.warned) out << summary.warned << " of the passed checks warned\n";
    out << summary.passed << " passed, " << summary.failed << " failed\n";
  }
  return summary;
}
