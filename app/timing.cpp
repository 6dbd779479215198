// Frame time and the wait slots, on the multimedia timer (milliseconds).
#include <mu.h>

#include "app/shell_rules.h"

namespace muSystem {

DWORD waitDeadlines[kDelaySlot + 1];

static bool ValidSlot(int slot) { return slot >= 1 && slot <= kWaitSlots; }

int SetWait(int slot, DWORD milliseconds) {
  if (!ValidSlot(slot)) return Error("muSystem::SetWait", "ウェイトNoが範囲外です", 0);
  waitDeadlines[slot] = timeGetTime() + milliseconds;
  return 1;
}

int InitWait(int slot) {
  if (!ValidSlot(slot)) return Error("muSystem::InitWait", "ウェイトNoが範囲外です", 0);
  waitDeadlines[slot] = kWaitCleared;
  return 1;
}

int CheckWait(int slot) {
  if (!ValidSlot(slot)) return 0;  // nothing outside the table is read
  return timeGetTime() >= waitDeadlines[slot] ? 1 : 0;
}

void Delay(DWORD milliseconds) {
  waitDeadlines[kDelaySlot] = timeGetTime() + milliseconds;
  while (timeGetTime() <= waitDeadlines[kDelaySlot]) {
  }
  ResetFrameTimer();
}

void ResetFrameTimer() {
  frameSeconds = 0.0f;
  lastFrameTime = timeGetTime();
}

void UpdateFrameTimer() {
  frameSeconds = mu::SecondsBetween(lastFrameTime, timeGetTime());
  lastFrameTime = timeGetTime();
}

}  // namespace muSystem
