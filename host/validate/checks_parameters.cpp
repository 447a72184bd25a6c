#include <cmath>
#include <limits>

#include "checks.h"
#include "child_process.h"
#include "guarded_memory.h"
#include "text_escape.h"

namespace {

// Room hosts commonly leave for a parameter's name, label or display text: 8 characters
// and the terminator. Longer texts work with generous hosts and are cut or overrun with
// others, so they are a warning. The buffer the effect writes into here is larger (and
// ends at a guard page), so only a text longer than any host would pass crashes.
constexpr std::size_t kCommonTextRoom = 8;
constexpr std::size_t kGuardedTextBytes = 256;

struct TextKind {
  std::int32_t opcode;
  const char* name;
};
constexpr TextKind kTexts[] = {{effGetParamName, "name"}, {effGetParamLabel, "label"}, {effGetParamDisplay, "display text"}};

// Reads one text; records an unterminated text as a failure and a long one as a warning,
// and counts texts the effect did not write at all in `unwritten`. Returns false on a failure.
bool readText(TestedInstance& fx, const TextKind& kind, std::int32_t index, CheckOutcome& outcome,
              const std::string& when, int& unwritten) {
  reportStep("parameter " + std::to_string(index) + " " + kind.name + when);
  GuardedText buffer(kGuardedTextBytes);
  fx.dispatch(kind.opcode, index, 0, buffer.data());
  const std::string what = "parameter " + std::to_string(index) + " " + kind.name + when;
  if (buffer.untouched()) {
    ++unwritten;
    return true;
  }
  if (!buffer.terminated()) {
    outcome.fail(what + " is not terminated within " + std::to_string(kGuardedTextBytes) + " bytes");
    return false;
  }
  if (buffer.length() > kCommonTextRoom)
    outcome.warn(what + " " + visibleText(std::string(buffer.text(), buffer.length())) + " has " + std::to_string(buffer.length()) +
                 " characters, more than the " + std::to_string(kCommonTextRoom) + " hosts commonly leave room for");
  return true;
}

}  // namespace

CheckOutcome checkParameterTexts(const CheckContext& context) {
  CheckOutcome outcome;
  PluginUnderTest plugin;
  if (!loadPlugin(context, plugin, outcome)) return outcome;
  auto fx = openInstance(plugin, outcome);
  if (!fx) return outcome;
  for (const TextKind& kind : kTexts) {
    int unwritten = 0;
    for (std::int32_t p = 0; p < (*fx)->numParams; ++p) readText(*fx, kind, p, outcome, "", unwritten);
    // Hosts clear the buffer first, so this shows as an empty text: legal, but unhelpful.
    if (unwritten > 0)
      outcome.warn("no " + std::string(kind.name) + " written for " + std::to_string(unwritten) + " of " +
                   std::to_string((*fx)->numParams) + " parameters");
  }
  if ((*fx)->numParams == 0) outcome.note("the effect has no parameters");
  return outcome;
}

CheckOutcome checkParameterSweep(const CheckContext& context) {
  CheckOutcome outcome;
  PluginUnderTest plugin;
  if (!loadPlugin(context, plugin, outcome)) return outcome;
  auto fx = startInstance(plugin, outcome, 44100.0f, 64);
  if (!fx) return outcome;
  SeededRandom random(context.seed);
  const Signal noise = makeSignal(SignalKind::Noise, inputChannels(*fx), 64, random);
  AEffect* e = fx->get();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float outside[] = {-0.5f, -1000.0f, 1.5f, 1000.0f, nan};

  for (std::int32_t p = 0; p < e->numParams; ++p) {
    const float original = e->getParameter(e, p);
    const std::string name = "parameter " + std::to_string(p);
    bool nanWarned = false;
    std::string longest;  // the longest display text within 0..1
    for (int step = 0; step <= 20; ++step) {
      const float v = static_cast<float>(step) / 20.0f;
      reportStep(name + " at " + std::to_string(v));
      e->setParameter(e, p, v);
      const float back = e->getParameter(e, p);
      if (!std::isfinite(back)) {
        outcome.fail(name + " set to " + std::to_string(v) + " reads back non-finite");
        return outcome;
      }
      GuardedText display(kGuardedTextBytes);
      fx->dispatch(effGetParamDisplay, p, 0, display.data());
      if (!display.untouched() && !display.terminated()) {
        outcome.fail(name + " display text at " + std::to_string(v) + " is not terminated");
        return outcome;
      }
      if (display.length() > longest.size()) longest.assign(display.text(), display.length());
      const Signal out = runBlocks(*fx, noise, {64});
      if (firstNonFinite(out) >= 0) {
        outcome.fail(name + " at " + std::to_string(v) + ": " + describeNonFinite(out));
        return outcome;
      }
    }
    for (float v : outside) {
      const std::string value = std::isnan(v) ? "NaN" : std::to_string(v);
      reportStep(name + " at " + value);
      e->setParameter(e, p, v);
      const float back = e->getParameter(e, p);
      if (std::isnan(v) && std::isnan(back)) {
        // Stored as given: harmless as long as the effect copes with it, which the
        // processing below checks; still worth knowing about.
        if (!nanWarned) outcome.warn(name + " set to NaN reads back NaN (stored unchecked)");
        nanWarned = true;
      } else if (!std::isfinite(back)) {
        outcome.fail(name + " set to " + value + " reads back non-finite");
      }
      GuardedText display(kGuardedTextBytes);
      fx->dispatch(effGetParamDisplay, p, 0, display.data());
      if (!display.untouched() && !display.terminated()) outcome.fail(name + " display text at " + value + " is not terminated");
      // A value outside 0..1 is the host's mistake; an effect that then goes silent copes,
      // one that puts out NaN passes the mistake on to the mix.
      const Signal out = runBlocks(*fx, noise, {64});
      if (firstNonFinite(out) >= 0) outcome.warn(name + " at " + value + ": " + describeNonFinite(out));
      if (outcome.verdict == Verdict::Fail) return outcome;
    }
    if (longest.size() > kCommonTextRoom)
      outcome.warn(name + " display text reaches " + std::to_string(longest.size()) + " characters over 0..1 (" +
                   visibleText(longest) + ")");
    e->setParameter(e, p, original);
  }
  return outcome;
}
