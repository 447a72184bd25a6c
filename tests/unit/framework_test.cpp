// Tests of the effect base class, its record and entry points, and the editor base class,
// through small effect and editor classes that note what reaches them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <iterator>
#include <limits>
#include <new>
#include <string>
#include <vector>

#include "aeffeditor.h"
#include "audioeffect.h"
#include "recording_host.h"

namespace {

using Log = std::vector<std::string>;

constexpr std::int32_t kPrograms = 4;
constexpr std::int32_t kParams = 2;
constexpr char kUntouched[] = "untouched";

// An editor with the base behaviours that notes its redraws and its end.
class NotingEditor : public AEffEditor {
 public:
  explicit NotingEditor(Log& log) : log_(log) {}
  ~NotingEditor() override { log_.push_back("editor destroyed"); }
  void update() override { log_.push_back("update"); }

 protected:
  Log& log_;
};

// An editor whose window calls give answers of their own, to see them passed back.
class AnsweringEditor : public NotingEditor {
 public:
  using NotingEditor::NotingEditor;
  std::int32_t getRect(ERect** rect) override {
    *rect = &area;
    return 13;
  }
  std::int32_t open(void* window) override {
    log_.push_back(window ? "open window" : "open null");
    return 14;
  }
  void close() override { log_.push_back("close"); }
  ERect area{1, 2, 3, 4};
};

// An effect with nothing but the base behaviours.
class PlainEffect : public AudioEffect {
 public:
  explicit PlainEffect(audioMasterCallback host) : AudioEffect(host, kPrograms, kParams) {}
  void process(float**, float**, std::int32_t) override {}
};

// An effect that notes the operations the dispatcher and the entry points reach.
class ProbeEffect : public AudioEffect {
 public:
  ProbeEffect(audioMasterCallback host, Log& log)
      : AudioEffect(host, kPrograms, kParams), log_(log) {}
  ~ProbeEffect() override { log_.push_back("destroyed"); }

  void open() override { log_.push_back("open"); }
  void close() override { log_.push_back("close"); }
  void suspend() override { log_.push_back("suspend"); }
  void resume() override { log_.push_back("resume"); }
  void setProgram(std::int32_t program) override {
    log_.push_back("setProgram " + std::to_string(program));
    AudioEffect::setProgram(program);
  }
  void setProgramName(char* name) override { log_.push_back(std::string("setProgramName ") + name); }
  void getProgramName(char* name) override { std::strcpy(name, "program name"); }
  void getParameterLabel(std::int32_t index, char* text) override { write(text, "label", index); }
  void getParameterDisplay(std::int32_t index, char* text) override { write(text, "display", index); }
  void getParameterName(std::int32_t index, char* text) override { write(text, "name", index); }
  float getVu() override {
    log_.push_back("getVu");
    return level;
  }
  void setParameter(std::int32_t index, float value) override {
    log_.push_back("setParameter " + std::to_string(index) + " " + std::to_string(value));
    requestsWhenSet = recording_host::requests().size();
    values[index] = value;
  }
  float getParameter(std::int32_t index) override { return values[index]; }
  void process(float** inputs, float** outputs, std::int32_t frames) override {
    noteBlock("process", inputs, outputs, frames);
  }
  void processReplacing(float** inputs, float** outputs, std::int32_t frames) override {
    noteBlock("processReplacing", inputs, outputs, frames);
  }

  AEffect& record() { return cEffect; }
  void attach(AEffEditor* e) { editor = e; }

  float level = 0.0f;
  float values[kParams] = {};
  std::size_t requestsWhenSet = 0;
  float** lastInputs = nullptr;
  float** lastOutputs = nullptr;

