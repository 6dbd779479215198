// Keyboard states, the trigger, key capture and the cursor, driven by real
// input (keybd_event / mouse_event reach the window as ordinary messages).
#include <gtest/gtest.h>
#include <mu.h>

#include <cstdio>

#include "test_app.h"

namespace {

void Pump() {
  for (int i = 0; i < 5; ++i) {
    testapp::Frame();
    Sleep(2);
  }
}

void Key(BYTE vk, bool down) {
  keybd_event(vk, 0, down ? 0 : KEYEVENTF_KEYUP, 0);
  Pump();
}

void Button(DWORD flag) {
  mouse_event(flag, 0, 0, 0, 0);
  Pump();
}

class Input : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(testapp::StartShell());
    SetForegroundWindow(muSystem::mainWindow);
    SetFocus(muSystem::mainWindow);
    Pump();
    muSystem::cursorConfinement = 0;
    muSystem::fullScreen = 0;
    muSystem::screenWidth = 640;
    muSystem::screenHeight = 480;
    muSystem::EndKeyCapture();
    muSystem::ReleaseCursor();
    // Leave the trigger idle: nothing held, nothing pending.
    muSystem::lastKey = muSystem::lastButton = 0;
    while (muSystem::CheckTrigger(1, 0) != 0) {
    }
  }
};

TEST_F(Input, KeyStatesOverAHeldPress) {
  int state = 0;
  int seen[5];
  Key(VK_RIGHT, true);
  for (int i = 0; i < 3; ++i) {
    muSystem::UpdateKeyState(VK_RIGHT, &state);
    seen[i] = state;
    Pump();
  }
  Key(VK_RIGHT, false);
  muSystem::UpdateKeyState(VK_RIGHT, &state);
  seen[3] = state;
  muSystem::UpdateKeyState(VK_RIGHT, &state);
  seen[4] = state;
  EXPECT_EQ(seen[0], 1);
  EXPECT_EQ(seen[1], 3);
  EXPECT_EQ(seen[2], 3);
  EXPECT_EQ(seen[3], 2);
  EXPECT_EQ(seen[4], 0);
  EXPECT_EQ(muSystem::heldKey, 0);
  EXPECT_EQ(muSystem::lastKey, VK_RIGHT);
}

TEST_F(Input, CaptureSilencesPolledKeys) {
  int state = 0;
  muSystem::BeginKeyCapture();
  Key(VK_DOWN, true);
  muSystem::UpdateKeyState(VK_DOWN, &state);
  EXPECT_EQ(state, 0);
  EXPECT_EQ(muSystem::capturedKey, VK_DOWN);
  EXPECT_EQ(muSystem::heldKey, 0);
  muSystem::EndKeyCapture();
  // The key is still down: the first poll after the capture is a press.
  muSystem::UpdateKeyState(VK_DOWN, &state);
  EXPECT_EQ(state, 1);
  Key(VK_DOWN, false);
  EXPECT_EQ(muSystem::capturedKey, 0);
}

TEST_F(Input, TriggerOnReturnAndLeftClick) {
  EXPECT_EQ(muSystem::CheckTrigger(VK_RETURN, 1, 0), 0);
  Key(VK_RETURN, true);
  EXPECT_EQ(muSystem::CheckTrigger(VK_RETURN, 1, 0), 0);
  EXPECT_EQ(muSystem::CheckTrigger(VK_RETURN, 1, 0), 0);
  Key(VK_RETURN, false);
  EXPECT_EQ(muSystem::CheckTrigger(VK_RETURN, 1, 0), VK_RETURN);
  EXPECT_EQ(muSystem::CheckTrigger(VK_RETURN, 1, 0), 0);

  muSystem::SetMousePos(100, 100);
  Pump();
  Button(MOUSEEVENTF_LEFTDOWN);
  EXPECT_EQ(muSystem::heldButton, 1);
  EXPECT_EQ(muSystem::CheckTrigger(VK_RETURN, 1, 0), 0);
  Button(MOUSEEVENTF_LEFTUP);
  EXPECT_EQ(muSystem::CheckTrigger(VK_RETURN, 1, 0), 1);
  EXPECT_EQ(muSystem::lastButton, 0);
}

