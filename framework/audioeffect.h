// Base class of every effect: turns the host's flat opcode protocol into virtual calls.
//
// Threads: the host may call processing on its audio thread and everything else on one or
// more other threads. Nothing in this class locks, allocates or starts a thread. Unless a
// comment says otherwise an operation is called by the dispatcher on a host thread that
// is not the audio thread.
//
// The order of the virtual operations is part of the design (effect classes written
// against it override by slot); keep new ones at the end.
#pragma once

#include <cstdint>

#include "aeffect.h"

class AEffEditor;

class AudioEffect {
 public:
  // Fills the record and stores the entry points. Sends nothing to the host, allocates
  // nothing, cannot fail.
  AudioEffect(audioMasterCallback host, std::int32_t programCount, std::int32_t paramCount);
  AudioEffect(const AudioEffect&) = delete;
  AudioEffect& operator=(const AudioEffect&) = delete;

  // Slot 0. Called by the close trampoline; destroys an attached editor.
  virtual ~AudioEffect();

  // Slots 1-3: parameters. setParameter/getParameter may arrive on any host thread,
  // concurrently with processing.
  virtual void setParameter(std::int32_t index, float value);
  virtual float getParameter(std::int32_t index);
  // Sets the parameter, then tells the host (request 0) that it changed.
  virtual void setParameterAutomated(std::int32_t index, float value);

  // Slots 4-5: audio thread. Must not allocate, lock or call the host.
  virtual void process(float** inputs, float** outputs, std::int32_t sampleFrames) = 0;
  virtual void processReplacing(float** inputs, float** outputs, std::int32_t sampleFrames);

  // Slot 6: decodes one opcode into one of the operations below.
  virtual std::intptr_t dispatcher(std::int32_t opcode, std::int32_t index, std::intptr_t value,
                                   void* ptr, float opt);

  // Slots 7-8: opcodes 0 and 1.
  virtual void open() {}
  virtual void close() {}

  // Slots 9-12: programs (opcodes 3, 2, 4, 5). Name buffers belong to the host.
  virtual std::int32_t getProgram() { return curProgram; }
  virtual void setProgram(std::int32_t program) { curProgram = program; }
  virtual void setProgramName(char* name) { *name = 0; }
  virtual void getProgramName(char* name) { *name = 0; }

  // Slots 13-15: parameter texts (opcodes 6, 7, 8) into host buffers.
  virtual void getParameterLabel(std::int32_t index, char* label);
  virtual void getParameterDisplay(std::int32_t index, char* text);
  virtual void getParameterName(std::int32_t index, char* text);

  // Slot 16: opcode 9, the level meter.
  virtual float getVu() { return 0.0f; }

  // Slots 17-20: opcodes 10, 11 and 12.
  virtual void setSampleRate(float rate) { sampleRate = rate; }
  virtual void setBlockSize(std::int32_t frames) { blockSize = frames; }
  virtual void suspend() {}
  virtual void resume() {}

  // Slots 21-30: set-up, called by an effect class's constructor to describe itself.
  virtual void setUniqueID(std::int32_t id) { cEffect.uniqueID = id; }
  virtual void setNumInputs(std::int32_t inputs) { cEffect.numInputs = inputs; }
  virtual void setNumOutputs(std::int32_t outputs) { cEffect.numOutputs = outputs; }
  virtual void hasVu(std::int16_t state) { setFlag(effFlagsHasVu, state); }
  virtual void hasClip(std::int16_t state) { setFlag(effFlagsHasClip, state); }
  virtual void canMono(std::int16_t state) { setFlag(effFlagsCanMono, state); }
  virtual void canProcessReplacing(std::int16_t state) { setFlag(effFlagsCanReplacing, state); }
  virtual void setRealtimeQualities(std::int32_t qualities) {
    cEffect.realtimeQualities = qualities;
  }
  virtual void setOfflineQualities(std::int32_t qualities) {
    cEffect.offlineQualities = qualities;
  }
  virtual void setInitialDelay(std::int32_t delay) { cEffect.initialDelay = delay; }

  // Slots 31-32.
  virtual float getSampleRate() { return sampleRate; }
  virtual std::int32_t getBlockSize() { return blockSize; }

  // Slots 33-37: requests to the host, made only when there is a callback. They call into
  // the host, so never from the audio thread.
  virtual std::int32_t getMasterVersion();
  virtual std::int32_t getCurrentUniqueId();
  virtual void masterIdle();
  virtual std::int16_t isInputConnected(std::int32_t input);
  virtual std::int16_t isOutputConnected(std::int32_t output);

  // Slots 38-42: fixed-width value texts, 8 characters and a terminator (9 bytes at most).
  virtual void dB2string(float value, char* text);
  virtual void Hz2string(float samples, char* text);
  virtual void ms2string(float samples, char* text);
  virtual void float2string(float value, char* text);
  virtual void long2string(std::int32_t value, char* text);

  // The record handed to the host; it lives as long as this object.
  AEffect* getAeffect() { return &cEffect; }

 protected:
  float sampleRate;
  AEffEditor* editor;
  audioMasterCallback audioMaster;
  std::int32_t numPrograms;
  std::int32_t numParams;
  std::int32_t curProgram;
  std::int32_t blockSize;
  AEffect cEffect;

 private:
  void setFlag(std::int32_t bit, std::int16_t state);
  std::intptr_t callHost(std::int32_t opcode, std::int32_t index, std::intptr_t value, float opt);
};

// The record's entry points. Each finds the effect through the record's `object` and makes
// one virtual call; called by the host on whatever thread it chooses.
std::intptr_t FX_CDECL dispatchEffectClass(AEffect* e, std::int32_t opcode, std::int32_t index,
                                           std::intptr_t value, void* ptr, float opt);
float FX_CDECL getParameterClass(AEffect* e, std::int32_t index);
void FX_CDECL setParameterClass(AEffect* e, std::int32_t index, float value);
void FX_CDECL processClass(AEffect* e, float** inputs, float** outputs,
                           std::int32_t sampleFrames);
void FX_CDECL processClassReplacing(AEffect* e, float** inputs, float** outputs,
                                    std::int32_t sampleFrames);
