// Mouse and cursor confinement. Placeholder: the cursor is never confined.
#include <mu.h>

namespace muSystem {

int cursorClipped;

void ConfineCursor() {}
void ReleaseCursor() { cursorClipped = 0; }

int ResetInput() {
  for (int i = 1; i <= kDelaySlot; ++i) waitDeadlines[i] = kWaitCleared;
  return 1;
}

}  // namespace muSystem
