// The system cursor: confining it to the game's screen, releasing it and
// placing it; and the input reset run by the screen set-up.
#include <mu.h>

namespace muSystem {

int cursorClipped;

BOOL ClipCursorRect(int left, int top, int right, int bottom) {
  RECT r = {left, top, right, bottom};
  cursorClipped = 1;
  return ClipCursor(&r);
}

BOOL ConfineCursor() {
  if (fullScreen) return ClipCursorRect(0, 0, screenWidth, screenHeight);
  return ClipCursorRect(clientLeft, clientTop, clientLeft + screenWidth, clientTop + screenHeight);
}

BOOL ReleaseCursor() {
  cursorClipped = 0;
  return ClipCursor(nullptr);
}

int IsCursorClipped() { return cursorClipped; }

BOOL SetMousePos(int x, int y) { return SetCursorPos(x + clientLeft, y + clientTop); }

int ResetInput() {
  for (int i = 1; i <= kDelaySlot; ++i) waitDeadlines[i] = kWaitCleared;
  EndKeyCapture();
  SetSysKeyMode(0);
  if (fullScreen) ConfineCursor();
  return 1;
}

}  // namespace muSystem
