#include "recording_host.h"

namespace {
std::vector<HostRequest> recorded;
std::intptr_t versionReply = 2400;
}  // namespace

namespace recording_host {

void reset(std::intptr_t versionAnswer) {
  recorded.clear();
  versionReply = versionAnswer;
}

const std::vector<HostRequest>& requests() { return recorded; }

std::intptr_t FX_CDECL callback(AEffect* effect, std::int32_t opcode, std::int32_t index,
                                std::intptr_t value, void* ptr, float opt) {
  recorded.push_back({effect, opcode, index, value, ptr, opt});
  return opcode == audioMasterVersion ? versionReply : 0;
}

}  // namespace recording_host
