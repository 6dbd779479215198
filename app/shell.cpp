// The process: shell state, start-up, the message and frame loop, scene
// dispatch and the one-time shut-down.
#include <mu.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "app/shell_rules.h"

namespace muSystem {

HWND mainWindow;
HINSTANCE instanceHandle;
char commandLine[kTextBufferSize];
int fullScreen = 1;
int startupFlags;
int displayWidth, displayHeight;
int screenWidth, screenHeight;
int clientLeft, clientTop;
RECT clientRect;
int cursorConfinement;
int cursorShown = 1;
int messageBoxOpen;
int appActive;
int quitState;
int shutDownDone;
HANDLE instanceMutex;
float frameSeconds;
DWORD lastFrameTime;
int sceneNumber, previousScene, sceneChanged, nextScene;
int blinkOn = 1;
DWORD nextBlinkTime;

namespace {
constexpr char kClassName[] = "DEFAULT";
constexpr char kMutexSuffix[] = ":MuMutex";
constexpr UINT kClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
constexpr DWORD kFullScreenStyle = WS_POPUP | WS_SYSMENU;
constexpr DWORD kWindowedStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
}  // namespace

void ResetGlobals() {
  mainWindow = nullptr;
  instanceMutex = nullptr;
  fullScreen = 1;
  startupFlags = 0;
  cursorShown = 1;
  messageBoxOpen = 0;
  appActive = 0;
  quitState = 0;
  sceneNumber = previousScene = sceneChanged = nextScene = 0;
  frameSeconds = 0.0f;
  lastFrameTime = timeGetTime();
  blinkOn = 1;
  nextBlinkTime = timeGetTime() + mu::kBlinkOnMs;
  heldKey = lastKey = pageViewKey = 0;
  keyCaptureMode = capturedKey = capturedClick = 0;
  shiftToggle = watchedKey = watchedKeyReleases = sysKeyMode = 0;
  mouseX = mouseY = previousMouseX = previousMouseY = mouseDX = mouseDY = 0;
  leftDown = rightDown = leftPressed = rightPressed = 0;
  leftDoubleClick = rightDoubleClick = leftClickLatch = rightClickLatch = 0;
  heldButton = lastButton = 0;
  cursorClipped = 0;
}

int CheckSingleInstance(const char* caption) {
  char mutexName[kTextBufferSize];
  std::snprintf(mutexName, sizeof mutexName, "%s%s", caption, kMutexSuffix);
  instanceMutex = CreateMutexA(nullptr, TRUE, mutexName);
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    HWND other = FindWindowA(kClassName, caption);
    if (other) SetForegroundWindow(other);
    return 0;
  }
  return 1;
}

static void RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSA wc = {};
  wc.style = kClassStyle;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconA(instance, "MAIN");
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  wc.lpszMenuName = kClassName;
  wc.lpszClassName = kClassName;
  RegisterClassA(&wc);
}

static HWND CreateMainWindow(HINSTANCE instance, const char* caption) {
  if (fullScreen) {
    return CreateWindowExA(0, kClassName, caption, kFullScreenStyle, 0, 0,
                           GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                           nullptr, nullptr, instance, nullptr);
  }
  mu::FrameMetrics m = {GetSystemMetrics(SM_CXBORDER),  GetSystemMetrics(SM_CXEDGE),
                        GetSystemMetrics(SM_CXDLGFRAME), GetSystemMetrics(SM_CYCAPTION),
                        GetSystemMetrics(SM_CYEDGE),    GetSystemMetrics(SM_CYBORDER),
                        GetSystemMetrics(SM_CYDLGFRAME)};
  mu::WindowPlacement p = mu::CenteredWindow(GetSystemMetrics(SM_CXSCREEN),
                                             GetSystemMetrics(SM_CYSCREEN), displayWidth,
                                             displayHeight, m);
  return CreateWindowExA(0, kClassName, caption, kWindowedStyle, p.x, p.y, p.width, p.height,
                         nullptr, nullptr, instance, nullptr);
}

