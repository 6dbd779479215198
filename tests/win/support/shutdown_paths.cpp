// Runs the shell and ends it along one path, then checks that the shut-down
// ran once and the loop ended:
//   shutdown_paths escape-twice | escape-then-close | close-box | depth-declined
// Exit code 0 when every check holds.
#include <mu.h>

#include <cstdio>
#include <cstring>

#include "message_box.h"
#include "test_app.h"

namespace {
WNDPROC libraryProc;
int closeMessages, destroyMessages;

LRESULT CALLBACK Counting(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) ++closeMessages;
  if (message == WM_DESTROY) ++destroyMessages;
  return CallWindowProcA(libraryProc, window, message, wParam, lParam);
}

int failures;
void Check(bool ok, const char* what) {
  if (!ok) {
    std::printf("FAILED: %s\n", what);
    ++failures;
  }
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || !testapp::StartShell()) return 2;
  HWND window = muSystem::mainWindow;
  libraryProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Counting)));
  // A frame runs first, so the shut-down meets a running program.
  testapp::Frame();

  const char* path = argv[1];
  if (std::strcmp(path, "escape-twice") == 0) {
    SendMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    Check(muSystem::quitState == 2 && muSystem::shutDownDone == 1, "Escape shuts down");
    Check(muSystem::instanceMutex == nullptr, "mutex released");
    SendMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    Check(muSystem::quitState == 2, "second Escape changes nothing");
  } else if (std::strcmp(path, "escape-then-close") == 0) {
    SendMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageA(window, WM_CLOSE, 0, 0);
  } else if (std::strcmp(path, "close-box") == 0) {
    // The close box reaches the window as SC_CLOSE through the default handling.
    SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    Check(muSystem::shutDownDone == 1, "close request shuts down");
  } else if (std::strcmp(path, "depth-declined") == 0) {
    // Declining full screen on a display with fewer colours than asked ends
    // the program (on a deeper display there is nothing to decline).
    if (muSystem::GetScreenDepth() < 24) {
      AutoAnswer no(IDNO);
      muDraw::displayDepth = 24;
      Check(muSystem::CheckColorDepth("*") == 0, "declined check returns 0");
      Check(no.boxes().size() == 2, "warning and question shown");
      Check(muSystem::quitState == 2, "declining shuts down");
    } else {
      muSystem::Quit();
    }
  } else {
    return 2;
  }
  int result = muSystem::RunLoop();
  Check(result == 0, "loop returns 0");
  Check(!IsWindow(window), "window destroyed");
  Check(destroyMessages == 1, "destroyed once");
  Check(closeMessages >= 1, "closed");
  Check(muSystem::quitState == 2, "quit state 2");
  std::printf("%s: close=%d destroy=%d failures=%d\n", path, closeMessages, destroyMessages,
              failures);
  return failures == 0 ? 0 : 1;
}