 private:
  static void write(char* text, const char* what, std::int32_t index) {
    std::strcpy(text, (std::string(what) + " " + std::to_string(index)).c_str());
  }
  void noteBlock(const char* what, float** inputs, float** outputs, std::int32_t frames) {
    log_.push_back(std::string(what) + " " + std::to_string(frames));
    lastInputs = inputs;
    lastOutputs = outputs;
  }
  Log& log_;
};

TEST(AudioEffectRecord, ConstructorFillsTheWholeRecordAndAsksTheHostNothing) {
  // Built over garbage, so that every zero below was written by the constructor.
  alignas(PlainEffect) unsigned char storage[sizeof(PlainEffect)];
  std::memset(storage, 0xAB, sizeof storage);
  recording_host::reset();
  auto* effect = new (storage) PlainEffect(recording_host::callback);
  const AEffect& r = *effect->getAeffect();

  EXPECT_EQ(r.magic, 0x56737450);
  EXPECT_EQ(r.dispatcher, &dispatchEffectClass);
  EXPECT_EQ(r.process, &processClass);
  EXPECT_EQ(r.setParameter, &setParameterClass);
  EXPECT_EQ(r.getParameter, &getParameterClass);
  EXPECT_EQ(r.processReplacing, &processClassReplacing);
  EXPECT_EQ(r.numPrograms, kPrograms);
  EXPECT_EQ(r.numParams, kParams);
  EXPECT_EQ(r.numInputs, 1);
  EXPECT_EQ(r.numOutputs, 2);
  EXPECT_EQ(r.flags, 0);
  EXPECT_EQ(r.reserved1, 0);
  EXPECT_EQ(r.reserved2, 0);
  EXPECT_EQ(r.initialDelay, 0);
  EXPECT_EQ(r.realtimeQualities, 0);
  EXPECT_EQ(r.offlineQualities, 0);
  EXPECT_EQ(r.ioRatio, 1.0f);
  EXPECT_EQ(r.object, static_cast<AudioEffect*>(effect));
  EXPECT_EQ(r.user, nullptr);
  EXPECT_EQ(r.uniqueID, 0x4E6F4566);
  EXPECT_EQ(r.version, 1);
  const auto* bytes = reinterpret_cast<const unsigned char*>(&r);
  for (std::size_t i = offsetof(AEffect, future); i < sizeof(AEffect); ++i)
    EXPECT_EQ(bytes[i], 0) << "reserved byte " << i;

  EXPECT_EQ(effect->getSampleRate(), 44100.0f);
  EXPECT_EQ(effect->getBlockSize(), 1024);
  EXPECT_EQ(effect->getProgram(), 0);
  EXPECT_TRUE(recording_host::requests().empty());
  effect->~PlainEffect();
}

struct DispatchCase {
  const char* what;
  std::int32_t opcode;
  std::int32_t index;
  std::intptr_t value;
  std::intptr_t result;
  Log calls;
  const char* text;  // the host buffer afterwards
  std::int32_t program;
};

TEST(AudioEffectDispatcher, EachOpcodeReachesItsOperationOnly) {
  const DispatchCase cases[] = {
      {"open", 0, 0, 0, 0, {"open"}, kUntouched, 0},
      {"close", 1, 0, 0, 0, {"close"}, kUntouched, 0},
      {"last program", 2, 0, kPrograms - 1, 0, {"setProgram 3"}, kUntouched, kPrograms - 1},
      {"first program", 2, 0, 0, 0, {"setProgram 0"}, kUntouched, 0},
      {"program past the bank", 2, 0, kPrograms, 0, {}, kUntouched, 0},
      {"negative program", 2, 0, -1, 0, {}, kUntouched, 0},
      {"get program", 3, 0, 0, 0, {}, kUntouched, 0},
      {"set program name", 4, 0, 0, 0, {"setProgramName untouched"}, kUntouched, 0},
      {"get program name", 5, 0, 0, 0, {}, "program name", 0},
      {"label", 6, 7, 0, 0, {}, "label 7", 0},
      {"display", 7, 1, 0, 0, {}, "display 1", 0},
      {"name", 8, 5, 0, 0, {}, "name 5", 0},
      {"off", 12, 0, 0, 0, {"suspend"}, kUntouched, 0},
      {"on", 12, 0, 1, 0, {"resume"}, kUntouched, 0},
      {"on, negative", 12, 0, -1, 0, {"resume"}, kUntouched, 0},
      {"editor rect, no editor", 13, 0, 0, 0, {}, kUntouched, 0},
      {"editor open, no editor", 14, 0, 0, 0, {}, kUntouched, 0},
      {"editor close, no editor", 15, 0, 0, 0, {}, kUntouched, 0},
      {"editor idle, no editor", 19, 0, 0, 0, {}, kUntouched, 0},
      {"16", 16, 1, 1, 0, {}, kUntouched, 0},
      {"17", 17, 1, 1, 0, {}, kUntouched, 0},
      {"18", 18, 1, 1, 0, {}, kUntouched, 0},
      {"20", 20, 1, 1, 0, {}, kUntouched, 0},
      {"21", 21, 1, 1, 0, {}, kUntouched, 0},
      {"identify", 22, 0, 0, 0x4E764566, {}, kUntouched, 0},
      {"23", 23, 1, 1, 0, {}, kUntouched, 0},
      {"100", 100, 1, 1, 0, {}, kUntouched, 0},
      {"-1", -1, 1, 1, 0, {}, kUntouched, 0},
  };
  for (const DispatchCase& c : cases) {
    SCOPED_TRACE(c.what);
    Log log;
    ProbeEffect effect(nullptr, log);
    unsigned char before[sizeof(AEffect)];
    std::memcpy(before, &effect.record(), sizeof before);
    char buffer[32] = {};
    std::strcpy(buffer, kUntouched);

    EXPECT_EQ(effect.dispatcher(c.opcode, c.index, c.value, buffer, 3.0f), c.result);
    EXPECT_EQ(log, c.calls);
    EXPECT_STREQ(buffer, c.text);
    EXPECT_EQ(effect.dispatcher(3, 0, 0, nullptr, 0.0f), c.program);
    EXPECT_EQ(effect.getSampleRate(), 44100.0f);
    EXPECT_EQ(effect.getBlockSize(), 1024);
    EXPECT_EQ(std::memcmp(before, &effect.record(), sizeof before), 0);
  }
}

TEST(AudioEffectDispatcher, SampleRateComesInOptAndBlockSizeInValue) {
  Log log;
  ProbeEffect effect(nullptr, log);
  EXPECT_EQ(effect.dispatcher(10, 7, 9, nullptr, 48000.0f), 0);
  EXPECT_EQ(effect.getSampleRate(), 48000.0f);
  EXPECT_EQ(effect.getBlockSize(), 1024);
  EXPECT_EQ(effect.dispatcher(11, 7, 512, nullptr, 96000.0f), 0);
  EXPECT_EQ(effect.getBlockSize(), 512);
  EXPECT_EQ(effect.getSampleRate(), 48000.0f);
  EXPECT_TRUE(log.empty());
}

TEST(AudioEffectDispatcher, VuLevelIsScaledToTheMeterRangeTowardZero) {
  const struct {
    float level;
    std::intptr_t meter;
  } cases[] = {{1.0f, 32767}, {0.5f, 16383}, {-0.25f, -8191}, {0.0f, 0}, {-1.0f, -32767}};
  for (const auto& c : cases) {
    Log log;
    ProbeEffect effect(nullptr, log);
    effect.level = c.level;
    EXPECT_EQ(effect.dispatcher(9, 0, 0, nullptr, 0.0f), c.meter) << c.level;
    EXPECT_EQ(log, Log{"getVu"}) << "one reading per query";
  }
}

TEST(AudioEffectDispatcher, VuLevelBeyondAnyMeterStillGivesA32BitAnswer) {
  const float inf = std::numeric_limits<float>::infinity();
  const struct {
    float level;
    int sign;  // 0: no sign expected
  } cases[] = {{std::numeric_limits<float>::quiet_NaN(), 0}, {1e30f, 1}, {-1e30f, -1},
               {inf, 1}, {-inf, -1}, {70000.0f, 1}};
  for (const auto& c : cases) {
    Log log;
    ProbeEffect effect(nullptr, log);
    effect.level = c.level;
    const std::intptr_t meter = effect.dispatcher(9, 0, 0, nullptr, 0.0f);
    EXPECT_GE(meter, std::numeric_limits<std::int32_t>::min()) << c.level;
    EXPECT_LE(meter, std::numeric_limits<std::int32_t>::max()) << c.level;
    // A level beyond full scale reads at least full scale, with its sign.
    if (c.sign > 0) {
      EXPECT_GE(meter, 32767) << c.level;
    } else if (c.sign < 0) {
      EXPECT_LE(meter, -32767) << c.level;
    }
  }
}

TEST(AudioEffectDispatcher, EditorCallsReachAnAttachedBaseEditor) {
  Log log;
  ProbeEffect effect(nullptr, log);
  ERect somewhere{};
  ERect* rect = &somewhere;
  EXPECT_EQ(effect.dispatcher(13, 0, 0, &rect, 0.0f), 0);
  EXPECT_EQ(rect, &somewhere) << "no editor: the host's pointer stays";

  auto* editor = new NotingEditor(log);
  effect.attach(editor);
  EXPECT_EQ(effect.dispatcher(13, 0, 0, &rect, 0.0f), 0);
  EXPECT_EQ(rect, nullptr) << "the base editor has no rectangle";
  int window = 0;
  EXPECT_EQ(effect.dispatcher(14, 0, 0, &window, 0.0f), 0);
  EXPECT_EQ(effect.dispatcher(15, 0, 0, nullptr, 0.0f), 0);
  editor->postUpdate();
  EXPECT_EQ(effect.dispatcher(19, 0, 0, nullptr, 0.0f), 0);
  EXPECT_EQ(log, Log{"update"});
}

TEST(AudioEffectDispatcher, EditorAnswersArePassedBackForRectAndOpenOnly) {
  Log log;
  ProbeEffect effect(nullptr, log);
  auto* editor = new AnsweringEditor(log);
  effect.attach(editor);
  ERect* rect = nullptr;
  int window = 0;
  EXPECT_EQ(effect.dispatcher(13, 0, 0, &rect, 0.0f), 13);
  EXPECT_EQ(rect, &editor->area);
  EXPECT_EQ(effect.dispatcher(14, 0, 0, &window, 0.0f), 14);
  EXPECT_EQ(effect.dispatcher(15, 0, 0, nullptr, 0.0f), 0);
  EXPECT_EQ(log, (Log{"open window", "close"}));
}

TEST(AudioEffectDefaults, BaseOperationsWriteEmptyTextsAndReportNothing) {
  PlainEffect effect(nullptr);
  for (std::int32_t opcode : {4, 5, 6, 7, 8}) {
    char buffer[8] = "abcdef";
    EXPECT_EQ(effect.dispatcher(opcode, 1, 0, buffer, 0.0f), 0);
    EXPECT_STREQ(buffer, "") << opcode;
    EXPECT_STREQ(buffer + 1, "bcdef") << "one byte written, opcode " << opcode;
  }
  effect.setParameter(0, 0.7f);
  EXPECT_EQ(effect.getParameter(0), 0.0f);
  EXPECT_EQ(effect.getVu(), 0.0f);
  EXPECT_EQ(effect.dispatcher(9, 0, 0, nullptr, 0.0f), 0);
  effect.setProgram(2);
  EXPECT_EQ(effect.getProgram(), 2);

  float in[2] = {0.5f, -0.5f};
  float out0[2] = {0.25f, 0.75f};
  float out1[2] = {-0.25f, -0.75f};
  float* ins[] = {in};
  float* outs[] = {out0, out1};
  effect.processReplacing(ins, outs, 2);
  EXPECT_EQ(out0[0], 0.25f);
  EXPECT_EQ(out0[1], 0.75f);
  EXPECT_EQ(out1[0], -0.25f);
  EXPECT_EQ(out1[1], -0.75f);
}

TEST(AudioEffectSetup, FlagOperationsChangeOnlyTheirOwnBit) {
  using FlagOp = void (AudioEffect::*)(std::int16_t);
  const struct {
    const char* what;
    FlagOp op;
    std::int32_t bit;
  } cases[] = {{"hasClip", &AudioEffect::hasClip, 0x02},
               {"hasVu", &AudioEffect::hasVu, 0x04},
               {"canMono", &AudioEffect::canMono, 0x08},
               {"canProcessReplacing", &AudioEffect::canProcessReplacing, 0x10}};
  constexpr std::int32_t all = 0x1E;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    PlainEffect effect(nullptr);
    const std::int32_t& flags = effect.getAeffect()->flags;
    (effect.*c.op)(1);
    EXPECT_EQ(flags, c.bit);
    (effect.*c.op)(0);
    EXPECT_EQ(flags, 0);
    for (const auto& other : cases) (effect.*other.op)(1);
    EXPECT_EQ(flags, all);
    (effect.*c.op)(0);
    EXPECT_EQ(flags, all & ~c.bit);
    (effect.*c.op)(-2);  // any nonzero value is true
    EXPECT_EQ(flags, all);
  }
}

