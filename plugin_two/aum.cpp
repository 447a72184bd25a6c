#include "aum.h"

#include "aeffeditor.h"
#include "dsp/block_kernel.h"
#include "dsp/shaper.h"
#include "parameter_text.h"

namespace quorv1_02 {

namespace {
// DEPTH and Type have fixed starting values; a new program also drives hardest (PreAmp 1,
// a gain of 2) and shapes fully (MIX is the dry share, 0 is all effect).
constexpr float kDefaultPreAmp = 1.0f;
constexpr float kDefaultMix = 0.0f;

const char* const kCurveNames[kCurveCount] = {"Dist      ", "Valve     ", "Tape      "};

// The table is shared by every instance and never changes once filled, so only the first
// construction in the process fills it: a refill while another instance processes would be
// a data race, even with the same values.
void fillFuzzTableOnce() {
  static const bool filled = (fillFuzzTable(), true);
  (void)filled;
}
}  // namespace

// What the host sees of each parameter, and where its value lives.
const ParameterEntry<AUM, AUMProgram> AUM::kParameterEntries[kNumParams] = {
    {"Type", "    ", ParameterDisplay::Curve, &AUMProgram::fType, &AUM::fType},
    {"PreAmp  \t       ", "       ", ParameterDisplay::GainOfValue, &AUMProgram::fPreAmp,
     &AUM::fPreAmp},
    {"DEPTH  \t       ", "       ", ParameterDisplay::Value, &AUMProgram::fDepth, &AUM::fDepth},
    {"MIX", "FX<->Clean", ParameterDisplay::Percent, &AUMProgram::fMix, &AUM::fMix},
};
const ParameterTable<AUM, AUMProgram, kNumParams> AUM::kParameters(kParameterEntries);

AUMProgram::AUMProgram()
    : fDepth(0.25f), fPreAmp(kDefaultPreAmp), fType(0.9f), fMix(kDefaultMix), name("Quorvelandix.02") {}

AUM::AUM(audioMasterCallback host) : AudioEffect(host, kNumPrograms, kNumParams) {
  canProcessReplacing(1);
  programs = new AUMProgram[kNumPrograms];
  fVu = 0.0f;
  fillFuzzTableOnce();
  kernels = &widestBlockKernels();
  setProgram(0);
  setNumInputs(2);
  setNumOutputs(2);
  hasVu(1);
  setUniqueID(fourCharCode('Q', 'V', 'R', '1'));
}

AUM::~AUM() { delete[] programs; }

void AUM::setParameter(std::int32_t index, float value) {
  kParameters.set(*this, programs[curProgram], iType, index, value);
  if (editor) editor->postUpdate();
}

float AUM::getParameter(std::int32_t index) { return kParameters.get(*this, iType, index); }

void AUM::getParameterName(std::int32_t index, char* text) { kParameters.name(index, text); }

void AUM::getParameterLabel(std::int32_t index, char* label) { kParameters.label(index, label); }

void AUM::getParameterDisplay(std::int32_t index, char* text) {
  kParameters.display(*this, kCurveNames, index, text);
}

// Whatever watches setParameter (an override, an editor) sees a program arrive in this
// fixed order: DEPTH, PreAmp, MIX, then Type.
void AUM::setProgram(std::int32_t program) {
  curProgram = program;
  const AUMProgram& p = programs[program];
  setParameter(kDepth, p.fDepth);
  setParameter(kPreAmp, p.fPreAmp);
  setParameter(kMix, p.fMix);
  setParameter(kType, p.fType);
}

void AUM::setProgramName(char* name) {
  copyTextCut(programs[curProgram].name, name, kProgramNameSize - 1);
}

void AUM::getProgramName(char* name) { copyText(name, programs[curProgram].name); }

float AUM::getVu() {
  const float level = fVu;
  fVu = 0.0f;
  return level;
}

double AUM::Fuzz(float x) const { return fuzz(x, fDepth.load(), iType.load()); }

// The parameters are read once per group of up to kGroupFrames frames: a relaxed load
// may return a value from a moment before anyway, so no host can tell this from reading
// them for every frame, and a change made during a long block is still heard within a
// group. The first group of each call reads them afresh. Both channels of a frame use the
// same values.
GroupSettings AUM::readParameters(const void* self) {
  const AUM& fx = *static_cast<const AUM*>(self);
  return groupSettings(fx.fPreAmp.load(), fx.fDepth.load(), fx.fMix.load(), fx.iType.load());
}

// The kernels read both inputs of a frame before writing its outputs, so the inputs may
// share buffers with the outputs.
template <bool accumulate>
void AUM::processBlock(float** inputs, float** outputs, std::int32_t sampleFrames) {
  const BlockKernel kernel = accumulate ? kernels->accumulating : kernels->replacing;
  kernel({&readParameters, this}, inputs[0], inputs[1], outputs[0], outputs[1], sampleFrames);
}

void AUM::process(float** inputs, float** outputs, std::int32_t sampleFrames) {
  processBlock<true>(inputs, outputs, sampleFrames);
}

void AUM::processReplacing(float** inputs, float** outputs, std::int32_t sampleFrames) {
  processBlock<false>(inputs, outputs, sampleFrames);
}

}  // namespace quorv1_02
