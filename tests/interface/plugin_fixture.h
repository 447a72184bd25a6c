// Drives a built plug-in library exactly as a host does: load it, call `main` with the
// recording host callback, and talk to the effect only through its record.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "aeffect.h"
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

// One effect instance, closed through opcode 1 when it goes.
class Instance {
 public:
  Instance() {
    PluginEntryProc entry = pluginEntry();
    if (entry) record = entry(recording_host::callback);
  }
  ~Instance() {
    if (record) record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f);
  }
  Instance(const Instance&) = delete;
  Instance& operator=(const Instance&) = delete;

  AEffect* operator->() const { return record; }
  AEffect* get() const { return record; }

  std::intptr_t dispatch(std::int32_t opcode, std::int32_t index = 0, std::intptr_t value = 0,
                         void* ptr = nullptr, float opt = 0.0f) {
    return record->dispatcher(record, opcode, index, value, ptr, opt);
  }
  // The text an opcode writes for `index` into a fresh 256-byte buffer.
  std::string text(std::int32_t opcode, std::int32_t index = 0) {
    char buffer[256];
    std::memset(buffer, 0x55, sizeof buffer);
    dispatch(opcode, index, 0, buffer);
    EXPECT_NE(std::memchr(buffer, 0, sizeof buffer), nullptr) << "text not terminated";
    return std::string(buffer, strnlen(buffer, sizeof buffer));
  }
  void set(std::int32_t index, float value) { record->setParameter(record, index, value); }
  float get(std::int32_t index) { return record->getParameter(record, index); }

 private:
  AEffect* record = nullptr;
};

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