TEST(AudioEffectSetup, DescriptionsGoIntoTheRecord) {
  const struct {
    const char* what;
    void (AudioEffect::*op)(std::int32_t);
    std::int32_t AEffect::*field;
  } cases[] = {{"unique id", &AudioEffect::setUniqueID, &AEffect::uniqueID},
               {"inputs", &AudioEffect::setNumInputs, &AEffect::numInputs},
               {"outputs", &AudioEffect::setNumOutputs, &AEffect::numOutputs},
               {"realtime", &AudioEffect::setRealtimeQualities, &AEffect::realtimeQualities},
               {"offline", &AudioEffect::setOfflineQualities, &AEffect::offlineQualities},
               {"delay", &AudioEffect::setInitialDelay, &AEffect::initialDelay}};
  for (const auto& c : cases) {
    PlainEffect effect(nullptr);
    AEffect before = *effect.getAeffect();
    (effect.*c.op)(0x51565231);
    before.*c.field = 0x51565231;
    EXPECT_EQ(std::memcmp(&before, effect.getAeffect(), sizeof before), 0) << c.what;
  }
}

struct ServiceCase {
  const char* what;
  std::function<std::intptr_t(AudioEffect&)> call;
  std::int32_t opcode;
  std::int32_t index;
  std::intptr_t value;
  std::intptr_t withoutHost;
};

