#include <algorithm>
#include <cstring>

#include "checks.h"
#include "child_process.h"
#include "guarded_memory.h"
#include "text_escape.h"

namespace {

// Room hosts commonly leave for a program name: 23 characters and the terminator.
constexpr std::size_t kCommonNameRoom = 23;

// The current program's name, read into a guarded buffer; empty optional text on failure.
bool currentName(TestedInstance& fx, std::string& name, CheckOutcome& outcome, std::int32_t program) {
  reportStep("reading program " + std::to_string(program) + "'s name");
  GuardedText buffer(256);
  fx.dispatch(effGetProgramName, 0, 0, buffer.data());
  if (buffer.untouched()) {
    // Read as the empty name a host that clears its buffer shows.
    name.clear();
    return true;
  }
  if (!buffer.terminated()) {
    outcome.fail("name of program " + std::to_string(program) + " is not terminated within 256 bytes");
    return false;
  }
  name.assign(buffer.text(), buffer.length());
  return true;
}

bool allNames(TestedInstance& fx, std::int32_t count, std::vector<std::string>& names, CheckOutcome& outcome) {
  names.assign(static_cast<std::size_t>(count), "");
  for (std::int32_t p = 0; p < count; ++p) {
    fx.dispatch(effSetProgram, 0, p);
    if (!currentName(fx, names[static_cast<std::size_t>(p)], outcome, p)) return false;
  }
  return true;
}

}  // namespace

CheckOutcome checkPrograms(const CheckContext& context) {
  CheckOutcome outcome;
  PluginUnderTest plugin;
  if (!loadPlugin(context, plugin, outcome)) return outcome;
  auto fx = openInstance(plugin, outcome);
  if (!fx) return outcome;
  const std::int32_t count = (*fx)->numPrograms;
  if (count == 0) {
    outcome.note("the effect has no programs");
    return outcome;
  }

  // Select each; the effect must say so, and its name must be a terminated text.
  std::vector<std::string> names;
  for (std::int32_t p = 0; p < count; ++p) {
    fx->dispatch(effSetProgram, 0, p);
    const std::intptr_t current = fx->dispatch(effGetProgram);
    if (current != p) outcome.fail("program " + std::to_string(p) + " selected, opcode 3 answers " + std::to_string(current));
  }
  if (!allNames(*fx, count, names, outcome)) return outcome;
  for (std::int32_t p = 0; p < count; ++p) {
    const std::string& n = names[static_cast<std::size_t>(p)];
    if (n.size() > kCommonNameRoom)
      outcome.warn("program " + std::to_string(p) + " name " + visibleText(n) + " is longer than " +
                   std::to_string(kCommonNameRoom) + " characters");
  }

  // Rename a few programs (all of a small bank) with an empty, a 23- and a 100-character
  // name, each passed in a guarded buffer that ends with its terminator.
  const std::string renames[] = {"", std::string(23, 'x').replace(0, 9, "Validated"), std::string(100, 'y')};
  std::vector<std::int32_t> chosen;
  for (std::int32_t p = 0; p < count; ++p)
    if (count <= 16 || p < 3 || p == count - 1) chosen.push_back(p);
  bool ignoresRenames = false;
  for (std::int32_t p : chosen) {
    for (const std::string& rename : renames) {
      reportStep("renaming program " + std::to_string(p) + " to " + std::to_string(rename.size()) + " characters");
      fx->dispatch(effSetProgram, 0, p);
      GuardedText given(rename.size() + 1);
      std::memcpy(given.data(), rename.c_str(), rename.size() + 1);
      fx->dispatch(effSetProgramName, 0, 0, given.data());
      std::string back;
      if (!currentName(*fx, back, outcome, p)) return outcome;
      const std::string label = "program " + std::to_string(p) + " renamed to " + std::to_string(rename.size()) + " characters";
      if (back == names[static_cast<std::size_t>(p)] && back != rename) {
        ignoresRenames = true;
      } else if (rename.compare(0, back.size(), back) != 0) {
        outcome.fail(label + " reads back " + visibleText(back));
      } else if (back.size() < std::min(rename.size(), kCommonNameRoom)) {
        outcome.warn(label + " keeps only " + std::to_string(back.size()));
      } else if (back.size() > kCommonNameRoom) {
        outcome.warn(label + " keeps " + std::to_string(back.size()) + ", more than hosts commonly read");
      }
      // Only the current program may change.
      std::vector<std::string> after;
      if (!allNames(*fx, count, after, outcome)) return outcome;
      for (std::int32_t q = 0; q < count; ++q)
        if (q != p && after[static_cast<std::size_t>(q)] != names[static_cast<std::size_t>(q)]) {
          outcome.fail(label + " also changed program " + std::to_string(q) + "'s name");
          return outcome;
        }
      names[static_cast<std::size_t>(p)] = after[static_cast<std::size_t>(p)];
    }
  }
  if (ignoresRenames) outcome.warn("renames are ignored: names read back unchanged");
  return outcome;
}
