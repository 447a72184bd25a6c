#include "host_callback.h"

namespace host_callback {

std::intptr_t FX_CDECL answer(AEffect*, std::int32_t opcode, std::int32_t, std::intptr_t, void*, float) {
  return opcode == audioMasterVersion ? kHostVersion : 0;
}

}  // namespace host_callback
