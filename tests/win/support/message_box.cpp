#include "message_box.h"

namespace {

std::vector<BoxRecord> records;
int answer = IDOK;
UINT delay = 1;
constexpr UINT_PTR kTimerId = 0x4D55;

// The message box's style flags are not stored in the window; read them back
// from what the box shows: its buttons, its icon and its top-most state.
UINT ReadStyle(HWND box) {
  UINT style = 0;
  if (GetDlgItem(box, IDYES) && GetDlgItem(box, IDNO)) {
    style |= GetDlgItem(box, IDCANCEL) ? MB_YESNOCANCEL : MB_YESNO;
  } else if (GetDlgItem(box, IDCANCEL)) {
    style |= MB_OKCANCEL;
  }
  HWND child = nullptr;
  while ((child = FindWindowExA(box, child, "Static", nullptr)) != nullptr) {
    HICON icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
    if (!icon) continue;
    if (icon == LoadIconA(nullptr, IDI_HAND)) style |= MB_ICONHAND;
    if (icon == LoadIconA(nullptr, IDI_QUESTION)) style |= MB_ICONQUESTION;
    if (icon == LoadIconA(nullptr, IDI_EXCLAMATION)) style |= MB_ICONEXCLAMATION;
    if (icon == LoadIconA(nullptr, IDI_ASTERISK)) style |= MB_ICONASTERISK;
  }
  if (GetWindowLongA(box, GWL_EXSTYLE) & WS_EX_TOPMOST) style |= MB_SYSTEMMODAL;
  return style;
}

std::string BodyText(HWND box) {
  HWND child = nullptr;
  while ((child = FindWindowExA(box, child, "Static", nullptr)) != nullptr) {
    if (SendMessageA(child, STM_GETICON, 0, 0)) continue;
    char text[1024] = {};
    GetWindowTextA(child, text, sizeof text);
    if (text[0]) return text;
  }
  return std::string();
}

// The body is set after the box activates, so it is read from a timer that
// runs inside the box's own modal loop, which then presses the button.
void CALLBACK OnTimer(HWND box, UINT, UINT_PTR id, DWORD) {
  KillTimer(box, id);
  if (!records.empty()) {
    records.back().body = BodyText(box);
    records.back().style = ReadStyle(box);
  }
  PostMessageA(box, WM_COMMAND, answer, 0);
}

LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    HWND window = reinterpret_cast<HWND>(wParam);
    char className[32] = {};
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpA(className, "#32770") == 0 && !GetPropA(window, "muAnswered")) {
      SetPropA(window, "muAnswered", reinterpret_cast<HANDLE>(1));
      char caption[256] = {};
      GetWindowTextA(window, caption, sizeof caption);
      records.push_back(BoxRecord{caption, std::string(), 0});
      SetTimer(window, kTimerId, delay, OnTimer);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

AutoAnswer::AutoAnswer(int button, UINT delayMs) {
  records.clear();
  answer = button;
  delay = delayMs;
  hook_ = SetWindowsHookExA(WH_CBT, CbtHook, nullptr, GetCurrentThreadId());
}

AutoAnswer::~AutoAnswer() { UnhookWindowsHookEx(hook_); }

const std::vector<BoxRecord>& AutoAnswer::boxes() const { return records; }

std::vector<std::string> AutoAnswer::bodies() const {
  std::vector<std::string> out;
  for (const BoxRecord& r : records) out.push_back(r.body);
  return out;
}

std::string AutoAnswer::lastBody() const { return records.empty() ? "" : records.back().body; }

void AutoAnswer::setButton(int button) { answer = button; }
