// A host callback that records every request an effect sends and answers the version
// request with a chosen value.
#pragma once

#include <cstdint>
#include <vector>

#include "aeffect.h"

struct HostRequest {
  AEffect* effect;
  std::int32_t opcode;
  std::int32_t index;
  std::intptr_t value;
  void* ptr;
  float opt;
};

namespace recording_host {

// Forgets what was recorded and sets the answer to the version request.
void reset(std::intptr_t versionAnswer = 2400);
const std::vector<HostRequest>& requests();
std::intptr_t FX_CDECL callback(AEffect* effect, std::int32_t opcode, std::int32_t index,
                                std::intptr_t value, void* ptr, float opt);

}  // namespace recording_host
