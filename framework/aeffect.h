// The binary record a host holds for one effect instance, and the host callback type.
//
// Everything in this header is what crosses the library boundary: the host reads the
// record's fields directly and calls the effect only through its five entry points, so
// the layout below is fixed byte for byte. 32-bit builds use the 144-byte layout with
// 32-bit pointers; 64-bit builds widen the entry points, the reserved words, `object`,
// `user` and the `value` arguments and results to pointer size, as 64-bit hosts expect.
#pragma once

#include <cstddef>
#include <cstdint>

// The entry, the record's entry points and the host callback use cdecl on 32-bit x86
// Windows (caller pops the arguments). Other targets have a single convention.
#if defined(_WIN32) && defined(__i386__)
#define FX_CDECL __cdecl
#else
#define FX_CDECL
#endif

struct AEffect;

// The host's function. `effect` is the asking record, or null before one exists.
using audioMasterCallback = std::intptr_t(FX_CDECL*)(AEffect* effect, std::int32_t opcode,
                                                     std::int32_t index, std::intptr_t value,
                                                     void* ptr, float opt);

using AEffectDispatcherProc = std::intptr_t(FX_CDECL*)(AEffect* effect, std::int32_t opcode,
                                                       std::int32_t index, std::intptr_t value,
                                                       void* ptr, float opt);
using AEffectProcessProc = void(FX_CDECL*)(AEffect* effect, float** inputs, float** outputs,
                                           std::int32_t sampleFrames);
using AEffectSetParameterProc = void(FX_CDECL*)(AEffect* effect, std::int32_t index,
                                                float value);
using AEffectGetParameterProc = float(FX_CDECL*)(AEffect* effect, std::int32_t index);

// Four-character codes are 32-bit numbers with the first character in the top byte.
constexpr std::int32_t fourCharCode(char a, char b, char c, char d) {
  return static_cast<std::int32_t>((static_cast<std::uint32_t>(static_cast<unsigned char>(a)) << 24) |
                                   (static_cast<std::uint32_t>(static_cast<unsigned char>(b)) << 16) |
                                   (static_cast<std::uint32_t>(static_cast<unsigned char>(c)) << 8) |
                                   static_cast<std::uint32_t>(static_cast<unsigned char>(d)));
}

constexpr std::int32_t kEffectMagic = fourCharCode('V', 's', 't', 'P');
constexpr std::int32_t kDefaultUniqueId = fourCharCode('N', 'o', 'E', 'f');
// Answer to opcode 22, the effect's identification of itself to the host.
constexpr std::int32_t kEffectIdentity = fourCharCode('N', 'v', 'E', 'f');

// Bits of AEffect::flags.
enum EffectFlags : std::int32_t {
  effFlagsHasClip = 0x02,
  effFlagsHasVu = 0x04,
  effFlagsCanMono = 0x08,
  effFlagsCanReplacing = 0x10,
};

// Opcodes the host sends through AEffect::dispatcher.
enum EffectOpcode : std::int32_t {
  effOpen = 0,
  effClose = 1,
  effSetProgram = 2,
  effGetProgram = 3,
  effSetProgramName = 4,
  effGetProgramName = 5,
  effGetParamLabel = 6,
  effGetParamDisplay = 7,
  effGetParamName = 8,
  effGetVu = 9,
  effSetSampleRate = 10,
  effSetBlockSize = 11,
  effMainsChanged = 12,
  effEditGetRect = 13,
  effEditOpen = 14,
  effEditClose = 15,
  effEditIdle = 19,
  effIdentify = 22,
};

// Requests the effect sends through audioMasterCallback.
enum HostOpcode : std::int32_t {
  audioMasterAutomate = 0,
  audioMasterVersion = 1,
  audioMasterCurrentId = 2,
  audioMasterIdle = 3,
  audioMasterPinConnected = 4,
};

struct AEffect {
  std::int32_t magic;
  AEffectDispatcherProc dispatcher;
  AEffectProcessProc process;
  AEffectSetParameterProc setParameter;
  AEffectGetParameterProc getParameter;
  std::int32_t numPrograms;
  std::int32_t numParams;
  std::int32_t numInputs;
  std::int32_t numOutputs;
  std::int32_t flags;
  std::intptr_t reserved1;
  std::intptr_t reserved2;
  std::int32_t initialDelay;
  std::int32_t realtimeQualities;
  std::int32_t offlineQualities;
  float ioRatio;
  void* object;
  void* user;
  std::int32_t uniqueID;
  std::int32_t version;
  AEffectProcessProc processReplacing;
  char future[60];
};

#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(offsetof(AEffect, magic) == 0);
static_assert(offsetof(AEffect, dispatcher) == 4);
static_assert(offsetof(AEffect, process) == 8);
static_assert(offsetof(AEffect, setParameter) == 12);
static_assert(offsetof(AEffect, getParameter) == 16);
static_assert(offsetof(AEffect, numPrograms) == 20);
static_assert(offsetof(AEffect, numParams) == 24);
static_assert(offsetof(AEffect, numInputs) == 28);
static_assert(offsetof(AEffect, numOutputs) == 32);
static_assert(offsetof(AEffect, flags) == 36);
static_assert(offsetof(AEffect, reserved1) == 40);
static_assert(offsetof(AEffect, reserved2) == 44);
static_assert(offsetof(AEffect, initialDelay) == 48);
static_assert(offsetof(AEffect, realtimeQualities) == 52);
static_assert(offsetof(AEffect, offlineQualities) == 56);
static_assert(offsetof(AEffect, ioRatio) == 60);
static_assert(offsetof(AEffect, object) == 64);
static_assert(offsetof(AEffect, user) == 68);
static_assert(offsetof(AEffect, uniqueID) == 72);
static_assert(offsetof(AEffect, version) == 76);
static_assert(offsetof(AEffect, processReplacing) == 80);
static_assert(offsetof(AEffect, future) == 84);
static_assert(sizeof(AEffect) == 144);
#elif UINTPTR_MAX == 0xFFFFFFFFFFFFFFFFu
static_assert(offsetof(AEffect, magic) == 0);
static_assert(offsetof(AEffect, dispatcher) == 8);
static_assert(offsetof(AEffect, process) == 16);
static_assert(offsetof(AEffect, setParameter) == 24);
static_assert(offsetof(AEffect, getParameter) == 32);
static_assert(offsetof(AEffect, numPrograms) == 40);
static_assert(offsetof(AEffect, numParams) == 44);
static_assert(offsetof(AEffect, numInputs) == 48);
static_assert(offsetof(AEffect, numOutputs) == 52);
static_assert(offsetof(AEffect, flags) == 56);
static_assert(offsetof(AEffect, reserved1) == 64);
static_assert(offsetof(AEffect, reserved2) == 72);
static_assert(offsetof(AEffect, initialDelay) == 80);
static_assert(offsetof(AEffect, realtimeQualities) == 84);
static_assert(offsetof(AEffect, offlineQualities) == 88);
static_assert(offsetof(AEffect, ioRatio) == 92);
static_assert(offsetof(AEffect, object) == 96);
static_assert(offsetof(AEffect, user) == 104);
static_assert(offsetof(AEffect, uniqueID) == 112);
static_assert(offsetof(AEffect, version) == 116);
static_assert(offsetof(AEffect, processReplacing) == 120);
static_assert(offsetof(AEffect, future) == 128);
// The reserved tail runs to the 8-byte aligned end; the base constructor zeroes all of it.
static_assert(sizeof(AEffect) == 192);
#else
#error "unsupported pointer width"
#endif