const ServiceCase kServices[] = {
    {"version", [](AudioEffect& e) { return e.getMasterVersion(); }, 1, 0, 0, 1},
    {"unique id", [](AudioEffect& e) { return e.getCurrentUniqueId(); }, 2, 0, 0, 0},
    {"idle", [](AudioEffect& e) { e.masterIdle(); return std::intptr_t{0}; }, 3, 0, 0, 0},
    {"input", [](AudioEffect& e) { return e.isInputConnected(3); }, 4, 3, 0, 1},
    {"output", [](AudioEffect& e) { return e.isOutputConnected(5); }, 4, 5, 1, 1},
};

TEST(AudioEffectHostServices, EachSendsItsRequestWithTheRecord) {
  // The recording host answers 2400 to the version and 0 to everything else.
  const std::intptr_t answers[] = {2400, 0, 0, 1, 1};
  for (std::size_t i = 0; i < std::size(kServices); ++i) {
    const ServiceCase& c = kServices[i];
    SCOPED_TRACE(c.what);
    PlainEffect effect(recording_host::callback);
    recording_host::reset();
    EXPECT_EQ(c.call(effect), answers[i]);
    ASSERT_EQ(recording_host::requests().size(), 1u);
    const HostRequest& r = recording_host::requests()[0];
    EXPECT_EQ(r.effect, effect.getAeffect());
    EXPECT_EQ(r.opcode, c.opcode);
    EXPECT_EQ(r.index, c.index);
    EXPECT_EQ(r.value, c.value);
    EXPECT_EQ(r.ptr, nullptr);
    EXPECT_EQ(r.opt, 0.0f);
  }
}