TEST_F(Input, TriggerKeyHeldBeforeFirstCall) {
  Key(VK_SPACE, true);
  EXPECT_EQ(muSystem::CheckTrigger(VK_SPACE, 0), 0);
  EXPECT_EQ(muSystem::CheckTrigger(VK_SPACE, 0), 0);
  Key(VK_SPACE, false);
  EXPECT_EQ(muSystem::CheckTrigger(VK_SPACE, 0), VK_SPACE);
}

TEST_F(Input, TriggerCancelledByAnotherKey) {
  EXPECT_EQ(muSystem::CheckTrigger(VK_RETURN, 0), 0);
  Key(VK_RETURN, true);
  EXPECT_EQ(muSystem::CheckTrigger(VK_RETURN, 0), 0);
  Key('A', true);
  EXPECT_EQ(muSystem::CheckTrigger(VK_RETURN, 0), 0);
  Key(VK_RETURN, false);
  EXPECT_EQ(muSystem::CheckTrigger(VK_RETURN, 0), 0);
  Key('A', false);
  EXPECT_EQ(muSystem::CheckTrigger(VK_RETURN, 0), 0);
}

TEST_F(Input, TriggerKeepsPressWhenAnotherKeyIsTapped) {
  EXPECT_EQ(muSystem::CheckTrigger(VK_RETURN, 0), 0);
  Key(VK_RETURN, true);
  EXPECT_EQ(muSystem::CheckTrigger(VK_RETURN, 0), 0);
  Key('A', true);
  Key('A', false);           // let go before the next call
  EXPECT_EQ(muSystem::CheckTrigger(VK_RETURN, 0), VK_RETURN);
  Key(VK_RETURN, false);
  EXPECT_EQ(muSystem::CheckTrigger(VK_RETURN, 0), 0);
}

TEST_F(Input, WatchedKeyCountsReleases) {
  muSystem::WatchKey('W');
  for (int i = 0; i < 3; ++i) {
    Key('W', true);
    Key('W', false);
  }
  EXPECT_EQ(muSystem::GetWatchedKeyReleases(), 3);
  muSystem::WatchKey('W');
  EXPECT_EQ(muSystem::GetWatchedKeyReleases(), 0);
}

TEST_F(Input, SysKeyModeDecidesWhetherF10Counts) {
  // The system-key message itself: a real F10 release would open the menu loop.
  auto sysKey = [](WPARAM key) { SendMessageA(muSystem::mainWindow, WM_SYSKEYDOWN, key, 0); };
  muSystem::lastKey = 0;
  sysKey(VK_F10);
  EXPECT_EQ(muSystem::lastKey, 0);
  muSystem::SetSysKeyMode(2);
  sysKey(VK_MENU);
  EXPECT_EQ(muSystem::lastKey, 0);
  sysKey(VK_F10);
  EXPECT_EQ(muSystem::lastKey, VK_F10);
  muSystem::SetSysKeyMode(1);
  sysKey(VK_MENU);
  EXPECT_EQ(muSystem::lastKey, VK_MENU);
  muSystem::heldKey = 0;
  muSystem::ResetInput();
  EXPECT_EQ(muSystem::sysKeyMode, 0);
  EXPECT_EQ(muSystem::waitDeadlines[1], muSystem::kWaitCleared);
  EXPECT_EQ(muSystem::waitDeadlines[muSystem::kDelaySlot], muSystem::kWaitCleared);
}

TEST_F(Input, SetMousePosIsClientOrigin) {
  muSystem::SetMousePos(0, 0);
  Pump();
  POINT p;
  GetCursorPos(&p);
  POINT origin = {0, 0};
  ClientToScreen(muSystem::mainWindow, &origin);
  EXPECT_EQ(p.x, origin.x);
  EXPECT_EQ(p.y, origin.y);
  EXPECT_EQ(muSystem::mouseX, 0);
  EXPECT_EQ(muSystem::mouseY, 0);

  muSystem::SetMousePos(37, 21);
  Pump();
  EXPECT_EQ(muSystem::mouseX, 37);
  EXPECT_EQ(muSystem::mouseY, 21);
}

