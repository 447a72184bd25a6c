#include "effect_instance.h"

#include <cstring>
#include <utility>

EffectInstance::EffectInstance(PluginEntryProc entry, audioMasterCallback host) {
  if (entry) record = entry(host);
}

EffectInstance::~EffectInstance() { close(); }

EffectInstance::EffectInstance(EffectInstance&& other) noexcept
    : record(std::exchange(other.record, nullptr)) {}

EffectInstance& EffectInstance::operator=(EffectInstance&& other) noexcept {
  if (this != &other) {
    close();
    record = std::exchange(other.record, nullptr);
  }
  return *this;
}

void EffectInstance::close() {
  if (record) record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f);
  record = nullptr;
}

std::intptr_t EffectInstance::dispatch(std::int32_t opcode, std::int32_t index, std::intptr_t value,
                                       void* ptr, float opt) const {
  return record->dispatcher(record, opcode, index, value, ptr, opt);
}

std::string EffectInstance::text(std::int32_t opcode, std::int32_t index, bool* terminated) const {
  char buffer[kTextBufferSize];
  std::memset(buffer, 0x55, sizeof buffer);
  dispatch(opcode, index, 0, buffer);
  const bool ends = std::memchr(buffer, 0, sizeof buffer) != nullptr;
  if (terminated) *terminated = ends;
  return std::string(buffer, ends ? std::strlen(buffer) : sizeof buffer);
}