TEST(AudioEffectHostServices, WithoutAHostEachGivesItsDefault) {
  for (const ServiceCase& c : kServices) {
    PlainEffect effect(nullptr);
    EXPECT_EQ(c.call(effect), c.withoutHost) << c.what;
  }
}

std::intptr_t gAnswer = 0;
std::intptr_t FX_CDECL answeringHost(AEffect*, std::int32_t, std::int32_t, std::intptr_t, void*,
                                     float) {
  return gAnswer;
}

TEST(AudioEffectHostServices, OtherAnswersArePassedOnOrReadAsNotConnected) {
  PlainEffect effect(answeringHost);
  gAnswer = 7;
  EXPECT_EQ(effect.getMasterVersion(), 7);
  EXPECT_EQ(effect.getCurrentUniqueId(), 7);
  EXPECT_EQ(effect.isInputConnected(0), 0);
  EXPECT_EQ(effect.isOutputConnected(0), 0);
  gAnswer = -1;
  EXPECT_EQ(effect.isInputConnected(1), 0);
  EXPECT_EQ(effect.isOutputConnected(1), 0);
  gAnswer = 0;
  EXPECT_EQ(effect.getMasterVersion(), 1) << "a host version of 0 reads as 1";
}

TEST(AudioEffectHostServices, AutomationSetsTheParameterBeforeTellingTheHost) {
  Log log;
  ProbeEffect effect(recording_host::callback, log);
  recording_host::reset();
  effect.setParameterAutomated(1, 0.5f);
  EXPECT_EQ(log, Log{"setParameter 1 0.500000"});
  EXPECT_EQ(effect.requestsWhenSet, 0u) << "the host heard of it before the parameter changed";
  EXPECT_EQ(effect.getParameter(1), 0.5f);
  ASSERT_EQ(recording_host::requests().size(), 1u);
  const HostRequest& r = recording_host::requests()[0];
  EXPECT_EQ(r.effect, &effect.record());
  EXPECT_EQ(r.opcode, 0);
  EXPECT_EQ(r.index, 1);
  EXPECT_EQ(r.value, 0);
  EXPECT_EQ(r.ptr, nullptr);
  EXPECT_EQ(r.opt, 0.5f);

  Log quiet;
  ProbeEffect alone(nullptr, quiet);
  alone.setParameterAutomated(0, 0.25f);
  EXPECT_EQ(alone.getParameter(0), 0.25f);
}

