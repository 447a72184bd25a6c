// The checks on fixture plug-ins that misbehave on purpose (each fault caught by the right
// check with the right verdict) and on our own plug-ins (no failure).
#include <gtest/gtest.h>

#include <string>

#include "checks.h"
#include "child_process.h"
#include "validator.h"

namespace {

std::string fixture(const std::string& fault) { return std::string(FX_FIXTURE_DIR) + "/" + fault + ".so"; }

const ValidatorCheck& named(const std::string& name) {
  for (const ValidatorCheck& c : validatorChecks())
    if (name == c.name) return c;
  throw std::runtime_error("no check " + name);
}

CheckOutcome runCheck(const std::string& plugin, const std::string& check, double timeout = 20.0) {
  const CheckContext context{plugin, 1};
  const ValidatorCheck& c = named(check);
  return runInChild([&] { return c.run(context); }, timeout);
}

}  // namespace

TEST(ValidatorChecks, EachFaultIsCaughtByItsCheck) {
  struct Case {
    const char* fault;
    const char* check;
    Verdict verdict;
    const char* reasonStart;
  };
  const Case cases[] = {
      {"crash_on_idle", "dispatcher.opcodes", Verdict::Fail, "killed by signal SIGSEGV (Segmentation fault) during opcode 19"},
      {"hang_in_process", "processing.block-sizes", Verdict::Fail, "timed out after 1 s during an empty block"},
      // Blocks of 64 first: the fixture's sample 99 of the second block.
      {"nan_output", "processing.signals", Verdict::Fail, "silence in: NaN out at sample 163 of channel 0"},
      {"nan_output", "processing.sample-rates", Verdict::Fail, "at 8000 Hz: NaN out at sample 99"},
      {"long_display", "parameters.texts", Verdict::Warn,
       "parameter 0 display text \"a display text far longer than hosts pass\" has 41 characters"},
#ifdef FX_COUNTS_ALLOCATIONS
      {"allocates", "realtime.allocations", Verdict::Warn, "64 heap allocations in 64 process calls"},
#endif
      {"missing", "instances.open-close", Verdict::Fail, "cannot load: "},
  };
  for (const Case& c : cases) {
    const CheckOutcome o = runCheck(fixture(c.fault), c.check, 1.0);
    EXPECT_EQ(o.verdict, c.verdict) << c.fault << " " << c.check << ": " << o.reason();
    EXPECT_EQ(o.reason().rfind(c.reasonStart, 0), 0u) << c.fault << " " << c.check << ": " << o.reason();
  }
}

TEST(ValidatorChecks, AFaultStaysInItsCheck) {
  // The crashing opcode is not sent by the processing checks, the NaN writer passes the
  // checks that do not look at audio, the long text fails nothing (hosts with room for it
  // work), and the well-behaved fixture passes everything.
  EXPECT_EQ(runCheck(fixture("crash_on_idle"), "processing.signals").verdict, Verdict::Pass);
  EXPECT_EQ(runCheck(fixture("nan_output"), "programs.names").verdict, Verdict::Pass);
  EXPECT_NE(runCheck(fixture("long_display"), "parameters.sweep").verdict, Verdict::Fail);
  for (const ValidatorCheck& c : validatorChecks()) {
    const CheckOutcome o = runCheck(fixture("well_behaved"), c.name);
    // The denormal cost is a measurement: the fixture multiplies denormals like any plain
    // code, which a slow or busy machine may show as a warning.
    if (std::string(c.name) == "realtime.denormal-cost") EXPECT_NE(o.verdict, Verdict::Fail) << o.reason();
    else EXPECT_EQ(o.verdict, Verdict::Pass) << c.name << ": " << o.reason();
  }
}

TEST(ValidatorChecks, OurPluginsPassEveryCheck) {
  for (const char* plugin : {FX_PLUGIN_ONE, FX_PLUGIN_TWO}) {
    for (const ValidatorCheck& c : validatorChecks()) {
      const CheckOutcome o = runCheck(plugin, c.name);
      EXPECT_NE(o.verdict, Verdict::Fail) << plugin << " " << c.name << ": " << o.reason();
    }
  }
}
