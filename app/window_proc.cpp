// The window procedure: turns messages into the input variables, keeps the
// client position, follows activation, and starts the shut-down on Escape or a
// close request. It draws nothing.
#include <mu.h>

#include <cstring>

namespace muSystem {

int heldKey, lastKey, pageViewKey;
int keyCaptureMode, capturedKey, capturedClick;
int shiftToggle, watchedKey, watchedKeyReleases, sysKeyMode;
int mouseX, mouseY, previousMouseX, previousMouseY, mouseDX, mouseDY;
int leftDown, rightDown, leftPressed, rightPressed;
int leftDoubleClick, rightDoubleClick, leftClickLatch, rightClickLatch;
int heldButton, lastButton;

namespace {
constexpr WPARAM kHotKeySnapshot = 0xBF01;   // enters as VK_SNAPSHOT
constexpr WPARAM kHotKeyExtra = 0xBF02;      // enters as key code 0x101
constexpr int kExtraKeyCode = 0x101;
constexpr int kMciReplySize = 32;
}  // namespace

void KeyPressed(int keyCode) {
  if (muDraw::pageViewOn) {
    pageViewKey = keyCode;
  } else {
    heldKey = keyCode;
    lastKey = keyCode;
  }
  if (keyCode == VK_ESCAPE) Quit();
}

static void KeyDown(WPARAM key) {
  if (keyCaptureMode == 1) {
    capturedKey = static_cast<int>(key);
  } else {
    KeyPressed(static_cast<int>(key));
  }
}

static void KeyUp(int key) {
  if (key == heldKey) heldKey = 0;
  if (key == pageViewKey) pageViewKey = 0;
  if (key == capturedKey) capturedKey = 0;
  if (key == VK_SHIFT) shiftToggle ^= 1;
  if (key == watchedKey) ++watchedKeyReleases;
}

static void MidiNotification(WPARAM flags) {
  if (flags != MCI_NOTIFY_SUCCESSFUL || !muSound::midiOpen) return;
  char mode[kMciReplySize] = {};
  mciSendStringA("status midi mode", mode, sizeof mode, nullptr);
  if (std::strncmp(mode, "st", 2) == 0) muSound::MidiNotify();  // the device has stopped
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_MOVE: {
      // Signed 16-bit: a window partly off the left or top edge has negative positions.
      int x = static_cast<short>(LOWORD(lParam));
      int y = static_cast<short>(HIWORD(lParam));
      clientLeft = x;
      clientTop = y;
      clientRect = RECT{x, y, x + screenWidth, y + screenHeight};
      if (cursorConfinement) ConfineCursor();
      break;
    }
    case WM_CLOSE:
      if (quitState == 0) quitState = 1;
      if (quitState < 2) Quit();
      DestroyWindow(window);
      return 0;
    case WM_ACTIVATEAPP:
      if (wParam == 0) {
        appActive = 0;
        if (!cursorShown) {
          ShowCursor(TRUE);
          cursorShown = 1;
        }
        if (cursorConfinement) ReleaseCursor();
      } else {
        appActive = 1;
        ResetFrameTimer();
        if (cursorConfinement) ConfineCursor();
        OnActivate(1);
      }
      return 0;
    case WM_SETCURSOR:
      if (fullScreen && !messageBoxOpen) {
        SetCursor(nullptr);
        return TRUE;
      }
      break;
    case WM_KEYDOWN:
      KeyDown(wParam);
      break;
    case WM_KEYUP:
      KeyUp(static_cast<int>(wParam));
      break;
    case WM_SYSKEYDOWN:
      if (sysKeyMode == 0) return 0;
      if (sysKeyMode == 2 && wParam == VK_MENU) return 0;
      KeyDown(wParam);
      break;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_SCREENSAVE) return 0;
      break;
    case WM_MOUSEMOVE:
      mouseX = LOWORD(lParam);
      mouseY = HIWORD(lParam);
      break;
    case WM_LBUTTONDOWN:
      if (keyCaptureMode == 1) {
        capturedClick = 1;
      } else {
        leftDown = leftPressed = leftClickLatch = 1;
        heldButton = lastButton = 1;
      }
      break;
    case WM_LBUTTONUP:
      leftDown = 0;
      if (heldButton == 1) heldButton = 0;
      capturedClick = 0;
      break;
    case WM_LBUTTONDBLCLK:
      if (keyCaptureMode == 0) leftDoubleClick = 1;
      return 0;
    case WM_RBUTTONDOWN:
      if (keyCaptureMode == 0) {
        rightDown = rightPressed = rightClickLatch = 1;
        heldButton = lastButton = 2;
      }
      break;
    case WM_RBUTTONUP:
      rightDown = 0;
      if (heldButton == 2) heldButton = 0;
      break;
    case WM_RBUTTONDBLCLK:
      if (keyCaptureMode == 0) rightDoubleClick = 1;
      if (cursorConfinement) {
        if (cursorClipped == 1) {
          ReleaseCursor();
        } else {
          ConfineCursor();
        }
      }
      return 0;
    case WM_HOTKEY:
      if (keyCaptureMode == 0) {
        if (wParam == kHotKeySnapshot) KeyPressed(VK_SNAPSHOT);
        if (wParam == kHotKeyExtra) KeyPressed(kExtraKeyCode);
      }
      return 0;
    case MM_MCINOTIFY:
      MidiNotification(wParam);
      break;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace muSystem
