// The host callback of our host tools: the one an effect gets from `main` on.
#pragma once

#include <cstdint>

#include "aeffect.h"

namespace host_callback {

// The version this host reports when an effect asks (request 1).
constexpr std::intptr_t kHostVersion = 2400;

// Answers the version request with kHostVersion and every other request, from any effect
// and on any thread, with 0: "nothing to report", which effects must accept from a host
// that does not offer a service. Allocates nothing and keeps no state.
std::intptr_t FX_CDECL answer(AEffect* effect, std::int32_t opcode, std::int32_t index,
                              std::intptr_t value, void* ptr, float opt);

}  // namespace host_callback
