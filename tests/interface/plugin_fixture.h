// Drives a built plug-in library exactly as a host does: load it, call `main` with the
// recording host callback, and talk to the effect only through its record.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "aeffect.h"
#include "effect_instance.h"
#include "plugin_library.h"
#include "recording_host.h"
#include "test_options.h"

// The library, loaded once per test program.
inline PluginLibrary& loadedPlugin() {
  static PluginLibrary library;
  static bool loaded = library.load(test_options::pluginPath());
  if (!loaded) ADD_FAILURE() << "cannot load '" << test_options::pluginPath() << "': " << library.error();
  return library;
}

inline PluginEntryProc pluginEntry(const char* name = "main") { return loadedPlugin().entry(name); }

// One effect instance made through `main` with the recording host, closed through opcode 1
// when it goes: the host tools' own wrapper, with every text checked for its terminator.
class Instance : public EffectInstance {
 public:
  Instance() : EffectInstance(pluginEntry(), recording_host::callback) {}

  // The text an opcode writes for `index` into a fresh 256-byte buffer.
  std::string text(std::int32_t opcode, std::int32_t index = 0) {
    bool terminated = false;
    std::string result = EffectInstance::text(opcode, index, &terminated);
    EXPECT_TRUE(terminated) << "text not terminated";
    return result;
  }
};
static_assert(EffectInstance::kTextBufferSize == 256);

// Channel buffers for one block, the pointer arrays a host passes.
struct Block {
  Block(std::size_t inputs, std::size_t outputs, std::size_t frames)
      : in(inputs, std::vector<float>(frames)), out(outputs, std::vector<float>(frames)) {
    for (auto& c : in) inPtr.push_back(c.data());
    for (auto& c : out) outPtr.push_back(c.data());
  }
  void replacing(Instance& fx, std::int32_t frames) {
    fx->processReplacing(fx.get(), inPtr.data(), outPtr.data(), frames);
  }
  void accumulating(Instance& fx, std::int32_t frames) {
    fx->process(fx.get(), inPtr.data(), outPtr.data(), frames);
  }
  std::vector<std::vector<float>> in, out;
  std::vector<float*> inPtr, outPtr;
};

// Four bytes of the record at `offset`, as the host reads them.
template <typename T>
T recordField(const AEffect* record, std::size_t offset) {
  T v;
  std::memcpy(&v, reinterpret_cast<const unsigned char*>(record) + offset, sizeof v);
  return v;
}

constexpr bool kWide = sizeof(void*) == 8;

// The record as the host reads it: everything but the counts that differ between effects
// is the same for both.
inline void expectRecordBytes(const AEffect* r, std::int32_t numParams, std::int32_t numInputs) {
  const unsigned char magicBytes[4] = {0x50, 0x74, 0x73, 0x56};
  EXPECT_EQ(std::memcmp(r, magicBytes, 4), 0);

  struct Int32Field { std::size_t offset32, offset64; std::int32_t expected; const char* name; };
  const Int32Field fields[] = {
      {20, 40, 16, "numPrograms"},    {24, 44, numParams, "numParams"},  {28, 48, numInputs, "numInputs"},
      {32, 52, 2, "numOutputs"},      {36, 56, 0x14, "flags"},   {48, 80, 0, "initialDelay"},
      {52, 84, 0, "realtimeQualities"}, {56, 88, 0, "offlineQualities"},
      {72, 112, 0x51565231, "uniqueID"}, {76, 116, 1, "version"},
  };
  for (const auto& f : fields)
    EXPECT_EQ(recordField<std::int32_t>(r, kWide ? f.offset64 : f.offset32), f.expected) << f.name;
  EXPECT_EQ(recordField<float>(r, kWide ? 92 : 60), 1.0f);
  EXPECT_EQ(recordField<std::intptr_t>(r, kWide ? 64 : 40), 0);  // reserved1
  EXPECT_EQ(recordField<std::intptr_t>(r, kWide ? 72 : 44), 0);  // reserved2
  EXPECT_NE(recordField<void*>(r, kWide ? 96 : 64), nullptr);     // object
  EXPECT_EQ(recordField<void*>(r, kWide ? 104 : 68), nullptr);    // user
  for (std::size_t offset : {kWide ? 8u : 4u, kWide ? 16u : 8u, kWide ? 24u : 12u,
                             kWide ? 32u : 16u, kWide ? 120u : 80u})
    EXPECT_NE(recordField<void*>(r, offset), nullptr) << "entry point at " << offset;
  const std::size_t tail = kWide ? 128 : 84, size = kWide ? 192 : 144;
  for (std::size_t i = tail; i < size; ++i)
    EXPECT_EQ(reinterpret_cast<const unsigned char*>(r)[i], 0) << "reserved byte " << i;
}

