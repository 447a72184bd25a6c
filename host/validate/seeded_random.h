// The one source of randomness of a validator run. Built on std::mt19937, whose sequence
// the standard fixes, with distributions written out here (the standard library's differ
// between implementations), so that one --seed repeats a run exactly on any build.
#pragma once

#include <cstdint>
#include <random>

class SeededRandom {
 public:
  explicit SeededRandom(std::uint32_t seed) : engine(seed) {}

  // A whole number in lo..hi, both included; lo <= hi. Rejection keeps it unbiased.
  std::int64_t between(std::int64_t lo, std::int64_t hi) {
    const std::uint64_t span = static_cast<std::uint64_t>(hi - lo) + 1;
    if (span > 0xFFFFFFFFull) return lo + static_cast<std::int64_t>(next64() % span);
    const std::uint32_t limit = static_cast<std::uint32_t>(0x100000000ull - 0x100000000ull % span);
    std::uint32_t r;
    do {
      r = static_cast<std::uint32_t>(engine());
    } while (limit != 0 && r >= limit);
    return lo + static_cast<std::int64_t>(r % span);
  }

  // A float in -1..1 from 24 random bits, exactly representable.
  float bipolar() {
    const std::uint32_t bits = static_cast<std::uint32_t>(engine()) >> 8;  // 0 .. 2^24-1
    return static_cast<float>(static_cast<double>(bits) / 8388607.5 - 1.0);
  }

  // A float in 0..1.
  float unit() { return static_cast<float>(static_cast<double>(static_cast<std::uint32_t>(engine()) >> 8) / 16777215.0); }

 private:
  std::uint64_t next64() {
    const std::uint64_t hi = static_cast<std::uint32_t>(engine());
    return (hi << 32) | static_cast<std::uint32_t>(engine());
  }
  std::mt19937 engine;
};
