// Text output through the open font selection: colours, plain and wrapped
// text, measuring, and the back-screen convenience prints and frame-rate line.
#include <mu.h>

#include <cstdarg>
#include <cstring>

#include "text/text_rules.h"
#include "text/text_state.h"

namespace muDraw {

namespace {
RECT textBoxRect;        // the rectangle TextBox draws into
RECT measureRect;        // TextHeight's rectangle, resized by DrawTextA
mu::FpsCounter fps = mu::FpsStart(timeGetTime());
constexpr UINT kWrap = DT_WORDBREAK | DT_NOPREFIX;
constexpr COLORREF kPrintColor = 0xFFFFFF;     // white
constexpr COLORREF kPrintBack = 0x800000;      // navy (blue 128)
}  // namespace

char fpsText[mu::kFpsTextBytes];

void SetTextColor(COLORREF color, COLORREF background, int transparent) {
  textColor = color;
  textBackColor = background;
  if (!textDC) return;
  ::SetTextColor(textDC, color);
  SetBkColor(textDC, background);
  SetBkMode(textDC, transparent ? TRANSPARENT : OPAQUE);
}

void Text(int x, int y, const char* text) {
  if (!textDC || !text) return;
  TextOutA(textDC, x, y, text, static_cast<int>(std::strlen(text)));
}

int TextBox(int left, int top, int right, int bottom, const char* text, int align) {
  if (align < 0 || align > 2) return 0;   // DT_LEFT 0, DT_CENTER 1, DT_RIGHT 2
  if (!textDC || !text) return 0;
  textBoxRect = RECT{left, top, right, bottom};
  return DrawTextA(textDC, text, -1, &textBoxRect, kWrap | static_cast<UINT>(align));
}

int TextHeight(int left, int top, int right, int bottom, const char* text) {
  if (!textDC || !text) return 0;
  measureRect = RECT{left, top, right, bottom};
  return DrawTextA(textDC, text, -1, &measureRect, kWrap | DT_CALCRECT);
}

void Print(int x, int y, const char* text) {
  SetFont(1, 12, 0, 0, 0, 0);
  SetTextColor(kPrintColor, kPrintBack, 0);
  Text(x, y, text);
  ReleaseFont();
}

void PrintF(int x, int y, const char* format, ...) {
  char buffer[muSystem::kTextBufferSize];
  va_list args;
  va_start(args, format);
  mu::FormatText(buffer, sizeof buffer, format, args);
  va_end(args);
  Print(x, y, buffer);
}

void ShowFps() {
  DWORD now = timeGetTime();
  mu::FpsTick(fps, now, timeGetTime());
  mu::FormatFps(fps, fpsText, sizeof fpsText);
  Print(0, 0, fpsText);
}

}  // namespace muDraw
