// Reads a fuzzer's input as a sequence of host calls against one effect instance created
// through the library's entry, and checks after every call what any host may rely on:
// texts end inside the host's buffer and nothing is written beyond 64 bytes, the
// parameters read back by the rules both effects share, replaced outputs are finite
// samples in -1..1, and the record does not change. Any failed check aborts, which the
// fuzzer reports as a crash with the input that led to it.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "aeffect.h"
#include "entry.h"

namespace host_call_fuzzer {

// What an effect's parameters and programs start as, in host terms.
struct EffectModel {
  std::int32_t numParams;
  std::int32_t typeIndex;      // the parameter that selects the curve
  float defaults[4];           // every program's starting values, by parameter index
  const char* defaultName;     // every program's starting name
};

constexpr std::int32_t kPrograms = 16;
constexpr std::size_t kTextBuffer = 256;
constexpr std::size_t kTextLimit = 64;
constexpr std::size_t kProgramNameLength = 23;
constexpr unsigned char kGuard = 0xA5;
constexpr int kMaxFrames = 4096;

[[noreturn]] inline void fail(const char* what, long detail = 0) {
  std::fprintf(stderr, "host call check failed: %s (%ld)\n", what, detail);
  std::abort();
}

inline void check(bool ok, const char* what, long detail = 0) {
  if (!ok) fail(what, detail);
}

// Takes values from the front of the input; an exhausted input gives zeros.
class Reader {
 public:
  Reader(const std::uint8_t* bytes, std::size_t count) : data(bytes), size(count) {}
  bool empty() const { return at >= size; }
  std::uint8_t byte() { return at < size ? data[at++] : 0; }
  template <typename T>
  T value() {
    unsigned char bytes[sizeof(T)] = {};
    for (unsigned char& b : bytes) b = byte();
    T v;
    std::memcpy(&v, bytes, sizeof v);
    return v;
  }
  std::size_t remaining() const { return at < size ? size - at : 0; }

 private:
  const std::uint8_t* data;
  std::size_t size;
  std::size_t at = 0;
};

inline std::uint32_t bitsOf(float v) {
  std::uint32_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  return bits;
}

// The curve a Type value selects: value x 2.9 truncated toward zero, NaN 0, saturated at
// the ends of the 32-bit range; read back as curve / 1.9, at most 0.99.
inline float typeReadBack(float type) {
  const double scaled = static_cast<double>(type) * 2.9;
  double curve = std::trunc(scaled);
  if (std::isnan(scaled)) curve = 0.0;
  if (curve > 2147483647.0) curve = 2147483647.0;
  if (curve < -2147483648.0) curve = -2147483648.0;
  const double value = static_cast<std::int32_t>(curve) / 1.9;  // a whole number: no -0
  return static_cast<float>(value > 0.99 ? 0.99 : value);
}

class Session {
 public:
  Session(const EffectModel& effectModel, AEffect* effect) : model(effectModel), record(effect) {
    std::memcpy(&snapshot, record, sizeof snapshot);  // padding bytes included
    for (auto& program : bank) {
      for (std::int32_t i = 0; i < model.numParams; ++i) program.values[i] = model.defaults[i];
      program.name = model.defaultName;
    }
    live = bank[0];
  }

  // Runs the calls the input describes; the last one closes the effect.
  void run(Reader& in) {
    checkState();
    while (!in.empty()) {
      const std::uint8_t call = in.byte();
      switch (call % 6) {
        case 0:
        case 1:
          if (!dispatch(in)) return;  // closed
          break;
        case 2: setParameter(in); break;
        case 3: getParameter(in); break;
        case 4: processBlock(in, true); break;
        case 5: processBlock(in, false); break;
      }
      checkState();
    }
    check(record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f) == 1, "close answers 1");
  }

 private:
  struct Program {
    float values[4] = {};
    std::string name;
  };

