// Reports the top-level windows of a class and caption, for the end-to-end
// tests (X tools see neither the Windows class nor the client area):
//   window_probe <class> <caption> [close|ok]
// A caption of "*" stands for any (Wine passes only ASCII arguments intact).
// Prints count=N, then for the first window: client=x,y,w,h (screen
// coordinates), window=l,t,r,b, visible=0|1, caption=..., and text=... when
// it has a text child (a message box's body); then screen=cx,cy. With "close" it also sends
// the first window what its close box sends (SC_CLOSE); with "ok" what its OK
// button sends.
#include <windows.h>

#include <cstdio>

namespace {
const char* wantedClass;
const char* wantedCaption;
HWND first;
int count;

BOOL CALLBACK Visit(HWND window, LPARAM) {
  char cls[256] = {}, caption[256] = {};
  GetClassNameA(window, cls, sizeof cls);
  GetWindowTextA(window, caption, sizeof caption);
  if (lstrcmpA(cls, wantedClass) == 0 &&
      (lstrcmpA(wantedCaption, "*") == 0 || lstrcmpA(caption, wantedCaption) == 0)) {
    if (!first) first = window;
    ++count;
  }
  return TRUE;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  wantedClass = argv[1];
  wantedCaption = argv[2];
  EnumWindows(Visit, 0);
  std::printf("count=%d\n", count);
  if (first) {
    RECT client, outer;
    GetClientRect(first, &client);
    POINT origin = {0, 0};
    ClientToScreen(first, &origin);
    GetWindowRect(first, &outer);
    std::printf("client=%ld,%ld,%ld,%ld\n", origin.x, origin.y, client.right, client.bottom);
    std::printf("window=%ld,%ld,%ld,%ld\n", outer.left, outer.top, outer.right, outer.bottom);
    std::printf("visible=%d\n", IsWindowVisible(first) ? 1 : 0);
    char caption[256] = {};
    GetWindowTextA(first, caption, sizeof caption);
    std::printf("caption=%s\n", caption);
    HWND child = nullptr;
    while ((child = FindWindowExA(first, child, "Static", nullptr)) != nullptr) {
      char text[1024] = {};
      if (GetWindowTextA(child, text, sizeof text) > 0) {
        std::printf("text=%s\n", text);
        break;
      }
    }
    if (argc > 3 && lstrcmpA(argv[3], "close") == 0) PostMessageA(first, WM_SYSCOMMAND, SC_CLOSE, 0);
    if (argc > 3 && lstrcmpA(argv[3], "ok") == 0) PostMessageA(first, WM_COMMAND, IDOK, 0);
  }
  std::printf("screen=%d,%d\n", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  return 0;
}
