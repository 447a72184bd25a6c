#include <set>

#include "checks.h"

CheckOutcome checkOpenClose(const CheckContext& context) {
  CheckOutcome outcome;
  PluginUnderTest plugin;
  if (!loadPlugin(context, plugin, outcome)) return outcome;
  for (int i = 0; i < 64; ++i) {
    auto fx = openInstance(plugin, outcome);
    if (!fx) return outcome;
    // Every other instance goes through the whole set-up before it closes.
    if (i % 2) fx->start(44100.0f, 512);
  }
  return outcome;
}

CheckOutcome checkManyAlive(const CheckContext& context) {
  CheckOutcome outcome;
  PluginUnderTest plugin;
  if (!loadPlugin(context, plugin, outcome)) return outcome;
  constexpr int kAlive = 16;
  std::vector<std::unique_ptr<TestedInstance>> alive;
  std::set<const void*> records, objects;
  for (int i = 0; i < kAlive; ++i) {
    auto fx = startInstance(plugin, outcome, 48000.0f, 256);
    if (!fx) return outcome;
    records.insert(fx->get());
    if (fx->get()->object) objects.insert(fx->get()->object);
    alive.push_back(std::move(fx));
  }
  if (records.size() != kAlive) outcome.fail("two open instances share one record");
  if (!objects.empty() && objects.size() != kAlive) outcome.fail("two open instances share one object pointer");
  // Close the even ones first, then the odd ones from the last.
  for (int i = 0; i < kAlive; i += 2) alive[static_cast<std::size_t>(i)].reset();
  for (int i = kAlive - 1; i > 0; i -= 2) alive[static_cast<std::size_t>(i)].reset();
  return outcome;
}