// Drives an instance through every kind of call and checks that the only request sent to
// the host was the version request `main` makes.
inline void expectOnlyTheVersionRequest(std::size_t inputs) {
  recording_host::reset();
  {
    Instance fx;
    ASSERT_NE(fx.get(), nullptr);
    Block block(inputs, 2, 64);
    block.replacing(fx, 64);
    block.accumulating(fx, 64);
    char buffer[256] = "Renamed";
    for (std::int32_t op = 0; op <= 22; ++op)
      if (op != effClose) fx.dispatch(op, 0, 0, buffer);
    fx.set(0, 0.5f);
    fx.dispatch(effSetProgram, 0, 3);
  }
  ASSERT_EQ(recording_host::requests().size(), 1u);
  const HostRequest& q = recording_host::requests()[0];
  EXPECT_EQ(q.effect, nullptr);
  EXPECT_EQ(q.opcode, audioMasterVersion);
  EXPECT_EQ(q.index, 0);
  EXPECT_EQ(q.value, 0);
  EXPECT_EQ(q.ptr, nullptr);
  EXPECT_EQ(q.opt, 0.0f);
}


// The program bank as the host sees it: every program starts with the same name and
// values, a program keeps what was set while it was current (checked on `index`, whose
// default is `defaultValue`), renames touch only the current program and are cut to 23
// characters, and another instance has a bank of its own.
struct BankDefaults {
  const char* name;
  std::int32_t depthIndex;
  std::int32_t typeIndex;
  const char* typeDisplay;
};
inline void expectProgramsKeepTheirValuesAndNames(const BankDefaults& bank, std::int32_t index,
                                                  float defaultValue, float changed) {
  recording_host::reset();
  Instance fx;
  Instance other;
  ASSERT_NE(fx.get(), nullptr);
  ASSERT_NE(other.get(), nullptr);
  for (std::int32_t p = 0; p < 16; ++p) {
    fx.dispatch(effSetProgram, 0, p);
    EXPECT_EQ(fx.text(effGetProgramName), bank.name) << p;
    EXPECT_EQ(fx.get(bank.depthIndex), 0.25f);
    EXPECT_EQ(fx.get(bank.typeIndex), 0.99f);
    EXPECT_EQ(fx.text(effGetParamDisplay, bank.typeIndex), bank.typeDisplay);
  }
  fx.dispatch(effSetProgram, 0, 1);
  fx.set(index, changed);
  char name[] = "Crunchy";
  fx.dispatch(effSetProgramName, 0, 0, name);
  fx.dispatch(effSetProgram, 0, 2);
  EXPECT_EQ(fx.get(index), defaultValue);
  EXPECT_EQ(fx.text(effGetProgramName), bank.name);
  fx.dispatch(effSetProgram, 0, 1);
  EXPECT_EQ(fx.get(index), changed);
  EXPECT_EQ(fx.text(effGetProgramName), "Crunchy");
  char longName[] = "A name far longer than twenty-three characters";
  fx.dispatch(effSetProgramName, 0, 0, longName);
  EXPECT_EQ(fx.text(effGetProgramName), std::string(longName, 23));
  other.dispatch(effSetProgram, 0, 1);
  EXPECT_EQ(other.get(index), defaultValue);
  EXPECT_EQ(other.text(effGetProgramName), bank.name);
}


