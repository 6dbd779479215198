// The application shell in a real window: start-up, frames and scenes, the
// window procedure driven by real messages, waits, boxes, log and utilities.
#include <mu.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "message_box.h"
#include "test_app.h"

namespace {

using namespace muSystem;

const std::string kLongCommandLine(300, 'c');

class Shell : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(testapp::StartShell(kLongCommandLine.c_str())); }
  void TearDown() override { testapp::onFrame = nullptr; }
  static LRESULT Send(UINT message, WPARAM w = 0, LPARAM l = 0) {
    return SendMessageA(mainWindow, message, w, l);
  }
};

// Runs first: no frame has run yet in this process.
TEST_F(Shell, FirstFrameAndSceneChanges) {
  std::vector<int> seen;
  testapp::onFrame = [&] { seen.push_back(sceneChanged); };
  testapp::Frame();
  testapp::Frame();
  EXPECT_EQ(seen, (std::vector<int>{1, 0}));

  // A scene written during a frame runs from the next frame, flagged once.
  testapp::onFrame = [&] { sceneNumber = 2; };
  testapp::Frame();
  EXPECT_EQ(sceneChanged, 1);
  int before = testapp::frameCalls;
  testapp::Frame();  // scene 2 has no routine
  EXPECT_EQ(testapp::frameCalls, before);
  EXPECT_EQ(sceneChanged, 0);

  seen.clear();
  sceneNumber = 1;
  testapp::onFrame = [&] { seen.push_back(sceneChanged); };
  testapp::Frame();  // the change is seen at the end of this frame
  testapp::Frame();
  testapp::Frame();
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 0}));
}

TEST_F(Shell, StartUpState) {
  char cls[64] = {}, caption[64] = {};
  GetClassNameA(mainWindow, cls, sizeof cls);
  GetWindowTextA(mainWindow, caption, sizeof caption);
  EXPECT_STREQ(cls, "DEFAULT");
  EXPECT_STREQ(caption, "muTest");
  RECT client;
  GetClientRect(mainWindow, &client);
  EXPECT_EQ(client.right, 640);
  EXPECT_EQ(client.bottom, 480);
  EXPECT_EQ(fullScreen, 0);
  EXPECT_EQ(startupFlags, 3);
  EXPECT_EQ(testapp::initCalls, 1);
  EXPECT_EQ(testapp::activateCalls[0], 1);
  EXPECT_EQ(imeEnabled, 0);
  EXPECT_NE(instanceMutex, nullptr);
  // The command line is kept up to 255 characters, never beyond its buffer.
  EXPECT_EQ(std::strlen(muSystem::GetCommandLine()), 255u);
  EXPECT_EQ(std::string(muSystem::GetCommandLine()), kLongCommandLine.substr(0, 255));
}

TEST_F(Shell, KeysPressedAndReleased) {
  Send(WM_KEYDOWN, 'A');
  EXPECT_EQ(heldKey, 'A');
  EXPECT_EQ(lastKey, 'A');
  Send(WM_KEYDOWN, 'B');
  Send(WM_KEYUP, 'A');
  EXPECT_EQ(heldKey, 'B');  // only the stored key's release clears it
  Send(WM_KEYUP, 'B');
  EXPECT_EQ(heldKey, 0);
  EXPECT_EQ(lastKey, 'B');

  int toggle = shiftToggle;
  for (int i = 0; i < 3; ++i) Send(WM_KEYUP, VK_SHIFT);
  EXPECT_EQ(shiftToggle, toggle ^ 1);

  watchedKey = 'W';
  watchedKeyReleases = 0;
  Send(WM_KEYUP, 'W');
  Send(WM_KEYUP, 'W');
  EXPECT_EQ(watchedKeyReleases, 2);
  watchedKey = 0;

  Send(WM_HOTKEY, 0xBF01);
  EXPECT_EQ(lastKey, VK_SNAPSHOT);
  Send(WM_HOTKEY, 0xBF02);
  EXPECT_EQ(lastKey, 0x101);
  Send(WM_KEYUP, 0x101);
}

