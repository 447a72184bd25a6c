// The validator's building blocks: the seeded random source, guarded buffers, the child
// runner and the check selection.
#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <cstring>
#include <set>

#include "child_process.h"
#include "guarded_memory.h"
#include "seeded_random.h"
#include "validator.h"

TEST(SeededRandom, OneSeedGivesOneSequenceAndStaysInRange) {
  SeededRandom a(7), b(7), c(8);
  bool differs = false;
  std::set<std::int64_t> seen;
  for (int i = 0; i < 2000; ++i) {
    const std::int64_t x = a.between(-3, 3);
    ASSERT_EQ(x, b.between(-3, 3));
    differs = differs || x != c.between(-3, 3);
    ASSERT_GE(x, -3);
    ASSERT_LE(x, 3);
    seen.insert(x);
    const float u = a.unit(), v = a.bipolar();
    b.unit(), b.bipolar(), c.unit(), c.bipolar();
    ASSERT_GE(u, 0.0f);
    ASSERT_LE(u, 1.0f);
    ASSERT_GE(v, -1.0f);
    ASSERT_LE(v, 1.0f);
  }
  EXPECT_EQ(seen.size(), 7u) << "every value of the range comes up";
  EXPECT_TRUE(differs) << "another seed gives another sequence";
}

TEST(GuardedMemory, TheByteAfterTheBufferFaults) {
  const CheckOutcome inside = runInChild(
      [] {
        GuardedText text(9);
        std::memcpy(text.data(), "12345678", 9);
        CheckOutcome o;
        if (!text.terminated() || text.length() != 8) o.fail("text not read back");
        return o;
      },
      5.0);
  EXPECT_EQ(inside.verdict, Verdict::Pass) << inside.reason();
  const CheckOutcome past = runInChild(
      [] {
        GuardedText text(9);
        volatile char* p = text.data();
        p[9] = 0;
        return CheckOutcome();
      },
      5.0);
  EXPECT_EQ(past.verdict, Verdict::Fail);
  EXPECT_EQ(past.reason(), "killed by signal SIGSEGV (Segmentation fault)");
}

TEST(ChildProcess, ResultsCrashesHangsAndExitsAreToldApart) {
  struct Case {
    const char* what;
    std::function<CheckOutcome()> work;
    Verdict verdict;
    const char* reason;
  };
  const Case cases[] = {
      {"warning", [] { CheckOutcome o; o.warn("careful"); o.note("more"); return o; }, Verdict::Warn, "careful (+1 more)"},
      {"abort", [] { abort(); return CheckOutcome(); }, Verdict::Fail, "killed by signal SIGABRT (Aborted)"},
      {"hang", [] { for (;;) pause(); return CheckOutcome(); }, Verdict::Fail, "timed out after 0.5 s"},
      {"exit", [] { _exit(3); return CheckOutcome(); }, Verdict::Fail, "child exited with status 3 without a result"},
      {"throw", []() -> CheckOutcome { throw std::runtime_error("boom"); }, Verdict::Fail, "exception: boom"},
  };
  for (const Case& c : cases) {
    const CheckOutcome o = runInChild(c.work, 0.5);
    EXPECT_EQ(o.verdict, c.verdict) << c.what;
    EXPECT_EQ(o.reason(), c.reason) << c.what;
  }
}

TEST(CheckSelection, GlobsAndGroupNames) {
  struct Case {
    std::vector<std::string> include, exclude;
    bool selected;
  };
  const Case cases[] = {
      {{}, {}, true},
      {{"processing"}, {}, true},
      {{"process"}, {}, false},
      {{"*.in-place"}, {}, true},
      {{"threads", "processing.in-*"}, {}, true},
      {{"processing"}, {"*place"}, false},
      {{}, {"processing.in-place"}, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(checkSelected("processing.in-place", c.include, c.exclude), c.selected)
        << ::testing::PrintToString(c.include) << " / " << ::testing::PrintToString(c.exclude);
}
