// Finding parameters by what users type, and reading their values.
#include <gtest/gtest.h>

#include "exit_status.h"
#include "parameter_lookup.h"

namespace {

ExitStatus statusOf(void (*call)()) {
  try {
    call();
  } catch (const CommandError& e) {
    return e.status();
  }
  return ExitStatus::Ok;
}

const std::vector<std::string> kNames = {"Type", "PreAmp  \t       ", "DEPTH  \t       ", "MIX"};

TEST(ParameterLookup, ByIndexOrByNameIgnoringCaseAndTrailingBlanks) {
  const struct { const char* typed; std::int32_t index; } cases[] = {
      {"0", 0}, {"3", 3}, {"Type", 0}, {"preamp", 1}, {"PREAMP\t", 1}, {"depth", 2}, {"DEPTH  ", 2}, {"mix", 3}};
  for (const auto& c : cases) EXPECT_EQ(findParameter(c.typed, kNames), c.index) << c.typed;
}

TEST(ParameterLookup, UnknownNamesAndIndicesAreRefusedWithTheKnownNames) {
  for (const char* typed : {"4", "Volume", " depth", "DEP", "-1", ""}) {
    try {
      findParameter(typed, kNames);
      ADD_FAILURE() << typed << " was found";
    } catch (const CommandError& e) {
      EXPECT_EQ(e.status(), ExitStatus::UnknownParameter) << typed;
    }
  }
  try {
    findParameter("Volume", kNames);
  } catch (const CommandError& e) {
    EXPECT_STREQ(e.what(), "no parameter named \"Volume\"; the plug-in has \"Type\", \"PreAmp\", \"DEPTH\", \"MIX\"");
  }
}

TEST(ParameterLookup, ValuesMustBeFiniteNumbers) {
  EXPECT_EQ(parseParameterValue("0.5", "x"), 0.5f);
  EXPECT_EQ(parseParameterValue("1", "x"), 1.0f);
  EXPECT_EQ(parseParameterValue("-0.25", "x"), -0.25f);
  EXPECT_EQ(parseParameterValue("1e-3", "x"), 0.001f);
  for (const char* bad : {"", "loud", "0.5x", " 0.5", "nan", "inf", "1e39", "0,5"}) {
    try {
      parseParameterValue(bad, "DEPTH");
      ADD_FAILURE() << "'" << bad << "' was taken";
    } catch (const CommandError& e) {
      EXPECT_EQ(e.status(), ExitStatus::BadValue) << bad;
    }
  }
}

TEST(ParameterLookup, SettingsSplitAtTheLastEqualsSign) {
  const ParameterSetting s = splitSetting("a=b=0.5");
  EXPECT_EQ(s.parameter, "a=b");
  EXPECT_EQ(s.value, "0.5");
  EXPECT_EQ(statusOf([] { splitSetting("DEPTH"); }), ExitStatus::Usage);
  EXPECT_EQ(statusOf([] { splitSetting("=0.5"); }), ExitStatus::Usage);
}

}  // namespace
