// The error box, the message and question boxes, and the debug log.
#include <mu.h>

#include <cstdarg>
#include <cstdio>

#include "text/text_rules.h"

namespace muSystem {

int errorRaised;

namespace {
constexpr char kErrorCaption[] = "エラー発生";
constexpr char kMessageCaption[] = "メッセージ";
constexpr UINT kErrorStyle = MB_OK | MB_ICONWARNING | MB_SYSTEMMODAL;      // 0x1030
constexpr UINT kMessageStyle = MB_OK | MB_ICONWARNING | MB_SYSTEMMODAL;    // 0x1030
constexpr UINT kConfirmStyle = MB_YESNO | MB_ICONQUESTION;                 // 0x24
constexpr char kLogFile[] = "DEBUG.TXT";

// In full screen the boxes would be hidden behind DirectDraw's surface.
void ShowGdiSurface() {
  if (muDraw::directDraw) muDraw::directDraw->FlipToGDISurface();
}

// Formats into the 256-byte buffer (cut if longer, at a character boundary, so
// that no lone lead byte swallows the line end), adds "\r\n" and shows the
// box with the system cursor visible; the time it was open is no frame time.
int ShowFormattedBox(UINT style, const char* format, va_list args) {
  char text[kTextBufferSize];
  const int length = mu::FormatText(text, kTextBufferSize - 2, format, args);   // room for "\r\n"
  text[length] = '\r';
  text[length + 1] = '\n';
  text[length + 2] = '\0';

  ShowGdiSurface();
  if (!cursorShown) {
    ShowCursor(TRUE);
    cursorShown = 1;
  }
  messageBoxOpen = 1;
  int answer = MessageBoxA(mainWindow, text, kMessageCaption, style);
  messageBoxOpen = 0;
  ResetFrameTimer();
  return answer;
}
}  // namespace

int Error(const char* where, const char* message, long code) {
  (void)code;  // the platform's result code is never shown
  char body[kTextBufferSize];
  std::snprintf(body, sizeof body, "%s : %s", where, message);
  ShowGdiSurface();
  MessageBeep(0xFFFFFFFF);
  MessageBoxA(mainWindow, body, kErrorCaption, kErrorStyle);
  errorRaised = 1;
  return 0;
}

void Message(const char* format, ...) {
  va_list args;
  va_start(args, format);
  ShowFormattedBox(kMessageStyle, format, args);
  va_end(args);
}

int Confirm(const char* format, ...) {
  va_list args;
  va_start(args, format);
  int answer = ShowFormattedBox(kConfirmStyle, format, args);
  va_end(args);
  return answer == IDYES ? 1 : 0;
}

int Log(const char* format, ...) {
  FILE* file = std::fopen(kLogFile, "at");
  if (!file) return 0;
  va_list args;
  va_start(args, format);
  std::vfprintf(file, format, args);
  va_end(args);
  std::fputs("\n", file);
  std::fclose(file);
  return 1;
}

int ErrorRaised() { return errorRaised; }

int QuitOnError() {
  if (errorRaised == 1) Quit();
  return errorRaised;
}

}  // namespace muSystem
