// Mouse and cursor confinement. Placeholder: the cursor is never confined.
#include <mu.h>

namespace muSystem {

int cursorClipped;

void ConfineCursor() {}
void ReleaseCursor() { cursorClipped = 0; }

}  // namespace muSystem