  const EffectModel& model;
  AEffect* record;
  AEffect snapshot;
  Program bank[kPrograms];
  Program live;  // the live parameter values (the name is unused)
  std::int32_t current = 0;

  bool inRange(std::int32_t index) const { return index >= 0 && index < model.numParams; }

  void checkState() {
    check(std::memcmp(record, &snapshot, sizeof snapshot) == 0, "the record is unchanged");
    for (std::int32_t i = 0; i < model.numParams; ++i) {
      const float got = record->getParameter(record, i);
      const float want = i == model.typeIndex ? typeReadBack(live.values[i]) : live.values[i];
      if (bitsOf(got) != bitsOf(want)) {
        std::fprintf(stderr, "parameter %d: read %a, due %a (stored %a)\n", static_cast<int>(i),
                     static_cast<double>(got), static_cast<double>(want),
                     static_cast<double>(live.values[i]));
        fail("getParameter reads back by the rules", i);
      }
    }
  }

  // The 256-byte text buffer: guard bytes before the call; afterwards either unchanged,
  // or, where a text is due, one ending within 64 bytes and the rest untouched.
  bool dispatch(Reader& in) {
    const std::uint8_t pick = in.byte();
    std::int32_t opcode = pick % 24;  // 0..22, and 23 for any other number
    if (opcode == 23) opcode = in.value<std::int32_t>();
    const auto index = in.value<std::int32_t>();
    auto value = in.value<std::intptr_t>();
    const auto opt = in.value<float>();
    if (opcode == effSetProgram && (pick & 0x80)) value = static_cast<std::intptr_t>(pick % 17);

    if (opcode == effClose) {
      check(record->dispatcher(record, opcode, index, value, nullptr, opt) == 1,
            "close answers 1");
      return false;
    }

    if (opcode == effSetProgramName) {
      // Arbitrary bytes, up to 1000, then the terminator, in a buffer of exactly that size.
      std::size_t length = in.value<std::uint16_t>() % 1001;
      if (length > in.remaining()) length = in.remaining();
      std::unique_ptr<char[]> name(new char[length + 1]);
      for (std::size_t k = 0; k < length; ++k) name[k] = static_cast<char>(in.byte());
      name[length] = 0;
      const std::intptr_t answer = record->dispatcher(record, opcode, index, value, name.get(), opt);
      check(answer == 0, "renaming answers 0");
      bank[current].name = std::string(name.get(), strnlen(name.get(), kProgramNameLength));
      return true;
    }

    if (opcode == effEditGetRect) {
      auto* const sentinel = reinterpret_cast<void*>(std::uintptr_t{0x5A5A5A5A});
      std::unique_ptr<void*> slot(new void*(sentinel));
      const std::intptr_t answer = record->dispatcher(record, opcode, index, value, slot.get(), opt);
      check(answer == 0, "no editor rectangle");
      check(*slot == sentinel, "no rectangle stored");
      return true;
    }

    std::unique_ptr<unsigned char[]> text(new unsigned char[kTextBuffer]);
    std::memset(text.get(), kGuard, kTextBuffer);
    const std::intptr_t answer = record->dispatcher(record, opcode, index, value, text.get(), opt);

    const bool writesText = opcode == effGetProgramName ||
                            ((opcode == effGetParamLabel || opcode == effGetParamDisplay ||
                              opcode == effGetParamName) && inRange(index));
    if (writesText) {
      check(std::memchr(text.get(), 0, kTextLimit) != nullptr, "text ends within 64 bytes", opcode);
      for (std::size_t k = kTextLimit; k < kTextBuffer; ++k)
        check(text[k] == kGuard, "nothing written beyond 64 bytes", opcode);
    } else {
      for (std::size_t k = 0; k < kTextBuffer; ++k)
        check(text[k] == kGuard, "buffer untouched", opcode);
    }

    switch (opcode) {
      case effSetProgram:
        if (value >= 0 && value < kPrograms) {
          current = static_cast<std::int32_t>(value);
          live = bank[current];
        }
        check(answer == 0, "set program answers 0");
        break;
      case effGetProgram: check(answer == current, "current program", answer); break;
      case effGetProgramName: {
        const char* got = reinterpret_cast<const char*>(text.get());
        check(bank[current].name == got, "program name as set", current);
        break;
      }
      case effIdentify: check(answer == kEffectIdentity, "identity"); break;
      default: check(answer == 0, "answers 0", opcode); break;
    }
    return true;
  }

