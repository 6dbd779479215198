#include "showcase/chrome.h"

#include <cstdio>

namespace showcase {

namespace {

constexpr COLORREF kHeaderBack = 0x4A2A1A;    // COLORREF is 0x00BBGGRR: a dark navy
constexpr COLORREF kPanelBack = 0x2A1C14;
constexpr COLORREF kRule = 0x7A5A40;
constexpr COLORREF kTitleColour = 0xFFFFFF;
constexpr COLORREF kNoteColour = 0xE0D0B0;
constexpr COLORREF kSetupColour = 0xD8B890;   // set-up calls: pale blue
constexpr COLORREF kEventColour = 0xB0FFB0;   // events: pale green
constexpr COLORREF kFrameColour = 0xA0F0FF;   // this frame's calls: pale yellow
constexpr COLORREF kButtonFill = 0x6A4A30, kButtonHover = 0xA07850, kButtonEdge = 0xD0B090;
constexpr int kTextLeft = 8;

void FillRect(const Rect& r, COLORREF colour) {
  muDraw::FillBox(r.left, r.top, r.right, r.bottom, PixelOf(colour));
}

void DrawButton(const Rect& r) {
  const bool hover = r.Contains(muSystem::mouseX, muSystem::mouseY);
  muDraw::Box(r.left + 2, r.top + 2, r.right - 2, r.bottom - 2, hover ? kButtonHover : kButtonFill,
              kButtonEdge, 1);
}

// One call panel line: the call, and how many more times the frame made it.
void CallLineText(const CallLine& line, int y) {
  char text[kCallTextBytes + 16];
  if (line.repeats > 0) {
    std::snprintf(text, sizeof text, "%s  ×%d", line.text, line.repeats + 1);
  } else {
    std::snprintf(text, sizeof text, "%s", line.text);
  }
  muDraw::Text(kTextLeft, y, text);
}

int Least(int a, int b) { return a < b ? a : b; }

// Lines from..from + count - 1 of a list, from line y on; returns the next y.
int DrawLines(const CallLog& log, int from, int count, COLORREF colour, int y) {
  muDraw::SetTextColor(colour, 0, 1);
  for (int i = from; i < from + count; ++i, y += kCallLineHeight) CallLineText(log.lines[i], y);
  return y;
}

// The set-up lines, the newest events and this frame's calls, in that order;
// room goes to the set-up lines first, then to the frame's, then to the
// events. What does not fit is counted at the foot.
void DrawCalls() {
  const int setupShown = Least(setupCalls.count, kCallLines);
  const int frameShown = Least(frameCalls.count, kCallLines - setupShown);
  const int eventShown = Least(eventCalls.count, kCallLines - setupShown - frameShown);
  int y = kCallPanel.top + 2;
  y = DrawLines(setupCalls, 0, setupShown, kSetupColour, y);
  y = DrawLines(eventCalls, eventCalls.count - eventShown, eventShown, kEventColour, y);
  DrawLines(frameCalls, 0, frameShown, kFrameColour, y);
  const int hidden = setupCalls.count + frameCalls.count + eventCalls.count - setupShown -
                     frameShown - eventShown + setupCalls.dropped + frameCalls.dropped +
                     eventCalls.dropped;
  if (hidden > 0) {
    char more[32];
    std::snprintf(more, sizeof more, "ほか %d 件", hidden);
    muDraw::TextBox(kCallPanel.left, kCallPanel.bottom - kCallLineHeight - 1,
                    kCallPanel.right - kTextLeft, kCallPanel.bottom, more, 2);
  }
}

}  // namespace

void DrawChrome(const Page& page, int index, int count, const char* notice) {
  // Backgrounds are raw fills: they ignore the clip rectangle and cover
  // whatever a page drew outside its demo area.
  FillRect(Rect{0, 0, kScreenWidth, kHeader.bottom}, kHeaderBack);
  FillRect(kCallPanel, kPanelBack);
  FillRect(kFooter, kHeaderBack);
  FillRect(Rect{0, kCallPanel.top, kScreenWidth, kCallPanel.top + 1}, kRule);
  FillRect(Rect{0, kFooter.top, kScreenWidth, kFooter.top + 1}, kRule);
  DrawButton(kPreviousButton);
  DrawButton(kNextButton);

  char title[160];
  std::snprintf(title, sizeof title, "%d. %s", index + 1, page.title);
  muDraw::SetFont(1, 18, 0, 1, 0, 0);
  muDraw::SetTextColor(kTitleColour, 0, 1);
  muDraw::Text(kTextLeft, kHeader.top + 4, title);
  muDraw::ReleaseFont();

  muDraw::SetFont(1, 12, 0, 0, 0, 0);
  muDraw::SetTextColor(notice ? kFrameColour : kNoteColour, 0, 1);
  muDraw::TextBox(kScreenWidth / 2 - 40, kHeader.top + 9, kScreenWidth - kTextLeft, kHeader.bottom,
                  notice ? notice : page.note, 2);
  DrawCalls();
  muDraw::SetTextColor(kTitleColour, 0, 1);
  const int textY = kFooter.top + 5;
  muDraw::TextBox(kPreviousButton.left, textY, kPreviousButton.right, kFooter.bottom, "← 前へ", 1);
  muDraw::TextBox(kNextButton.left, textY, kNextButton.right, kFooter.bottom, "次へ →", 1);
  char footer[128];
  std::snprintf(footer, sizeof footer, "%d / %d    ← → かクリック: ページ    F12: 画面を保存    Esc: 終了",
                index + 1, count);
  muDraw::SetTextColor(kNoteColour, 0, 1);
  muDraw::TextBox(kPreviousButton.right, textY, kNextButton.left, kFooter.bottom, footer, 1);
  muDraw::ReleaseFont();
}

void DrawPointer() {
  const int x = muSystem::mouseX, y = muSystem::mouseY;
  const POINT arrow[] = {{x, y},          {x, y + 16},      {x + 4, y + 12},
                         {x + 8, y + 19}, {x + 10, y + 18}, {x + 7, y + 11},
                         {x + 12, y + 11}};
  muDraw::Polygon(arrow, 7, 0x000000, 0, 3, 0);
  muDraw::Polygon(arrow, 7, 0xFFFFFF, 0, 1, 0);
}

}  // namespace showcase
