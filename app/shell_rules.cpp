#include "app/shell_rules.h"

#include <climits>
#include <cstdio>
#include <cstring>

namespace mu {

WindowPlacement CenteredWindow(int screenWidth, int screenHeight, int clientWidth,
                               int clientHeight, const FrameMetrics& m) {
  WindowPlacement p;
  p.width = clientWidth + m.cxBorder + m.cxEdge + m.cxDlgFrame;
  p.height = clientHeight + m.cyCaption + m.cyEdge + m.cyBorder + m.cyDlgFrame;
  p.x = (screenWidth - p.width) / 2;
  p.y = (screenHeight - p.height) / 2;
  return p;
}

float SecondsBetween(std::uint32_t earlier, std::uint32_t now) {
  return static_cast<float>(static_cast<std::uint32_t>(now - earlier)) / 1000.0f;
}

void StepBlink(int& blinkOn, std::uint32_t& nextBlink, std::uint32_t now, std::uint32_t fresh) {
  if (now < nextBlink) return;
  blinkOn = !blinkOn;
  nextBlink = fresh + (blinkOn ? kBlinkOnMs : kBlinkOffMs);
}

int VersionCode(unsigned platformId, unsigned major, unsigned minor) {
  switch (platformId) {
    case 0:  // Win32s
      return 310;
    case 1:  // Windows 95, 98, Me
      if (major == 4) return minor == 0 ? 950 : 980;
      return static_cast<int>(major * 100 + minor);
    case 2:  // NT family
      if (major == 5) return 2000;
      return static_cast<int>(major * 1000 + minor * 10);
    default:
      return -1;
  }
}

int ColorDepthLevel(int requestedDepth) {
  switch (requestedDepth) {
    case 8: return 1;
    case 16: return 2;
    case 24: case 32: return 3;
    default: return 0;
  }
}

namespace {
const char kColorNames[4][7] = {"16", "256", "65536", "1670万"};
const char kWeekdays[7][3] = {"日", "月", "火", "水", "木", "金", "土"};
}  // namespace

void ColorDepthText(int level, char* out, std::size_t outSize) {
  if (outSize == 0) return;
  if (level < 1 || level > 3) {
    out[0] = '\0';
    return;
  }
  std::snprintf(out, outSize,
                "　ウィンドウ状態で実行しようとしていますが、"
                "画面が%s色以下に設定されています。\n"
                "正しく動作させるには、%s色以上に設定するか、"
                "フルスクリーンで実行させて下さい。",
                kColorNames[level - 1], kColorNames[level]);
}

const char* ColorDepthQuestion(const char* settingFile) {
  if (settingFile == nullptr || settingFile[0] == '\0') return nullptr;
  if (std::strcmp(settingFile, "*") == 0) return "フルスクリーンに切り換えますか？";
  return "フルスクリーンに設定し直しますか？";
}

const char* WeekdayText(int dayOfWeek) {
  if (dayOfWeek < 0 || dayOfWeek > 6) return "";
  return kWeekdays[dayOfWeek];
}

int SaturateToInt(unsigned long long value) {
  return value > static_cast<unsigned long long>(INT_MAX) ? INT_MAX : static_cast<int>(value);
}

}  // namespace mu
