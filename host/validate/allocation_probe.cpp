#include "allocation_probe.h"

namespace allocation_probe {
std::atomic<bool> interposed{false};
std::atomic<bool> armed{false};
std::atomic<std::size_t> count{0};
}  // namespace allocation_probe