  void setParameter(Reader& in) {
    std::int32_t index = in.value<std::int32_t>();
    const std::uint8_t pick = in.byte();
    if (pick & 0x80) index = pick % (model.numParams + 1);
    const auto value = in.value<float>();
    record->setParameter(record, index, value);
    if (inRange(index)) {
      live.values[index] = value;
      bank[current].values[index] = value;
    }
  }

  // Any index; the in-range reads are checked in checkState, others answer 0.0.
  void getParameter(Reader& in) {
    const auto index = in.value<std::int32_t>();
    const float got = record->getParameter(record, index);
    if (!inRange(index)) check(bitsOf(got) == 0, "getParameter of another index is 0.0", index);
  }

  // A block of up to 4096 frames (a negative count too) of samples repeating a pattern
  // from the input; each output is its own buffer or shares one with an input.
  void processBlock(Reader& in, bool replacing) {
    const int frames = in.value<std::int16_t>() % (kMaxFrames + 1);
    const std::size_t length = frames > 0 ? static_cast<std::size_t>(frames) : 0;
    const std::size_t patternLength = in.byte() % 16 + 1;
    std::vector<float> pattern(patternLength);
    for (float& v : pattern) v = in.value<float>();

    const std::int32_t inputs = record->numInputs;
    const std::int32_t outputs = record->numOutputs;
    std::vector<std::unique_ptr<float[]>> buffers;
    std::vector<float*> inPtrs, outPtrs;
    std::vector<bool> inputShared(static_cast<std::size_t>(inputs), false);
    for (std::int32_t c = 0; c < inputs; ++c) {
      buffers.emplace_back(new float[length]);
      for (std::size_t k = 0; k < length; ++k)
        buffers.back()[k] = pattern[(k + static_cast<std::size_t>(c)) % patternLength];
      inPtrs.push_back(buffers.back().get());
    }
    for (std::int32_t c = 0; c < outputs; ++c) {
      const std::uint8_t how = in.byte();
      const auto shared = static_cast<std::size_t>((how / 3) % inputs);
      if (how % 3 != 0 && !inputShared[shared]) {
        inputShared[shared] = true;
        outPtrs.push_back(inPtrs[shared]);
      } else {
        buffers.emplace_back(new float[length]);
        for (std::size_t k = 0; k < length; ++k) buffers.back()[k] = pattern[k % patternLength];
        outPtrs.push_back(buffers.back().get());
      }
    }

    if (replacing) {
      record->processReplacing(record, inPtrs.data(), outPtrs.data(), frames);
      for (float* out : outPtrs)
        for (std::size_t k = 0; k < length; ++k)
          check(std::isfinite(out[k]) && out[k] >= -1.0f && out[k] <= 1.0f,
                "replaced sample finite and in -1..1", static_cast<long>(k));
    } else {
      record->process(record, inPtrs.data(), outPtrs.data(), frames);
    }
  }
};

inline std::intptr_t FX_CDECL host(AEffect*, std::int32_t opcode, std::int32_t, std::intptr_t,
                                   void*, float) {
  return opcode == audioMasterVersion ? 2400 : 0;
}

inline int run(const EffectModel& model, const std::uint8_t* data, std::size_t size) {
  AEffect* record = pluginMain(host);
  check(record != nullptr, "the entry creates an effect");
  Reader in(data, size);
  Session(model, record).run(in);
  return 0;
}

}  // namespace host_call_fuzzer
