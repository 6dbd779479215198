// Pages of input (keys, trigger, mouse, joysticks) and of the system
// utilities (waits, frame time, date and time, machine facts).
#include "showcase/page.h"

namespace showcase {

namespace {

// ---- Keyboard, mouse and joysticks ------------------------------------------------

constexpr int kHistory = 150;        // columns of key states kept per key
constexpr float kColumnSeconds = 0.02f;   // one column each 20 ms: three seconds in all
constexpr int kWatched = 4;
const int kKeys[kWatched] = {VK_SPACE, 'Z', 'X', VK_SHIFT};
const char* const kKeyNames[kWatched] = {"Space", "Z", "X", "Shift"};

struct InputShow {
  int state[kWatched];
  unsigned char history[kWatched][kHistory];   // ring of states, newest at `head`
  bool tick[kHistory];                         // a second began in this column
  int head;
  int columns;                                 // columns begun since the page opened
  int lastTrigger;
} input;

void InputOpen() {
  input = InputShow{};
  SHOW(muSystem::WatchKey)(VK_SPACE);
}

COLORREF StateColour(int state) {
  switch (state) {
    case 1: return 0x40FF40;   // pressed
    case 3: return 0x40E0FF;   // held
    case 2: return 0x4040FF;   // released
    default: return 0x403020;  // up
  }
}

// A column shows the last state of its 20 ms, but a press (1) or a release
// (2), which lasts one frame, wins over the others.
unsigned char Merge(unsigned char column, int state) {
  return (column == 1 || column == 2) && state != 1 && state != 2
             ? column
             : static_cast<unsigned char>(state);
}

void InputFrame(float t) {
  const int column = static_cast<int>(t / kColumnSeconds);
  const bool fresh = column != input.columns;
  if (fresh) {
    input.columns = column;
    input.head = (input.head + 1) % kHistory;
    input.tick[input.head] = column % 50 == 0;
  }
  for (int k = 0; k < kWatched; ++k) {
    SHOW(muSystem::UpdateKeyState)(kKeys[k], Label(&input.state[k], "&state"));
    unsigned char& cell = input.history[k][input.head];
    cell = fresh ? static_cast<unsigned char>(input.state[k]) : Merge(cell, input.state[k]);
  }
  const int fired = muSystem::CheckTrigger(VK_RETURN, 'Z', 1, 2, 0);
  RecordText("muSystem::CheckTrigger", "VK_RETURN, 'Z', 1, 2, 0");
  if (fired) input.lastTrigger = fired;

  // The key states of the last three seconds, newest on the right, scrolling.
  for (int k = 0; k < kWatched; ++k) {
    const int y = 60 + 22 * k;
    for (int i = 0; i < kHistory; ++i) {
      const int state = input.history[k][(input.head + 1 + i) % kHistory];
      if (state != 0 || !input.tick[(input.head + 1 + i) % kHistory]) {
        muDraw::FillBox(80 + 3 * i, y, 80 + 3 * i + 3, y + 16, PixelOf(StateColour(state)));
      }
    }
  }
  // Marks of the seconds scroll with the states.
  for (int i = 0; i < kHistory; ++i) {
    if (input.tick[(input.head + 1 + i) % kHistory]) {
      muDraw::FillBox(80 + 3 * i, 56, 80 + 3 * i + 3, 148, PixelOf(0x806040));
    }
  }

  // Joystick 0 (no controller under test: the library answers its failure values).
  int dx = 0, dy = 0, x = 0, y = 0, ax = 0, ay = 0, b[4] = {};
  SHOW(muSystem::JoyDirection)(0, Label(&dx, "&dx"), Label(&dy, "&dy"));
  const int pad = SHOW(muSystem::JoyDirection8)(0);
  SHOW(muSystem::JoyPosition)(0, Label(&x, "&x"), Label(&y, "&y"));
  SHOW(muSystem::JoyAnalog)(0, Label(&ax, "&ax"), Label(&ay, "&ay"));
  SHOW(muSystem::JoyButtonStates)(0, Label(&b[0], "&b1"), Label(&b[1], "&b2"),
                                  Label(&b[2], "&b3"), Label(&b[3], "&b4"));

  for (int k = 0; k < kWatched; ++k) {
    CaptionF(16, 61 + 22 * k, 0xFFFFFF, "%s", kKeyNames[k]);
    CaptionF(540, 61 + 22 * k, StateColour(input.state[k]), "状態 %d", input.state[k]);
  }
  Caption(16, 158, "0 離れている  1 押した  3 押している  2 離した", 0xB0A090);
  CaptionF(16, 184, 0xFFFFFF, "CheckTrigger: 最後に押して離したもの %d", input.lastTrigger);
  CaptionF(16, 202, 0xFFFFFF, "WatchKey(Space): 離した回数 %d",
           SHOW(muSystem::GetWatchedKeyReleases)());
  CaptionF(16, 228, 0x60E0FF, "マウス (%d, %d)  移動 (%d, %d)  左 %d  右 %d", muSystem::mouseX,
           muSystem::mouseY, muSystem::mouseDX, muSystem::mouseDY, muSystem::leftDown,
           muSystem::rightDown);
  CaptionF(16, 254, 0xB0FFB0, "ジョイスティック 0: 方向 (%d, %d)  テンキー方向 %d", dx, dy, pad);
  CaptionF(16, 272, 0xB0FFB0, "位置 (%d, %d)  アナログ (%d, %d)  ボタン %d %d %d %d", x, y, ax, ay,
           b[0], b[1], b[2], b[3]);
}

// ---- System utilities ----------------------------------------------------------------

constexpr int kFrameTimes = 120;
float frameTimes[kFrameTimes];
int frameTimeHead;
int waitTicks;

void SystemOpen() {
  SHOW(muSystem::SetWait)(1, 1000u);
  waitTicks = 0;
}

void SystemFrame(float t) {
  if (SHOW(muSystem::CheckWait)(1)) {
    ++waitTicks;
    EventCalls events;
    SHOW(muSystem::SetWait)(1, 1000u);
  }
  frameTimeHead = (frameTimeHead + 1) % kFrameTimes;
  frameTimes[frameTimeHead] = muSystem::frameSeconds;

  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  char weekday[4] = "";
  SHOW(muSystem::GetDate)(Label(&year, "&y"), Label(&month, "&m"), Label(&day, "&d"),
                          Label(static_cast<char*>(weekday), "weekday"));
  SHOW(muSystem::GetTime)(Label(&hour, "&h"), Label(&minute, "&m"), Label(&second, "&s"));
  const int os = SHOW(muSystem::GetOSVersion)();
  const int depth = SHOW(muSystem::GetScreenDepth)();
  const int windowed = SHOW(muSystem::IsWindowed)();
  const int memory = SHOW(muSystem::GetFreeMemory)();

  // Frame times of the last frames as bars (1 pixel = 0.1 ms, cut at 10 ms).
  for (int i = 0; i < kFrameTimes; ++i) {
    const float s = frameTimes[(frameTimeHead + 1 + i) % kFrameTimes];
    int h = static_cast<int>(s * 10000);
    if (h > 100) h = 100;
    muDraw::FillBox(330 + 2 * i, 250 - h, 330 + 2 * i + 2, 250, PixelOf(0x60C0FF));
  }
  // The wait slot's second, filling up.
  const int fill = static_cast<int>((t - static_cast<int>(t)) * 260);
  muDraw::FillBox(330, 290, 330 + fill, 306, PixelOf(0x40C040));

  CaptionF(16, 60, 0xFFFFFF, "%d 年 %d 月 %d 日 (%s)  %02d:%02d:%02d", year, month, day, weekday,
           hour, minute, second);
  CaptionF(16, 84, 0xFFFFFF, "Windows の版 %d", os);
  CaptionF(16, 102, 0xFFFFFF, "画面の色数 %d ビット  ウインドウ表示 %d", depth, windowed);
  CaptionF(16, 120, 0xFFFFFF, "空きメモリ %d MB", memory / (1024 * 1024));
  CaptionF(16, 138, 0xFFFFFF, "実行ファイルの場所:");
  Caption(16, 156, muSystem::GetExeDir(0), 0xB0A090);
  CaptionF(16, 186, 0x60E0FF, "frameSeconds %.2f ミリ秒", muSystem::frameSeconds * 1000);
  CaptionF(330, 132, 0xFFFFFF, "フレーム時間 (縦 10 ミリ秒まで)");
  CaptionF(330, 270, 0xFFFFFF, "ウェイト 1: %d 回目の 1 秒", waitTicks + 1);
}

void SystemClose() { muSystem::InitWait(1); }

}  // namespace

extern const Page kInputPage = {
    "input", "input", "入力", "キーの四つの状態、トリガー、マウス、ジョイスティック", InputOpen, InputFrame,
    nullptr, true, true};
extern const Page kSystemPage = {
    "system", "input", "システム", "ウェイト、フレーム時間、日付と時刻、マシンの情報", SystemOpen,
    SystemFrame, SystemClose, true, false};

}  // namespace showcase
