// Buffers whose last byte touches an inaccessible page, so that an effect writing or
// reading one byte past what the host passed faults at once, inside the check that asked.
// Used only in a validator's child process; each buffer is its own mapping.
#pragma once

#include <cstddef>

class GuardedMemory {
 public:
  // `bytes` usable bytes, ending exactly at the guard page; filled with `fill`.
  explicit GuardedMemory(std::size_t bytes, unsigned char fill = 0);
  ~GuardedMemory();
  GuardedMemory(const GuardedMemory&) = delete;
  GuardedMemory& operator=(const GuardedMemory&) = delete;

  unsigned char* data() const { return start; }
  std::size_t size() const { return length; }

 private:
  void* mapping = nullptr;
  std::size_t mappingSize = 0;
  unsigned char* start = nullptr;
  std::size_t length = 0;
};

// A text buffer of `bytes` bytes for the dispatcher's text opcodes, pre-filled with a
// non-zero byte so a missing terminator shows.
class GuardedText {
 public:
  explicit GuardedText(std::size_t bytes) : memory(bytes, kFill) {}
  static constexpr unsigned char kFill = 0x55;
  char* data() const { return reinterpret_cast<char*>(memory.data()); }
  std::size_t size() const { return memory.size(); }
  // Whether a terminator lies inside the buffer, and the text up to it.
  bool terminated() const;
  // Whether the effect wrote nothing at all (hosts then show an empty text).
  bool untouched() const;
  std::size_t length() const;
  const char* text() const { return data(); }

 private:
  GuardedMemory memory;
};

// One channel of `frames` samples ending at a guard page.
class GuardedSamples {
 public:
  explicit GuardedSamples(std::size_t frames) : memory(frames * sizeof(float) + (frames ? 0 : sizeof(float))), count(frames) {}
  float* data() const { return reinterpret_cast<float*>(memory.data() + memory.size() - count * sizeof(float)); }
  std::size_t frames() const { return count; }

 private:
  GuardedMemory memory;
  std::size_t count;
};