// `main` and its 64-bit alias: null without a callback or when the host refuses, a new
// record for every call otherwise.
inline void expectMainRefusesWithoutAHostOrWhenTheHostSaysNo() {
  for (const char* name : {"main", "VSTPluginMain"}) {
    PluginEntryProc entry = pluginEntry(name);
    if (!entry) {
      EXPECT_STREQ(name, "VSTPluginMain") << "main must be exported";
      EXPECT_FALSE(kWide) << "64-bit builds also export VSTPluginMain";
      continue;
    }
    EXPECT_EQ(entry(nullptr), nullptr) << name;
    recording_host::reset(0);
    EXPECT_EQ(entry(recording_host::callback), nullptr) << name;
    EXPECT_EQ(recording_host::requests().size(), 1u);
    recording_host::reset();
    AEffect* a = entry(recording_host::callback);
    AEffect* b = entry(recording_host::callback);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_NE(a, b);
    EXPECT_NE(a->object, b->object);
    EXPECT_EQ(a->dispatcher(a, effClose, 0, 0, nullptr, 0.0f), 1);
    EXPECT_EQ(b->dispatcher(b, effClose, 0, 0, nullptr, 0.0f), 1);
  }
}

// The opcodes whose answers the base class gives, and the filtering of program numbers.
inline void expectEveryOpcodeAnswersAsDocumented(Instance& fx) {
  // Opcodes that neither read nor write the host's buffer.
  struct Case { std::int32_t opcode; std::intptr_t value; float opt; std::intptr_t result; };
  const Case cases[] = {
      {effOpen, 0, 0, 0},         {effGetVu, 0, 0, 0},          {effSetSampleRate, 0, 48000, 0},
      {effSetBlockSize, 512, 0, 0}, {effMainsChanged, 1, 0, 0},  {effMainsChanged, 0, 0, 0},
      {effEditGetRect, 0, 0, 0},  {effEditOpen, 0, 0, 0},       {effEditClose, 0, 0, 0},
      {16, 0, 0, 0}, {17, 0, 0, 0}, {18, 0, 0, 0},                {effEditIdle, 0, 0, 0},
      {20, 0, 0, 0}, {21, 0, 0, 0}, {effIdentify, 0, 0, 0x4E764566},
      {23, 0, 0, 0}, {100, 0, 0, 0}, {-1, 0, 0, 0},
  };
  for (const Case& c : cases) {
    unsigned char buffer[64];
    std::memset(buffer, 0xA5, sizeof buffer);
    void* ptr = buffer;
    void* given = c.opcode == effEditGetRect ? static_cast<void*>(&ptr) : buffer;
    EXPECT_EQ(fx.dispatch(c.opcode, 0, c.value, given, c.opt), c.result) << "opcode " << c.opcode;
    EXPECT_EQ(ptr, static_cast<void*>(buffer)) << "opcode " << c.opcode;
    for (unsigned char b : buffer) ASSERT_EQ(b, 0xA5) << "opcode " << c.opcode << " wrote";
  }
  // Programs: only numbers inside the bank are taken.
  EXPECT_EQ(fx.dispatch(effGetProgram), 0);
  fx.dispatch(effSetProgram, 0, 15);
  EXPECT_EQ(fx.dispatch(effGetProgram), 15);
  for (std::intptr_t bad : {std::intptr_t{16}, std::intptr_t{-1}, std::intptr_t{1000}}) {
    fx.dispatch(effSetProgram, 0, bad);
    EXPECT_EQ(fx.dispatch(effGetProgram), 15);
  }
}

// Writes the fixed render where the cross-build comparison looks for it, if asked to.
inline void writeRender(const std::vector<float>& render) {
  if (test_options::renderPath().empty()) return;
  std::ofstream file(test_options::renderPath(), std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(render.data()),
             static_cast<std::streamsize>(render.size() * sizeof(float)));
  ASSERT_TRUE(file.good()) << "cannot write " << test_options::renderPath();
}