int Startup(HINSTANCE instance, const char* cmdLine, int showCommand) {
  char caption[kTextBufferSize];
  std::snprintf(caption, sizeof caption, "%s", appCaption);
  ResetGlobals();
  if (!CheckSingleInstance(caption)) return 0;

  // At most 255 characters are kept; a longer command line is cut.
  std::snprintf(commandLine, sizeof commandLine, "%s", cmdLine ? cmdLine : "");
  RegisterWindowClass(instance);

  // This program's start-up settings.
  startupFlags = kStartupNormalZOrder | kStartupRunInactive;
  fullScreen = 0;
  displayWidth = 640;
  displayHeight = 480;
  cursorConfinement = 0;

  mainWindow = CreateMainWindow(instance, caption);
  if (!mainWindow) return 0;
  ShowWindow(mainWindow, (startupFlags & kStartupHidden) ? SW_HIDE : showCommand);
  UpdateWindow(mainWindow);
  if (!fullScreen) {
    HWND after = (startupFlags & kStartupNormalZOrder) ? mainWindow : HWND_TOPMOST;
    SetWindowPos(mainWindow, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  }
  instanceHandle = instance;
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  EnableIME(0);
  GameInit();
  ResetFrameTimer();
  OnActivate(0);
  return 1;
}

void RunFrame() {
  UpdateFrameTimer();
  mouseDX = mouseX - previousMouseX;
  mouseDY = mouseY - previousMouseY;
  if (previousScene == 0 && sceneNumber != 0) {
    sceneChanged = 1;
    previousScene = sceneNumber;
  }

  if (muDraw::wipeDirection == 1) {
    // A forward wipe shows only the frame show; the scene resumes when it ends.
    muDraw::Flip();
    if (muDraw::wipeDirection == 0) sceneNumber = nextScene;
  } else if (sceneNumber == 1) {
    GameFrame();
  }

  if (sceneNumber != previousScene) {
    sceneChanged = 1;
    if (muDraw::curtainState > 0) muDraw::EndCurtain();
  } else {
    sceneChanged = 0;
  }
  previousScene = sceneNumber;

  DWORD now = timeGetTime();
  if (now >= nextBlinkTime) {
    std::uint32_t next = nextBlinkTime;
    mu::StepBlink(blinkOn, next, now, timeGetTime());
    nextBlinkTime = next;
  }

  previousMouseX = mouseX;
  previousMouseY = mouseY;
  leftPressed = rightPressed = 0;
  leftDoubleClick = rightDoubleClick = 0;

  if (!fullScreen && !messageBoxOpen) {
    POINT p;
    GetCursorPos(&p);
    bool inside = p.x >= clientLeft && p.x < clientLeft + displayWidth && p.y >= clientTop &&
                  p.y < clientTop + displayHeight;
    if (inside && cursorShown) {
      ShowCursor(FALSE);
      cursorShown = 0;
    } else if (!inside && !cursorShown) {
      ShowCursor(TRUE);
      cursorShown = 1;
    }
  }
}

int PumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) return 0;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 1;
}

int RunLoop() {
  MSG msg;
  for (;;) {
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) return 0;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    } else if (appActive || (startupFlags & kStartupRunInactive)) {
      RunFrame();
    } else {
      WaitMessage();
    }
  }
}

int Quit() {
  if (shutDownDone) return 1;
  shutDownDone = 1;
  ReleaseCursor();
  muDraw::FreeFontList();
  muSound::Release();
  muDraw::Release();
  if (instanceMutex) {
    ReleaseMutex(instanceMutex);
    instanceMutex = nullptr;
  }
  if (quitState == 0) PostMessageA(mainWindow, WM_CLOSE, 0, 0);
  quitState = 2;
  return 1;
}

char* GetCommandLine() { return commandLine; }

}  // namespace muSystem
