#include "audioeffect.h"

#include <cstring>

#include "aeffeditor.h"
#include "float_to_int.h"

AudioEffect::AudioEffect(audioMasterCallback host, std::int32_t programCount,
                         std::int32_t paramCount)
    : sampleRate(44100.0f),
      editor(nullptr),
      audioMaster(host),
      numPrograms(programCount),
      numParams(paramCount),
      curProgram(0),
      blockSize(1024) {
  std::memset(&cEffect, 0, sizeof(cEffect));
  cEffect.magic = kEffectMagic;
  cEffect.dispatcher = dispatchEffectClass;
  cEffect.process = processClass;
  cEffect.setParameter = setParameterClass;
  cEffect.getParameter = getParameterClass;
  cEffect.numPrograms = programCount;
  cEffect.numParams = paramCount;
  cEffect.numInputs = 1;
  cEffect.numOutputs = 2;
  cEffect.ioRatio = 1.0f;
  cEffect.object = this;
  cEffect.uniqueID = kDefaultUniqueId;
  cEffect.version = 1;
  cEffect.processReplacing = processClassReplacing;
}

AudioEffect::~AudioEffect() { delete editor; }

void AudioEffect::setParameter(std::int32_t, float) {}

float AudioEffect::getParameter(std::int32_t) { return 0.0f; }

void AudioEffect::setParameterAutomated(std::int32_t index, float value) {
  setParameter(index, value);
  callHost(audioMasterAutomate, index, 0, value);
}

void AudioEffect::processReplacing(float**, float**, std::int32_t) {}

void AudioEffect::getParameterLabel(std::int32_t, char* label) { *label = 0; }
void AudioEffect::getParameterDisplay(std::int32_t, char* text) { *text = 0; }
void AudioEffect::getParameterName(std::int32_t, char* text) { *text = 0; }

std::intptr_t AudioEffect::dispatcher(std::int32_t opcode, std::int32_t index,
                                      std::intptr_t value, void* ptr, float opt) {
  switch (opcode) {
    case effOpen: open(); break;
    case effClose: close(); break;
    case effSetProgram:
      if (value >= 0 && value < numPrograms) setProgram(static_cast<std::int32_t>(value));
      break;
    case effGetProgram: return getProgram();
    case effSetProgramName: setProgramName(static_cast<char*>(ptr)); break;
    case effGetProgramName: getProgramName(static_cast<char*>(ptr)); break;
    case effGetParamLabel: getParameterLabel(index, static_cast<char*>(ptr)); break;
    case effGetParamDisplay: getParameterDisplay(index, static_cast<char*>(ptr)); break;
    case effGetParamName: getParameterName(index, static_cast<char*>(ptr)); break;
    case effGetVu:
      // A derived class may report any level; keep the conversion defined for all of them.
      return truncateToInt32(static_cast<double>(getVu()) * 32767.0);
    case effSetSampleRate: setSampleRate(opt); break;
    case effSetBlockSize: setBlockSize(static_cast<std::int32_t>(value)); break;
    case effMainsChanged:
      if (value) resume();
      else suspend();
      break;
    case effEditGetRect:
      if (editor) return editor->getRect(static_cast<ERect**>(ptr));
      break;
    case effEditOpen:
      if (editor) return editor->open(ptr);
      break;
    case effEditClose:
      if (editor) editor->close();
      break;
    case effEditIdle:
      if (editor) editor->idle();
      break;
    case effIdentify: return kEffectIdentity;
    default: break;
  }
  return 0;
}

void AudioEffect::setFlag(std::int32_t bit, std::int16_t state) {
  if (state) cEffect.flags |= bit;
  else cEffect.flags &= ~bit;
}

std::intptr_t AudioEffect::callHost(std::int32_t opcode, std::int32_t index,
                                    std::intptr_t value, float opt) {
  return audioMaster ? audioMaster(&cEffect, opcode, index, value, nullptr, opt) : 0;
}

std::int32_t AudioEffect::getMasterVersion() {
  const auto version = static_cast<std::int32_t>(callHost(audioMasterVersion, 0, 0, 0.0f));
  return version ? version : 1;
}

std::int32_t AudioEffect::getCurrentUniqueId() {
  return static_cast<std::int32_t>(callHost(audioMasterCurrentId, 0, 0, 0.0f));
}

void AudioEffect::masterIdle() { callHost(audioMasterIdle, 0, 0, 0.0f); }

// The host answers 0 for a connected pin; without a host everything counts as connected.
std::int16_t AudioEffect::isInputConnected(std::int32_t input) {
  return callHost(audioMasterPinConnected, input, 0, 0.0f) == 0;
}

std::int16_t AudioEffect::isOutputConnected(std::int32_t output) {
  return callHost(audioMasterPinConnected, output, 1, 0.0f) == 0;
}

static AudioEffect* effectOf(AEffect* e) { return static_cast<AudioEffect*>(e->object); }

std::intptr_t FX_CDECL dispatchEffectClass(AEffect* e, std::int32_t opcode, std::int32_t index,
                                           std::intptr_t value, void* ptr, float opt) {
  AudioEffect* effect = effectOf(e);
  if (opcode == effClose) {
    effect->dispatcher(opcode, index, value, ptr, opt);
    delete effect;  // the record goes with it
    return 1;
  }
  return effect->dispatcher(opcode, index, value, ptr, opt);
}

float FX_CDECL getParameterClass(AEffect* e, std::int32_t index) {
  return effectOf(e)->getParameter(index);
}

void FX_CDECL setParameterClass(AEffect* e, std::int32_t index, float value) {
  effectOf(e)->setParameter(index, value);
}

void FX_CDECL processClass(AEffect* e, float** inputs, float** outputs,
                           std::int32_t sampleFrames) {
  effectOf(e)->process(inputs, outputs, sampleFrames);
}

void FX_CDECL processClassReplacing(AEffect* e, float** inputs, float** outputs,
                                    std::int32_t sampleFrames) {
  effectOf(e)->processReplacing(inputs, outputs, sampleFrames);
}
