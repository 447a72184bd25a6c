// The effect under the threads a host uses: audio threads process their instances while
// other threads change parameters and programs, read parameters back, and create and close
// further instances. Built into each plug-in's test program and run under ThreadSanitizer
// by the linux-tsan preset; every thread makes a fixed number of calls.
//
// Program changes and parameter changes come from one control thread: both write the
// current program's record, and the interface leaves ordering such calls to the host.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdint>
#include <set>
#include <thread>
#include <vector>

#include "aeffect.h"
#include "entry.h"

namespace {

std::intptr_t FX_CDECL approvingHost(AEffect*, std::int32_t opcode, std::int32_t, std::intptr_t,
                                     void*, float) {
  return opcode == audioMasterVersion ? 1 : 0;
}

constexpr float kValues[] = {0.1f, 0.4f, 0.7f};
constexpr int kFrames = 256;

// Processes blocks of a test signal; counts the samples that are not finite or out of -1..1.
struct AudioThread {
  AEffect* effect;
  int blocks;
  int badSamples = 0;

  void operator()() {
    const auto channels = static_cast<std::size_t>(effect->numInputs > effect->numOutputs
                                                       ? effect->numInputs
                                                       : effect->numOutputs);
    std::vector<std::vector<float>> in(channels, std::vector<float>(kFrames));
    std::vector<std::vector<float>> out(channels, std::vector<float>(kFrames));
    std::vector<float*> inPtrs, outPtrs;
    for (std::size_t c = 0; c < channels; ++c) {
      inPtrs.push_back(in[c].data());
      outPtrs.push_back(out[c].data());
    }
    for (int b = 0; b < blocks; ++b) {
      for (std::size_t c = 0; c < channels; ++c)
        for (int k = 0; k < kFrames; ++k)
          in[c][static_cast<std::size_t>(k)] =
              1.5f * std::sin(0.01f * static_cast<float>(b * kFrames + k) + static_cast<float>(c));
      effect->processReplacing(effect, inPtrs.data(), outPtrs.data(), kFrames);
      for (std::size_t c = 0; c < static_cast<std::size_t>(effect->numOutputs); ++c)
        for (float y : out[c])
          if (!(std::isfinite(y) && y >= -1.0f && y <= 1.0f)) ++badSamples;
    }
  }
};

TEST(Threads, ParallelProcessingParameterChangesAndInstancesComingAndGoing) {
  AEffect* a = pluginMain(approvingHost);
  AEffect* b = pluginMain(approvingHost);
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  const std::int32_t params = a->numParams;

  // Every program of A holds values from kValues only, so each parameter can read back one
  // of a few values, measured here before the threads start.
  std::vector<std::set<float>> readBacks(static_cast<std::size_t>(params));
  for (std::int32_t p = 0; p < a->numPrograms; ++p) {
    a->dispatcher(a, effSetProgram, 0, p, nullptr, 0.0f);
    for (std::int32_t i = 0; i < params; ++i) {
      for (float v : kValues) {
        a->setParameter(a, i, v);
        readBacks[static_cast<std::size_t>(i)].insert(a->getParameter(a, i));
      }
    }
  }

  AudioThread audioA{a, 300};
  AudioThread audioB{b, 300};
  std::thread threadA(std::ref(audioA));
  std::thread threadB(std::ref(audioB));

  std::thread control([&] {
    for (int n = 0; n < 3000; ++n) {
      if (n % 10 == 0)
        a->dispatcher(a, effSetProgram, 0, (n / 10) % a->numPrograms, nullptr, 0.0f);
      a->setParameter(a, n % params, kValues[n % 3]);
      b->setParameter(b, n % params, kValues[(n + 1) % 3]);
    }
  });

  int unexpectedReads = 0;
  std::thread reader([&] {
    char text[256];
    for (int n = 0; n < 3000; ++n) {
      const std::int32_t i = n % params;
      if (readBacks[static_cast<std::size_t>(i)].count(a->getParameter(a, i)) == 0)
        ++unexpectedReads;
      a->dispatcher(a, effGetParamDisplay, i, 0, text, 0.0f);
      b->getParameter(b, i);
    }
  });

  // Instances created, used and closed on this thread while the others run.
  int created = 0;
  for (int n = 0; n < 40; ++n) {
    AEffect* c = pluginMain(approvingHost);
    if (!c) continue;
    ++created;
    AudioThread once{c, 1};
    once();
    EXPECT_EQ(once.badSamples, 0);
    EXPECT_EQ(c->dispatcher(c, effClose, 0, 0, nullptr, 0.0f), 1);
  }

  threadA.join();
  threadB.join();
  control.join();
  reader.join();

  EXPECT_EQ(created, 40);
  EXPECT_EQ(audioA.badSamples, 0);
  EXPECT_EQ(audioB.badSamples, 0);
  EXPECT_EQ(unexpectedReads, 0);
  // The last value set for each parameter is the one that stays: it reads back as it does
  // on an instance that was only ever given that value.
  AEffect* reference = pluginMain(approvingHost);
  ASSERT_NE(reference, nullptr);
  for (std::int32_t i = 0; i < params; ++i) {
    const int last = 2999 - (2999 - i) % params;  // the last n of the loop with n % params == i
    reference->setParameter(reference, i, kValues[last % 3]);
    EXPECT_EQ(a->getParameter(a, i), reference->getParameter(reference, i)) << i;
    reference->setParameter(reference, i, kValues[(last + 1) % 3]);
    EXPECT_EQ(b->getParameter(b, i), reference->getParameter(reference, i)) << i;
  }
  EXPECT_EQ(reference->dispatcher(reference, effClose, 0, 0, nullptr, 0.0f), 1);
  EXPECT_EQ(a->dispatcher(a, effClose, 0, 0, nullptr, 0.0f), 1);
  EXPECT_EQ(b->dispatcher(b, effClose, 0, 0, nullptr, 0.0f), 1);
}

}  // namespace