TEST_F(Shell, SystemKeys) {
  sysKeyMode = 0;
  heldKey = 0;
  // Alt+F4 is ignored completely: the window stays.
  EXPECT_EQ(Send(WM_SYSKEYDOWN, VK_F4, 0x20000000), 0);
  EXPECT_TRUE(IsWindow(mainWindow));
  EXPECT_EQ(heldKey, 0);
  EXPECT_EQ(Send(WM_SYSKEYDOWN, VK_F10), 0);
  EXPECT_EQ(heldKey, 0);

  sysKeyMode = 2;
  EXPECT_EQ(Send(WM_SYSKEYDOWN, VK_MENU, 0x20000000), 0);
  EXPECT_EQ(heldKey, 0);
  Send(WM_SYSKEYDOWN, 'X', 0x20000000);
  EXPECT_EQ(heldKey, 'X');
  Send(WM_KEYUP, 'X');
  sysKeyMode = 0;

  EXPECT_EQ(Send(WM_SYSCOMMAND, SC_SCREENSAVE), 0);
}

TEST_F(Shell, KeyCapture) {
  heldKey = lastKey = 0;
  keyCaptureMode = 1;
  Send(WM_KEYDOWN, 'C');
  Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(capturedKey, 'C');
  EXPECT_EQ(capturedClick, 1);
  EXPECT_EQ(heldKey, 0);
  EXPECT_EQ(lastKey, 0);
  EXPECT_EQ(leftDown, 0);
  Send(WM_KEYUP, 'C');
  Send(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(capturedKey, 0);
  EXPECT_EQ(capturedClick, 0);
  keyCaptureMode = 0;
}

TEST_F(Shell, MouseButtonsAndDoubleClicks) {
  Send(WM_MOUSEMOVE, 0, MAKELPARAM(100, 200));
  EXPECT_EQ(mouseX, 100);
  EXPECT_EQ(mouseY, 200);
  testapp::Frame();
  Send(WM_MOUSEMOVE, 0, MAKELPARAM(110, 190));
  testapp::Frame();
  EXPECT_EQ(mouseDX, 10);
  EXPECT_EQ(mouseDY, -10);

  leftClickLatch = rightClickLatch = 0;
  Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(110, 190));
  EXPECT_EQ(leftDown, 1);
  EXPECT_EQ(leftPressed, 1);
  EXPECT_EQ(heldButton, 1);
  Send(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(110, 190));
  EXPECT_EQ(heldButton, 2);
  EXPECT_EQ(lastButton, 2);
  Send(WM_LBUTTONUP, 0, MAKELPARAM(110, 190));
  EXPECT_EQ(heldButton, 2);  // the right button is still the held one
  EXPECT_EQ(leftDown, 0);
  Send(WM_RBUTTONUP, 0, MAKELPARAM(110, 190));
  EXPECT_EQ(heldButton, 0);

  // The second press of a double click sets only the double-click flag.
  testapp::Frame();
  Send(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(110, 190));
  Send(WM_RBUTTONDBLCLK, MK_RBUTTON, MAKELPARAM(110, 190));
  EXPECT_EQ(leftDoubleClick, 1);
  EXPECT_EQ(rightDoubleClick, 1);
  EXPECT_EQ(leftPressed, 0);
  EXPECT_EQ(leftDown, 0);
  EXPECT_EQ(heldButton, 0);
  Send(WM_LBUTTONUP, 0, 0);
  Send(WM_RBUTTONUP, 0, 0);

  testapp::Frame();  // one-frame flags end with the frame; latches stay
  EXPECT_EQ(leftPressed, 0);
  EXPECT_EQ(rightPressed, 0);
  EXPECT_EQ(leftDoubleClick, 0);
  EXPECT_EQ(rightDoubleClick, 0);
  EXPECT_EQ(leftClickLatch, 1);
  EXPECT_EQ(rightClickLatch, 1);
}

