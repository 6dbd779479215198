// Platform-free rules of the application shell: window placement, frame time,
// the blink phase, wait slots, Windows version codes and the colour-depth
// prompt's text. The Windows layer feeds them timer readings and metrics.
#ifndef MU_APP_SHELL_RULES_H
#define MU_APP_SHELL_RULES_H

#include <cstddef>
#include <cstdint>

namespace mu {

struct WindowPlacement {
  int x, y, width, height;
};

// System metrics that size the fixed windowed frame.
struct FrameMetrics {
  int cxBorder, cxEdge, cxDlgFrame;
  int cyCaption, cyEdge, cyBorder, cyDlgFrame;
};

// The windowed window, centred on the screen, whose client area is
// clientWidth x clientHeight (integer division truncating toward zero).
WindowPlacement CenteredWindow(int screenWidth, int screenHeight, int clientWidth,
                               int clientHeight, const FrameMetrics& m);

// Seconds between two timer readings, right across the 49.7-day wrap.
float SecondsBetween(std::uint32_t earlier, std::uint32_t now);

// Blink phase: on for 1000 ms, off for 200 ms. Given the current reading, flips
// blinkOn when nextBlink is reached and schedules the next flip from `fresh`.
constexpr std::uint32_t kBlinkOnMs = 1000, kBlinkOffMs = 200;
void StepBlink(int& blinkOn, std::uint32_t& nextBlink, std::uint32_t now, std::uint32_t fresh);

// Windows version code for a platform id and major/minor version.
int VersionCode(unsigned platformId, unsigned major, unsigned minor);

// Colour-depth check: 1 for 8 bits, 2 for 16, 3 for 24 or 32, 0 otherwise.
int ColorDepthLevel(int requestedDepth);

// The colour-depth warning for a level 1..3, bounded by outSize.
void ColorDepthText(int level, char* out, std::size_t outSize);

// The question asked after the warning: none (null) for an empty setting name,
// the switch question for "*", the re-setting question for a file name.
const char* ColorDepthQuestion(const char* settingFile);

// Japanese weekday character for SYSTEMTIME's day of week (0 = Sunday);
// an empty text for an out-of-range day.
const char* WeekdayText(int dayOfWeek);

// Saturates a byte count to the library's 32-bit signed results.
int SaturateToInt(unsigned long long value);

}  // namespace mu

#endif
