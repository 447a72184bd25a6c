#include "aeffeditor.h"

std::int32_t AEffEditor::getRect(ERect** rect) {
  *rect = nullptr;
  return 0;
}

std::int32_t AEffEditor::open(void* window) {
  systemWindow = window;
  return 0;
}

void AEffEditor::idle() {
  if (updateFlag) {
    // Cleared first, so that an update that posts another one is not lost.
    updateFlag = 0;
    update();
  }
}