TEST_F(Shell, ClientPositionFollowsMovesIncludingNegative) {
  RECT outer;
  GetWindowRect(mainWindow, &outer);
  SetWindowPos(mainWindow, nullptr, -40, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  testapp::Frame();
  POINT origin = {0, 0};
  ClientToScreen(mainWindow, &origin);
  EXPECT_LT(origin.x, 0);
  EXPECT_EQ(clientLeft, origin.x);
  EXPECT_EQ(clientTop, origin.y);
  EXPECT_EQ(clientRect.left, origin.x);
  EXPECT_EQ(clientRect.right - clientRect.left, screenWidth);
  SetWindowPos(mainWindow, nullptr, outer.left, outer.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  testapp::Frame();
}

TEST_F(Shell, SystemCursorHiddenOverTheGameOnly) {
  POINT origin = {0, 0};
  ClientToScreen(mainWindow, &origin);
  SetCursorPos(origin.x + 100, origin.y + 100);
  testapp::Frame();
  EXPECT_EQ(cursorShown, 0);
  testapp::Frame();
  SetCursorPos(origin.x - 30, origin.y + 100);
  testapp::Frame();
  EXPECT_EQ(cursorShown, 1);
  // The show counter stayed at 0: one more hide takes it to -1.
  EXPECT_EQ(ShowCursor(FALSE), -1);
  EXPECT_EQ(ShowCursor(TRUE), 0);
}

TEST_F(Shell, ActivationAndCursorInFullScreen) {
  int reactivations = testapp::activateCalls[1];
  Send(WM_ACTIVATEAPP, FALSE);
  EXPECT_EQ(appActive, 0);
  EXPECT_EQ(cursorShown, 1);
  Sleep(50);
  Send(WM_ACTIVATEAPP, TRUE);
  EXPECT_EQ(appActive, 1);
  EXPECT_EQ(frameSeconds, 0.0f);
  EXPECT_EQ(testapp::activateCalls[1], reactivations + 1);
  testapp::Frame();
  EXPECT_LT(frameSeconds, 0.045f);  // the inactive time is no frame time

  fullScreen = 1;
  EXPECT_EQ(Send(WM_SETCURSOR, reinterpret_cast<WPARAM>(mainWindow), HTCLIENT), TRUE);
  EXPECT_EQ(GetCursor(), nullptr);
  fullScreen = 0;
}

TEST_F(Shell, BlinkPhase) {
  // Record the flips until an off phase and the on phase after it were seen.
  // A flip happened after the frame before the one that saw it: each is kept
  // as that window of time, so a slow frame on a busy machine widens the
  // window instead of failing the test.
  struct Flip {
    DWORD after, by;
    int on;
  };
  std::vector<Flip> flips;
  int last = blinkOn;
  DWORD start = timeGetTime(), previous = start;
  auto offIndex = [&]() -> int {
    for (size_t i = 0; i < flips.size(); ++i) {
      if (flips[i].on == 0) return static_cast<int>(i);
    }
    return -1;
  };
  while (timeGetTime() - start < 3000) {
    int i = offIndex();
    if (i >= 0 && flips.size() >= static_cast<size_t>(i) + 3) break;
    testapp::Frame();
    DWORD now = timeGetTime();
    if (blinkOn != last) {
      last = blinkOn;
      flips.push_back({previous, now, blinkOn});
    }
    previous = now;
    Sleep(2);
  }
  int i = offIndex();
  ASSERT_GE(i, 0);
  ASSERT_GE(flips.size(), static_cast<size_t>(i) + 3);
  auto expectPhase = [&](const Flip& from, const Flip& to, int ms) {
    EXPECT_GE(static_cast<int>(to.by - from.after) + 20, ms);
    EXPECT_LE(static_cast<int>(to.after - from.by) - 20, ms);
  };
  expectPhase(flips[i], flips[i + 1], 200);
  expectPhase(flips[i + 1], flips[i + 2], 1000);
}

TEST_F(Shell, WaitSlots) {
  {
    AutoAnswer ok(IDOK);
    EXPECT_EQ(SetWait(11, 100), 0);
    EXPECT_EQ(SetWait(0, 100), 0);
    EXPECT_EQ(InitWait(11), 0);
    ASSERT_EQ(ok.boxes().size(), 3u);
    EXPECT_EQ(ok.boxes()[0].caption, "エラー発生");
    EXPECT_EQ(ok.boxes()[0].body, "muSystem::SetWait : ウェイトNoが範囲外です");
    EXPECT_EQ(ok.boxes()[0].style, 0x1030u);
    EXPECT_EQ(ok.boxes()[2].body, "muSystem::InitWait : ウェイトNoが範囲外です");
  }
  EXPECT_EQ(ErrorRaised(), 1);

  EXPECT_EQ(SetWait(3, 0), 1);
  EXPECT_EQ(CheckWait(3), 1);
  EXPECT_EQ(InitWait(3), 1);
  EXPECT_EQ(CheckWait(3), 0);
  EXPECT_EQ(SetWait(10, 60), 1);
  EXPECT_EQ(CheckWait(10), 0);
  Sleep(80);
  EXPECT_EQ(CheckWait(10), 1);
  // Slots outside the table read as not elapsed, and nothing outside is read.
  EXPECT_EQ(CheckWait(0), 0);
  EXPECT_EQ(CheckWait(11), 0);
  EXPECT_EQ(CheckWait(-2000000000), 0);
  EXPECT_EQ(CheckWait(2000000000), 0);

  DWORD before = timeGetTime();
  Delay(50);
  EXPECT_GE(timeGetTime() - before, 50u);
  EXPECT_EQ(frameSeconds, 0.0f);
  before = timeGetTime();
  Delay(0);
  EXPECT_LE(timeGetTime() - before, 20u);
}

TEST_F(Shell, MessageAndConfirmBoxes) {
  {
    AutoAnswer yes(IDYES);
    EXPECT_EQ(Confirm("質問 %d", 1), 1);
    ASSERT_EQ(yes.boxes().size(), 1u);
    EXPECT_EQ(yes.boxes()[0].caption, "メッセージ");
    EXPECT_EQ(yes.boxes()[0].body.rfind("質問 1", 0), 0u);
    EXPECT_EQ(yes.boxes()[0].style, 0x24u);
  }
  {
    AutoAnswer no(IDNO);
    EXPECT_EQ(Confirm("question"), 0);
  }
  {
    AutoAnswer ok(IDOK);
    Message("%s", std::string(1000, 'm').c_str());  // cut at the buffer, not overrun
    ASSERT_EQ(ok.boxes().size(), 1u);
    EXPECT_EQ(ok.boxes()[0].caption, "メッセージ");
    EXPECT_EQ(ok.boxes()[0].style, 0x1030u);
    EXPECT_LE(ok.boxes()[0].body.size(), 255u);
    EXPECT_GE(ok.boxes()[0].body.size(), 250u);
    EXPECT_EQ(messageBoxOpen, 0);
  }
  {
    // 150 double-byte characters do not fit: both boxes cut after the 126th,
    // never inside a character, and still end the line.
    std::string wide;
    for (int i = 0; i < 150; ++i) wide += "表";
    AutoAnswer answer(IDOK);
    Message("%s", wide.c_str());
    answer.setButton(IDNO);
    EXPECT_EQ(Confirm("%s", wide.c_str()), 0);
    ASSERT_EQ(answer.boxes().size(), 2u);
    for (const BoxRecord& box : answer.boxes()) EXPECT_EQ(box.body, wide.substr(0, 252) + "\r\n");
  }
}

TEST_F(Shell, FrameTimeAfterBoxes) {
  testapp::Frame();
  {
    AutoAnswer slow(IDOK, 400);
    Message("wait");
  }
  testapp::Frame();
  EXPECT_LT(frameSeconds, 0.1f);  // measured from the box's closing
  {
    AutoAnswer slow(IDOK, 400);
    Error("muTest", "slow", 0);
  }
  testapp::Frame();
  EXPECT_GE(frameSeconds, 0.35f);  // an error box does not reset the frame timer
}

TEST_F(Shell, DebugLogAppendsLines) {
  char dir[MAX_PATH], previous[MAX_PATH];
  GetCurrentDirectoryA(sizeof previous, previous);
  GetTempPathA(sizeof dir, dir);
  std::strcat(dir, "mu-log-test");
  CreateDirectoryA(dir, nullptr);
  SetCurrentDirectoryA(dir);
  FILE* f = std::fopen("DEBUG.TXT", "wb");
  std::fputs("old\r\n", f);
  std::fclose(f);
  Log("line %d", 1);
  Log("%s", "二行目");
  f = std::fopen("DEBUG.TXT", "rb");
  char text[128] = {};
  std::fread(text, 1, sizeof text - 1, f);
  std::fclose(f);
  EXPECT_EQ(std::string(text), "old\r\nline 1\r\n二行目\r\n");
  DeleteFileA("DEBUG.TXT");
  SetCurrentDirectoryA(previous);
  RemoveDirectoryA(dir);
}

TEST_F(Shell, SettingFilesAndDataRoot) {
  char module[MAX_PATH];
  GetModuleFileNameA(nullptr, module, sizeof module);
  std::string exeDir(module);
  exeDir.erase(exeDir.rfind('\\') + 1);
  EXPECT_EQ(std::string(GetExeDir(0)), exeDir);

  WriteInt("mu-setting.txt", 1);
  EXPECT_EQ(ReadInt("mu-setting.txt"), 1);
  FILE* f = std::fopen((exeDir + "mu-setting.txt").c_str(), "rb");
  ASSERT_NE(f, nullptr);
  char content[8] = {};
  std::fread(content, 1, sizeof content - 1, f);
  std::fclose(f);
  EXPECT_STREQ(content, "1");
  WriteInt("mu-setting.txt", -42);
  EXPECT_EQ(ReadInt("mu-setting.txt"), -42);
  DeleteFileA((exeDir + "mu-setting.txt").c_str());
  EXPECT_EQ(ReadInt("mu-no-such-setting.txt"), 0);
  // A name that would overflow the path buffer is refused.
  WriteInt(std::string(300, 'n').c_str(), 5);
  EXPECT_EQ(ReadInt(std::string(300, 'n').c_str()), 0);

  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, sizeof windows);
  std::string rootFile = std::string(windows) + "\\mu-dataroot.txt";
  f = std::fopen(rootFile.c_str(), "wt");
  std::fputs("E:\\Data\\\n", f);
  std::fclose(f);
  ReadDataRoot("mu-dataroot.txt");
  EXPECT_STREQ(dataRoot, "E:\\Data");
  std::string lastDir = exeDir.substr(exeDir.rfind('\\', exeDir.size() - 2) + 1);
  EXPECT_EQ(std::string(GetExeDir(1)), "E:\\Data\\" + lastDir);
  EXPECT_EQ(std::string(lastDirName), lastDir);
  EXPECT_EQ(std::string(GetExeDir(0)), exeDir);

  // An empty file gives no data root.
  f = std::fopen(rootFile.c_str(), "wt");
  std::fclose(f);
  ReadDataRoot("mu-dataroot.txt");
  EXPECT_STREQ(dataRoot, "");
  DeleteFileA(rootFile.c_str());
  ReadDataRoot("mu-dataroot.txt");
  EXPECT_STREQ(dataRoot, "");
  EXPECT_EQ(std::string(GetExeDir(1)), exeDir);
}

TEST_F(Shell, SmallUtilities) {
  EXPECT_TRUE(IsDBCSLeadByte(0x83));  // Shift-JIS code page, as on a Japanese Windows
  int year, month, day;
  char weekday[3];
  GetDate(&year, &month, &day, weekday);
  SYSTEMTIME now;
  GetLocalTime(&now);
  EXPECT_EQ(year, now.wYear);
  const char* names[] = {"日", "月", "火", "水", "木", "金", "土"};
  EXPECT_STREQ(weekday, names[now.wDayOfWeek]);
  int hour, minute, second;
  GetTime(&hour, &minute, &second);
  EXPECT_GE(hour, 0);
  EXPECT_LT(hour, 24);
  EXPECT_GT(GetDiskFree('C'), 0);
  EXPECT_EQ(GetDiskFree('Q'), 0);  // no such drive
  EXPECT_GT(GetFreeMemory(), 0);
  int version = GetOSVersion();
  EXPECT_TRUE(version == 2000 || version >= 4000) << version;
  int depth = GetScreenDepth();
  EXPECT_TRUE(depth == 16 || depth == 24 || depth == 32) << depth;
  EXPECT_EQ(IsWindowed(), 1);
}

TEST_F(Shell, ColorDepthCheck) {
  int depth = GetScreenDepth();
  int saved = muDraw::displayDepth;
  {
    AutoAnswer none(IDOK);
    muDraw::displayDepth = 16;
    EXPECT_EQ(CheckColorDepth("*"), 1);  // 16 bits are there on every test display
    muDraw::displayDepth = 12;
    EXPECT_EQ(CheckColorDepth("*"), 1);  // not a depth the check knows
    fullScreen = 1;
    muDraw::displayDepth = 32;
    EXPECT_EQ(CheckColorDepth("*"), 1);  // already full screen
    fullScreen = 0;
    EXPECT_TRUE(none.boxes().empty());
  }
  if (depth < 24) {
    muDraw::displayDepth = 24;
    AutoAnswer yes(IDYES);
    EXPECT_EQ(CheckColorDepth("*"), 1);
    ASSERT_EQ(yes.boxes().size(), 2u);
    EXPECT_NE(yes.boxes()[0].body.find("65536色以下"), std::string::npos);
    EXPECT_NE(yes.boxes()[0].body.find("1670万色以上"), std::string::npos);
    EXPECT_EQ(yes.boxes()[1].body.rfind("フルスクリーンに切り換えますか？", 0), 0u);
    EXPECT_EQ(fullScreen, 1);
    fullScreen = 0;

    EXPECT_EQ(CheckColorDepth("mu-full.txt"), 1);
    ASSERT_EQ(yes.boxes().size(), 4u);
    EXPECT_EQ(yes.boxes()[3].body.rfind("フルスクリーンに設定し直しますか？", 0), 0u);
    EXPECT_EQ(ReadInt("mu-full.txt"), 1);
    DeleteFileA((std::string(GetExeDir(1)) + "mu-full.txt").c_str());
    fullScreen = 0;
  }
  muDraw::displayDepth = saved;
}

}  // namespace
