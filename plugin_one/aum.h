// Plug-in one: a mono-in, stereo-out waveshaping distortion with three curves, a drive
// (DEPTH) and a dry share (MIX), and a bank of 16 programs.
#pragma once

#include <cstdint>

#include "audioeffect.h"
#include "dsp/block_kernel.h"
#include "parameter_table.h"
#include "relaxed.h"

namespace quorv1_01 {

constexpr std::int32_t kNumPrograms = 16;
constexpr std::int32_t kNumParams = 3;
constexpr int kProgramNameSize = 24;  // 23 characters and the terminator

// Host parameter indices.
enum Parameter : std::int32_t { kDepth = 0, kMix = 1, kType = 2 };

struct AUMProgram {
  AUMProgram();
  float fDepth;
  float fType;
  float fMix;
  char name[kProgramNameSize];
};

class AUM : public AudioEffect {
 public:
  // Allocates the bank (may throw std::bad_alloc, leaving nothing behind) and fills the
  // curve table. Called from the library's entry on the host's loading thread.
  explicit AUM(audioMasterCallback host);
  ~AUM() override;

  // Any host thread, concurrently with processing: the live fields are relaxed atomics.
  void setParameter(std::int32_t index, float value) override;
  float getParameter(std::int32_t index) override;

  // Audio thread: no allocation, no lock, no host call.
  void process(float** inputs, float** outputs, std::int32_t sampleFrames) override;
  void processReplacing(float** inputs, float** outputs, std::int32_t sampleFrames) override;

  // Dispatcher thread. `program` is in 0..15: the dispatcher filters it.
  void setProgram(std::int32_t program) override;
  // Names longer than 23 characters are cut to 23.
  void setProgramName(char* name) override;
  void getProgramName(char* name) override;
  void getParameterLabel(std::int32_t index, char* label) override;
  void getParameterDisplay(std::int32_t index, char* text) override;
  void getParameterName(std::int32_t index, char* text) override;
  float getVu() override;

  // The shaper with the live DEPTH and curve.
  double Fuzz(float x) const;

 private:
  static const ParameterEntry<AUM, AUMProgram> kParameterEntries[kNumParams];
  static const ParameterTable<AUM, AUMProgram, kNumParams> kParameters;
  AUMProgram* programs;
  float fVu;
  Relaxed<float> fDepth;
  Relaxed<float> fType;
  Relaxed<float> fMix;
  Relaxed<std::int32_t> iType;
  // The block kernels for the widest instruction set this processor runs, chosen once.
  const BlockKernels* kernels;

  // The live parameters as one group of samples uses them; `self` is the effect.
  static GroupSettings readParameters(const void* self);
  template <bool accumulate>
  void processBlock(float** inputs, float** outputs, std::int32_t sampleFrames);
};

}  // namespace quorv1_01