TEST(EditorBase, PostedUpdatesRunOnceAtTheNextIdle) {
  Log log;
  NotingEditor editor(log);
  editor.idle();
  EXPECT_TRUE(log.empty()) << "nothing posted";
  editor.postUpdate();
  editor.postUpdate();
  editor.idle();
  editor.idle();
  EXPECT_EQ(log, Log{"update"});
  editor.postUpdate();
  editor.idle();
  EXPECT_EQ(log, (Log{"update", "update"}));
}

TEST(EditorBase, AnUpdatePostedWhileUpdatingIsNotLost) {
  class Reposting : public AEffEditor {
   public:
    void update() override {
      if (++updates == 1) postUpdate();
    }
    int updates = 0;
  } editor;
  editor.postUpdate();
  editor.idle();
  editor.idle();
  EXPECT_EQ(editor.updates, 2);
}

TEST(EditorBase, OpenAndRectOfTheBaseEditor) {
  AEffEditor editor;
  int window = 0;
  EXPECT_EQ(editor.open(&window), 0);
  ERect somewhere{};
  ERect* rect = &somewhere;
  EXPECT_EQ(editor.getRect(&rect), 0);
  EXPECT_EQ(rect, nullptr);
}

TEST(Trampolines, CloseRunsCloseThenDestroysTheEffectAndItsEditor) {
  Log log;
  auto* effect = new ProbeEffect(nullptr, log);
  effect->attach(new NotingEditor(log));
  AEffect* record = &effect->record();
  EXPECT_EQ(record->dispatcher(record, 1, 0, 0, nullptr, 0.0f), 1);
  // The effect class's destructor runs first, then the base destroys the editor.
  EXPECT_EQ(log, (Log{"close", "destroyed", "editor destroyed"}));
}

TEST(Trampolines, OtherEntriesForwardTheirArguments) {
  Log log;
  ProbeEffect effect(nullptr, log);
  AEffect* record = &effect.record();

  EXPECT_EQ(record->dispatcher(record, 22, 0, 0, nullptr, 0.0f), 0x4E764566);
  EXPECT_EQ(record->dispatcher(record, 2, 0, 2, nullptr, 0.0f), 0);
  EXPECT_EQ(record->dispatcher(record, 3, 0, 0, nullptr, 0.0f), 2);
  char buffer[16] = {};
  record->dispatcher(record, 7, 1, 0, buffer, 0.0f);
  EXPECT_STREQ(buffer, "display 1");

  record->setParameter(record, 1, 0.75f);
  EXPECT_EQ(effect.values[1], 0.75f);
  effect.values[0] = -0.0f;
  const float read = record->getParameter(record, 0);
  EXPECT_EQ(read, 0.0f);
  EXPECT_TRUE(std::signbit(read)) << "the value comes back bit for bit";

  float in[3] = {};
  float out0[3] = {};
  float out1[3] = {};
  float* ins[] = {in};
  float* outs[] = {out0, out1};
  record->process(record, ins, outs, 3);
  EXPECT_EQ(effect.lastInputs, ins);
  EXPECT_EQ(effect.lastOutputs, outs);
  effect.lastInputs = effect.lastOutputs = nullptr;
  record->processReplacing(record, ins, outs, 2);
  EXPECT_EQ(effect.lastInputs, ins);
  EXPECT_EQ(effect.lastOutputs, outs);
  EXPECT_EQ(log, (Log{"setProgram 2", "setParameter 1 0.750000", "process 3",
                      "processReplacing 2"}));
}

}  // namespace
