// Base class of an effect's editor window.
//
// Neither of our effects opens a window; the class exists so that the dispatcher can
// forward the editor opcodes when an effect attaches one, and so that parameter changes
// can ask an attached editor to redraw. All operations run on the host's UI thread.
#pragma once

#include <cstdint>

struct ERect {
  std::int16_t top;
  std::int16_t left;
  std::int16_t bottom;
  std::int16_t right;
};

class AEffEditor {
 public:
  AEffEditor() = default;
  AEffEditor(const AEffEditor&) = delete;
  AEffEditor& operator=(const AEffEditor&) = delete;

  virtual ~AEffEditor() = default;
  // Opcode 13. Stores the window's rectangle through `rect`; the base has none (null).
  virtual std::int32_t getRect(ERect** rect);
  // Opcode 14, with the host's native window. The base keeps the pointer.
  virtual std::int32_t open(void* window);
  // Opcode 15.
  virtual void close() {}
  // Opcode 19, the host's periodic UI tick: runs at most one pending update.
  virtual void idle();
  // Redraw; called by idle when an update is due.
  virtual void update() {}
  // Asks for one update at the next idle, from whatever changed a parameter. Any number of
  // calls between two idles lead to a single update.
  virtual void postUpdate() { updateFlag = 1; }

 protected:
  void* systemWindow = nullptr;
  std::int32_t updateFlag = 0;
};