TEST_F(Input, MouseButtonsAndFrameFlags) {
  muSystem::SetMousePos(50, 50);
  Pump();
  mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
  muSystem::PumpMessages();
  EXPECT_EQ(muSystem::leftDown, 1);
  EXPECT_EQ(muSystem::leftPressed, 1);
  EXPECT_EQ(muSystem::leftClickLatch, 1);
  muSystem::RunFrame();
  EXPECT_EQ(muSystem::leftPressed, 0);   // one frame only
  mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
  Pump();
  EXPECT_EQ(muSystem::leftDown, 0);
  EXPECT_EQ(muSystem::heldButton, 0);
  EXPECT_EQ(muSystem::leftClickLatch, 1);
  muSystem::leftClickLatch = 0;
}

bool ClipIs(int l, int t, int r, int b) {
  RECT c;
  GetClipCursor(&c);
  if (!(c.left == l && c.top == t && c.right == r && c.bottom == b))
    printf("clip %ld %ld %ld %ld want %d %d %d %d\n", c.left, c.top, c.right, c.bottom, l, t, r, b);
  return c.left == l && c.top == t && c.right == r && c.bottom == b;
}

TEST_F(Input, ConfinementWindowedAndFullScreen) {
  int l = muSystem::clientLeft, t = muSystem::clientTop;
  EXPECT_TRUE(muSystem::ConfineCursor());
  EXPECT_TRUE(ClipIs(l, t, l + 640, t + 480));
  EXPECT_EQ(muSystem::IsCursorClipped(), 1);
  // The pointer cannot leave the rectangle.
  SetCursorPos(0, 0);
  POINT p;
  GetCursorPos(&p);
  EXPECT_EQ(p.x, l);
  EXPECT_EQ(p.y, t);

  muSystem::fullScreen = 1;
  muSystem::ConfineCursor();
  EXPECT_TRUE(ClipIs(0, 0, 640, 480));
  muSystem::ResetInput();                 // full screen: confines as well
  EXPECT_TRUE(ClipIs(0, 0, 640, 480));
  muSystem::fullScreen = 0;

  EXPECT_TRUE(muSystem::ReleaseCursor());
  EXPECT_EQ(muSystem::IsCursorClipped(), 0);
  EXPECT_TRUE(ClipIs(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)));
}

TEST_F(Input, ConfinementFollowsMoveActivationAndRightDoubleClick) {
  muSystem::cursorConfinement = 1;
  RECT w;
  GetWindowRect(muSystem::mainWindow, &w);
  SetWindowPos(muSystem::mainWindow, nullptr, w.left + 8, w.top + 4, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER);
  Pump();
  int l = muSystem::clientLeft, t = muSystem::clientTop;
  EXPECT_EQ(muSystem::cursorClipped, 1);
  EXPECT_TRUE(ClipIs(l, t, l + 640, t + 480));

  SendMessageA(muSystem::mainWindow, WM_ACTIVATEAPP, 0, 0);
  EXPECT_EQ(muSystem::cursorClipped, 0);
  SendMessageA(muSystem::mainWindow, WM_ACTIVATEAPP, 1, 0);
  EXPECT_EQ(muSystem::cursorClipped, 1);

  // A right double-click frees the pointer; a second one confines it again.
  muSystem::SetMousePos(200, 200);
  Pump();
  for (int round = 0; round < 2; ++round) {
    mouse_event(MOUSEEVENTF_RIGHTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_RIGHTUP, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_RIGHTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_RIGHTUP, 0, 0, 0, 0);
    Pump();
    EXPECT_EQ(muSystem::cursorClipped, round == 0 ? 0 : 1) << "round " << round;
    Sleep(GetDoubleClickTime() + 50);
  }
  SetWindowPos(muSystem::mainWindow, nullptr, w.left, w.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  muSystem::cursorConfinement = 0;
  muSystem::ReleaseCursor();
  Pump();
}

}  // namespace
