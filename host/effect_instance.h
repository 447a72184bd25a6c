// One effect instance as a host holds it: the record `main` returned, driven only through
// its entry points, and closed through opcode 1 when the instance goes. Shared by the
// command-line host and the interface tests.
#pragma once

#include <cstdint>
#include <string>

#include "aeffect.h"
#include "plugin_library.h"

class EffectInstance {
 public:
  // Texts are read into buffers of this size, filled with a marker byte first.
  static constexpr std::size_t kTextBufferSize = 256;

  EffectInstance() = default;
  // Calls `entry` with `host` (no call when `entry` is null) and keeps whatever record it
  // returns, valid or not: see hasValidMagic().
  EffectInstance(PluginEntryProc entry, audioMasterCallback host);
  ~EffectInstance();
  EffectInstance(EffectInstance&& other) noexcept;
  EffectInstance& operator=(EffectInstance&& other) noexcept;
  EffectInstance(const EffectInstance&) = delete;
  EffectInstance& operator=(const EffectInstance&) = delete;

  AEffect* operator->() const { return record; }
  AEffect* get() const { return record; }
  bool hasValidMagic() const { return record && record->magic == kEffectMagic; }
  // Forgets the record without closing it: for a record whose entry points cannot be
  // trusted (a wrong magic number).
  void abandon() { record = nullptr; }

  // The calls below are made on the caller's thread; only text() allocates (its result).
  std::intptr_t dispatch(std::int32_t opcode, std::int32_t index = 0, std::intptr_t value = 0,
                         void* ptr = nullptr, float opt = 0.0f) const;
  // The text an opcode writes for `index` into a fresh buffer, cut at its end when the
  // effect did not terminate it (then `terminated`, when given, is set false).
  std::string text(std::int32_t opcode, std::int32_t index = 0, bool* terminated = nullptr) const;
  void set(std::int32_t index, float value) const { record->setParameter(record, index, value); }
  float get(std::int32_t index) const { return record->getParameter(record, index); }
  bool canReplace() const { return (record->flags & effFlagsCanReplacing) != 0; }

 private:
  void close();
  AEffect* record = nullptr;
};
